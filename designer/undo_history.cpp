#include "designer/undo_history.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include "designer/change_values_command.h"
#include "designer/design_session.h"
#include "designer/icons.h"
#include "designer/page_bindings.h"
#include "designer/page_style_controls.h"
#include "designer/property_pages.h"

namespace velmora {

UndoHistory::UndoHistory(DesignSession& session)
    : session_(session), editor_(session), stack_(std::make_unique<QUndoStack>()) {
  stack_->setUndoLimit(kMostSteps);
  undo_ = new QAction(UndoIcon(false), "&Undo", session_.DialogParent());
  undo_->setObjectName("Undo1");
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = new QAction(UndoIcon(true), "&Redo", session_.DialogParent());
  redo_->setObjectName("Redo1");
  redo_->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
  connect(undo_, &QAction::triggered, this, [this] { session_.RunGuarded([this] { Undo(); }); });
  connect(redo_, &QAction::triggered, this, [this] { session_.RunGuarded([this] { Redo(); }); });
  connect(stack_.get(), &QUndoStack::indexChanged, this, &UndoHistory::UpdateCaptions);
  UpdateCaptions();
}

UndoHistory::~UndoHistory() {
  // The steps refer to the window, which is going; drop them quietly.
  stack_->blockSignals(true);
  stack_->clear();
}

void UndoHistory::AddMenuEntries(QMenu* edit) {
  edit->addAction(undo_);
  edit->addAction(redo_);
}

void UndoHistory::AddToolButtons(QToolBar* bar) {
  for (QAction* action : {undo_, redo_}) {
    auto* button = new QToolButton(bar);
    button->setObjectName(action == undo_ ? "tlbtnUndo" : "tlbtnRedo");
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    bar->addWidget(button);
  }
}

void UndoHistory::Attach(QWidget* tree) {
  // Leaving a field or choosing another item ends a run of keystrokes.
  connect(qApp, &QApplication::focusChanged, this, [this] { ++typingSession_; });
  connect(static_cast<QTreeWidget*>(tree), &QTreeWidget::currentItemChanged, this,
          [this] { ++typingSession_; });
}

void UndoHistory::UpdateCaptions() {
  const QString undoText = stack_->canUndo() ? stack_->undoText() : QString();
  const QString redoText = stack_->canRedo() ? stack_->redoText() : QString();
  undo_->setText(undoText.isEmpty() ? "&Undo" : "&Undo " + undoText);
  redo_->setText(redoText.isEmpty() ? "&Redo" : "&Redo " + redoText);
  undo_->setToolTip(undoText.isEmpty() ? "Undo the last change" : "Undo " + undoText);
  redo_->setToolTip(redoText.isEmpty() ? "Redo the change undone last" : "Redo " + redoText);
  undo_->setEnabled(stack_->canUndo());
  redo_->setEnabled(stack_->canRedo());
}

void UndoHistory::Push(QUndoCommand* command) {
  stack_->push(command);
}

void UndoHistory::Clear() {
  ++typingSession_;
  stack_->clear();
  UpdateCaptions();
}

void UndoHistory::Undo() {
  if (!stack_->canUndo()) return;
  ++typingSession_;
  stack_->undo();
  const RevealTarget target =
      static_cast<const DesignCommand*>(stack_->command(stack_->index()))->Target(true);
  editor_.Reveal(target.node, target.field);
}

void UndoHistory::Redo() {
  if (!stack_->canRedo()) return;
  ++typingSession_;
  stack_->redo();
  const RevealTarget target =
      static_cast<const DesignCommand*>(stack_->command(stack_->index() - 1))->Target(false);
  editor_.Reveal(target.node, target.field);
}

void UndoHistory::RecordPageEdit(const Binding& binding, QWidget* control, bool menuWide, bool typing) {
  const int item = menuWide ? kMenuWide : session_.CurrentItemIndex();
  if (item == -1 && !menuWide) return;
  const TvornAppletAgent& doc = session_.Document();
  // A character the classic code page lacks switches the design to UTF-8
  // within this step.
  const bool switches = session_.Pages().NeedsUtf8(binding, control);
  const std::string value =
      session_.Pages().ValueOf(binding, control, switches ? TextEncoding::Utf8 : doc.Encoding);
  std::vector<ValueChange> changes{{{item, binding.field}, value}};
  const int mirror = menuWide ? -1 : ImageSizeFieldOf(binding.field);
  if (mirror >= 0) changes.push_back({{item, mirror}, value});
  const bool changesSomething = std::any_of(
      changes.begin(), changes.end(), [&](const ValueChange& c) { return ValueAt(doc, c.slot) != c.value; });
  if (!changesSomething && !switches) return;
  Push(new ChangeValuesCommand(editor_, std::move(changes),
                               ChangeValuesCommand::NameOf({item, binding.field}), true,
                               typing ? typingSession_ : -1, switches));
}

void UndoHistory::RecordPageStyle(const PageStyleControls& controls, bool typing) {
  const TvornAppletAgent& doc = session_.Document();
  FormatExtensions wanted = controls.StoredInto(doc.Extensions);
  if (wanted == doc.Extensions) return;
  Push(new ChangeValuesCommand(editor_, std::move(wanted),
                               typing ? "Change Page Language" : "Change Page Style", true,
                               typing ? typingSession_ : -1));
}

void UndoHistory::RecordBatchChange(int source, const std::vector<bool>& marks, const CopyMask& mask) {
  const TvornAppletAgent& doc = session_.Document();
  if (source < 0 || source >= doc.ItemCount()) return;
  std::vector<ValueChange> changes;
  const int count = std::min(static_cast<int>(marks.size()), doc.ItemCount());
  for (int d = 0; d < count; ++d) {
    if (!marks[static_cast<size_t>(d)] || d == source) continue;
    for (int k = 0; k < kItemFieldCount; ++k) {
      const std::string_view wanted = ValueAt(doc, {source, k});
      if (mask[static_cast<size_t>(k)] && ValueAt(doc, {d, k}) != wanted)
        changes.push_back({{d, k}, std::string(wanted)});
    }
  }
  if (!changes.empty()) Push(new ChangeValuesCommand(editor_, std::move(changes), "Batch Change", false));
}

}  // namespace velmora
