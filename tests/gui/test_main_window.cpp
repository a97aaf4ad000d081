// The main window as a whole: what start-up leaves on screen, the menus and
// tool bar, the recent-files list, the exit prompt, the view toggles, the
// status area and the file-type association.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "designer/main_form.h"
#include "designer/recent_files.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "platform/codepage.h"
#include "platform/file_association.h"
#include "support/sandbox.h"
#include "support/scripted_prompts.h"

using velmora::TMainForm;
using velmora::test::Sandbox;
using velmora::test::ScriptedPrompts;

namespace {

QStringList VisibleTabs(const TMainForm& window) {
  auto* tabs = window.findChild<QTabWidget*>("pgcntrl1");
  QStringList visible;
  for (int k = 0; k < tabs->count(); ++k) {
    if (tabs->isTabVisible(k)) visible << tabs->widget(k)->objectName();
  }
  return visible;
}

QStringList RecentCaptions(const TMainForm& window) {
  QStringList captions;
  for (QAction* entry : window.findChild<QMenu*>("mnitRecentFiles")->actions()) captions << entry->text();
  return captions;
}

// A picture chosen for the design, as the image choosers gather it into the
// preview folder; returns its path there.
QString GatherPicture(const Sandbox& sandbox, TMainForm& window) {
  sandbox.WriteFile("pictures/a.gif", "GIF89a");
  velmora::CopyToPreviewFolder(window.Document(), velmora::ToNativePath(sandbox.Path("pictures/a.gif")));
  return sandbox.Path("program/preview/a.gif");
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsAnEmptyDesignWithTheRootSelected() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    QCOMPARE(window.windowTitle(), QString("Velmora"));
    // 781 x 620, a few pixels wider where the item pages need it beside the
    // tree to show whole.
    QCOMPARE(window.height(), 620);
    QVERIFY2(window.width() >= 781 && window.width() <= 800, qPrintable(QString::number(window.width())));
    QCOMPARE(window.SelectedIndex(), 0);
    QCOMPARE(window.RootNode()->text(0), QString("Velmora"));
    QCOMPARE(VisibleTabs(window), QStringList({"tbshtScript", "tbshtPath"}));
    QCOMPARE(window.findChild<QTabWidget*>("pgcntrl1")->currentWidget()->objectName(),
             QString("tbshtScript"));
    QVERIFY(!window.IsModified());
    QVERIFY(!window.findChild<QToolButton*>("tlbtnSave")->isEnabled());
    QVERIFY(!window.findChild<QAction*>("Save1")->isEnabled());
    for (const char* name : {"tlbtnDelete", "tlbtnMoveUp", "tlbtnMoveDown"}) {
      QVERIFY2(!window.findChild<QToolButton*>(name)->isEnabled(), name);
    }
    QVERIFY(window.findChild<QToolButton*>("tlbtnInsert")->isEnabled());
    QCOMPARE(window.PagesIndex(), 0);
    QVERIFY(QString::fromStdString(window.MenuBaseNameText()).startsWith("menu"));
    QCOMPARE(window.Document().ItemCount(), 0);
    // The menu-wide pages show the new design's values.
    QCOMPARE(window.Document().GetAppletData(), velmora::DefaultAppletData());
    QVERIFY(prompts.messages.isEmpty());
  }

  void menusToolBarAndContextMenuShareOneActionPerCommand() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    window.show();
    const QList<QAction*> item = window.findChild<QMenu*>("Item1")->actions();
    QCOMPARE(window.findChild<QMenu*>("PopupMenu1")->actions(), item);
    const struct {
      const char* button;
      const char* action;
    } shared[] = {
        {"tlbtnNew", "New1"},           {"tlbtnOpen", "Open1"},           {"tlbtnSave", "Save1"},
        {"tlbtnInsert", "Insert1"},     {"tlbtnDelete", "Delete1"},       {"tlbtnMoveUp", "MoveUp1"},
        {"tlbtnMoveDown", "MoveDown1"}, {"tlbtnBuildHTML", "BuildHTML1"}, {"tlbtnPreview", "Preview1"},
        {"tlbtnHelp", "Topic1"},        {"tlbtnUndo", "Undo1"},           {"tlbtnRedo", "Redo1"}};
    for (const auto& pair : shared) {
      auto* button = window.findChild<QToolButton*>(pair.button);
      QVERIFY2(button, pair.button);
      QCOMPARE(button->defaultAction(), window.findChild<QAction*>(pair.action));
      QCOMPARE(window.findChildren<QAction*>(pair.action).size(), 1);
    }
    QVERIFY(item.contains(window.findChild<QAction*>("Insert1")));

    // One click of the button runs the command once; the state it leaves
    // shows in every place at once.
    QTest::mouseClick(window.findChild<QToolButton*>("tlbtnInsert"), Qt::LeftButton);
    QCOMPARE(window.Document().ItemCount(), 1);
    auto* del = window.findChild<QAction*>("Delete1");
    QVERIFY(!del->isEnabled());
    QVERIFY(!window.findChild<QToolButton*>("tlbtnDelete")->isEnabled());
    window.findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(window.NodeAt(1));
    QVERIFY(del->isEnabled() && window.findChild<QToolButton*>("tlbtnDelete")->isEnabled());
    QVERIFY(window.findChild<QToolButton*>("tlbtnSave")->isEnabled());
  }

  void menusAndToolBarCarryTheirCaptionsAndShortcuts() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    const struct {
      const char* name;
      const char* caption;
      const char* shortcut;
    } entries[] = {
        {"New1", "&New...", "Ctrl+N"},
        {"Open1", "&Open...", "Ctrl+O"},
        {"Save1", "&Save", "Ctrl+S"},
        {"Save2", "Save &As...", ""},
        {"Templet1", "&Templates", ""},
        {"SaveAsTemplate1", "S&ave As Template", ""},
        {"Exit1", "E&xit", ""},
        {"ToolBar1", "&Tool Bar", ""},
        {"StatusBar2", "&Status Bar", ""},
        {"MoveDown1", "Move &Down", "Ctrl+Down"},
        {"Preview1", "&Preview", "Ctrl+P"},
        {"BuildHTML1", "Build &HTML...", ""},
        {"Publish1", "Pu&blish...", ""},
        {"WebBrowser1", "Web &Browser...", ""},
        {"Topic1", "Help &Topics", ""},
        {"ViewSample1", "View &Sample...", ""},
        {"ContactUs1", "&Contact Us", ""},
        {"Insert1", "I&nsert", "Ins"},
        {"MoveUp1", "Move &Up", "Ctrl+Up"},
    };
    for (const auto& entry : entries) {
      auto* action = window.findChild<QAction*>(entry.name);
      QVERIFY2(action, entry.name);
      QCOMPARE(action->text(), QString(entry.caption));
      QCOMPARE(action->shortcut(), QKeySequence(entry.shortcut));
    }
    QCOMPARE(window.findChild<QMenu*>("Applet1")->title(), QString("&Script"));
    QCOMPARE(window.findChild<QMenu*>("mnitRecentFiles")->title(), QString("&Recent Files"));

    QStringList order;
    QStringList tips;
    for (QAction* action : window.findChild<QToolBar*>("tlbr1")->actions()) {
      QWidget* button = window.findChild<QToolBar*>("tlbr1")->widgetForAction(action);
      order << (action->isSeparator() ? "|" : button->objectName());
      if (!action->isSeparator()) tips << button->toolTip();
    }
    QCOMPARE(order, QStringList({"tlbtnNew", "tlbtnOpen", "tlbtnSave", "tlbtnUndo", "tlbtnRedo", "|",
                                 "tlbtnInsert", "tlbtnDelete", "tlbtnMoveUp", "tlbtnMoveDown", "|",
                                 "tlbtnBuildHTML", "tlbtnPreview", "|", "tlbtnHelp"}));
    QCOMPARE(tips.first(), QString("Create a new project"));
    QCOMPARE(tips[10], QString("preview the applet in web browser"));
  }

  void commandLineArgumentsJoinIntoOnePath() {
    QCOMPARE(TMainForm::JoinCommandLine({"/tmp/My", "Menus/a", "b.velm"}), QString("/tmp/My Menus/a b.velm"));
    QCOMPARE(TMainForm::JoinCommandLine({" a ", "b"}), QString("a  b"));
    QCOMPARE(TMainForm::JoinCommandLine({}), QString());
  }

  void commandLineProjectThatCannotBeReadSaysWhyAndLeavesAnEmptyDesign() {
    Sandbox sandbox;
    sandbox.WriteFile("broken.velm", "<Product_Name>\r\nVelmora\r\n<Product_Version>\r\n");
    sandbox.WriteFile("twice.velm",
                      "<Product_Name>\r\nVelmora\r\n</Product_Name>\r\n<Product_Version>\r\n1.0\r\n"
                      "</Product_Version>\r\n<Format_Extensions>\r\nText_Encoding=UTF-8\r\n"
                      "Text_Encoding=Windows-1252\r\n</Format_Extensions>\r\n");
    const struct {
      const char* file;
      const char* reason;
    } cases[] = {{"broken.velm", "The file is incomplete"},
                 {"missing.velm", "missing.velm"},
                 {"twice.velm", "line 9: the key \"Text_Encoding\""}};
    for (const auto& c : cases) {
      ScriptedPrompts prompts;
      TMainForm window(sandbox.ProgramFolder());
      window.StartUp({sandbox.Path(c.file)});
      QCOMPARE(prompts.messages.size(), 1);
      QVERIFY2(prompts.messages[0].text.contains(c.reason), qPrintable(prompts.messages[0].text));
      QVERIFY(window.ProjectFile().isEmpty());
      QCOMPARE(window.Tree().NodeCount(), window.Document().ItemCount() + 1);
      QVERIFY(!window.IsTreeRebuilding());
      window.Insert1Click();
      QCOMPARE(window.Document().ItemCount(), 1);
      QCOMPARE(window.Tree().NodeCount(), 2);
    }
  }

  void recentFilesKeepTheFourNewestWithoutDuplicates() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    QVERIFY(QFile::exists(window.RecentFilesPath()));
    QVERIFY(RecentCaptions(window).isEmpty());

    for (const char* name : {"/p/a.velm", "/p/b.velm", "/p/c.velm", "/p/d.velm", "/p/e.velm"}) {
      window.AddRecentFile(name);
    }
    const QStringList newestFirst = {"&1 /p/e.velm", "&2 /p/d.velm", "&3 /p/c.velm", "&4 /p/b.velm"};
    QCOMPARE(RecentCaptions(window), newestFirst);
    QCOMPARE(Sandbox::ReadFile(window.RecentFilesPath()),
             QByteArray("&1 /p/e.velm\r\n&2 /p/d.velm\r\n&3 /p/c.velm\r\n&4 /p/b.velm\r\n"));

    // A listed path stays where it is; another letter case is another file.
    window.AddRecentFile("/p/c.velm");
    QCOMPARE(RecentCaptions(window), newestFirst);
    window.AddRecentFile("/p/C.velm");
    QCOMPARE(RecentCaptions(window).first(), QString("&1 /p/C.velm"));
    QCOMPARE(RecentCaptions(window).size(), 4);
  }

  void recentListReadsOnlyFourLinesAndSkipsEmptyOnes() {
    Sandbox sandbox;
    sandbox.WriteFile("program/recentfile.dat",
                      "&1 /x/a.velm\r\n\r\n&3 /x/c.velm\r\n&4 /x/d.velm\r\n&5 /x/e.velm\r\n");
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    QCOMPARE(RecentCaptions(window), QStringList({"&1 /x/a.velm", "&3 /x/c.velm", "&4 /x/d.velm"}));
    // Slots keep their places: the empty second slot moves down to third.
    window.AddRecentFile("/x/new.velm");
    QCOMPARE(Sandbox::ReadFile(window.RecentFilesPath()),
             QByteArray("&1 /x/new.velm\r\n&2 /x/a.velm\r\n&4 /x/c.velm\r\n"));
  }

  void recentFileClickOpensThePathBehindTheNumber() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    window.Insert1Click();
    const QString project = sandbox.Path("menus/one.velm");
    QDir().mkpath(sandbox.Path("menus"));
    window.Document().SaveProject(velmora::ToNativePath(project));
    window.SetModified(false);
    window.RecentFileClick("&1 " + project);
    QCOMPARE(window.ProjectFile(), project);
    QCOMPARE(window.Document().ItemCount(), 1);
    QCOMPARE(RecentCaptions(window), QStringList({"&1 " + project}));
  }

  void closingAnUnmodifiedDesignNeverAsksAndCleansThePreview() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    const QString gathered = GatherPicture(sandbox, window);
    QVERIFY(QFile::exists(gathered));
    QVERIFY(window.FormCloseQuery());
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(!QFile::exists(gathered));
  }

  void exitPromptAnswers() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    const QString gathered = GatherPicture(sandbox, window);
    window.Insert1Click();

    // Cancel keeps the window and the images gathered for the next save.
    prompts.messageAnswers.enqueue(QMessageBox::Cancel);
    QVERIFY(!window.FormCloseQuery());
    QCOMPARE(prompts.messages.last().text, QString("Save changes to files before Exit?"));
    QCOMPARE(prompts.messages.last().icon, QMessageBox::Warning);
    QCOMPARE(prompts.messages.last().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY(QFile::exists(gathered));

    // Yes on an untitled design, then cancelling the Save dialog: stays open.
    prompts.messageAnswers.enqueue(QMessageBox::Yes);
    QVERIFY(!window.FormCloseQuery());
    QCOMPARE(prompts.fileDialogFilters.last(), QString("Velmora Files (*.velm)"));
    QVERIFY(QFile::exists(gathered));

    // No closes and cleans.
    prompts.messageAnswers.enqueue(QMessageBox::No);
    QVERIFY(window.FormCloseQuery());
    QVERIFY(!QFile::exists(gathered));
  }

  void exitSaveStoresThePagesFirst() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    window.Insert1Click();
    window.findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(window.NodeAt(1));
    auto* caption = window.findChild<QLineEdit*>("edt_ICaption");
    caption->clear();
    QTest::keyClicks(caption, "Typed just before closing");

    QDir().mkpath(sandbox.Path("site"));
    prompts.messageAnswers.enqueue(QMessageBox::Yes);
    prompts.fileAnswers.enqueue(sandbox.Path("site/menu.velm"));
    window.show();
    QVERIFY(window.close());
    const QByteArray saved = Sandbox::ReadFile(sandbox.Path("site/menu.velm"));
    QVERIFY2(saved.contains("Typed just before closing#$@"), saved.constData());
    QVERIFY(QFile::exists(sandbox.Path("site/menu_PublishReport.txt")));
  }

  void viewTogglesHideAndShowTheirBars() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    window.show();
    auto* toolBarEntry = window.findChild<QAction*>("ToolBar1");
    auto* statusEntry = window.findChild<QAction*>("StatusBar2");
    QVERIFY(toolBarEntry->isChecked() && statusEntry->isChecked());
    toolBarEntry->trigger();
    QVERIFY(!toolBarEntry->isChecked());
    QVERIFY(!window.findChild<QToolBar*>("tlbr1")->isVisible());
    statusEntry->trigger();
    QVERIFY(!statusEntry->isChecked());
    QVERIFY(!window.findChild<QStatusBar*>("StatusBar1")->isVisible());
    QVERIFY(!window.findChild<QProgressBar*>("prgrsbrMainFormBottom")->isVisibleTo(&window));
    toolBarEntry->trigger();
    statusEntry->trigger();
    QVERIFY(window.findChild<QToolBar*>("tlbr1")->isVisible());
    QVERIFY(window.findChild<QLabel*>("stctxtHint")->isVisible());
    window.SetModified(false);
  }

  void statusAreaFollowsTheDocumentOperations() {
    Sandbox sandbox;
    ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    auto* hint = window.findChild<QLabel*>("stctxtHint");
    auto* bar = window.findChild<QProgressBar*>("prgrsbrMainFormBottom");
    velmora::StatusSink& status = window.Status();
    status.SetProgressMax(1000);
    {
      velmora::StatusGuard guard(status, "Saving Data ... ...");
      QCOMPARE(hint->text(), QString("Saving Data ... ..."));
      QVERIFY(QApplication::overrideCursor());
      QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
      for (int k = 0; k < 505; ++k) status.StepProgress(1);
      // Shown by whole percents: 505 of 1000 shows as 500.
      QCOMPARE(bar->maximum(), 1000);
      QCOMPARE(bar->value(), 500);
    }
    QCOMPARE(hint->text(), QString());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(bar->value(), 0);
  }

  void fileAssociationIsWrittenOnlyWhenItDiffers() {
    Sandbox sandbox;
    const velmora::AssociationWrites first = velmora::RegisterFileAssociation("/opt/velmora/velmora");
    QVERIFY(first.mimeType && first.entry);
    QVERIFY(velmora::MimeTypeFilePath().startsWith(sandbox.Root()));
    const QByteArray entry = Sandbox::ReadFile(velmora::DesktopEntryFilePath());
    QVERIFY(entry.contains("Exec=\"/opt/velmora/velmora\" %f"));
    QVERIFY(entry.contains("MimeType=application/x-velmora;"));
    QVERIFY(Sandbox::ReadFile(velmora::MimeTypeFilePath()).contains("<glob pattern=\"*.velm\"/>"));

    const velmora::AssociationWrites again = velmora::RegisterFileAssociation("/opt/velmora/velmora");
    QVERIFY(!again.mimeType && !again.entry);
    const velmora::AssociationWrites moved = velmora::RegisterFileAssociation("/home/me/My Apps/velmora");
    QVERIFY(!moved.mimeType && moved.entry);
    QVERIFY(
        Sandbox::ReadFile(velmora::DesktopEntryFilePath()).contains("Exec=\"/home/me/My Apps/velmora\" %f"));
    QVERIFY(velmora::DesktopEntryText("/a/\"q\"$b").contains("Exec=\"/a/\\\\\"q\\\\\"\\\\$b\" %f"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
