// Crash recovery: the copy kept while the design is modified, the offer of
// copies left by designers that are gone, and a designer killed in the
// middle of its work.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <sys/wait.h>
#include <unistd.h>

#include "designer/application.h"
#include "designer/crash_recovery.h"
#include "platform/codepage.h"
#include "platform/settings.h"
#include "support/modal.h"
#include "support/window_fixture.h"

namespace velmora {

using test::Sandbox;

class CrashRecoveryTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;
  CrashRecovery* recovery_ = nullptr;

  TMainForm& Form() { return *w_->form; }
  QList<test::AskedMessage>& Messages() { return w_->prompts.messages; }
  static bool Exists(const QString& path) { return QFileInfo::exists(path); }

  // A process that is gone: this one's number with another start time, as
  // when a number has been given to a new process.
  static ProcessIdentity Ended(const QString& tag) {
    ProcessIdentity identity = CurrentProcessIdentity();
    identity.start += tag;
    return identity;
  }
  // Leaves the files a designer `owner` keeps, its copy written at `written`.
  RecoveryCopy Plant(const ProcessIdentity& owner, const QString& origin, const QByteArray& copy,
                     const QDateTime& written) {
    RecoveryCopy files = RecoveryFilesOf(DefaultRecoveryFolder(), owner);
    files.origin = origin;
    WriteRecoveryNote(files);
    w_->sandbox.WriteFile(files.copyPath, copy);
    QFile file(files.copyPath);
    if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(written, QFileDevice::FileModificationTime))
      qFatal("cannot date %s", qPrintable(files.copyPath));
    return files;
  }
  QByteArray Project(const QString& relative, const std::vector<test::DesignItem>& items) {
    test::WriteProject(w_->Path(relative), items);
    return Sandbox::ReadFile(w_->Path(relative));
  }
  // The project file of the window's records as they are now.
  QByteArray Resaved() {
    const QString path = w_->Path("resaved.velm");
    Form().Document().SaveProject(ToNativePath(path));
    return Sandbox::ReadFile(path);
  }
  // Starts a designer program of the tests in the sandbox, on its program
  // folder and `arguments`, writing its recovery copy every `intervalMs`.
  void StartChild(QProcess& designer, const QString& program, const QStringList& arguments, int intervalMs) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", w_->sandbox.Root());
    environment.insert("VELMORA_RECOVERY_INTERVAL_MS", QString::number(intervalMs));
    designer.setProcessEnvironment(environment);
    designer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    designer.start(QCoreApplication::applicationDirPath() + "/" + program,
                   QStringList{w_->sandbox.ProgramFolder()} + arguments);
  }
  static QString NoteOrigin(const RecoveryCopy& files) {
    QFile note(files.notePath);
    return note.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(note.readAll())["origin"].toString()
                                          : QString();
  }
  static QString When(const QDateTime& written) { return QLocale().toString(written, QLocale::ShortFormat); }
  static QString OfferText(const QString& design, const QDateTime& written) {
    return "Velmora did not close normally. Recover the unsaved design \"" + design + "\" from " +
           When(written) + "?";
  }
  static QString OldPath(const QString& path) {
    return QDir(OldCopiesFolder(DefaultRecoveryFolder())).filePath(QFileInfo(path).fileName());
  }
  // Moved aside for a week, no longer offered.
  static bool KeptAside(const RecoveryCopy& files) {
    return Removed(files) && Exists(OldPath(files.copyPath)) && Exists(OldPath(files.notePath));
  }
  static bool Removed(const RecoveryCopy& files) {
    return !Exists(files.copyPath) && !Exists(files.notePath);
  }

 private slots:
  void initTestCase() { ConfigureApplication(); }

  void init() {
    qunsetenv("VELMORA_RECOVERY_INTERVAL_MS");
    w_ = std::make_unique<test::WindowFixture>();
    recovery_ = new CrashRecovery(Form());
    WriteBoolSetting("ShowTempletsDialog", false);
    QVERIFY(recovery_->Files().copyPath.startsWith(w_->sandbox.Root() + "/data/Vorn/Velmora/recovery/"));
  }
  void cleanup() { w_.reset(); }

  void yesRestoresTheDesignBoundToItsFileAndModified() {
    const QString origin = w_->Path("menus/site.velm");
    const QByteArray saved = Project("menus/site.velm", {{"Home", 0}, {"About", 0}});
    const QByteArray unsaved = Project("unsaved.velm", {{"Home", 0}, {"Team", 1}, {"Jobs", 2}, {"About", 0}});
    const QDateTime written(QDate(2026, 3, 4), QTime(9, 41));
    const RecoveryCopy left = Plant(Ended("1"), origin, unsaved, written);

    w_->prompts.messageAnswers << QMessageBox::Yes;
    Form().StartUp({});
    QCOMPARE(Messages().size(), 1);
    QCOMPARE(Messages()[0].icon, QMessageBox::Warning);
    QCOMPARE(Messages()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(Messages()[0].text, OfferText("site.velm", written));

    QCOMPARE(Form().ProjectFile(), origin);
    QVERIFY(Form().IsModified() && w_->SaveCommandFollowsModified());
    QVERIFY(w_->TreeInStep());
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "Team", "Jobs", "About"}));
    QVERIFY(w_->RecentEntries().isEmpty());
    QCOMPARE(Sandbox::ReadFile(origin), saved);
    // The copy now belongs to this designer.
    QVERIFY(Removed(left));
    QCOMPARE(Sandbox::ReadFile(recovery_->Files().copyPath), unsaved);
    QCOMPARE(Resaved(), unsaved);

    Form().Save1Click();
    QCOMPARE(test::ProjectCaptions(origin), w_->Captions());
    QVERIFY(Removed(recovery_->Files()));
  }

  void severalCopiesAreOfferedInOneListAndTheOthersKeptAside() {
    const QByteArray older = Project("older.velm", {{"Older", 0}});
    const QByteArray newer = Project("newer.velm", {{"Newer", 0}});
    const QDateTime then(QDate(2026, 1, 2), QTime(8, 0));
    const RecoveryCopy untitled = Plant(Ended("1"), "", older, then);
    const RecoveryCopy named = Plant(Ended("2"), w_->Path("menus/site.velm"), newer, then.addSecs(60));
    const RecoveryCopy oldest = Plant(Ended("3"), "", older, then.addSecs(-60));

    w_->prompts.choiceAnswers << 1;
    Form().StartUp({});
    QVERIFY(Messages().isEmpty());
    QCOMPARE(w_->prompts.choices.size(), 1);
    QVERIFY(w_->prompts.choices[0].text.contains("The others are kept for 7 days in"));
    QCOMPARE(w_->prompts.choices[0].items,
             QStringList({"site.velm (" + w_->Path("menus") + "), " + When(then.addSecs(60)),
                          "Untitled, " + When(then), "Untitled, " + When(then.addSecs(-60))}));
    QCOMPARE(w_->Captions(), std::vector<std::string>{"Older"});
    QVERIFY(Form().ProjectFile().isEmpty());
    QVERIFY(Form().IsModified());
    QVERIFY(Removed(untitled));
    QVERIFY(KeptAside(named) && KeptAside(oldest));
    QCOMPARE(Sandbox::ReadFile(OldPath(named.copyPath)), newer);
    // Not offered again, in this run or the next.
    recovery_->OfferLeftCopies();
    TMainForm next(w_->sandbox.ProgramFolder());
    new CrashRecovery(next);
    next.StartUp({});
    QCOMPARE(w_->prompts.choices.size(), 1);
    QVERIFY(Messages().isEmpty());

    // A week later the copies kept aside go.
    TMainForm later(w_->sandbox.ProgramFolder());
    auto* laterRecovery = new CrashRecovery(later);
    QFile aged(OldPath(named.copyPath));
    QVERIFY(aged.open(QIODevice::ReadWrite));
    QVERIFY(aged.setFileTime(QDateTime::currentDateTime().addDays(-kOldCopyDays).addSecs(-60),
                             QFileDevice::FileModificationTime));
    aged.close();
    laterRecovery->OfferLeftCopies();
    QVERIFY(!Exists(OldPath(named.copyPath)));
    QVERIFY(Exists(OldPath(oldest.copyPath)));
  }

  void aCopyEqualToItsSavedFileGoesWithoutAQuestion() {
    const QByteArray saved = Project("menus/site.velm", {{"Home", 0}});
    const RecoveryCopy same =
        Plant(Ended("1"), w_->Path("menus/site.velm"), saved, QDateTime::currentDateTime());
    const RecoveryCopy differs =
        Plant(Ended("2"), w_->Path("menus/other.velm"), saved, QDateTime::currentDateTime());
    const QDateTime written = QFileInfo(differs.copyPath).lastModified();
    w_->prompts.messageAnswers << QMessageBox::No;
    Form().StartUp({});
    // Only the copy of a file that is gone (or changed) is offered.
    QCOMPARE(Messages().size(), 1);
    QCOMPARE(Messages()[0].text, OfferText("other.velm", written));
    QVERIFY(Removed(same) && !Exists(OldPath(same.copyPath)));
    QVERIFY(KeptAside(differs));
    QVERIFY(!Form().IsModified());
  }

  void aCopyWhoseWriterRunsIsLeftAloneUntilItEnds() {
    QProcess writer;
    writer.start("sleep", {"60"});
    QVERIFY(writer.waitForStarted());
    const ProcessIdentity running = ProcessIdentityOf(writer.processId());
    QVERIFY(IsProcessRunning(running));
    const RecoveryCopy files =
        Plant(running, "", Project("a.velm", {{"Home", 0}}), QDateTime::currentDateTime());

    Form().StartUp({});
    QVERIFY(Messages().isEmpty());
    QVERIFY(Exists(files.copyPath) && Exists(files.notePath));
    QVERIFY(!Form().IsModified());

    writer.kill();
    QVERIFY(writer.waitForFinished());
    QVERIFY(!IsProcessRunning(running));
    // A process that has ended but was not yet collected by its parent is
    // gone too.
    const pid_t ending = fork();
    if (ending == 0) {
      usleep(300000);
      _exit(0);
    }
    const ProcessIdentity ended = ProcessIdentityOf(ending);
    QVERIFY(IsProcessRunning(ended));
    QTRY_VERIFY(!IsProcessRunning(ended));
    QCOMPARE(waitpid(ending, nullptr, 0), ending);
    TMainForm next(w_->sandbox.ProgramFolder());
    new CrashRecovery(next);
    w_->prompts.messageAnswers << QMessageBox::No;
    next.StartUp({});
    QCOMPARE(Messages().size(), 1);
    QVERIFY(Removed(files));
    QVERIFY(!next.IsModified());
  }

  void aDamagedCopyIsRefusedAndDeleted() {
    const QDateTime now = QDateTime::currentDateTime();
    const RecoveryCopy foreign = Plant(Ended("1"), "", "<Product_Name>\r\nSomething\r\n", now);
    const RecoveryCopy truncated =
        Plant(Ended("2"), "", "<Product_Name>\r\nVelmora\r\n<Product_Version>\r\n", now.addSecs(-60));
    const RecoveryCopy noted = RecoveryFilesOf(DefaultRecoveryFolder(), Ended("3"));  // note only
    WriteRecoveryNote(noted);
    // Temporary files of writes cut short by the end of their designers.
    QStringList temporaries;
    for (const QString& path : {truncated.copyPath, noted.copyPath, noted.notePath}) {
      const QFileInfo file(path);
      temporaries << file.absoluteDir().filePath("." + file.fileName() + ".4194305-0123456789abcdef.tmp");
      w_->sandbox.WriteFile(temporaries.back(), "<Product_Name>\r\n");
    }

    // Chosen from the list, refused; the other one is asked about then.
    w_->prompts.choiceAnswers << 0;
    w_->prompts.messageAnswers << QMessageBox::Ok << QMessageBox::Yes;
    Form().StartUp({});
    QCOMPARE(w_->prompts.choices.size(), 1);
    QCOMPARE(Messages().size(), 3);
    QCOMPARE(Messages()[0].icon, QMessageBox::Critical);
    QCOMPARE(Messages()[0].text, QString(kWrongProjectMessage));
    QCOMPARE(Messages()[1].text, OfferText("Untitled", now.addSecs(-60)));
    QCOMPARE(Messages()[2].icon, QMessageBox::Warning);
    QVERIFY(Messages()[2].text.startsWith(truncated.copyPath + "\n\nThe file is incomplete: "));
    QVERIFY(KeptAside(foreign) && KeptAside(truncated) && Removed(noted));
    for (const QString& temporary : temporaries) QVERIFY2(!Exists(temporary), qPrintable(temporary));
    QVERIFY(!Form().IsModified());
    QCOMPARE(Form().Document().ItemCount(), 0);
    QVERIFY(!Exists(recovery_->Files().copyPath));
  }

  void theOfferComesBeforeTheChooserAndTheNamedFile() {
    const QString origin = w_->Path("menus/site.velm");
    Project("menus/site.velm", {{"Saved", 0}});
    const QString other = w_->Path("other.velm");
    Project("other.velm", {{"Other", 0}});
    const QByteArray unsaved = Project("unsaved.velm", {{"Unsaved", 0}});
    const QDateTime now = QDateTime::currentDateTime();

    // Declined: the chooser follows.
    RecoveryCopy left = Plant(Ended("1"), origin, unsaved, now);
    WriteBoolSetting("ShowTempletsDialog", true);
    qsizetype askedBeforeChooser = -1;
    test::OnNextModal([&](QWidget* modal) {
      askedBeforeChooser = modal->objectName() == "frmTemplet" ? Messages().size() : -1;
      modal->findChild<QPushButton*>("BitBtn2")->click();
    });
    w_->prompts.messageAnswers << QMessageBox::No;
    Form().StartUp({});
    QCOMPARE(askedBeforeChooser, qsizetype(1));
    QVERIFY(Removed(left));

    // Recovered: no chooser; another named file brings the usual question
    // about unsaved changes, and Cancel keeps the recovered design; the
    // recovered design's own file is not read again.
    struct Start {
      QString named;
      QStringList asked;
    };
    const QString offer = OfferText("site.velm", now);
    const Start starts[] = {
        {other, {offer, "Save changes to files?"}}, {origin, {offer}}, {QString(), {offer}}};
    for (const Start& start : starts) {
      left = Plant(Ended("1"), origin, unsaved, now);
      Messages().clear();
      w_->prompts.messageAnswers.clear();
      w_->prompts.messageAnswers << QMessageBox::Yes << QMessageBox::Cancel;
      TMainForm next(w_->sandbox.ProgramFolder());
      new CrashRecovery(next);
      bool modalShown = false;
      QTimer::singleShot(300, this, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
          modalShown = true;
          modal->close();
        }
      });
      next.StartUp({start.named});
      QTest::qWait(400);
      QVERIFY(!modalShown);
      QStringList asked;
      for (const auto& message : Messages()) asked << message.text;
      QCOMPARE(asked, start.asked);
      QCOMPARE(next.Document().Items.at(0)[ICaption], std::string("Unsaved"));
      QCOMPARE(next.ProjectFile(), origin);
      QVERIFY(next.IsModified());
    }
  }

  void theCopyFollowsTheModifiedDesign() {
    QCOMPARE(recovery_->Interval(), kRecoveryIntervalMs);
    delete recovery_;
    qputenv("VELMORA_RECOVERY_INTERVAL_MS", "30");
    auto* recovery = new CrashRecovery(Form());
    QCOMPARE(recovery->Interval(), 30);
    const RecoveryCopy& files = recovery->Files();
    const QString project = w_->OpenDesign("menus/a.velm", {{"Home", 0}});
    const QStringList recent = w_->RecentEntries();
    QTest::qWait(100);
    QVERIFY(!Exists(files.copyPath));

    w_->InsertItem();
    QTRY_VERIFY(Exists(files.copyPath));
    QCOMPARE(Sandbox::ReadFile(files.copyPath), Resaved());
    QCOMPARE(NoteOrigin(files), project);
    QCOMPARE(Form().ProjectFile(), project);
    QVERIFY(Form().IsModified());
    QCOMPARE(w_->RecentEntries(), recent);
    QVERIFY(Form().statusBar()->currentMessage().isEmpty());
    // Save As keeps the design modified, now as the other file's.
    w_->AnswerFile("menus/b.velm");
    Form().Save2Click();
    QVERIFY(Form().IsModified());
    QCOMPARE(NoteOrigin(files), w_->Path("menus/b.velm"));

    // Saved, discarded by New, closed at exit: the copy goes each time.
    Form().Save1Click();
    QVERIFY(Removed(files));
    w_->InsertItem();
    QTRY_VERIFY(Exists(files.copyPath));
    w_->prompts.messageAnswers << QMessageBox::No;
    Form().New1Click();
    QVERIFY(Removed(files));
    w_->InsertItem();
    QTRY_VERIFY(Exists(files.copyPath));
    const RecoveryCopy last = files;
    w_->form.reset();
    QVERIFY(Removed(last));
  }

  void aCopyThatCannotBeWrittenIsReportedInTheStatusBarOnly() {
    qputenv("VELMORA_RECOVERY_INTERVAL_MS", "30");
    w_->sandbox.WriteFile("blocked", "a file where the folder should be");
    new CrashRecovery(Form(), w_->Path("blocked/recovery"));
    w_->InsertItem();
    QTRY_VERIFY(Form().statusBar()->currentMessage().startsWith(
        "The recovery copy of the design could not be written: "));
    QVERIFY(Messages().isEmpty());
    QVERIFY(Form().IsModified());
  }

  void aRecoveredCopyStaysUntilThisDesignersCopyIsWritten() {
    const RecoveryCopy left =
        Plant(Ended("1"), "", Project("a.velm", {{"Home", 0}}), QDateTime::currentDateTime());
    QVERIFY(QDir().mkpath(recovery_->Files().copyPath));  // a folder where the copy should go
    w_->prompts.messageAnswers << QMessageBox::Yes;
    Form().StartUp({});
    QVERIFY(Form().IsModified());
    QVERIFY(Form().statusBar()->currentMessage().startsWith(
        "The recovery copy of the design could not be written: "));
    QVERIFY(Exists(left.copyPath));
    // Once the design is safe, the copy taken over goes.
    w_->AnswerFile("saved/a.velm");
    Form().Save1Click();
    QVERIFY(Removed(left));
  }

  void aKilledDesignerLeavesItsWorkForTheNextStart() {
    const QString origin = w_->Path("menus/site.velm");
    const QByteArray saved = Project("menus/site.velm", {{"Home", 0}, {"About", 0}});
    const QString expected = w_->Path("expected.velm");
    QProcess designer;
    StartChild(designer, "gui_recovery_child", {origin, expected}, 100);
    QVERIFY(designer.waitForStarted());
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += designer.readAllStandardOutput()).contains("edited"), 20000);
    const RecoveryCopy files =
        RecoveryFilesOf(DefaultRecoveryFolder(), ProcessIdentityOf(designer.processId()));
    QTRY_COMPARE_WITH_TIMEOUT(Sandbox::ReadFile(files.copyPath), Sandbox::ReadFile(expected), 10000);
    designer.kill();  // SIGKILL: nothing runs on the way out
    QVERIFY(designer.waitForFinished());
    QCOMPARE(designer.exitStatus(), QProcess::CrashExit);
    QVERIFY(Exists(files.copyPath));

    w_->prompts.messageAnswers << QMessageBox::Yes;
    Form().StartUp({});
    QCOMPARE(Messages().size(), 1);
    QVERIFY(Messages()[0].text.startsWith("Velmora did not close normally."));
    QCOMPARE(Form().ProjectFile(), origin);
    QVERIFY(Form().IsModified());
    QCOMPARE(Sandbox::ReadFile(origin), saved);
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "Caf\u00e9 \u2192 Men\u00fc", "About"}));
    const QByteArray resaved = Resaved();
    QCOMPARE(resaved, Sandbox::ReadFile(expected));
    QVERIFY(resaved.contains("<Format_Extensions>"));
    QVERIFY(Removed(files));
  }

  // A designer saving a large design again and again, killed at random
  // moments: the project is always the last or the next saved state, the
  // next save leaves no temporary file, and only a copy that differs from
  // the project is offered.
  void designersKilledWhileSavingLeaveTheProjectWholeAndOfferOnlyRealChanges() {
    constexpr int kItems = 20000;
    std::vector<test::DesignItem> items;
    items.reserve(kItems);
    for (int k = 0; k < kItems; ++k) items.emplace_back("Item " + std::to_string(k), k % 3 == 0 ? 0 : 1);
    items[0].caption = "v0";
    const QString project = w_->Path("site/big.velm");
    test::WriteProject(project, items);
    const QDir folder = QFileInfo(project).absoluteDir();
    auto temporaries = [&] { return folder.entryList({".*.tmp"}, QDir::Files | QDir::Hidden); };
    QRandomGenerator random(20261208);
    int offered = 0;
    for (int kill = 0; kill < 4; ++kill) {
      // What the designer killed before left: each one counts from 1 again.
      const QString before = QString::fromStdString(test::ProjectCaptions(project)[0]);
      QProcess designer;
      StartChild(designer, "gui_save_loop_child", {project}, 15);
      QVERIFY(designer.waitForStarted());
      QByteArray output;
      QTRY_VERIFY_WITH_TIMEOUT((output += designer.readAllStandardOutput()).contains("saving"), 20000);
      QTest::qWait(static_cast<int>(random.bounded(600)));
      const RecoveryCopy files =
          RecoveryFilesOf(DefaultRecoveryFolder(), ProcessIdentityOf(designer.processId()));
      designer.kill();
      QVERIFY(designer.waitForFinished());
      output += designer.readAllStandardOutput();

      // Old or new, never torn.
      const QList<QByteArray> lines = output.trimmed().split('\n');
      const int saving = lines.last().split(' ').last().toInt();
      const std::vector<std::string> captions = test::ProjectCaptions(project);
      QCOMPARE(captions.size(), size_t(kItems));
      // Killed after "saved N": that state; during "saving N": the one before or N.
      QStringList states{"v" + QString::number(saving)};
      if (lines.last().startsWith("saving "))
        states << (saving == 1 ? before : "v" + QString::number(saving - 1));
      const QString first = QString::fromStdString(captions[0]);
      QVERIFY2(states.contains(first), qPrintable(first + " after " + lines.last() + ", before " + before));

      // Offered exactly when the copy holds something the project lacks.
      const bool differs =
          Exists(files.copyPath) && Sandbox::ReadFile(files.copyPath) != Sandbox::ReadFile(project);
      Messages().clear();
      w_->prompts.messageAnswers << QMessageBox::No;
      TMainForm next(w_->sandbox.ProgramFolder());
      new CrashRecovery(next);
      next.StartUp({project});
      QCOMPARE(Messages().size(), differs ? 1 : 0);
      offered += differs ? 1 : 0;
      QVERIFY(Removed(files));

      // The next save into the folder takes away what the kill left.
      next.Save1Click();
      QVERIFY2(temporaries().isEmpty(), qPrintable(temporaries().join(' ')));
      QCOMPARE(test::ProjectCaptions(project)[0], captions[0]);
    }
    qInfo("%d of 4 kills left a copy worth offering", offered);
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::CrashRecoveryTest)
#include "test_crash_recovery.moc"
