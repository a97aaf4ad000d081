#pragma once

// The window's undo history: every edit of the design is a step on one
// stack (at most 1,000 kept), taken back and done again from the Edit menu
// and the tool bar. A step undone or redone shows the item and the page it
// changed. Opening, importing or starting a design starts a fresh history.

#include <QObject>
#include <memory>
#include <vector>

#include "designer/item_editor.h"
#include "dialogs/GlobalPropertiesChange.h"

class QAction;
class QMenu;
class QToolBar;
class QUndoCommand;
class QUndoStack;
class QWidget;

namespace velmora {

struct Binding;
class DesignSession;
class PageStyleControls;

class UndoHistory : public QObject {
  Q_OBJECT

 public:
  static constexpr int kMostSteps = 1000;

  explicit UndoHistory(DesignSession& session);
  ~UndoHistory() override;

  // The "&Edit" menu's entries and the tool bar's buttons.
  void AddMenuEntries(QMenu* edit);
  void AddToolButtons(QToolBar* bar);
  // Starts following the focus and the tree selection, which end a run of
  // keystrokes that makes one step.
  void Attach(QWidget* tree);

  ItemEditor& Editor() { return editor_; }
  QUndoStack& Stack() { return *stack_; }
  // Does `command` and keeps it as the newest step.
  void Push(QUndoCommand* command);
  void Clear();
  void Undo();
  void Redo();

  // A user's change of a page control: the value it now stores, if it
  // differs from the record's, becomes a step.
  void RecordPageEdit(const Binding& binding, QWidget* control, bool menuWide, bool typing);
  // A user's change of the page style or language shown by `controls`.
  void RecordPageStyle(const PageStyleControls& controls, bool typing);
  // The batch change as one step: the masked fields of `source` copied to
  // every marked item.
  void RecordBatchChange(int source, const std::vector<bool>& marks, const CopyMask& mask);

 private:
  void UpdateCaptions();

  DesignSession& session_;
  ItemEditor editor_;
  std::unique_ptr<QUndoStack> stack_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  // Keystrokes of one session in one field merge into one step.
  int typingSession_ = 0;
};

}  // namespace velmora
