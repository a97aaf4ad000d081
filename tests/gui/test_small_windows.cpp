// The small windows (code, publish report, help, link tip, about) and the
// platform pieces under them: the code page, dialog filters, the launcher.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "designer/local_file_url.h"
#include "designer/main_form.h"
#include "dialogs/About.h"
#include "dialogs/HTMLBuild.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/MessageBox_LinkTip.h"
#include "dialogs/PublishReport.h"
#include "document/errors.h"
#include "platform/codepage.h"
#include "platform/dialog_filter.h"
#include "platform/launcher.h"
#include "platform/settings.h"
#include "support/sandbox.h"
#include "support/scripted_prompts.h"

using velmora::test::Sandbox;
using velmora::test::ScriptedPrompts;

namespace {

class Recorder final : public velmora::Launcher {
 public:
  Recorder() { velmora::InstallLauncher(this); }
  ~Recorder() override { velmora::InstallLauncher(nullptr); }
  bool OpenWithDefault(const QString& fileOrAddress) override {
    opened << fileOrAddress;
    return true;
  }
  bool StartProgram(const QString&, const QString&) override { return true; }
  QStringList opened;
};

}  // namespace

class SmallWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void codePageCarriesEveryByteBothWays() {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all.push_back(static_cast<char>(byte));
    QCOMPARE(velmora::ToCodePage(velmora::FromCodePage(all)), all);
    QCOMPARE(velmora::FromCodePage("\x80\x99\xE9"), QString::fromUtf8("€™é"));
    QCOMPARE(velmora::ToCodePage(QString::fromUtf8("Café € Ω")), std::string("Caf\xE9 \x80 ?"));
    QVERIFY(velmora::FitsCodePage(QString::fromUtf8("Œuvre “quoted”")));
    QVERIFY(!velmora::FitsCodePage(QString::fromUtf8("日本")));
    // Errors name paths in UTF-8 and values in the code page.
    QCOMPARE(velmora::FromErrorText("/home/j\xC3\xBCrgen: denied"),
             QString::fromUtf8("/home/jürgen: denied"));
    QCOMPARE(velmora::FromErrorText("'\xE9' is not"), QString::fromUtf8("'é' is not"));
  }

  void dialogFiltersBecomeQtFilters() {
    QCOMPARE(velmora::DialogFilter("Velmora Files (*.velm)|*.velm"), QString("Velmora Files (*.velm)"));
    QCOMPARE(velmora::DialogFilter("HTML files(*.htm;*.html)|*.htm;*.html|Any file (*.*)|*.*"),
             QString("HTML files (*.htm *.html);;Any file (*)"));
  }

  void codeWindowCopiesItsWholeText() {
    velmora::TformHTML window;
    QCOMPARE(window.windowTitle(), QString("HTML"));
    auto* memo = window.findChild<QPlainTextEdit*>("memoHTMLBuild");
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(window.findChild<QPushButton*>("Button2")->text(), QString("&Copy to Clipboard"));
    window.SetPageText("<html>\n<body></body>\n</html>");
    window.findChild<QPushButton*>("Button2")->click();
    QCOMPARE(QApplication::clipboard()->text(), QString("<html>\n<body></body>\n</html>"));
    window.SetPageText(QString());
    window.findChild<QPushButton*>("Button2")->click();
    QCOMPARE(QApplication::clipboard()->text(), QString());
  }

  void publishReportShowsTheReportFile() {
    Sandbox sandbox;
    sandbox.WriteFile("menu_PublishReport.txt", "Files to upload:\r\nmenu.html\r\ncaf\xE9.gif\r\n");
    velmora::TfrmPublishReport report;
    QCOMPARE(report.windowTitle(), QString("Applet Publish Report"));
    report.LoadReport(sandbox.Path("menu_PublishReport.txt"));
    QCOMPARE(report.ReportText(), QString::fromUtf8("Files to upload:\nmenu.html\ncafé.gif\n"));
    QVERIFY_THROWS_EXCEPTION(velmora::FileError, report.LoadReport(sandbox.Path("missing.txt")));
  }

  void helpWindowShowsPagesAndNamesMissingOnes() {
    Sandbox sandbox;
    sandbox.WriteFile("help/a.htm", "<h1>Topic A</h1>");
    velmora::TfrmHelp help;
    help.Navigate(velmora::LocalFileUrl(sandbox.Path("help/a.htm")));
    auto* browser = help.findChild<QTextBrowser*>("WebBrowser1");
    QVERIFY(browser->toPlainText().contains("Topic A"));
    help.Navigate(velmora::LocalFileUrl(sandbox.Path("help/none.htm")));
    QVERIFY(browser->toPlainText().contains(sandbox.Path("help/none.htm")));
    QCOMPARE(velmora::TfrmHelp::PathOfAddress("file:///C|/App/help/x.htm"), QString("C:/App/help/x.htm"));
  }

  void linkTipRemembersItsCheckBox() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    QVERIFY(velmora::ReadBoolSetting("ShowLinkTipDialog", true, false));
    velmora::TfrmMsgBox_LinkTip tip;
    QCOMPARE(tip.windowTitle(), QString("Important Tip"));
    auto* dontShow = tip.findChild<QCheckBox*>("chckbxDontShow");
    QVERIFY(!dontShow->isChecked());
    dontShow->click();
    QVERIFY(!velmora::ReadBoolSetting("ShowLinkTipDialog", true, true));
    dontShow->click();
    QVERIFY(velmora::ReadBoolSetting("ShowLinkTipDialog", false, false));
    QVERIFY(prompts.messages.isEmpty());
  }

  void linkChooserShowsTheTipFirstWhileTheSettingAllows() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    velmora::TMainForm window(sandbox.ProgramFolder());
    window.Insert1Click();
    window.findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(window.NodeAt(1));
    int tipsShown = 0;
    auto answerTip = [&] {
      if (auto* tip = qobject_cast<velmora::TfrmMsgBox_LinkTip*>(QApplication::activeModalWidget())) {
        ++tipsShown;
        tip->findChild<QCheckBox*>("chckbxDontShow")->click();
        tip->findChild<QPushButton*>("btnOK")->click();
      }
    };
    QTimer::singleShot(0, answerTip);
    window.findChild<QToolButton*>("spdbtnItURL")->click();
    QCOMPARE(tipsShown, 1);
    QCOMPARE(prompts.fileDialogFilters.size(), 1);  // the page chooser followed the tip

    // Ticked "Do not show this dialog again.": straight to the chooser.
    QTimer::singleShot(0, answerTip);
    window.findChild<QToolButton*>("spdbtnItURL")->click();
    QTest::qWait(1);
    QCOMPARE(tipsShown, 1);
    QCOMPARE(prompts.fileDialogFilters.size(), 2);
  }

  void aboutBoxShowsTheProductAndOpensItsLinks() {
    Recorder launcher;
    velmora::TformAbout about;
    QCOMPARE(about.windowTitle(), QString("Velmora"));
    QCOMPARE(about.findChild<QLabel*>("lblProductName")->text(), QString("Velmora"));
    QCOMPARE(about.findChild<QLabel*>("lblProductVersion")->text(), QString("Version 1.0"));
    auto* site = about.findChild<velmora::TLinkLabel*>("lblWebSite");
    auto* support = about.findChild<velmora::TLinkLabel*>("lblTechSupport");
    QTest::mouseClick(support, Qt::LeftButton);
    QTest::mouseClick(site, Qt::LeftButton);
    QCOMPARE(launcher.opened, QStringList({support->Address(), site->Address()}));
    QVERIFY(site->Address().startsWith("https://"));

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(site, &enter);
    QVERIFY(site->styleSheet().contains("red"));
    about.show();
    QTest::mouseMove(&about, QPoint(2, about.height() - 2));
    QVERIFY(site->styleSheet().contains("blue"));
  }

  void hintLineFollowsTheMouse() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    velmora::TMainForm window(sandbox.ProgramFolder());
    auto* hint = window.findChild<QLabel*>("stctxtHint");
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(window.findChild<QTreeWidget*>("trvwDesignPanel")->viewport(), &enter);
    QCOMPARE(hint->text(), QString("Add, remove or move items by right-clicking the mouse."));
    QApplication::sendEvent(window.findChild<QToolButton*>("tlbtnMoveUp"), &enter);
    QCOMPARE(hint->text(), QString("Move the selected item up"));
    QApplication::sendEvent(window.findChild<QComboBox*>("cmbx_pMainMenuDirection"), &enter);
    QCOMPARE(hint->text(), QString());
  }
};

QTEST_MAIN(SmallWindowsTest)
#include "test_small_windows.moc"
