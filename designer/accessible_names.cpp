#include "designer/accessible_names.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace velmora {

namespace {

// "Save &As..." reads "Save As".
QString SpokenCommand(QString caption) {
  caption.replace("&&", "\x01").remove('&').replace('\x01', '&');
  while (caption.endsWith('.')) caption.chop(1);
  return caption.trimmed();
}

}  // namespace

void NameFrameControls(QMainWindow& window, QTreeWidget& tree) {
  for (QToolBar* bar : window.findChildren<QToolBar*>()) {
    for (QToolButton* button : bar->findChildren<QToolButton*>()) {
      if (!button->accessibleName().isEmpty()) continue;
      // Every tool button shows its command's own action.
      if (const QAction* command = button->defaultAction())
        button->setAccessibleName(SpokenCommand(command->text()));
    }
  }
  tree.setAccessibleName("Design tree");
}

}  // namespace velmora
