#include "designer/structure_commands.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>
#include <utility>

#include "designer/design_session.h"
#include "designer/item_block_commands.h"
#include "designer/move_item_command.h"
#include "designer/neighbour_look.h"
#include "designer/undo_history.h"
#include "document/item_look.h"

namespace velmora {

StructureCommands::StructureCommands(DesignSession& session)
    : QObject(session.DialogParent()),
      session_(session),
      insert_(NewAction("Insert1", "I&nsert", &StructureCommands::Insert)),
      delete_(NewAction("Delete1", "&Delete", &StructureCommands::Delete)),
      moveUp_(NewAction("MoveUp1", "Move &Up", &StructureCommands::MoveUp)),
      moveDown_(NewAction("MoveDown1", "Move &Down", &StructureCommands::MoveDown)) {}

QAction* StructureCommands::NewAction(const char* name, const QString& caption,
                                      void (StructureCommands::*command)()) {
  auto* action = new QAction(caption, session_.DialogParent());
  action->setObjectName(name);
  connect(action, &QAction::triggered, this,
          [this, command] { session_.RunGuarded([&] { (this->*command)(); }); });
  return action;
}

void StructureCommands::AddTo(QMenu* menu) const {
  menu->addActions({insert_, delete_, moveUp_, moveDown_});
}

void StructureCommands::BindKeys(QWidget* tree) const {
  // Keyboard editing while the tree has the focus, so the keys keep their
  // meaning in the page fields.
  const std::pair<QAction*, QKeySequence> keys[] = {{insert_, QKeySequence(Qt::Key_Insert)},
                                                    {delete_, QKeySequence(Qt::Key_Delete)},
                                                    {moveUp_, QKeySequence(Qt::CTRL | Qt::Key_Up)},
                                                    {moveDown_, QKeySequence(Qt::CTRL | Qt::Key_Down)}};
  for (const auto& [action, key] : keys) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    tree->addAction(action);
  }
}

void StructureCommands::Insert() {
  QTreeWidgetItem* parent = session_.SelectedNode();
  if (!parent) parent = session_.Tree().Root();
  const int parentNode = session_.Tree().IndexOf(parent);
  TItemData record =
      NewChildItem(session_.Document(), session_.Tree(), parentNode, NewItemsCopyNeighbourLook());
  UndoHistory& history = session_.History();
  history.Push(new InsertItemCommand(history.Editor(), parentNode, std::move(record)));
  session_.UpdateItemCommands();
}

void StructureCommands::Delete() {
  QTreeWidgetItem* node = session_.SelectedNode();
  if (!node || node == session_.Tree().Root()) {
    session_.Ask(QMessageBox::Critical, "Root item cannot be deleted.", QMessageBox::Ok, QMessageBox::Ok);
    return;
  }
  if (session_.Ask(QMessageBox::Warning, "Are you sure to delete this item and all its children?",
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
    return;
  }
  // The subtree's records are one contiguous run starting at its own.
  UndoHistory& history = session_.History();
  history.Push(
      new DeleteItemCommand(history.Editor(), session_.Tree().IndexOf(node) - 1, 1 + CountDescendants(node)));
  session_.UpdateItemCommands();
}

void StructureCommands::MoveUp() {
  QTreeWidgetItem* moving = session_.SelectedNode();
  QTreeWidgetItem* parent = moving ? moving->parent() : nullptr;
  const int position = parent ? parent->indexOfChild(moving) : 0;
  if (position > 0) {
    QTreeWidgetItem* previous = parent->child(position - 1);
    const int s = session_.Tree().IndexOf(moving) - 1;
    const int sizeP = 1 + CountDescendants(previous);
    const int sizeS = 1 + CountDescendants(moving);
    // Each record of the moving subtree goes up by sizeP places, both
    // subtrees keeping their inner order.
    UndoHistory& history = session_.History();
    history.Push(new MoveItemCommand(history.Editor(), {s, sizeS, sizeP}, s, s - sizeP));
  }
  session_.UpdateItemCommands();
}

void StructureCommands::MoveDown() {
  QTreeWidgetItem* selected = session_.SelectedNode();
  QTreeWidgetItem* parent = selected ? selected->parent() : nullptr;
  const int position = parent ? parent->indexOfChild(selected) : -1;
  if (parent && position + 1 < parent->childCount()) {
    QTreeWidgetItem* next = parent->child(position + 1);
    const int n = session_.Tree().IndexOf(next) - 1;
    const int sizeN = 1 + CountDescendants(next);
    const int sizeS = 1 + CountDescendants(selected);
    UndoHistory& history = session_.History();
    history.Push(new MoveItemCommand(history.Editor(), {n, sizeN, sizeS}, n - sizeS, n - sizeS + sizeN));
  }
  session_.UpdateItemCommands();
}

void StructureCommands::RefreshStates() {
  QTreeWidgetItem* selected = session_.SelectedNode();
  QTreeWidgetItem* parent = selected ? selected->parent() : nullptr;
  const int position = parent ? parent->indexOfChild(selected) : -1;
  insert_->setEnabled(true);
  delete_->setEnabled(parent != nullptr);
  moveUp_->setEnabled(parent && position > 0);
  moveDown_->setEnabled(parent && position + 1 < parent->childCount());
}

}  // namespace velmora
