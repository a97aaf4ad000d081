#pragma once

// The modern page's stylesheet of the item looks: lower-case declarations,
// one border when the four sides agree, what every look shares in one rule,
// no declaration browsers would drop anyway.

#include <string>

#include "generator/styles.h"

namespace velmora {

// The rules of the look classes; the bar's entries without a class take
// `modern.barClass`'s look by their place.
std::string ModernStylesheetText(const StyleTable& table, TextEncoding encoding, const ModernSheet& modern);

}  // namespace velmora
