// The designer window with large designs, measured offscreen: opening a
// project and showing its tree, a selection change between two items (one
// stored from the pages, the other loaded), and inserting, moving and
// deleting in a large tree. Prints the median of several runs per case.
//
//   QT_QPA_PLATFORM=offscreen bench/gui/gui_bench [items]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/synthetic_design.h"
#include "designer/main_form.h"
#include "platform/codepage.h"
#include "platform/prompts.h"

namespace {

// Answers every question with its default (or Yes) and cancels every dialog.
class SilentPrompts final : public velmora::Prompts {
 public:
  bool answerYes = false;
  QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon, const QString&, const QString&,
                                      QMessageBox::StandardButtons buttons,
                                      QMessageBox::StandardButton answer) override {
    return answerYes && buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : answer;
  }
  QString OpenFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString SaveFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString OpenPicture(QWidget*, const QString&, const QString&) override { return {}; }
  QColor PickColor(QWidget*, const QColor&) override { return {}; }
};

// Median milliseconds of `runs` runs; `prepare` runs untimed before each.
double MedianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& body) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    prepare();
    QElapsedTimer timer;
    timer.start();
    body();
    QApplication::processEvents();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Report(const char* what, double ms, double target) {
  std::printf("%-58s %9.3f ms  (target %g ms)\n", what, ms, target);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const int items = argc > 1 ? std::max(10, std::atoi(argv[1])) : 10000;
  QTemporaryDir sandbox;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, sandbox.filePath("settings"));
  qputenv("XDG_DATA_HOME", sandbox.filePath("data").toLocal8Bit());
  const QString programFolder = sandbox.filePath("program");
  QDir().mkpath(programFolder);
  SilentPrompts prompts;
  velmora::InstallPrompts(&prompts);

  // The project to open, written by the core.
  const QString project = sandbox.filePath("big.velm");
  {
    velmora::TvornAppletAgent doc(velmora::ToNativePath(programFolder));
    velmora::ItemTree tree;
    velmora::bench::MakeSyntheticDesign(doc, tree, items, 30);
    doc.SaveProject(velmora::ToNativePath(project));
  }

  velmora::TMainForm window(programFolder);
  window.show();
  QApplication::processEvents();
  auto* tree = window.findChild<QTreeWidget*>("trvwDesignPanel");
  std::printf("Designer window, %d items (offscreen)\n", items);

  const double open = MedianMs(
      5, [&] { window.SetModified(false); },
      [&] {
        window.OpenProjectFile(project);
        tree->expandAll();
      });
  Report("open project and show its tree (all nodes expanded)", open, 1000);
  if (window.Document().ItemCount() != items) {
    std::fprintf(stderr, "the project did not open: %d items\n", window.Document().ItemCount());
    return 1;
  }

  const int a = items / 2;
  const int b = items / 2 + 7;
  bool toA = true;
  const double select = MedianMs(
      101, [] {},
      [&] {
        tree->setCurrentItem(window.NodeAt(toA ? a : b));
        toA = !toA;
      });
  Report("selection change between two items (store + load)", select, 16);

  const double selectFar = MedianMs(
      101, [] {},
      [&] {
        tree->setCurrentItem(window.NodeAt(toA ? 2 : items - 1));
        toA = !toA;
      });
  Report("selection change between the first and the last item", selectFar, 16);

  const double insert = MedianMs(
      21, [&] { tree->setCurrentItem(window.NodeAt(a)); }, [&] { window.Insert1Click(); });
  Report("insert under an item in the middle", insert, 16);

  const double insertThenSelect = MedianMs(
      21, [&] { tree->setCurrentItem(window.NodeAt(a)); },
      [&] {
        window.Insert1Click();
        tree->setCurrentItem(window.NodeAt(a + 1));
      });
  Report("insert, then select another item (index cache rebuilt)", insertThenSelect, 32);

  // The first top-level item's subtree moved past the second one and back.
  QTreeWidgetItem* first = window.RootNode()->child(1);
  const double moveDown = MedianMs(
      21, [&] { tree->setCurrentItem(first); },
      [&] {
        if (window.RootNode()->indexOfChild(first) == 1) {
          window.MoveUp1Click();
        } else {
          window.MoveDown1Click();
        }
      });
  Report("move a top-level subtree up or down", moveDown, 16);

  QTreeWidgetItem* last = window.RootNode()->child(window.RootNode()->childCount() - 1);
  const double moveLast = MedianMs(
      21, [&] { tree->setCurrentItem(last); },
      [&] {
        if (window.RootNode()->indexOfChild(last) == window.RootNode()->childCount() - 1) {
          window.MoveUp1Click();
        } else {
          window.MoveDown1Click();
        }
      });
  Report("move the last top-level subtree up or down", moveLast, 16);

  prompts.answerYes = true;
  const double remove = MedianMs(
      11, [&] { tree->setCurrentItem(window.RootNode()->child(window.RootNode()->childCount() / 2)); },
      [&] { window.Delete1Click(); });
  Report("delete a top-level subtree in the middle", remove, 16);

  window.SetModified(false);
  velmora::InstallPrompts(nullptr);
  return 0;
}
