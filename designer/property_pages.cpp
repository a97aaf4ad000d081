#include "designer/property_pages.h"

#include "designer/main_form.h"

namespace velmora {

PropertyPages::PropertyPages(TMainForm& form, QTabWidget* tabs) : form_(form), tabs_(tabs) {}
PropertyPages::~PropertyPages() = default;
TAppletData PropertyPages::StoreMenu() const {
  return {};
}
void PropertyPages::LoadMenu(const TAppletData&) {}
TItemData PropertyPages::StoreItem() const {
  return {};
}
void PropertyPages::LoadItem(const TItemData&) {}
void PropertyPages::ShowMenuPages() {}
void PropertyPages::ShowItemPages() {}
void PropertyPages::SetSubmenuVisible(bool) {}

void TMainForm::StoreMenuPages() {}
void TMainForm::LoadMenuPages() {}
void TMainForm::StoreItemPages(int) {}
void TMainForm::LoadItemPages(int) {}
void TMainForm::StorePages() {}
void TMainForm::ShowHelpTopic(const QString&) {}
QString TMainForm::HelpTopicForTag(int) {
  return {};
}
void TMainForm::spnedtApWidthChange(QWidget*) {}
void TMainForm::edt_ICaptionChange() {}
void TMainForm::CheckSeparatorText(QWidget*) {}
void TMainForm::PickPanelColor(QWidget*) {}
void TMainForm::spdbtnItemImageNormalClick(QWidget*) {}
void TMainForm::spdbtnItURLClick() {}
void TMainForm::SpeedButton1Click(QWidget*) {}
void TMainForm::btnBatchPropertiesChangerClick(QWidget*) {}

}  // namespace velmora
