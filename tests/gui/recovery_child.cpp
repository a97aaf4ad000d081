// A designer run for the crash test: starts like the program (the window,
// its crash recovery and start-up on the project named first), then edits
// the design as a user would, writes what a save would hold into the file
// named second, prints "edited" and runs on until it is killed.
//
// usage: gui_recovery_child <program folder> <project> <expected project>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

#include "designer/application.h"
#include "designer/crash_recovery.h"
#include "designer/main_form.h"
#include "platform/codepage.h"
#include "platform/settings.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmora::ConfigureApplication();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 4) return 2;

  velmora::WriteBoolSetting("ShowTempletsDialog", false);
  velmora::TMainForm window(arguments[1]);
  new velmora::CrashRecovery(window);
  window.show();
  window.StartUp({arguments[2]});

  QTimer::singleShot(0, &window, [&] {
    auto* tree = window.findChild<QTreeWidget*>("trvwDesignPanel");
    tree->setCurrentItem(window.RootNode());
    window.Insert1Click();
    tree->setCurrentItem(window.NodeAt(window.Document().ItemCount()));
    auto* caption = window.findChild<QLineEdit*>("edt_ICaption");
    caption->setFocus();
    caption->selectAll();
    // Key presses carrying the characters, as a keyboard sends them.
    for (const QChar character : QString::fromUtf8("Caf\u00e9 \u2192 Men\u00fc")) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
      QApplication::sendEvent(caption, &press);
    }
    window.MoveUp1Click();
    window.Document().SaveProject(velmora::ToNativePath(arguments[3]));
    std::puts("edited");
    std::fflush(stdout);
  });
  return QApplication::exec();
}
