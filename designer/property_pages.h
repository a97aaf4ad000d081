#pragma once

// The property pages of the main window: the Script and Path pages edit the
// menu-wide record, the Item General, Normal, Mouse Over, Clicked and
// Submenu pages the selected item's record. Values travel between the
// controls and the records through the binding table (page_bindings.h).

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "document/format_extensions.h"
#include "document/records.h"

class QTabWidget;
class QWidget;

namespace velmora {

struct Binding;
struct BuiltPages;
class TMainForm;

class PropertyPages {
 public:
  // Builds the pages into `tabs` and wires their controls to `form`.
  PropertyPages(TMainForm& form, QTabWidget* tabs);
  ~PropertyPages();

  // Records filled from the controls; fields no control edits stay empty.
  TAppletData StoreMenu() const;
  TItemData StoreItem() const;
  // `record` with the values of the controls the user changed since the
  // item was loaded: a value only shown (a number beyond a box's range, a
  // text with blanks around it) stays as the record holds it.
  TItemData WithItemEdits(TItemData record) const;
  // Sets the controls from a record in record order. Every number is
  // checked before any control changes, so a bad value (NumberError)
  // leaves the pages as they were.
  void LoadMenu(const TAppletData& data);
  void LoadItem(const TItemData& item);

  // Page sets: Script and Path, or the item pages (Submenu as last set).
  void ShowMenuPages();
  void ShowItemPages();
  void SetSubmenuVisible(bool visible);
  // The state whose page is the current one: 0 Normal, 1 Mouse Over,
  // 2 Clicked; -1 for the other pages.
  int ShownState() const;

  // The page control named `name`; none for another name.
  QWidget* Control(const QString& name) const;
  // The Path page's body, for menu-wide settings kept outside the bindings.
  QWidget* PathPage() const;

  // Called after every change of a control's value other than a load:
  // `menuWide` for the Script and Path pages, `typing` for text typed into
  // an edit, a combo box or a spin box.
  using EditHandler = std::function<void(const Binding&, QWidget* control, bool menuWide, bool typing)>;
  void SetEditHandler(EditHandler handler) { editHandler_ = std::move(handler); }
  // The record text a control stores now into a design in `encoding`.
  std::string ValueOf(const Binding& binding, QWidget* control, TextEncoding encoding) const;
  // Whether the control's text needs the design switched to UTF-8.
  bool NeedsUtf8(const Binding& binding, QWidget* control) const;
  // Makes the page holding the control of `field` the current one.
  void ShowPageOf(bool menuWide, int field);
  // Makes the page holding `control` the current one, when it is shown.
  void ShowPageHolding(QWidget* control);

 private:
  using Bound = std::vector<std::pair<const Binding*, QWidget*>>;
  Bound Bind(const std::vector<Binding>& bindings);
  void WireReactions(const Bound& bound);
  void WireEdits(const Bound& bound, bool menuWide);
  void WireButtons();
  TItemData ItemValues() const;

  TMainForm& form_;
  QTabWidget* tabs_;
  std::unique_ptr<BuiltPages> built_;
  Bound menu_;
  Bound item_;
  EditHandler editHandler_;
  bool loading_ = false;
  TItemData loadedItem_;  // what the item pages stored right after loading
};

}  // namespace velmora
