#include "designer/accessible_names.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace velmora {

namespace {

// The menu entry running the same command as a tool button without an
// action of its own.
const struct {
  const char* button;
  const char* action;
} kToolCommands[] = {
    {"tlbtnNew", "New1"},           {"tlbtnOpen", "Open1"},           {"tlbtnSave", "Save1"},
    {"tlbtnInsert", "Insert2"},     {"tlbtnDelete", "Delete2"},       {"tlbtnMoveUp", "MoveUp2"},
    {"tlbtnMoveDown", "MoveDown2"}, {"tlbtnBuildHTML", "BuildHTML1"}, {"tlbtnPreview", "Preview1"},
    {"tlbtnHelp", "Topic1"},
};

// "Save &As..." reads "Save As".
QString SpokenCommand(QString caption) {
  caption.replace("&&", "\x01").remove('&').replace('\x01', '&');
  while (caption.endsWith('.')) caption.chop(1);
  return caption.trimmed();
}

}  // namespace

void NameFrameControls(QMainWindow& window) {
  for (QToolBar* bar : window.findChildren<QToolBar*>()) {
    for (QToolButton* button : bar->findChildren<QToolButton*>()) {
      if (!button->accessibleName().isEmpty()) continue;
      const QAction* command = button->defaultAction();
      for (const auto& tool : kToolCommands) {
        if (!command && button->objectName() == QLatin1String(tool.button))
          command = window.findChild<QAction*>(tool.action);
      }
      if (command) button->setAccessibleName(SpokenCommand(command->text()));
    }
  }
  if (auto* tree = window.findChild<QTreeWidget*>("trvwDesignPanel")) tree->setAccessibleName("Design tree");
}

}  // namespace velmora
