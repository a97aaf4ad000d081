#pragma once

// The one table that ties each page control to its record field: how the
// value converts between the control and the record's text, and what a
// user change of the control does at once. Store and load are loops over
// it; a new field is one line.

#include <array>
#include <string>
#include <vector>

#include "document/field_names.h"

namespace velmora {

enum class Conversion {
  Spin,           // decimal in -9999..9999; a non-number keeps the last number
  List,           // index of the chosen entry, "-1" for none
  Text,           // trimmed on store and on load
  TextStoreTrim,  // trimmed on store only
  Color,          // six hex digits red, green, blue
  Toggle,         // checked exactly when the field equals `checkedWhen`
};

enum class Reaction {
  None,           // nothing besides the edit's step
  Modify,         // as None (edits mark the design through the history)
  ModifyChecked,  // refuses the separator
  Caption,        // as ModifyChecked, and renames the selected node
};

struct Binding {
  std::string control;
  int field;
  Conversion conversion;
  Reaction reaction;
  // Toggle only: the field text that checks the control, and what it
  // stores checked and unchecked (no store text: the control only loads).
  const char* checkedWhen = nullptr;
  const char* storeChecked = nullptr;
  const char* storeUnchecked = nullptr;
};

// The picture size that follows an item's size wherever it is stored:
// IImageWidth for IWidth, IImageHeight for IHeight, else -1.
inline int ImageSizeFieldOf(int field) {
  return field == IWidth ? IImageWidth : field == IHeight ? IImageHeight : -1;
}

// Script and Path pages (menu-wide record).
const std::vector<Binding>& MenuBindings();
// Item General, Submenu and the three state pages, in record order.
const std::vector<Binding>& ItemBindings();

// The three state pages: the word in their control names.
inline constexpr std::array<const char*, 3> kStateNames = {"Normal", "Over", "Clicked"};

// Image chooser buttons and the edit each one fills.
struct ImageChooser {
  const char* button;
  const char* edit;
};
inline constexpr std::array<ImageChooser, 12> kImageChoosers = {{
    {"spdbtnItemImageNormal", "cmbx_IImageUrl"},
    {"spdbtnItemImageOver", "cmbx_IOverImageUrl"},
    {"spdbtnItemImageClicked", "cmbx_IClickedImageUrl"},
    {"spdbtnItemLeftIconNormal", "cmbx_ILeftIconUrl"},
    {"spdbtnItemLeftIconOver", "cmbx_IOverLeftIconUrl"},
    {"spdbtnItemLeftIconClicked", "cmbx_IClickedLeftIconUrl"},
    {"spdbtnItemRightIconNormal", "cmbx_IRightIconUrl"},
    {"spdbtnItemRightIconOver", "cmbx_IOverRightIconUrl"},
    {"spdbtnItemRightIconClicked", "cmbx_IClickedRightIconUrl"},
    {"spdbtnItemBGImageNormal", "cmbx_IBackgroundImageNormal"},
    {"spdbtnItemBGImageOver", "cmbx_IBackgroundImageOver"},
    {"spdbtnItemBGImageClicked", "cmbx_IBackgroundImageClicked"},
}};

// Help topic files by help button tag.
inline constexpr std::array<const char*, 18> kHelpTopics = {
    "getting_started.htm",
    "customizing_js_script_script_menu.htm",
    "customizing_js_script_script_slideopen.htm",
    "customizing_js_script_script_slideclose.htm",
    "customizing_js_script_path_path.htm",
    "customizing_js_item_general_textitem.htm",
    "customizing_js_item_general_imageitem.htm",
    "customizing_js_item_general_link.htm",
    "customizing_js_item_general_size.htm",
    "customizing_js_item_general_info.htm",
    "customizing_js_item_general_disable.htm",
    "customizing_js_item_status_title.htm",
    "customizing_js_item_status_imagecursor.htm",
    "customizing_js_item_status_border.htm",
    "customizing_js_item_submenu_position.htm",
    "customizing_js_item_submenu_type.htm",
    "customizing_js_item_submenu_gap.htm",
    "workshop_global_properties_change.htm",
};

// Batch changer buttons by page: Item General, Normal, Mouse Over,
// Clicked, Submenu.
inline constexpr std::array<const char*, 5> kBatchButtons = {"btnBatchPropertiesChanger", "Button3",
                                                             "Button4", "Button5", "Button6"};

}  // namespace velmora
