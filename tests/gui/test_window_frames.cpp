// The frames of the designer's windows: exact captions with nothing
// appended, the window styles (fixed dialogs without title-bar buttons,
// tool windows), and a publish report window that shows its lines whole.

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "designer/application.h"
#include "dialogs/About.h"
#include "dialogs/GlobalPropertiesChange.h"
#include "dialogs/HTMLBuild.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/MessageBox_LinkTip.h"
#include "dialogs/PublishReport.h"
#include "dialogs/WebBrowser.h"
#include "dialogs/templet.h"
#include "document/applet_agent.h"
#include "generator/publish.h"
#include "platform/codepage.h"
#include "support/sandbox.h"

namespace velmora {

namespace {

enum class Style {
  FixedNoButtons,  // fixed size, a title and nothing else
  FixedWithClose,  // fixed size, a close button only
  SizeableTool,    // a sizeable tool window with a close button only
  Tool,            // a tool window as the platform makes it
  Any,             // no style of its own to keep
};

struct Frame {
  const char* caption;
  Style style;
  std::function<std::unique_ptr<QWidget>()> make;
};

// A close button comes with the system menu, which shows no button itself.
constexpr Qt::WindowFlags kTitleButtons = Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                          Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint;

// What is wrong with the window's style; empty when it is right.
QString StyleProblem(const QWidget& window, Style style) {
  const Qt::WindowFlags flags = window.windowFlags();
  const bool fixed = window.minimumSize() == window.maximumSize();
  const Qt::WindowFlags buttons = flags & kTitleButtons;
  const bool customized = flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowTitleHint);
  switch (style) {
    case Style::FixedNoButtons:
      if (!fixed) return "not fixed in size";
      if (!customized || buttons || flags.testFlag(Qt::WindowSystemMenuHint))
        return "shows title-bar buttons";
      return window.windowType() == Qt::Dialog ? QString() : "not a dialog";
    case Style::FixedWithClose:
      if (!fixed) return "not fixed in size";
      return customized && buttons == Qt::WindowCloseButtonHint ? QString() : "not a close button alone";
    case Style::SizeableTool:
      if (fixed) return "fixed in size";
      if (!customized || buttons != Qt::WindowCloseButtonHint) return "not a close button alone";
      return window.windowType() == Qt::Tool ? QString() : "not a tool window";
    case Style::Tool:
      return window.windowType() == Qt::Tool ? QString() : "not a tool window";
    case Style::Any:
      return {};
  }
  return {};
}

}  // namespace

class WindowFramesTest : public QObject {
  Q_OBJECT

 private slots:
  void titlesCarryNothingButTheirOwnText() {
    ConfigureApplication();
    // Without a display name the platform appends nothing to titles; the
    // display name then simply follows the application's name.
    QApplication::setApplicationName("probe");
    QCOMPARE(QGuiApplication::applicationDisplayName(), QString("probe"));
    ConfigureApplication();
    QCOMPARE(QApplication::applicationName(), QString("Velmora"));
  }

  void everyWindowHasItsCaptionAndStyle() {
    test::Sandbox sandbox;
    TvornAppletAgent doc;
    QTreeWidget tree;
    const Frame frames[] = {
        {"Template", Style::FixedNoButtons,
         [&] { return std::make_unique<TfrmTemplet>(sandbox.ProgramFolder(), TfrmTemplet::Actions{}); }},
        {"Web Browser", Style::FixedNoButtons,
         [] { return std::make_unique<TformWebBrowser>(QList<KnownBrowser>{}, nullptr); }},
        {"Applet Publish Report", Style::FixedNoButtons,
         [] { return std::make_unique<TfrmPublishReport>(); }},
        {"HTML", Style::SizeableTool, [] { return std::make_unique<TformHTML>(); }},
        {"Important Tip", Style::Tool, [] { return std::make_unique<TfrmMsgBox_LinkTip>(); }},
        {"Help", Style::Tool, [] { return std::make_unique<TfrmHelp>(); }},
        {"Velmora", Style::FixedWithClose, [] { return std::make_unique<TformAbout>(); }},
        {"Batch Properties Changer", Style::Any,
         [&] {
           return std::make_unique<TfrmGlobalPropertiesChange>(doc, tree,
                                                               TfrmGlobalPropertiesChange::Hooks{});
         }},
    };
    for (const Frame& frame : frames) {
      const std::unique_ptr<QWidget> window = frame.make();
      QCOMPARE(window->windowTitle(), QString(frame.caption));
      const QString problem = StyleProblem(*window, frame.style);
      QVERIFY2(problem.isEmpty(), qPrintable(QString(frame.caption) + ": " + problem + " (flags 0x" +
                                             QString::number(window->windowFlags().toInt(), 16) + ")"));
    }
  }

  void publishReportShowsItsLinesWhole() {
    TvornAppletAgent doc;
    doc.ResetDocument();
    TfrmPublishReport report;
    report.SetReportText(FromCodePage(PublishReportText(doc)));
    report.show();
    QVERIFY(QTest::qWaitForWindowExposed(&report));
    auto* memo = report.findChild<QPlainTextEdit*>("memoPublishReport");
    const QFontMetrics metrics(memo->font());
    QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('M'));  // fixed pitch
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    const int room = memo->viewport()->width() - 2 * static_cast<int>(memo->document()->documentMargin());
    for (const QString& line : memo->toPlainText().split('\n')) {
      QVERIFY2(metrics.horizontalAdvance(line) <= room, qPrintable(line));
    }
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::WindowFramesTest)
#include "test_window_frames.moc"
