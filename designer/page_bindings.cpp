#include "designer/page_bindings.h"

#include <algorithm>

#include "document/field_names.h"

namespace velmora {

namespace {

using C = Conversion;
using R = Reaction;

// A row of the state pages. In `control`, "%" stands for the state's name
// ("Normal", "Over", "Clicked") and "^" for its prefix ("", "Over",
// "Clicked"), so the icon edits read cmbx_ILeftIconUrl, cmbx_IOverLeftIconUrl.
struct StateRow {
  const char* control;
  std::array<int, 3> fields;
  Conversion conversion;
  Reaction reaction;
  const char* checkedWhen = nullptr;
  const char* storeChecked = nullptr;
  const char* storeUnchecked = nullptr;
};

constexpr std::array<int, 3> InBlock(int offset) {
  return {kStateBlockStart[0] + offset, kStateBlockStart[1] + offset, kStateBlockStart[2] + offset};
}

const StateRow kStateRows[] = {
    {"edt_IFontFamily%", InBlock(kFontFamily), C::Text, R::ModifyChecked},
    {"spnedt_IFontSize%", InBlock(kFontSize), C::Spin, R::Modify},
    {"spdbtn_IFontWeight%", InBlock(kFontWeight), C::Toggle, R::Modify, "bold", "bold", "normal"},
    {"spdbtn_IFontStyle%", InBlock(kFontStyle), C::Toggle, R::Modify, "italic", "italic", "normal"},
    {"pnl_IBorderTopColor%", InBlock(kBorderTopColor), C::Color, R::None},
    {"spnedt_IBorderTopWidth%", InBlock(kBorderTopWidth), C::Spin, R::Modify},
    {"cmbx_IBorderTopStyle%", InBlock(kBorderTopStyle), C::List, R::None},
    {"pnl_IBorderRightColor%", InBlock(kBorderRightColor), C::Color, R::None},
    {"spnedt_IBorderRightWidth%", InBlock(kBorderRightWidth), C::Spin, R::Modify},
    {"cmbx_IBorderRightStyle%", InBlock(kBorderRightStyle), C::List, R::None},
    {"pnl_IBorderBottomColor%", InBlock(kBorderBottomColor), C::Color, R::None},
    {"spnedt_IBorderBottomWidth%", InBlock(kBorderBottomWidth), C::Spin, R::Modify},
    {"cmbx_IBorderBottomStyle%", InBlock(kBorderBottomStyle), C::List, R::None},
    {"pnl_IBorderLeftColor%", InBlock(kBorderLeftColor), C::Color, R::None},
    {"spnedt_IBorderLeftWidth%", InBlock(kBorderLeftWidth), C::Spin, R::Modify},
    {"cmbx_IBorderLeftStyle%", InBlock(kBorderLeftStyle), C::List, R::None},
    {"cmbx_ICursor%", InBlock(kCursor), C::List, R::None},
    {"pnl_IColor%", InBlock(kColor), C::Color, R::None},
    {"pnl_IBackgroundColor%", InBlock(kBackgroundColor), C::Color, R::None},
    {"cmbx_IBackgroundImage%", InBlock(kBackgroundImage), C::Text, R::None},
    {"cmbx_I^LeftIconUrl", {ILeftIconUrl, IOverLeftIconUrl, IClickedLeftIconUrl}, C::Text, R::None},
    {"cmbx_I^RightIconUrl", {IRightIconUrl, IOverRightIconUrl, IClickedRightIconUrl}, C::Text, R::None},
};

const Binding kGeneralRows[] = {
    {"edt_ICaption", ICaption, C::Text, R::Caption},
    {"cmbx_ITextAlign", ITextAlign, C::List, R::ModifyChecked},
    {"cmbx_ITextWrap", ITextWrap, C::List, R::ModifyChecked},
    {"spnedt_IPaddingLeft", IPaddingLeft, C::Spin, R::Modify},
    {"spnedt_IPaddingRight", IPaddingRight, C::Spin, R::Modify},
    {"spnedt_IPaddingTop", IPaddingTop, C::Spin, R::Modify},
    {"spnedt_IPaddingBottom", IPaddingBottom, C::Spin, R::Modify},
    {"cmbx_ILink", ILink, C::Text, R::ModifyChecked},
    {"cmbx_ITarget", ITarget, C::Text, R::ModifyChecked},
    {"edt_IStatusBarMsg", IStatusBarMsg, C::Text, R::ModifyChecked},
    {"edt_IToolTip", IToolTip, C::Text, R::ModifyChecked},
    {"chckbx_DisableItem", DisableItem, C::Toggle, R::None, "0", "0", "1"},
    {"spnedt_IWidth", IWidth, C::Spin, R::Modify},
    {"spnedt_IHeight", IHeight, C::Spin, R::Modify},
    {"spnedt_ILeftIconWidth", ILeftIconWidth, C::Spin, R::Modify},
    {"spnedt_ILeftIconHeight", ILeftIconHeight, C::Spin, R::Modify},
    {"cmbx_IImageUrl", IImageUrl, C::Text, R::ModifyChecked},
    {"cmbx_IOverImageUrl", IOverImageUrl, C::Text, R::ModifyChecked},
    {"cmbx_IClickedImageUrl", IClickedImageUrl, C::Text, R::ModifyChecked},
    {"spnedt_IRightIconWidth", IRightIconWidth, C::Spin, R::Modify},
    {"spnedt_IRightIconHeight", IRightIconHeight, C::Spin, R::Modify},
    {"spnedt_ISubmenuOffsetX", ISubmenuOffsetX, C::Spin, R::Modify},
    {"spnedt_ISubmenuOffsetY", ISubmenuOffsetY, C::Spin, R::Modify},
    {"cmbx_ISubmenuDirection", ISubmenuDirection, C::List, R::ModifyChecked},
    {"spnedt_ISubmenuItemGap", ISubmenuItemGap, C::Spin, R::Modify},
};

std::string StateControlName(const char* pattern, int state) {
  static constexpr std::array<const char*, 3> kPrefixes = {"", "Over", "Clicked"};
  std::string name;
  for (const char* p = pattern; *p; ++p) {
    if (*p == '%') {
      name += kStateNames[static_cast<size_t>(state)];
    } else if (*p == '^') {
      name += kPrefixes[static_cast<size_t>(state)];
    } else {
      name += *p;
    }
  }
  return name;
}

}  // namespace

const std::vector<Binding>& MenuBindings() {
  static const std::vector<Binding> bindings = {
      {"cmbx_pMainMenuDirection", pMainMenuDirection, C::List, R::ModifyChecked},
      {"spnedt_pMainMenuItemGap", pMainMenuItemGap, C::Spin, R::Modify},
      {"spnedt_pOpenDelay", pOpenDelay, C::Spin, R::Modify},
      {"spnedt_pSlidingOpenDuration", pSlidingOpenDuration, C::Spin, R::Modify},
      {"chckbx_pOpenSlideType", pOpenSlideType, C::Toggle, R::None, "2", "2", "0"},
      {"cmbx_pOpenTransitionCustomFilter", pOpenTransitionCustomFilter, C::List, R::ModifyChecked},
      {"spnedt_pCloseDelay", pCloseDelay, C::Spin, R::Modify},
      {"spnedt_pSlidingCloseDuration", pSlidingCloseDuration, C::Spin, R::Modify},
      {"chckbx_pCloseSlideType", pCloseSlideType, C::Toggle, R::None, "2", "2", "0"},
      {"cmbx_pCloseTransitionCustomFilter", pCloseTransitionCustomFilter, C::List, R::ModifyChecked},
      {"edtpInternalUse_RootDir_Local", pInternalUse_RootDir_Local, C::TextStoreTrim, R::ModifyChecked},
      {"edtpInternalUse_RootDir_Remote", pInternalUse_RootDir_Remote, C::TextStoreTrim, R::ModifyChecked},
      {"rdbtnpInternalUse_RootDir_Local_Checked", pInternalUse_RootDir_Local_Checked, C::Toggle, R::None, "1",
       "1", "0"},
      // The second radio button shares the field: it loads, the first stores.
      {"rdbtnpInternalUse_RootDir_Local_Checked2", pInternalUse_RootDir_Local_Checked, C::Toggle, R::None,
       "0"},
  };
  return bindings;
}

const std::vector<Binding>& ItemBindings() {
  static const std::vector<Binding> bindings = [] {
    std::vector<Binding> all(std::begin(kGeneralRows), std::end(kGeneralRows));
    for (int state = 0; state < 3; ++state) {
      for (const StateRow& row : kStateRows) {
        all.push_back({StateControlName(row.control, state), row.fields[static_cast<size_t>(state)],
                       row.conversion, row.reaction, row.checkedWhen, row.storeChecked, row.storeUnchecked});
      }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Binding& a, const Binding& b) { return a.field < b.field; });
    return all;
  }();
  return bindings;
}

}  // namespace velmora
