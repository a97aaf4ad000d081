// The file commands of the designer window: New, Open, OpenProjectFile,
// Save, Save As, Import and Export, with their save prompt and the window
// state they leave behind.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "designer/main_form.h"
#include "document/applet_agent.h"
#include "support/window_fixture.h"

namespace velmora {

using test::DesignItem;

class DocumentCommandsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;

  TMainForm& Form() { return *w_->form; }
  QString Path(const QString& relative) const { return w_->Path(relative); }
  // The project "a.velm" with two items, opened into the window.
  QString OpenSample() { return w_->OpenDesign("menus/a.velm", {{"Home", 0}, {"News", 1}}); }

 private slots:
  void init() { w_ = std::make_unique<test::WindowFixture>(); }
  void cleanup() { w_.reset(); }

  void openBindsTheWindowToTheFile() {
    w_->AnswerFile("menus/a.velm");
    test::WriteProject(Path("menus/a.velm"), {{"Home", 0}, {"News", 1}, {"About", 0}});
    w_->InsertItem();
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    Form().Open1Click();
    QCOMPARE(w_->prompts.fileDialogFilters, QStringList{"Velmora Files (*.velm)"});
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "News", "About"}));
    QVERIFY(w_->TreeInStep());
    QCOMPARE(Form().ProjectFile(), Path("menus/a.velm"));
    QVERIFY(!Form().IsModified());
    QVERIFY(w_->SaveCommandFollowsModified());
    QCOMPARE(w_->RecentEntries(), QStringList{"&1 " + Path("menus/a.velm")});
    QCOMPARE(Form().SelectedIndex(), 0);
  }

  void newStartsAnUntitledDesign() {
    const QString project = OpenSample();
    w_->InsertItem();
    w_->prompts.messageAnswers.enqueue(QMessageBox::Cancel);
    Form().New1Click();
    QCOMPARE(w_->prompts.messages.back().text, QStringLiteral("Save changes to files?"));
    QCOMPARE(Form().Document().ItemCount(), 3);
    QCOMPARE(Form().ProjectFile(), project);
    QVERIFY(Form().IsModified());
    QVERIFY(w_->SaveCommandFollowsModified());

    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    Form().New1Click();
    QCOMPARE(Form().Document().ItemCount(), 0);
    QVERIFY(w_->TreeInStep());
    QVERIFY(Form().ProjectFile().isEmpty());
    QVERIFY(!Form().IsModified());
    QVERIFY(w_->SaveCommandFollowsModified());
    QCOMPARE(w_->RecentEntries(), QStringList{"&1 " + project});
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
          w_->prompts.fileAnswers.enqueue(chosen);
          Form().Open1Click();
          break;
        case 1:
          Form().OpenProjectFile(chosen);
          break;
        default:
          w_->prompts.fileAnswers.enqueue(chosen);
          Form().ImportMenuStructure1Click();
          break;
      }
    };
    w_->InsertItem();
    w_->InsertItem();

    // Cancel: nothing else happens, not even the file dialog.
    w_->prompts.messageAnswers.enqueue(QMessageBox::Cancel);
    run();
    w_->prompts.fileAnswers.clear();
    QCOMPARE(w_->FileDialogsShown(), 0);
    QCOMPARE(Form().Document().ItemCount(), 2);
    QVERIFY(Form().IsModified());

    // Yes on an untitled design: the save dialog, the save, then the command.
    w_->prompts.messageAnswers.enqueue(QMessageBox::Yes);
    w_->AnswerFile("out/first.velm");
    run();
    QCOMPARE(test::ProjectCaptions(Path("out/first.velm")).size(), size_t(2));
    QCOMPARE(w_->Captions(), std::vector<std::string>{"B1"});
    QVERIFY(!Form().IsModified());
    QVERIFY(w_->TreeInStep());

    // No: straight on, nothing saved.
    w_->InsertItem();
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    const int dialogsBefore = w_->FileDialogsShown();
    run();
    QCOMPARE(w_->FileDialogsShown(), dialogsBefore + (command == 1 ? 0 : 1));
    QCOMPARE(w_->Captions(), std::vector<std::string>{"B1"});
    QCOMPARE(w_->prompts.messages.size(), 3);
  }

  void cancelledSaveAfterYesKeepsTheDesign() {
    test::WriteProject(Path("in/b.velm"), {{"B1", 0}});
    w_->InsertItem();
    w_->prompts.messageAnswers.enqueue(QMessageBox::Yes);  // and no file: the save dialog is cancelled
    Form().OpenProjectFile(Path("in/b.velm"));
    QCOMPARE(Form().Document().ItemCount(), 1);
    QCOMPARE(Form().Document().GetItem(0)[ICaption], TvornAppletAgent::MakeDefaultItem()[ICaption]);
    QVERIFY(Form().IsModified());
    QVERIFY(w_->RecentEntries().isEmpty());
  }

  void untitledSaveAddsTheExtensionAndKeepsTheFile() {
    w_->InsertItem();
    w_->AnswerFile("site/mymenu");
    Form().Save1Click();
    for (const char* name : {"mymenu.velm", "mymenu.html", "mymenu_PublishReport.txt", "jsmenu0.js",
                             "jsmenu01cfg.js", "jsmenu01.css"}) {
      QVERIFY2(QFileInfo::exists(Path("site/") + name), name);
    }
    QVERIFY(!QFileInfo::exists(Path("site/mymenu")));
    QCOMPARE(Form().ProjectFile(), Path("site/mymenu.velm"));
    QVERIFY(!Form().IsModified());
    QVERIFY(w_->SaveCommandFollowsModified());
    QVERIFY2(w_->RecentEntries().isEmpty(), "saving does not add to the recent list");

    w_->InsertItem();
    QVERIFY(w_->SaveCommandFollowsModified());
    Form().Save1Click();
    QCOMPARE(w_->FileDialogsShown(), 1);
    QCOMPARE(test::ProjectCaptions(Path("site/mymenu.velm")).size(), size_t(2));
    QCOMPARE(QDir(Path("site")).entryList({"*.velm"}), QStringList{"mymenu.velm"});
  }

  void aRefusedValueStillSavesTheProjectButNotTheSite() {
    const QString project = w_->OpenDesign("site/m.velm", {{"Home", 0}, {"About", 0}});
    w_->InsertItem();
    Form().Save1Click();
    const QStringList published{"m.html", "jsmenu01cfg.js", "jsmenu01.css", "m_PublishReport.txt"};
    auto site = [&] {
      QList<QByteArray> bytes;
      for (const QString& name : published) bytes << test::Sandbox::ReadFile(Path("site/") + name);
      return bytes;
    };
    const QList<QByteArray> before = site();
    QVERIFY(!before.contains(QByteArray()));

    Form().findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(Form().NodeAt(2));
    Form().findChild<QLineEdit*>("edt_IFontFamilyNormal")->setText("Arial}");
    Form().Save1Click();
    QCOMPARE(w_->prompts.messages.size(), 1);
    const QString told = w_->prompts.messages[0].text;
    QVERIFY2(told.contains("The project m.velm was saved, but the page and the scripts were not written") &&
                 told.contains("the published site is unchanged") && told.contains("Normal page, Font"),
             qPrintable(told));
    QVERIFY(test::Sandbox::ReadFile(project).contains("Arial}"));
    QCOMPARE(site(), before);
    QVERIFY(!Form().IsModified());

    // A write that fails says what was not saved and that nothing changed.
    const QByteArray saved = test::Sandbox::ReadFile(project);
    Form().findChild<QLineEdit*>("edt_IFontFamilyNormal")->setText("Verdana");
    QFile::remove(Path("site/m_PublishReport.txt"));
    QVERIFY(QDir().mkpath(Path("site/m_PublishReport.txt")));
    QVERIFY(!Form().RunGuarded([&] { Form().Save1Click(); }));
    const QString error = w_->prompts.messages.last().text;
    QVERIFY2(
        error.startsWith("Could not save m.velm: " + Path("site/m_PublishReport.txt") + ": is a folder") &&
            error.endsWith(". The project and the site are unchanged."),
        qPrintable(error));
    QCOMPARE(test::Sandbox::ReadFile(project), saved);
    QVERIFY(Form().IsModified());
  }

  void imagesThatCouldNotBePublishedAreListedOnce() {
    w_->sandbox.WriteFile("menus/pic.gif", "GIF89a");
    w_->OpenDesign("menus/a.velm",
                   {{"Home", 0, "pic.gif"}, {"News", 1, "lost.gif"}, {"Shop", 0, "lost.gif"}});
    w_->AnswerFile("site/a.velm");
    Form().Save2Click();
    QVERIFY(QFileInfo::exists(Path("site/a.velm")));
    QVERIFY(QFileInfo::exists(Path("site/pic.gif")));
    QCOMPARE(w_->prompts.messages.size(), 1);
    const QString warning = w_->prompts.messages.back().text;
    QCOMPARE(w_->prompts.messages.back().icon, QMessageBox::Warning);
    QCOMPARE(warning.count("lost.gif"), 1);
    QVERIFY(!warning.contains("pic.gif"));
  }

  void saveAsThenSaveWritesTheNewFile() {
    const QString project = OpenSample();
    const QByteArray original = test::Sandbox::ReadFile(project);
    w_->InsertItem();
    w_->AnswerFile("copy/b.velm");
    Form().Save2Click();
    QCOMPARE(Form().ProjectFile(), Path("copy/b.velm"));
    QVERIFY2(Form().IsModified(), "Save As leaves the modified flag as it was");
    QVERIFY(w_->SaveCommandFollowsModified());
    QCOMPARE(test::ProjectCaptions(Path("copy/b.velm")).size(), size_t(3));
    QVERIFY(w_->RecentEntries() == QStringList{"&1 " + project});

    w_->InsertItem();
    Form().Save1Click();
    QCOMPARE(w_->FileDialogsShown(), 1);
    QCOMPARE(test::ProjectCaptions(Path("copy/b.velm")).size(), size_t(4));
    QCOMPARE(test::Sandbox::ReadFile(project), original);
    QVERIFY(!Form().IsModified());
  }

  void refusedProjectLeavesTheWindowAsItWas() {
    const QString project = OpenSample();
    w_->InsertItem();  // modified, answered No below
    w_->sandbox.WriteFile(
        "in/other.velm",
        "<Generator_Name>\r\nOther\r\n</Generator_Name>\r\n<Product_Name>\r\nOther\r\n</Product_Name>\r\n");
    const QByteArray refusedBytes = test::Sandbox::ReadFile(Path("in/other.velm"));
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    Form().OpenProjectFile(Path("in/other.velm"));
    QCOMPARE(w_->prompts.messages.back().text, QString::fromLatin1(kWrongProjectMessage));
    QCOMPARE(w_->prompts.messages.back().icon, QMessageBox::Critical);
    QCOMPARE(Form().ProjectFile(), project);
    QCOMPARE(Form().Document().ItemCount(), 3);
    QVERIFY(w_->TreeInStep());
    QCOMPARE(w_->RecentEntries(), QStringList{"&1 " + project});

    // Empty and missing files are reported too, and change nothing.
    w_->sandbox.WriteFile("in/empty.velm", "");
    Form().OpenProjectFile(Path("in/empty.velm"));
    QVERIFY(w_->prompts.messages.back().text.startsWith(Path("in/empty.velm")));
    QVERIFY(!Form().RunGuarded([&] { Form().OpenProjectFile(Path("in/missing.velm")); }));
    QVERIFY(w_->prompts.messages.back().text.contains(Path("in/missing.velm")));
    QCOMPARE(Form().Document().ItemCount(), 3);
    QVERIFY(w_->TreeInStep());

    Form().Save1Click();
    QCOMPARE(test::ProjectCaptions(project).size(), size_t(3));
    QCOMPARE(test::Sandbox::ReadFile(Path("in/other.velm")), refusedBytes);
    QCOMPARE(w_->FileDialogsShown(), 0);
  }

  void importAfterOpenThenSaveOverwritesTheProject() {
    const QString project = OpenSample();
    test::WriteStructure(Path("in/s.gms"), {{"S1", 0}, {"S2", 1}, {"S3", 2}, {"S4", 0}});
    w_->AnswerFile("in/s.gms");
    Form().ImportMenuStructure1Click();
    QCOMPARE(w_->prompts.fileDialogFilters, QStringList{"General Menu Structure File (*.gms)"});
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"S1", "S2", "S3", "S4"}));
    QVERIFY(w_->TreeInStep());
    QCOMPARE(Form().ProjectFile(), project);
    QVERIFY(!Form().IsModified());
    QVERIFY(w_->SaveCommandFollowsModified());
    QCOMPARE(w_->RecentEntries(), QStringList{"&1 " + project});

    Form().Save1Click();
    QCOMPARE(test::ProjectCaptions(project), (std::vector<std::string>{"S1", "S2", "S3", "S4"}));
  }

  void refusedStructureFileChangesNothing() {
    const QString project = OpenSample();
    w_->sandbox.WriteFile("in/x.gms", "<Product_Name>\r\nSomething else\r\n</Product_Name>\r\n");
    w_->AnswerFile("in/x.gms");
    Form().ImportMenuStructure1Click();
    QCOMPARE(w_->prompts.messages.back().text, QString::fromLatin1(kWrongStructureMessage));
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "News"}));
    QVERIFY(w_->TreeInStep());
  }

  void exportAddsTheSuffixOnlyWhenMissing() {
    const QString project = OpenSample();
    const struct {
      const char* chosen;
      const char* written;
    } cases[] = {
        {"out/menu", "out/menu.gms"}, {"out/MENU.GMS", "out/MENU.GMS"}, {"out/list.txt", "out/list.txt.gms"}};
    for (const auto& c : cases) {
      w_->AnswerFile(c.chosen);
      Form().ExportMenuStructure1Click();
      QVERIFY2(QFileInfo::exists(Path(c.written)), c.written);
      QVERIFY(test::Sandbox::ReadFile(Path(c.written)).contains("Home#$@"));
    }
    QCOMPARE(QDir(Path("out")).entryList(QDir::Files).size(), 3);
    QCOMPARE(Form().ProjectFile(), project);
    QVERIFY(!Form().IsModified());
    QVERIFY2(w_->prompts.fileDialogFilters.endsWith("General Menu Structure File (*.gms)"),
             "the structure filter");
  }

  void cancelledOpenOrImportKeepsTheGatheredImages() {
    w_->sandbox.WriteFile("menus/pic.gif", "GIF89a");
    test::WriteProject(Path("menus/a.velm"), {{"Home", 0, "pic.gif"}});
    Form().OpenProjectFile(Path("menus/a.velm"));
    const QString gathered = w_->sandbox.ProgramFolder() + "/preview/pic.gif";
    QVERIFY(QFileInfo::exists(gathered));

    Form().Open1Click();  // the dialog is cancelled
    Form().ImportMenuStructure1Click();
    QVERIFY(QFileInfo::exists(gathered));

    w_->AnswerFile("elsewhere/a.velm");
    Form().Save2Click();
    QVERIFY2(QFileInfo::exists(Path("elsewhere/pic.gif")), "the image is published with the design");
  }

  void pageEditsReachEveryFileWritten() {
    OpenSample();
    Form().findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(Form().NodeAt(2));
    auto* caption = Form().findChild<QLineEdit*>("edt_ICaption");
    QVERIFY(caption);
    caption->setText("Latest news");
    w_->AnswerFile("copy/b.velm");
    Form().Save2Click();
    QCOMPARE(test::ProjectCaptions(Path("copy/b.velm")), (std::vector<std::string>{"Home", "Latest news"}));

    caption->setText("Old news");
    w_->AnswerFile("out/s.gms");
    Form().ExportMenuStructure1Click();
    QVERIFY(test::Sandbox::ReadFile(Path("out/s.gms")).contains("1#$@Old news#$@"));

    caption->setText("Archive");
    Form().Save1Click();
    QCOMPARE(test::ProjectCaptions(Path("copy/b.velm")), (std::vector<std::string>{"Home", "Archive"}));
  }

  void saveAsTemplateSavesIntoTheTemplatesFolder() {
    w_->InsertItem();
    const QString templates = w_->sandbox.ProgramFolder() + "/templates";
    QVERIFY(!QFileInfo::exists(templates));
    w_->prompts.fileAnswers.enqueue(templates + "/blue.velm");
    Form().SaveAsTemplate1Click();
    // The design stays untitled and unsaved: the template is a copy.
    QVERIFY(Form().ProjectFile().isEmpty());
    QCOMPARE(test::ProjectCaptions(templates + "/blue.velm").size(), size_t(1));
    QVERIFY(Form().IsModified());
    QVERIFY(w_->RecentEntries().isEmpty());
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::DocumentCommandsTest)
#include "test_document_commands.moc"
