#include "document/records.h"

#include <utility>

namespace velmora {

TAppletData DefaultAppletData() {
  TAppletData a;
  a[pMenuName] = "Menu1";
  a[pMenuCfgName] = "Menu1Cfg";
  a[pMenuDivName] = "Menu1_DIV";
  a[pMainMenuDirection] = "1";
  a[pMainMenuItemGap] = "1";
  a[pOpenDelay] = "0";
  a[pSlidingOpenDuration] = "330";
  a[pOpenSlideType] = "2";
  a[pOpenTransitionFlag] = "0";
  a[pOpenTransitionCustomFilter] = "1";
  a[pCloseDelay] = "200";
  a[pSlidingCloseDuration] = "220";
  a[pCloseSlideType] = "2";
  a[pCloseTransitionFlag] = "0";
  a[pCloseTransitionCustomFilter] = "1";
  a[pInternalUse_RootDir_Local_Checked] = "1";
  return a;
}

namespace {

struct FieldDefault {
  ItemField field;
  const char* value;
};

constexpr FieldDefault kGeneralDefaults[] = {
    {ICaption, "Item Caption"}, {ITextAlign, "0"},      {ITextWrap, "0"},       {IPaddingLeft, "4"},
    {IPaddingRight, "10"},      {IPaddingTop, "0"},     {IPaddingBottom, "0"},  {ITarget, "_self"},
    {DisableItem, "1"},         {IWidth, "150"},        {IHeight, "20"},        {ILeftIconWidth, "16"},
    {ILeftIconHeight, "16"},    {IImageWidth, "16"},    {IImageHeight, "16"},   {IRightIconWidth, "16"},
    {IRightIconHeight, "16"},   {ISubmenuOffsetX, "0"}, {ISubmenuOffsetY, "0"}, {ISubmenuDirection, "0"},
    {IReserved38, "0"},         {ISubmenuItemGap, "1"},
};

// Border and text colours differ per state: normal, over, clicked.
constexpr const char* kStateColour[3] = {"C0C0C0", "000000", "FF0000"};

TItemData BuildDefaultItem() {
  TItemData item;
  for (const auto& d : kGeneralDefaults) item[d.field] = d.value;
  for (int state = 0; state < 3; ++state) {
    auto set = [&](int offset, const char* value) {
      item.at(kStateBlockStart[static_cast<size_t>(state)] + offset) = value;
    };
    set(kFontFamily, "Verdana,Ms Sans Serif,Georgia,Helvetica,Arial");
    set(kFontSize, "10");
    set(kFontWeight, "normal");
    set(kFontStyle, "normal");
    for (int side = 0; side < 4; ++side) {
      set(kBorderTopColor + 3 * side, kStateColour[state]);
      set(kBorderTopWidth + 3 * side, "1");
      set(kBorderTopStyle + 3 * side, "3");
    }
    set(kCursor, "3");
    set(kColor, kStateColour[state]);
    set(kBackgroundColor, "FFFFFF");
  }
  return item;
}

}  // namespace

// Built once: new items are copies of it.
TItemData DefaultItemData() {
  static const TItemData prototype = BuildDefaultItem();
  return prototype;
}

}  // namespace velmora
