// The build, preview and publish commands, the help commands, and the
// dialogs the window opens: template chooser, browser choice, batch changer.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include "designer/main_form.h"
#include "dialogs/HTMLBuild.h"
#include "platform/settings.h"
#include "support/modal.h"
#include "support/window_fixture.h"

namespace velmora {

class BuildCommandsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;

  TMainForm& Form() { return *w_->form; }
  QString Program(const QString& relative) const { return w_->ProgramPath(relative); }
  static void Click(QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) qFatal("no button %s", name);
    button->click();
  }
  static QString MemoText(QWidget* window, const char* name) {
    return window->findChild<QPlainTextEdit*>(QString::fromLatin1(name))->toPlainText();
  }

 private slots:
  void init() { w_ = std::make_unique<test::WindowFixture>(); }
  void cleanup() { w_.reset(); }

  void buildIsRefusedWithOnlyTheRoot() {
    QVERIFY(!Form().BuildHtmlCode());
    QCOMPARE(w_->prompts.messages.back().text,
             QStringLiteral("No item to build. Please add item to left pane and try again."));
    QCOMPARE(w_->prompts.messages.back().icon, QMessageBox::Critical);
    QVERIFY(!QFileInfo::exists(Program("jsmenu01cfg.js")));

    // The code window still shows, with the text of the last build.
    w_->InsertItem();
    QVERIFY(Form().BuildHtmlCode());
    const QString built = Form().HtmlWindow().PageText();
    QVERIFY(built.contains("<div id=" + QString::fromStdString(Form().MenuBaseNameText()) + "div></div>"));
    // Discard the inserted item: New then leaves only the root, so the
    // build below is refused and the window keeps the page built above.
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    Form().New1Click();
    QCOMPARE(Form().Tree().NodeCount(), 1);
    QString shown;
    test::OnNextModal([&](QWidget* modal) {
      shown = MemoText(modal, "memoHTMLBuild");
      Click(modal, "Button2");  // copy to the clipboard
      Click(modal, "Button1");
    });
    Form().BuildHTML1Click();
    QCOMPARE(shown, built);
    QCOMPARE(QApplication::clipboard()->text(), built);
  }

  void previewAssemblesThePreviewFolder() {
    w_->sandbox.WriteFile("menus/pic.gif", "GIF89a");
    w_->OpenDesign("menus/a.velm", {{"Home", 0, "pic.gif"}, {"News", 1}});
    Form().Preview1Click();
    for (const char* name : {"jsmenu0.js", "jsmenu01cfg.js", "jsmenu01.css", "~preview.html", "pic.gif"}) {
      QVERIFY2(QFileInfo::exists(Program("preview/") + name), name);
    }
    for (const char* name : {"jsmenu01cfg.js", "jsmenu01.css", "~preview.html"}) {
      QVERIFY2(!QFileInfo::exists(Program(name)), name);
    }
    const QString page = Program("preview/~preview.html");
    QCOMPARE(w_->launcher.calls, QStringList{"open " + page});
    // The page is the code window's text, every line ended by CR LF.
    const QByteArray bytes = test::Sandbox::ReadFile(page);
    QCOMPARE(QString::fromLatin1(bytes), Form().HtmlWindow().PageText().replace("\n", "\r\n"));
    QCOMPARE(bytes.count("\r\n"), 20);
    QVERIFY(!Form().IsModified());

    // The next New cleans the preview folder away.
    Form().New1Click();
    QVERIFY(!QFileInfo::exists(Program("preview")));
  }

  void previewUsesTheChosenBrowser() {
    auto settings = OpenSettings();
    settings->setValue(QString::fromLatin1(kWebBrowsersGroup) + "/UseDefaultBrowser", false);
    settings->setValue(QString::fromLatin1(kWebBrowsersGroup) + "/UseKnownBrowser", false);
    settings->setValue(QString::fromLatin1(kWebBrowsersGroup) + "/UseSpecifiedBrowser", true);
    settings->setValue(QString::fromLatin1(kWebBrowsersGroup) + "/SelectedBrowserNumber", -1);
    settings->setValue(QString::fromLatin1(kWebBrowsersGroup) + "/SpecifiedBrowserExePath",
                       "/opt/web/browse");
    settings->sync();
    w_->InsertItem();
    Form().Preview1Click();
    QCOMPARE(w_->launcher.calls,
             QStringList{"start /opt/web/browse [" + Program("preview/~preview.html") + "]"});
  }

  void previewRefusedWithOnlyTheRootLaunchesNothing() {
    Form().Preview1Click();
    QVERIFY(w_->launcher.calls.isEmpty());
    QVERIFY(!QFileInfo::exists(Program("preview")));
  }

  void publishShowsTheReportOfTheScriptsASaveWrites() {
    w_->OpenDesign("menus/a.velm",
                   {{"Home", 0, "arrow.gif"}, {"News", 1, "arrow.gif"}, {"Shop", 0, "bg.jpg"}});
    QString report;
    test::OnNextModal([&](QWidget* modal) {
      report = MemoText(modal, "memoPublishReport");
      Click(modal, "BitBtn1");
    });
    Form().Publish1Click();
    QVERIFY(report.contains("[Script file(s)]:\n  jsmenu0.js\n  jsmenu01cfg.js\n  jsmenu01.css\n"));
    QVERIFY(report.contains("They should be copied along with script files!\n  arrow.gif\n  bg.jpg\n\n\n"));
    QVERIFY(QFileInfo::exists(Program("preview/PublishReport.txt")));
    QVERIFY(!QFileInfo::exists(QDir::current().filePath("PublishReport.txt")));
    QVERIFY(!Form().IsModified());
  }

  void templatesOpenAChosenTemplateOrStartANewDesign() {
    w_->sandbox.WriteFile("program/templates/notes.txt", "x");
    test::WriteProject(Program("templates/blue.velm"), {{"Blue", 0}});
    test::OnNextModal([&](QWidget* modal) {
      auto* list = modal->findChild<QListWidget*>("TempletList");
      QCOMPARE(list->count(), 1);
      list->setCurrentRow(0);
      Click(modal, "BitBtn1");
    });
    const QByteArray shipped = test::Sandbox::ReadFile(Program("templates/blue.velm"));
    Form().Templet1Click();
    // An untitled copy of the template, not in the recent list.
    QVERIFY(Form().ProjectFile().isEmpty());
    QCOMPARE(w_->Captions(), std::vector<std::string>{"Blue"});
    QVERIFY(w_->RecentEntries().isEmpty());
    QVERIFY(!Form().IsModified());

    // Edited and saved with Ctrl+S: the save asks for a file of its own.
    w_->InsertItem();
    w_->AnswerFile("mine/blue.velm");
    Form().findChild<QAction*>("Save1")->trigger();
    QCOMPARE(w_->FileDialogsShown(), 1);
    QCOMPARE(Form().ProjectFile(), w_->Path("mine/blue.velm"));
    QCOMPARE(test::ProjectCaptions(w_->Path("mine/blue.velm")).size(), size_t(2));
    QCOMPARE(test::Sandbox::ReadFile(Program("templates/blue.velm")), shipped);
    QVERIFY(!QFileInfo::exists(Program("templates/blue.html")));

    test::OnNextModal([&](QWidget* modal) { Click(modal, "BitBtn2"); });
    Form().Templet1Click();
    QVERIFY(Form().ProjectFile().isEmpty());
    QCOMPARE(Form().Document().ItemCount(), 0);
  }

  void startUpShowsTheChooserUnlessTurnedOff() {
    bool shown = false;
    test::OnNextModal([&](QWidget* modal) {
      shown = modal->objectName() == "frmTemplet";
      modal->findChild<QCheckBox*>("chckbxDontShow")->click();
      Click(modal, "BitBtn2");
    });
    Form().StartUp({});
    QVERIFY(shown);
    QVERIFY(!ReadBoolSetting("ShowTempletsDialog", true, true));

    // Turned off: start-up goes straight to the empty design.
    TMainForm second(w_->sandbox.ProgramFolder());
    second.StartUp({});
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // A chooser that cannot be made is reported; the window carries on.
    WriteBoolSetting("ShowTempletsDialog", true);
    TMainForm third(w_->Path("no such folder"));
    third.StartUp({});
    QVERIFY(w_->prompts.messages.back().text.startsWith("Cannot create "));
    QCOMPARE(third.Tree().NodeCount(), 1);
  }

  void batchChangerCopiesIntoTheMarkedItems() {
    w_->OpenDesign("menus/a.velm", {{"Home", 0}, {"News", 1}, {"Shop", 0}});
    auto* tree = Form().findChild<QTreeWidget*>("trvwDesignPanel");
    tree->setCurrentItem(Form().NodeAt(3));  // Shop
    Form().SetModified(false);
    bool overTicked = false;
    test::OnNextModal([&](QWidget* modal) {
      overTicked = modal->findChild<QCheckBox*>("chchbxMouseOver")->isChecked();
      modal->findChild<QCheckBox*>("chchbxText")->setChecked(true);
      Click(modal, "btnSelectAllItems");
      Click(modal, "btnOK");
    });
    Form().OpenBatchChanger(1);
    QVERIFY(overTicked);
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Shop", "Shop", "Shop"}));
    QVERIFY(Form().IsModified());
    QVERIFY(w_->SaveCommandFollowsModified());
  }

  void helpCommandsOpenPagesBesideTheProgram() {
    Form().Topic1Click();
    QVERIFY(w_->launcher.calls.isEmpty());
    QVERIFY(w_->prompts.messages.back().text.contains(QDir::toNativeSeparators(Program("help/index.html"))));

    w_->sandbox.WriteFile("program/help/index.html", "<html></html>");
    w_->sandbox.WriteFile("program/samples/index.html", "<html></html>");
    Form().Topic1Click();
    Form().ViewSample1Click();
    Form().Homepage1Click();
    Form().ContactUs1Click();
    QCOMPARE(w_->launcher.calls.size(), 4);
    QCOMPARE(w_->launcher.calls[0], "open " + Program("help/index.html"));
    QCOMPARE(w_->launcher.calls[1], "open " + Program("samples/index.html"));
    QVERIFY(w_->launcher.calls[2].startsWith("open https://"));
    QVERIFY(w_->launcher.calls[3].startsWith("open https://"));
    QVERIFY(w_->launcher.calls[2] != w_->launcher.calls[3]);
  }

  void programsThatFailToStartAreNamed() {
    w_->launcher.succeed = false;
    w_->launcher.error = "xdg-open: No such file or directory";
    w_->sandbox.WriteFile("program/help/index.html", "<html></html>");
    Form().Topic1Click();
    QVERIFY(w_->prompts.messages.back().text.contains(QDir::toNativeSeparators(Program("help/index.html"))));
    QVERIFY(w_->prompts.messages.back().text.contains("xdg-open: No such file or directory"));

    auto settings = OpenSettings();
    settings->setValue(QString::fromLatin1(kWebBrowsersGroup) + "/UseDefaultBrowser", false);
    settings->setValue(QString::fromLatin1(kWebBrowsersGroup) + "/UseSpecifiedBrowser", true);
    settings->setValue(QString::fromLatin1(kWebBrowsersGroup) + "/SpecifiedBrowserExePath",
                       "/opt/web/browse");
    settings->sync();
    w_->launcher.error = "/opt/web/browse: No such file or directory";
    w_->InsertItem();
    const int before = w_->prompts.messages.size();
    Form().Preview1Click();
    QCOMPARE(w_->prompts.messages.size(), before + 1);
    QVERIFY(w_->prompts.messages.back().text.contains("/opt/web/browse: No such file or directory"));
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::BuildCommandsTest)
#include "test_build_commands.moc"
