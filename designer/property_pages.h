#pragma once

// The property pages of the main window: the Script and Path pages edit the
// menu-wide record, the Item General, Normal, Mouse Over, Clicked and
// Submenu pages the selected item's record. Values travel between the
// controls and the records through one binding table (page_bindings.h).

#include <QTabWidget>

#include "document/records.h"

namespace velmora {

class TMainForm;

class PropertyPages {
 public:
  PropertyPages(TMainForm& form, QTabWidget* tabs);
  ~PropertyPages();

  TAppletData StoreMenu() const;
  void LoadMenu(const TAppletData& data);
  TItemData StoreItem() const;
  void LoadItem(const TItemData& item);

  void ShowMenuPages();
  void ShowItemPages();
  void SetSubmenuVisible(bool visible);

 private:
  TMainForm& form_;
  QTabWidget* tabs_;
};

}  // namespace velmora
