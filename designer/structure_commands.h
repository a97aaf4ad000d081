#pragma once

// The tree commands Insert, Delete, Move Up and Move Down: one action each,
// which the Item menu, the tree's context menu and the tool bar all show,
// enabled as the selected node allows. Each command pushes one step of the
// history that changes the document alone; the tree follows the document.

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace velmora {

class DesignSession;

class StructureCommands : public QObject {
  Q_OBJECT

 public:
  explicit StructureCommands(DesignSession& session);

  QAction* InsertAction() const { return insert_; }
  QAction* DeleteAction() const { return delete_; }
  QAction* MoveUpAction() const { return moveUp_; }
  QAction* MoveDownAction() const { return moveDown_; }
  // Adds the four actions to `menu`.
  void AddTo(QMenu* menu) const;
  // Gives the actions their keys while `tree` (or a child) has the focus.
  void BindKeys(QWidget* tree) const;

  void Insert();
  void Delete();
  void MoveUp();
  void MoveDown();
  // The enabled states for the selected node.
  void RefreshStates();

 private:
  QAction* NewAction(const char* name, const QString& caption, void (StructureCommands::*command)());

  DesignSession& session_;
  QAction* insert_;
  QAction* delete_;
  QAction* moveUp_;
  QAction* moveDown_;
};

}  // namespace velmora
