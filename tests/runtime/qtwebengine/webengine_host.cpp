// A bare QtWebEngine program for the runtime's browser tests, so that they also run in the
// engine of the designer's live preview. The tests drive its pages over QtWebEngine's
// remote debugging port (QTWEBENGINE_REMOTE_DEBUGGING). That engine cannot open pages
// for a debugging client, so this program opens one window for every "new" line on its
// standard input; windows close when their page asks to, and the program ends at the end
// of its input.
#include <QApplication>
#include <QSocketNotifier>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>
#include <cstdio>
#include <string>

namespace {

class View : public QWebEngineView {
 public:
  View() {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 700);
    connect(page(), &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
  }

 protected:
  // Links with a target and window.open() get a window of their own.
  QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override {
    auto* view = new View;
    view->show();
    return view;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  std::string pending;
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[256];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
      QApplication::quit();
      return;
    }
    pending.append(buffer, static_cast<size_t>(n));
    for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      if (pending.compare(0, end, "new") == 0) {
        auto* view = new View;
        view->load(QUrl(QStringLiteral("about:blank")));
        view->show();
        // Keys go to the active window's focused widget.
        view->activateWindow();
        view->setFocus();
      }
    }
  });
  std::puts("webengine host ready");
  std::fflush(stdout);
  return app.exec();
}
