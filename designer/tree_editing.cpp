// The design tree: the selection moving values between the pages and the
// records, and which pages and commands the selection allows.

#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>

#include "designer/main_form.h"
#include "designer/property_pages.h"
#include "designer/structure_commands.h"
#include "designer/tree_adapter.h"

namespace velmora {

namespace {

// Runs with a flag set, clearing it again also when the body throws.
template <typename Body>
void WithFlag(bool& flag, Body&& body) {
  const bool previous = flag;
  flag = true;
  try {
    body();
  } catch (...) {
    flag = previous;
    throw;
  }
  flag = previous;
}

}  // namespace

int TMainForm::AbsoluteIndex(const QTreeWidgetItem* node) const {
  return treeAdapter_->IndexOf(node);
}

QTreeWidgetItem* TMainForm::NodeAt(int absoluteIndex) const {
  return treeAdapter_->NodeAt(absoluteIndex);
}

QTreeWidgetItem* TMainForm::RootNode() const {
  return treeAdapter_->Root();
}

QTreeWidgetItem* TMainForm::SelectedNode() const {
  treeAdapter_->Flush();
  return trvwDesignPanel->currentItem();
}

int TMainForm::SelectedIndex() const {
  return AbsoluteIndex(SelectedNode());
}

int TMainForm::CurrentItemIndex() const {
  const int index = AbsoluteIndex(CurrentItemNode);
  return index < 1 ? -1 : index - 1;
}

void TMainForm::ResetTreeToRoot(bool arrangePages) {
  CurrentItemNode = nullptr;
  WithFlag(TreeRebuilding, [this] {
    treeAdapter_->ClearToRoot(kRootCaption);
    treeAdapter_->Flush();
  });
  if (arrangePages) {
    trvwDesignPanel->setCurrentItem(RootNode());
    RefreshItemCommandStates();
  } else {
    SelectRootNode();
  }
}

ReadResult TMainForm::RebuildTreeWith(const std::function<ReadResult(DesignTree&)>& reader) {
  ReadResult result;
  try {
    WithFlag(TreeRebuilding, [&] { result = reader(*treeAdapter_); });
  } catch (...) {
    treeAdapter_->Flush();
    throw;
  }
  treeAdapter_->Flush();
  return result;
}

void TMainForm::ExpandReadTree() {
  // Every level of a design of ordinary size; a large one shows its first
  // level, as opening every branch of it would take long and show too much.
  constexpr int kExpandAllLimit = 500;
  if (Document().ItemCount() <= kExpandAllLimit) {
    trvwDesignPanel->expandAll();
  } else {
    RootNode()->setExpanded(true);
  }
}

void TMainForm::ShowReadTree() {
  SelectRootNode();
  ExpandReadTree();
  UpdatePages();
}

void TMainForm::WithoutSelectionHandler(const std::function<void()>& change) {
  WithFlag(suppressTreeHandlers_, change);
}

void TMainForm::SelectRootNode() {
  WithFlag(suppressTreeHandlers_, [this] { trvwDesignPanel->setCurrentItem(RootNode()); });
  RefreshItemCommandStates();
}

void TMainForm::trvwDesignPanelChange() {
  if (TreeRebuilding || suppressTreeHandlers_) return;
  UpdatePages();
  if (CurrentItemNode) StoreItemEdits(AbsoluteIndex(CurrentItemNode) - 1);
  QTreeWidgetItem* selected = SelectedNode();
  if (!selected || selected == RootNode()) {
    // Keeps Delete and the moves from offering themselves on the root.
    RefreshItemCommandStates();
    return;
  }
  if (selected != CurrentItemNode) {
    CurrentItemNode = selected;
    try {
      LoadItemPages(AbsoluteIndex(selected) - 1);
    } catch (...) {
      // The pages still show another item's values: they must not be
      // stored into this record.
      CurrentItemNode = nullptr;
      throw;
    }
  }
  UpdateItemCommands();
}

void TMainForm::trvwDesignPanelMouseDown() {
  if (TreeRebuilding) return;
  if (QTreeWidgetItem* selected = SelectedNode()) {
    WithFlag(suppressTreeHandlers_, [&] { trvwDesignPanel->setCurrentItem(selected); });
    UpdateItemCommands();
  }
}

void TMainForm::UpdateItemCommands() {
  RefreshItemCommandStates();
  UpdatePages();
}

void TMainForm::RefreshItemCommandStates() {
  structure_->RefreshStates();
}

void TMainForm::UpdatePages() {
  QTreeWidgetItem* selected = SelectedNode();
  const int a = AbsoluteIndex(selected);
  if (a < 0) return;
  if (a != 0) pages_->SetSubmenuVisible(selected->childCount() > 0);
  const bool neverArranged = LastPagesIndex == -2009;
  if (!neverArranged && (a == LastPagesIndex || (a > 0 && LastPagesIndex > 0))) return;
  if (a == 0) {
    pages_->ShowMenuPages();
  } else {
    pages_->ShowItemPages();
  }
  LastPagesIndex = a;
}

}  // namespace velmora
