// The live preview pane measured offscreen: from an edit in the pages to
// the pane showing the new menu (the runtime has built it after the
// reload), for designs of several sizes, and what the pane adds to opening
// the designer. Prints the median of several runs per case.
//
//   QT_QPA_PLATFORM=offscreen bench/gui/preview_bench

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/synthetic_design.h"
#include "designer/live_preview.h"
#include "designer/main_form.h"
#include "platform/codepage.h"
#include "platform/preview_scheme.h"
#include "platform/preview_view.h"

namespace {

// Runs the event loop until `done` holds; false after 30 s.
template <typename Done>
bool WaitFor(Done done) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > 30000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double Ms(const QElapsedTimer& timer) {
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Edits the caption of an item in the middle `runs` times; each run is
// timed from the keystroke to the menu built in the pane.
void MeasureEdits(const QString& folder, const QString& programFolder, int items) {
  const QString project = QDir(folder).filePath(QString("design%1.velm").arg(items));
  {
    velmora::TvornAppletAgent doc(velmora::ToNativePath(programFolder));
    velmora::ItemTree tree;
    velmora::bench::MakeSyntheticDesign(doc, tree, items, 30);
    doc.SaveProject(velmora::ToNativePath(project));
  }
  velmora::TMainForm window(programFolder);
  auto* preview = new velmora::LivePreview(window);
  velmora::PreviewView* view = preview->View();
  window.show();
  window.OpenProjectFile(project);
  auto* tree = window.findChild<QTreeWidget*>("trvwDesignPanel");
  tree->setCurrentItem(window.NodeAt(std::min(items, 3)));
  auto* caption = window.findChild<QLineEdit*>("edt_ICaption");
  if (!WaitFor([&] { return !preview->IsPending() && view->IsReady(); })) {
    std::fprintf(stderr, "the pane never showed the design\n");
    return;
  }
  std::vector<double> total;
  std::vector<double> work;
  for (int run = 0; run < 15; ++run) {
    QElapsedTimer timer;
    timer.start();
    caption->setText(QString("Caption %1").arg(run));
    double paused = 0;
    QObject::connect(
        preview, &velmora::LivePreview::Refreshed, preview, [&] { paused = Ms(timer); },
        Qt::SingleShotConnection);
    if (!WaitFor([&] { return paused > 0 && view->IsReady(); })) {
      std::fprintf(stderr, "the pane did not follow an edit\n");
      return;
    }
    total.push_back(Ms(timer));
    work.push_back(Ms(timer) - paused);
  }
  std::printf("%6d items: edit to pane ready %8.1f ms (pause %d ms included); after the pause %7.1f ms\n",
              items, Median(total), velmora::LivePreview::kPauseMs, Median(work));
  window.SetModified(false);
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
  velmora::RegisterPreviewScheme();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  QTemporaryDir sandbox;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, sandbox.filePath("settings"));
  qputenv("XDG_DATA_HOME", sandbox.filePath("data").toLocal8Bit());
  const QString programFolder = sandbox.filePath("program");
  QDir().mkpath(programFolder);
  const QString runtime = QDir(QCoreApplication::applicationDirPath()).filePath("../../jsmenu0.js");
  if (!QFile::copy(runtime, QDir(programFolder).filePath("jsmenu0.js"))) {
    std::fprintf(stderr, "no runtime script at %s\n", qPrintable(runtime));
    return 1;
  }
  std::printf("Live preview pane (offscreen)\n");

  // Opening: the window shown, then the window with the pane until the
  // pane has drawn (the engine's first start included).
  QElapsedTimer timer;
  timer.start();
  {
    velmora::TMainForm window(programFolder);
    window.show();
    QApplication::processEvents();
    std::printf("open the designer without the pane %8.1f ms\n", Ms(timer));
  }
  timer.restart();
  {
    velmora::TMainForm window(programFolder);
    auto* preview = new velmora::LivePreview(window);
    window.show();
    if (!WaitFor([&] { return preview->View()->IsReady(); })) return 1;
    std::printf("open the designer with the pane    %8.1f ms (until the pane has drawn)\n", Ms(timer));
  }

  const int sizes[] = {100, 1000, 10000};
  for (int items : sizes) {
    if (argc > 1 && items > std::atoi(argv[1])) break;
    MeasureEdits(sandbox.path(), programFolder, items);
  }
  return 0;
}
