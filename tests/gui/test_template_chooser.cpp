// The template chooser: its folder, its list and its three ways out.

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialogs/templet.h"
#include "document/errors.h"
#include "platform/settings.h"
#include "support/sandbox.h"

namespace velmora {

class TemplateChooserTest : public QObject {
  Q_OBJECT

  struct Recorder {
    QStringList opened;
    int newDesigns = 0;
    TfrmTemplet::Actions Actions() {
      return {[this](const QString& path) { opened << path; }, [this] { ++newDesigns; }};
    }
  };

  template <typename T>
  static T* Child(QWidget& dialog, const char* name) {
    auto* child = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no control %s", name);
    return child;
  }
  static QListWidget* List(QWidget& dialog) { return Child<QListWidget>(dialog, "TempletList"); }
  static QStringList Names(QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    return names;
  }

 private slots:
  void init() { sandbox_ = std::make_unique<test::Sandbox>(); }

  void missingFolderIsCreatedAndOkOpensNothing() {
    Recorder recorder;
    const QString folder = sandbox_->ProgramFolder() + "/templates";
    QVERIFY(!QFileInfo::exists(folder));
    TfrmTemplet chooser(sandbox_->ProgramFolder(), recorder.Actions());
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(List(chooser)->count(), 0);
    // OK is offered only while a template is selected.
    QVERIFY(!Child<QPushButton>(chooser, "BitBtn1")->isEnabled());
    Child<QPushButton>(chooser, "BitBtn1")->click();
    QVERIFY(recorder.opened.isEmpty());
    QCOMPARE(recorder.newDesigns, 0);
  }

  void listsOnlyProjectFilesAndOpensTheChosenOne() {
    for (const char* name : {"templates/b menu.velm", "templates/a.velm", "templates/notes.txt",
                             "templates/a.velm.bak", "templates/sub/c.velm"}) {
      sandbox_->WriteFile("program/" + QString::fromLatin1(name), "x");
    }
    Recorder recorder;
    TfrmTemplet chooser(sandbox_->ProgramFolder(), recorder.Actions());
    QCOMPARE(Names(List(chooser)), (QStringList{"a.velm", "b menu.velm"}));
    // The first template is selected from the start.
    QCOMPARE(chooser.SelectedTemplate(), sandbox_->ProgramFolder() + "/templates/a.velm");
    QVERIFY(Child<QPushButton>(chooser, "BitBtn1")->isEnabled());
    List(chooser)->setCurrentRow(1);
    Child<QPushButton>(chooser, "BitBtn1")->click();
    QCOMPARE(recorder.opened, QStringList{sandbox_->ProgramFolder() + "/templates/b menu.velm"});
  }

  void catalogedTemplatesReadAsTheirTitles() {
    sandbox_->WriteFile("program/templates/dark_bar.velm", "x");
    sandbox_->WriteFile("program/templates/plain.velm", "x");
    sandbox_->WriteFile("program/samples/catalog.txt", "dark_bar.velm | menu1 | 120 | Dark bar | A dark top bar.\n");
    Recorder recorder;
    TfrmTemplet chooser(sandbox_->ProgramFolder(), recorder.Actions());
    // Sorted by file name; a template the catalog does not know keeps it.
    QCOMPARE(Names(List(chooser)), (QStringList{"Dark bar", "plain.velm"}));
    Child<QPushButton>(chooser, "BitBtn1")->click();
    QCOMPARE(recorder.opened, QStringList{sandbox_->ProgramFolder() + "/templates/dark_bar.velm"});
  }

  void doubleClickOpensAndCancelStartsANewDesign() {
    sandbox_->WriteFile(QStringLiteral("program/templates/a.velm"), "x");
    Recorder recorder;
    {
      TfrmTemplet chooser(sandbox_->ProgramFolder(), recorder.Actions());
      chooser.show();
      QListWidget* list = List(chooser);
      const QRect rect = list->visualItemRect(list->item(0));
      // A double click reaches the view as a press and release, then the double click.
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
      QCOMPARE(recorder.opened, QStringList{sandbox_->ProgramFolder() + "/templates/a.velm"});
      QVERIFY(!chooser.isVisible());
    }
    {
      TfrmTemplet chooser(sandbox_->ProgramFolder(), recorder.Actions());
      chooser.show();
      List(chooser)->setCurrentRow(0);  // a selection does not matter to Cancel
      Child<QPushButton>(chooser, "BitBtn2")->click();
      QCOMPARE(recorder.newDesigns, 1);
      QCOMPARE(recorder.opened.size(), 1);
      QCOMPARE(chooser.result(), int(QDialog::Rejected));
    }
  }

  void dontShowBoxFollowsAndWritesTheSetting() {
    Recorder recorder;
    const QString setting = QString::fromLatin1(kShowTempletsDialogSetting);
    {
      TfrmTemplet chooser(sandbox_->ProgramFolder(), recorder.Actions());
      chooser.show();
      auto* box = Child<QCheckBox>(chooser, "chckbxDontShow");
      QVERIFY2(!box->isChecked(), "no saved value: the chooser shows, the box is clear");
      box->click();
      QCOMPARE(ReadBoolSetting(setting, true, true), false);
    }
    {
      TfrmTemplet chooser(sandbox_->ProgramFolder(), recorder.Actions());
      chooser.show();
      auto* box = Child<QCheckBox>(chooser, "chckbxDontShow");
      QVERIFY(box->isChecked());
      box->click();
      QCOMPARE(ReadBoolSetting(setting, false, false), true);
    }
    // A value that is no boolean reads as "do not show".
    OpenSettings()->setValue(QString::fromLatin1(kSettingsGroup) + "/" + setting, "sometimes");
    TfrmTemplet chooser(sandbox_->ProgramFolder(), recorder.Actions());
    chooser.show();
    QVERIFY(Child<QCheckBox>(chooser, "chckbxDontShow")->isChecked());
  }

  void folderThatCannotBeMadeIsReported() {
    const QString missingProgramFolder = sandbox_->Path(QStringLiteral("no/such/program"));
    Recorder recorder;
    try {
      TfrmTemplet chooser(missingProgramFolder, recorder.Actions());
      QFAIL("the chooser was made without its folder");
    } catch (const Error& error) {
      QCOMPARE(QString::fromStdString(error.what()), "Cannot create " + missingProgramFolder + "/templates");
    }
    QVERIFY(!QFileInfo::exists(missingProgramFolder));
  }

 private:
  std::unique_ptr<test::Sandbox> sandbox_;
};

}  // namespace velmora

QTEST_MAIN(velmora::TemplateChooserTest)
#include "test_template_chooser.moc"
