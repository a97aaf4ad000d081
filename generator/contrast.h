#pragma once

// Text contrast as the Web Content Accessibility Guidelines measure it: the
// ratio of the lighter colour's relative luminance to the darker one's, each
// plus 0.05, from 1:1 (equal colours) to 21:1 (black on white).

#include <string_view>

namespace velmora {

// WCAG AA's least ratio for body text.
inline constexpr double kMinimumTextContrast = 4.5;

// Relative luminance (0 to 1) of a stored colour (six hexadecimal digits
// red, green, blue). Throws NumberError on a text that is not a colour.
double RelativeLuminance(std::string_view storedColour);

double ContrastRatio(std::string_view storedColourA, std::string_view storedColourB);

}  // namespace velmora
