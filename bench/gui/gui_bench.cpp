// The designer window with large designs, measured offscreen: opening a
// project and showing its tree, a selection change between two items (one
// stored from the pages, the other loaded), and inserting, moving and
// deleting in a large tree, and undoing and redoing each kind of step
// (tree, pages and document updated). Prints the median of several runs
// per case.
//
//   QT_QPA_PLATFORM=offscreen bench/gui/gui_bench [items]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/synthetic_design.h"
#include "designer/main_form.h"
#include "designer/undo_history.h"
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
  QString ChooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
  QString OpenPicture(QWidget*, const QString&, const QString&) override { return {}; }
  QColor PickColor(QWidget*, const QColor&) override { return {}; }
  int ChooseItem(QWidget*, const QString&, const QString&, const QStringList&, const QString&,
                 const QString&) override {
    return -1;
  }
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

// Undo, then redo, of the step `makeStep` pushes, each timed with the
// other run untimed in between. The step itself is not timed.
void ReportUndoRedo(velmora::TMainForm& window, const char* what, const std::function<void()>& makeStep) {
  velmora::UndoHistory& history = window.History();
  history.Clear();
  makeStep();
  if (history.Stack().count() != 1) {
    std::fprintf(stderr, "%s: not one step but %d\n", what, history.Stack().count());
    std::exit(1);
  }
  const double undo = MedianMs(
      21, [&] { history.Redo(); }, [&] { history.Undo(); });
  const double redo = MedianMs(
      21, [&] { history.Undo(); }, [&] { history.Redo(); });
  const std::string undoText = std::string("undo ") + what;
  const std::string redoText = std::string("redo ") + what;
  Report(undoText.c_str(), undo, 16);
  Report(redoText.c_str(), redo, 16);
}

void MeasureUndoRedo(velmora::TMainForm& window, int a, const char* shown) {
  auto* tree = window.findChild<QTreeWidget*>("trvwDesignPanel");
  std::printf("Undo and redo, %d items, %s\n", window.Document().ItemCount(), shown);
  ReportUndoRedo(window, "a property edit (Left Padding of an item)", [&] {
    tree->setCurrentItem(window.NodeAt(a));
    auto* padding = window.findChild<QSpinBox*>("spnedt_IPaddingLeft");
    padding->setValue(padding->value() == 7 ? 8 : 7);
  });
  ReportUndoRedo(window, "insert under an item in the middle", [&] {
    tree->setCurrentItem(window.NodeAt(a));
    window.Insert1Click();
  });
  QTreeWidgetItem* middle = window.RootNode()->child(window.RootNode()->childCount() / 2);
  const int subtree = 1 + velmora::CountDescendants(middle);
  const std::string deleteText = "delete a top-level subtree of " + std::to_string(subtree) + " items";
  ReportUndoRedo(window, deleteText.c_str(), [&] {
    tree->setCurrentItem(middle);
    window.Delete1Click();
  });
  ReportUndoRedo(window, "move a top-level subtree down", [&] {
    tree->setCurrentItem(window.RootNode()->child(1));
    window.MoveDown1Click();
  });
  ReportUndoRedo(window, "move the last top-level subtree up", [&] {
    tree->setCurrentItem(window.RootNode()->child(window.RootNode()->childCount() - 1));
    window.MoveUp1Click();
  });
  ReportUndoRedo(window, "batch change of 3 fields on every item", [&] {
    velmora::TvornAppletAgent& doc = window.Document();
    velmora::TItemData& source = doc.Items[static_cast<size_t>(a - 1)];
    source[velmora::IColorOver] = "123456";
    source[velmora::IFontSizeNormal] = "17";
    source[velmora::IToolTip] = "batch";
    tree->setCurrentItem(window.NodeAt(a));
    velmora::CopyMask mask{};
    for (int field : {velmora::IColorOver, velmora::IFontSizeNormal, velmora::IToolTip})
      mask[static_cast<size_t>(field)] = true;
    window.History().RecordBatchChange(a - 1, std::vector<bool>(static_cast<size_t>(doc.ItemCount()), true),
                                       mask);
  });
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

  // Each kind of step undone and redone through the window: with every
  // node shown, and as a design of this size opens (its first level).
  tree->expandAll();
  MeasureUndoRedo(window, a, "every node expanded");
  tree->collapseAll();
  window.RootNode()->setExpanded(true);
  MeasureUndoRedo(window, a, "first level expanded");

  window.SetModified(false);
  velmora::InstallPrompts(nullptr);
  return 0;
}
