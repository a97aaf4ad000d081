// The file commands of the designer window: New, Open, OpenProjectFile,
// Save, Save As, Import and Export, with their save prompt and the window
// state they leave behind.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "designer/main_form.h"
#include "designer/recent_files.h"
#include "document/applet_agent.h"
#include "support/designs.h"
#include "support/recording_launcher.h"
#include "support/sandbox.h"
#include "support/scripted_prompts.h"

namespace velmora {

using test::DesignItem;

class DocumentCommandsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::Sandbox> sandbox_;
  std::unique_ptr<test::ScriptedPrompts> prompts_;
  std::unique_ptr<test::RecordingLauncher> launcher_;
  std::unique_ptr<TMainForm> form_;

  QString Path(const QString& relative) const { return sandbox_->Path(relative); }
  TMainForm& Form() { return *form_; }

  // Save is offered exactly when the design is modified.
  void CheckSaveCommand() {
    QCOMPARE(Form().findChild<QAction*>("Save1")->isEnabled(), Form().IsModified());
    QCOMPARE(Form().findChild<QToolButton*>("tlbtnSave")->isEnabled(), Form().IsModified());
  }
  QStringList RecentEntries() { return ReadRecentLines(Form().RecentFilesPath()); }
  std::vector<std::string> WindowCaptions() {
    std::vector<std::string> captions;
    for (const auto& item : Form().Document().Items) captions.push_back(item[ICaption]);
    return captions;
  }
  // Tree and document in step, with the root first.
  void CheckInStep() { QCOMPARE(Form().Tree().NodeCount(), Form().Document().ItemCount() + 1); }
  // Adds a top-level item through the window, which marks the design modified.
  void InsertItem() {
    Form().SelectRootNode();
    Form().Insert1Click();
  }
  // The project "a.velm" with two items, opened into the window.
  QString OpenSample() {
    const QString project = Path("menus/a.velm");
    test::WriteProject(project, {{"Home", 0}, {"News", 1}});
    Form().OpenProjectFile(project);
    return project;
  }
  // Answers the next file dialog with a path whose folder exists, as a
  // dialog's answer does.
  void AnswerFile(const QString& relative) {
    QDir().mkpath(QFileInfo(Path(relative)).absolutePath());
    prompts_->fileAnswers.enqueue(Path(relative));
  }
  int FileDialogsShown() const { return prompts_->fileDialogFilters.size(); }

 private slots:
  void init() {
    sandbox_ = std::make_unique<test::Sandbox>();
    prompts_ = std::make_unique<test::ScriptedPrompts>();
    launcher_ = std::make_unique<test::RecordingLauncher>();
    form_ = std::make_unique<TMainForm>(sandbox_->ProgramFolder());
  }
  void cleanup() {
    form_.reset();
    launcher_.reset();
    prompts_.reset();
    sandbox_.reset();
  }

  void openBindsTheWindowToTheFile() {
    AnswerFile("menus/a.velm");
    test::WriteProject(Path("menus/a.velm"), {{"Home", 0}, {"News", 1}, {"About", 0}});
    InsertItem();
    prompts_->messageAnswers.enqueue(QMessageBox::No);
    Form().Open1Click();
    QCOMPARE(prompts_->fileDialogFilters, QStringList{"Velmora Files (*.velm)"});
    QCOMPARE(WindowCaptions(), (std::vector<std::string>{"Home", "News", "About"}));
    CheckInStep();
    QCOMPARE(Form().ProjectFile(), Path("menus/a.velm"));
    QVERIFY(!Form().IsModified());
    CheckSaveCommand();
    QCOMPARE(RecentEntries(), QStringList{"&1 " + Path("menus/a.velm")});
    QCOMPARE(Form().SelectedIndex(), 0);
  }

  void newStartsAnUntitledDesign() {
    const QString project = OpenSample();
    InsertItem();
    prompts_->messageAnswers.enqueue(QMessageBox::Cancel);
    Form().New1Click();
    QCOMPARE(prompts_->messages.back().text, QStringLiteral("Save changes to files?"));
    QCOMPARE(Form().Document().ItemCount(), 3);
    QCOMPARE(Form().ProjectFile(), project);
    QVERIFY(Form().IsModified());
    CheckSaveCommand();

    prompts_->messageAnswers.enqueue(QMessageBox::No);
    Form().New1Click();
    QCOMPARE(Form().Document().ItemCount(), 0);
    CheckInStep();
    QVERIFY(Form().ProjectFile().isEmpty());
    QVERIFY(!Form().IsModified());
    CheckSaveCommand();
    QCOMPARE(RecentEntries(), QStringList{"&1 " + project});
    QCOMPARE(test::ProjectCaptions(project), (std::vector<std::string>{"Home", "News"}));
  }

  void savePromptGuardsEveryReplacingCommand_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("Open") << 0;
    QTest::newRow("OpenProjectFile") << 1;
    QTest::newRow("Import") << 2;
  }
  void savePromptGuardsEveryReplacingCommand() {
    QFETCH(int, command);
    test::WriteProject(Path("in/b.velm"), {{"B1", 0}});
    test::WriteStructure(Path("in/b.gms"), {{"B1", 0}});
    const QString chosen = Path(command == 2 ? "in/b.gms" : "in/b.velm");
    auto run = [&] {
      switch (command) {
        case 0:
          prompts_->fileAnswers.enqueue(chosen);
          Form().Open1Click();
          break;
        case 1:
          Form().OpenProjectFile(chosen);
          break;
        default:
          prompts_->fileAnswers.enqueue(chosen);
          Form().ImportMenuStructure1Click();
          break;
      }
    };
    InsertItem();
    InsertItem();

    // Cancel: nothing else happens, not even the file dialog.
    prompts_->messageAnswers.enqueue(QMessageBox::Cancel);
    run();
    prompts_->fileAnswers.clear();
    QCOMPARE(FileDialogsShown(), 0);
    QCOMPARE(Form().Document().ItemCount(), 2);
    QVERIFY(Form().IsModified());

    // Yes on an untitled design: the save dialog, the save, then the command.
    prompts_->messageAnswers.enqueue(QMessageBox::Yes);
    AnswerFile("out/first.velm");
    run();
    QCOMPARE(test::ProjectCaptions(Path("out/first.velm")).size(), size_t(2));
    QCOMPARE(WindowCaptions(), std::vector<std::string>{"B1"});
    QVERIFY(!Form().IsModified());
    CheckInStep();

    // No: straight on, nothing saved.
    InsertItem();
    prompts_->messageAnswers.enqueue(QMessageBox::No);
    const int dialogsBefore = FileDialogsShown();
    run();
    QCOMPARE(FileDialogsShown(), dialogsBefore + (command == 1 ? 0 : 1));
    QCOMPARE(WindowCaptions(), std::vector<std::string>{"B1"});
    QCOMPARE(prompts_->messages.size(), 3);
  }

  void cancelledSaveAfterYesKeepsTheDesign() {
    test::WriteProject(Path("in/b.velm"), {{"B1", 0}});
    InsertItem();
    prompts_->messageAnswers.enqueue(QMessageBox::Yes);  // and no file: the save dialog is cancelled
    Form().OpenProjectFile(Path("in/b.velm"));
    QCOMPARE(Form().Document().ItemCount(), 1);
    QCOMPARE(Form().Document().GetItem(0)[ICaption], TvornAppletAgent::MakeDefaultItem()[ICaption]);
    QVERIFY(Form().IsModified());
    QVERIFY(RecentEntries().isEmpty());
  }

  void untitledSaveAddsTheExtensionAndKeepsTheFile() {
    InsertItem();
    AnswerFile("site/mymenu");
    Form().Save1Click();
    for (const char* name : {"mymenu.velm", "mymenu.html", "mymenu_PublishReport.txt", "jsmenu0.js",
                             "jsmenu01cfg.js", "jsmenu01.css"}) {
      QVERIFY2(QFileInfo::exists(Path("site/") + name), name);
    }
    QVERIFY(!QFileInfo::exists(Path("site/mymenu")));
    QCOMPARE(Form().ProjectFile(), Path("site/mymenu.velm"));
    QVERIFY(!Form().IsModified());
    CheckSaveCommand();
    QVERIFY2(RecentEntries().isEmpty(), "saving does not add to the recent list");

    InsertItem();
    CheckSaveCommand();
    Form().Save1Click();
    QCOMPARE(FileDialogsShown(), 1);
    QCOMPARE(test::ProjectCaptions(Path("site/mymenu.velm")).size(), size_t(2));
    QCOMPARE(QDir(Path("site")).entryList({"*.velm"}), QStringList{"mymenu.velm"});
  }

  void saveAsThenSaveWritesTheNewFile() {
    const QString project = OpenSample();
    const QByteArray original = test::Sandbox::ReadFile(project);
    InsertItem();
    AnswerFile("copy/b.velm");
    Form().Save2Click();
    QCOMPARE(Form().ProjectFile(), Path("copy/b.velm"));
    QVERIFY2(Form().IsModified(), "Save As leaves the modified flag as it was");
    CheckSaveCommand();
    QCOMPARE(test::ProjectCaptions(Path("copy/b.velm")).size(), size_t(3));
    QVERIFY(RecentEntries() == QStringList{"&1 " + project});

    InsertItem();
    Form().Save1Click();
    QCOMPARE(FileDialogsShown(), 1);
    QCOMPARE(test::ProjectCaptions(Path("copy/b.velm")).size(), size_t(4));
    QCOMPARE(test::Sandbox::ReadFile(project), original);
    QVERIFY(!Form().IsModified());
  }

  void refusedProjectLeavesTheWindowAsItWas() {
    const QString project = OpenSample();
    InsertItem();  // modified, answered No below
    sandbox_->WriteFile(
        "in/other.velm",
        "<Generator_Name>\r\nOther\r\n</Generator_Name>\r\n<Product_Name>\r\nOther\r\n</Product_Name>\r\n");
    const QByteArray refusedBytes = test::Sandbox::ReadFile(Path("in/other.velm"));
    prompts_->messageAnswers.enqueue(QMessageBox::No);
    Form().OpenProjectFile(Path("in/other.velm"));
    QCOMPARE(prompts_->messages.back().text, QString::fromLatin1(kWrongProjectMessage));
    QCOMPARE(prompts_->messages.back().icon, QMessageBox::Critical);
    QCOMPARE(Form().ProjectFile(), project);
    QCOMPARE(Form().Document().ItemCount(), 3);
    CheckInStep();
    QCOMPARE(RecentEntries(), QStringList{"&1 " + project});

    // Empty and missing files are reported too, and change nothing.
    sandbox_->WriteFile("in/empty.velm", "");
    Form().OpenProjectFile(Path("in/empty.velm"));
    QVERIFY(prompts_->messages.back().text.startsWith(Path("in/empty.velm")));
    QVERIFY(!Form().RunGuarded([&] { Form().OpenProjectFile(Path("in/missing.velm")); }));
    QVERIFY(prompts_->messages.back().text.contains(Path("in/missing.velm")));
    QCOMPARE(Form().Document().ItemCount(), 3);
    CheckInStep();

    Form().Save1Click();
    QCOMPARE(test::ProjectCaptions(project).size(), size_t(3));
    QCOMPARE(test::Sandbox::ReadFile(Path("in/other.velm")), refusedBytes);
    QCOMPARE(FileDialogsShown(), 0);
  }

  void importAfterOpenThenSaveOverwritesTheProject() {
    const QString project = OpenSample();
    test::WriteStructure(Path("in/s.gms"), {{"S1", 0}, {"S2", 1}, {"S3", 2}, {"S4", 0}});
    AnswerFile("in/s.gms");
    Form().ImportMenuStructure1Click();
    QCOMPARE(prompts_->fileDialogFilters, QStringList{"General Menu Structure File (*.gms)"});
    QCOMPARE(WindowCaptions(), (std::vector<std::string>{"S1", "S2", "S3", "S4"}));
    CheckInStep();
    QCOMPARE(Form().ProjectFile(), project);
    QVERIFY(!Form().IsModified());
    CheckSaveCommand();
    QCOMPARE(RecentEntries(), QStringList{"&1 " + project});

    Form().Save1Click();
    QCOMPARE(test::ProjectCaptions(project), (std::vector<std::string>{"S1", "S2", "S3", "S4"}));
  }

  void refusedStructureFileChangesNothing() {
    const QString project = OpenSample();
    sandbox_->WriteFile("in/x.gms", "<Product_Name>\r\nSomething else\r\n</Product_Name>\r\n");
    AnswerFile("in/x.gms");
    Form().ImportMenuStructure1Click();
    QCOMPARE(prompts_->messages.back().text, QString::fromLatin1(kWrongStructureMessage));
    QCOMPARE(WindowCaptions(), (std::vector<std::string>{"Home", "News"}));
    CheckInStep();
  }

  void exportAddsTheSuffixOnlyWhenMissing() {
    const QString project = OpenSample();
    const struct {
      const char* chosen;
      const char* written;
    } cases[] = {
        {"out/menu", "out/menu.gms"}, {"out/MENU.GMS", "out/MENU.GMS"}, {"out/list.txt", "out/list.txt.gms"}};
    for (const auto& c : cases) {
      AnswerFile(c.chosen);
      Form().ExportMenuStructure1Click();
      QVERIFY2(QFileInfo::exists(Path(c.written)), c.written);
      QVERIFY(test::Sandbox::ReadFile(Path(c.written)).contains("Home#$@"));
    }
    QCOMPARE(QDir(Path("out")).entryList(QDir::Files).size(), 3);
    QCOMPARE(Form().ProjectFile(), project);
    QVERIFY(!Form().IsModified());
    QVERIFY2(prompts_->fileDialogFilters.endsWith("General Menu Structure File (*.gms)"),
             "the structure filter");
  }

  void cancelledOpenOrImportKeepsTheGatheredImages() {
    sandbox_->WriteFile("menus/pic.gif", "GIF89a");
    test::WriteProject(Path("menus/a.velm"), {{"Home", 0, "pic.gif"}});
    Form().OpenProjectFile(Path("menus/a.velm"));
    const QString gathered = sandbox_->ProgramFolder() + "/preview/pic.gif";
    QVERIFY(QFileInfo::exists(gathered));

    Form().Open1Click();  // the dialog is cancelled
    Form().ImportMenuStructure1Click();
    QVERIFY(QFileInfo::exists(gathered));

    AnswerFile("elsewhere/a.velm");
    Form().Save2Click();
    QVERIFY2(QFileInfo::exists(Path("elsewhere/pic.gif")), "the image is published with the design");
  }

  void saveAsTemplateSavesIntoTheTemplatesFolder() {
    InsertItem();
    const QString templates = sandbox_->ProgramFolder() + "/templates";
    QVERIFY(!QFileInfo::exists(templates));
    prompts_->fileAnswers.enqueue(templates + "/blue.velm");
    Form().SaveAsTemplate1Click();
    QCOMPARE(Form().ProjectFile(), templates + "/blue.velm");
    QCOMPARE(test::ProjectCaptions(templates + "/blue.velm").size(), size_t(1));
    QVERIFY(Form().IsModified());
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::DocumentCommandsTest)
#include "test_document_commands.moc"
