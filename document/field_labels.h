#pragma once

// Where the user edits each field: the page and the label beside its
// control, so messages about a value name what the user sees ("Normal
// page, Left icon") rather than the field's name in the file.

#include <string>

namespace velmora {

// The page and label of a menu-wide or item field; a field no page shows
// (derived or reserved ones) is named by its field name.
std::string AppletFieldLabel(int field);
std::string ItemFieldLabel(int field);

}  // namespace velmora
