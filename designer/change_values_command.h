#pragma once

// The one command for every change of values: page edits, menu-wide page
// edits, the page style and the batch change. It keeps the values to put
// in; undo and redo are the same move, exchanging them with the design's.

#include <QString>
#include <optional>
#include <vector>

#include "designer/design_command.h"
#include "document/item_edits.h"

namespace velmora {

class ItemEditor;

class ChangeValuesCommand : public DesignCommand {
 public:
  // Changes with `typingSession` >= 0 merge with the next change of the same
  // values in the same session (keystrokes in one field); a merged change
  // that ends where it began drops out of the history.
  // `fromPages`: the pages made the values and already show them.
  // `switchesToUtf8`: the values are UTF-8 text a classic design cannot
  // hold; the step switches the design to UTF-8 first, and undoing it
  // switches the design back.
  ChangeValuesCommand(ItemEditor& editor, std::vector<ValueChange> changes, const QString& text,
                      bool fromPages, int typingSession = -1, bool switchesToUtf8 = false);
  // The design's format extensions replaced as a whole (the page style and
  // language live there), so a design without them gets none back.
  ChangeValuesCommand(ItemEditor& editor, FormatExtensions extensions, const QString& text, bool fromPages,
                      int typingSession = -1);

  void redo() override;
  void undo() override;
  int id() const override { return 1; }
  bool mergeWith(const QUndoCommand* other) override;
  RevealTarget Target(bool undone) const override;

  // The step's name for a change of this value ("Change Font", "Rename Item").
  static QString NameOf(ValueSlot slot);

 private:
  bool SameSlots(const ChangeValuesCommand& other) const;
  void Swap(bool reloadPages);

  ItemEditor& editor_;
  std::vector<ValueChange> changes_;
  std::optional<FormatExtensions> extensions_;
  int typingSession_;
  bool done_ = false;
  bool switchesToUtf8_ = false;
  // While done: the values the switch to UTF-8 converted, as they were.
  std::vector<ValueChange> converted_;
};

}  // namespace velmora
