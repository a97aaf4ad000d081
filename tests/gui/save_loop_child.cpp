// A designer run for the kill test: starts like the program on the project
// named, then edits the first item's caption and saves, again and again,
// pausing while modified, printing "saving N" before and "saved N" after
// each save, until it is killed.
//
// usage: gui_save_loop_child <program folder> <project>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <functional>

#include "designer/application.h"
#include "designer/crash_recovery.h"
#include "designer/main_form.h"
#include "platform/settings.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmora::ConfigureApplication();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 3) return 2;

  velmora::WriteBoolSetting("ShowTempletsDialog", false);
  velmora::TMainForm window(arguments[1]);
  new velmora::CrashRecovery(window);
  window.StartUp({arguments[2]});
  if (window.ProjectFile().isEmpty()) return 3;
  window.findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(window.NodeAt(1));
  auto* caption = window.findChild<QLineEdit*>("edt_ICaption");

  int round = 0;
  std::function<void()> step = [&] {
    ++round;
    caption->setText(QStringLiteral("v%1").arg(round));
    // A pause while modified, so the recovery copy gets written too.
    QTimer::singleShot(40, &window, [&] {
      std::printf("saving %d\n", round);
      std::fflush(stdout);
      window.Save1Click();
      std::printf("saved %d\n", round);
      std::fflush(stdout);
      QTimer::singleShot(0, &window, step);
    });
  };
  QTimer::singleShot(0, &window, step);
  return QApplication::exec();
}
