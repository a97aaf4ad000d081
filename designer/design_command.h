#pragma once

// What every step of the designer's undo history tells the window: which
// node and which page to show once it has been undone or redone.

#include <QUndoCommand>

namespace velmora {

// Stands for the page style's controls where a field is expected.
inline constexpr int kPageStyleField = -2;

struct RevealTarget {
  int node = 0;    // absolute node index; 0 is the root (the menu)
  int field = -1;  // a field whose page to show; -1 for none
};

class DesignCommand : public QUndoCommand {
 public:
  using QUndoCommand::QUndoCommand;
  virtual RevealTarget Target(bool undone) const = 0;
};

}  // namespace velmora
