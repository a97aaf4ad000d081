#include "document/field_labels.h"

#include <array>

#include "document/field_names.h"

namespace velmora {

namespace {

struct Label {
  int field;
  const char* text;
};

constexpr Label kAppletLabels[] = {
    {pMainMenuDirection, "Script page, Type"},
    {pMainMenuItemGap, "Script page, Item Gap"},
    {pOpenDelay, "Script page, Slide Open Delay"},
    {pSlidingOpenDuration, "Script page, Slide Open Duration"},
    {pOpenSlideType, "Script page, Enable Sliding Open"},
    {pOpenTransitionCustomFilter, "Script page, Slide Open Effect"},
    {pCloseDelay, "Script page, Slide Close Delay"},
    {pSlidingCloseDuration, "Script page, Slide Close Duration"},
    {pCloseSlideType, "Script page, Enable Sliding Close"},
    {pCloseTransitionCustomFilter, "Script page, Slide Close Effect"},
    {pInternalUse_RootDir_Local, "Path page, Root Directory for Local Computer"},
    {pInternalUse_RootDir_Remote, "Path page, Root Directory for Web Server"},
    {pInternalUse_RootDir_Local_Checked, "Path page, Test on Local Computer"},
};

constexpr Label kItemLabels[] = {
    {ICaption, "Item General page, Text"},
    {ITextAlign, "Item General page, Align"},
    {ITextWrap, "Item General page, Warp"},
    {IPaddingLeft, "Item General page, Padding Left"},
    {IPaddingRight, "Item General page, Padding Right"},
    {IPaddingTop, "Item General page, Padding Top"},
    {IPaddingBottom, "Item General page, Padding Bottom"},
    {ILink, "Item General page, URL"},
    {ITarget, "Item General page, Target"},
    {IStatusBarMsg, "Item General page, Status Bar Msg"},
    {IToolTip, "Item General page, Tooltip"},
    {DisableItem, "Item General page, Disable this item"},
    {IWidth, "Item General page, Item Width"},
    {IHeight, "Item General page, Item Height"},
    {ILeftIconUrl, "Normal page, Left icon"},
    {IOverLeftIconUrl, "Mouse Over page, Left icon"},
    {IClickedLeftIconUrl, "Clicked page, Left icon"},
    {ILeftIconWidth, "Item General page, Left Image Width"},
    {ILeftIconHeight, "Item General page, Left Image Height"},
    {IImageUrl, "Item General page, Normal image"},
    {IOverImageUrl, "Item General page, Over image"},
    {IClickedImageUrl, "Item General page, Clicked image"},
    {IImageWidth, "Item General page, Item Width"},
    {IImageHeight, "Item General page, Item Height"},
    {IRightIconUrl, "Normal page, Right icon"},
    {IOverRightIconUrl, "Mouse Over page, Right icon"},
    {IClickedRightIconUrl, "Clicked page, Right icon"},
    {IRightIconWidth, "Item General page, Right Image Width"},
    {IRightIconHeight, "Item General page, Right Image Height"},
    {ISubmenuOffsetX, "Submenu page, Offset X"},
    {ISubmenuOffsetY, "Submenu page, Offset Y"},
    {ISubmenuDirection, "Submenu page, Type"},
    {ISubmenuItemGap, "Submenu page, Item Gap"},
};

// The labels of a state block, by offset.
constexpr std::array<const char*, kStateBlockSize> kStateLabels = {
    "Font",
    "Size",
    "Bold",
    "Italic",
    "Top border Color",
    "Top border Width",
    "Top border Style",
    "Right border Color",
    "Right border Width",
    "Right border Style",
    "Bottom border Color",
    "Bottom border Width",
    "Bottom border Style",
    "Left border Color",
    "Left border Width",
    "Left border Style",
    "Cursor",
    "Text Color",
    "Background Color",
    "Background image",
};

constexpr std::array<const char*, 3> kStatePages = {"Normal page, ", "Mouse Over page, ", "Clicked page, "};

template <size_t N, size_t M>
std::string Find(const Label (&labels)[N], int field, const std::array<std::string_view, M>& names) {
  for (const Label& label : labels) {
    if (label.field == field) return label.text;
  }
  return field >= 0 && static_cast<size_t>(field) < M ? std::string(names[static_cast<size_t>(field)])
                                                      : std::to_string(field);
}

}  // namespace

std::string AppletFieldLabel(int field) {
  return Find(kAppletLabels, field, kAppletFieldNames);
}

std::string ItemFieldLabel(int field) {
  for (size_t state = 0; state < kStateBlockStart.size(); ++state) {
    const int offset = field - kStateBlockStart[state];
    if (offset >= 0 && offset < kStateBlockSize) {
      return std::string(kStatePages[state]) + kStateLabels[static_cast<size_t>(offset)];
    }
  }
  return Find(kItemLabels, field, kItemFieldNames);
}

}  // namespace velmora
