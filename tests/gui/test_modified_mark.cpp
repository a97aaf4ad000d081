// The modified mark is the undo history's saved point: random runs of
// edits, undos, redos and saves, after each of which the mark says whether
// the design differs from the file last saved; showing items never marks;
// undoing back to the save clears the mark, the prompts and the recovery
// copy; the status bar names the design.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <random>

#include "designer/application.h"
#include "designer/crash_recovery.h"
#include "designer/undo_history.h"
#include "platform/codepage.h"
#include "support/window_fixture.h"

namespace velmora {

using test::Sandbox;

class ModifiedMarkTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;
  TMainForm& Form() { return *w_->form; }
  UndoHistory& History() { return Form().History(); }
  QTreeWidget* Tree() { return Form().findChild<QTreeWidget*>("trvwDesignPanel"); }
  void Select(int node) { Tree()->setCurrentItem(Form().NodeAt(node)); }
  template <typename Widget>
  Widget* Control(const char* name) {
    auto* control = Form().findChild<Widget*>(name);
    if (!control) qFatal("no control %s", name);
    return control;
  }
  QString DesignLabel() { return Control<QLabel>("stctxtDesign")->text(); }

  // The project file of the design as it is now.
  QByteArray Resaved() {
    const QString path = w_->Path("resaved.velm");
    Form().Document().SaveProject(ToNativePath(path));
    return Sandbox::ReadFile(path);
  }
  bool DiffersFromTheSave() { return Resaved() != Sandbox::ReadFile(Form().ProjectFile()); }

  // Types into an edit as a user does: focus, select all, keys, leave.
  void TypeInto(const char* name, const QString& text) {
    auto* edit = Control<QLineEdit>(name);
    edit->setFocus();
    edit->selectAll();
    // Key by key, as keyClicks takes Latin-1 only.
    for (const QChar ch : text) {
      QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    Tree()->setFocus();
  }

  // Items of the opened design carry a mark in a field no page edits, so
  // the random run can tell them from the items it inserts.
  static constexpr const char* kOriginal = "original";
  bool IsOriginal(int item) {
    return Form().Document().Items[static_cast<size_t>(item)][IReserved15] == std::string(kOriginal);
  }

  // One random action. Every edit makes a design this run never had
  // before (each value is new; only items of the opened design are
  // deleted), so the design differs from the save exactly when the history
  // stands elsewhere than at the save.
  void RandomAction(std::mt19937& random, int step) {
    auto pick = [&random](int below) { return below <= 0 ? 0 : static_cast<int>(random() % below); };
    const int items = Form().Document().ItemCount();
    switch (pick(11)) {
      case 0:  // showing never marks
        Select(pick(items + 1));
        Control<QTabWidget>("pgcntrl1")->setCurrentIndex(pick(7));
        return;
      case 1:
        Select(1 + pick(items));
        TypeInto("edt_ICaption", QString("c%1").arg(step));
        return;
      case 2:
        Select(1 + pick(items));
        Control<QSpinBox>("spnedt_IPaddingLeft")->setValue(1000 + step);
        return;
      case 3:
        Select(pick(items + 1));
        Form().Insert1Click();
        return;
      case 4: {
        const int item = pick(items);
        if (items < 8 || !IsOriginal(item)) return;
        Select(item + 1);
        w_->prompts.messageAnswers.enqueue(pick(4) == 0 ? QMessageBox::No : QMessageBox::Yes);
        Form().Delete1Click();
        return;
      }
      case 5:
      case 6:
        if (History().Stack().canUndo()) Control<QAction>("Undo1")->trigger();
        return;
      case 7:
        if (History().Stack().canRedo()) Control<QAction>("Redo1")->trigger();
        return;
      case 8:
        Form().Save1Click();
        return;
      case 9:  // a character the code page lacks: the design turns UTF-8 within the step
        Select(1 + pick(items));
        TypeInto("edt_IToolTip", QString::fromUtf8("\u65E5 %1").arg(step));
        return;
      default:
        Select(0);
        Control<QSpinBox>("spnedt_pOpenDelay")->setValue(step);
        return;
    }
  }

  QString MarkDisagrees() {
    const bool differs = DiffersFromTheSave();
    if (Form().IsModified() != differs)
      return QString("modified %1, differs from the save %2").arg(Form().IsModified()).arg(differs);
    if (!w_->SaveCommandFollowsModified()) return "Save is not offered exactly when modified";
    if (DesignLabel() != (differs ? "m.velm (modified)" : "m.velm"))
      return "the status bar reads " + DesignLabel();
    return {};
  }

 private slots:
  void initTestCase() { ConfigureApplication(); }

  void init() {
    qunsetenv("VELMORA_RECOVERY_INTERVAL_MS");
    w_ = std::make_unique<test::WindowFixture>();
    QVERIFY(w_->ShowActive());
  }
  void cleanup() { w_.reset(); }

  void randomEditsUndosRedosAndSavesKeepTheMarkHonest() {
    std::vector<test::DesignItem> items;
    for (int i = 0; i < 30; ++i) items.emplace_back("item " + std::to_string(i), i % 3 == 0 ? 0 : 1);
    w_->OpenDesign("menus/m.velm", items);
    for (TItemData& item : Form().Document().Items) item[IReserved15] = kOriginal;
    Form().Save1Click();
    QCOMPARE(Form().Document().Encoding, TextEncoding::Windows1252);
    std::mt19937 random(7);
    int modifiedSteps = 0;
    int savedSteps = 0;
    for (int step = 0; step < 400; ++step) {
      RandomAction(random, step);
      const QString problem = MarkDisagrees();
      QVERIFY2(problem.isEmpty(), qPrintable(QString("after action %1: %2").arg(step).arg(problem)));
      (Form().IsModified() ? modifiedSteps : savedSteps)++;
    }
    // The run went through both states often, and through the switch to UTF-8.
    QVERIFY(modifiedSteps > 50 && savedSteps > 50);
    QCOMPARE(Form().Document().Encoding, TextEncoding::Utf8);
  }

  void showingItemsAndPagesAsksNothing() {
    w_->OpenDesign("menus/m.velm", {{"Home", 0}, {"Team", 1}, {"About", 0}});
    QCOMPARE(DesignLabel(), QString("m.velm"));
    auto* tabs = Control<QTabWidget>("pgcntrl1");
    for (int node = 0; node <= 3; ++node) {
      Select(node);
      for (int page = 0; page < tabs->count(); ++page) tabs->setCurrentIndex(page);
    }
    Form().LoadMenuPages();
    QVERIFY(!Form().IsModified());
    QVERIFY(!Control<QAction>("Save1")->isEnabled());
    Form().New1Click();
    QVERIFY(w_->prompts.messages.isEmpty());
    QCOMPARE(DesignLabel(), QString("Untitled"));
    QCOMPARE(Form().windowTitle(), QString("Velmora"));
  }

  void undoingBackToTheSaveLeavesNothingToSave() {
    qputenv("VELMORA_RECOVERY_INTERVAL_MS", "10");
    auto* recovery = new CrashRecovery(Form());
    w_->OpenDesign("menus/m.velm", {{"Home", 0}, {"About", 0}});
    Select(1);
    TypeInto("edt_ICaption", "Start");
    w_->AnswerFile("menus/m.velm");
    Form().Save1Click();
    const QByteArray saved = Sandbox::ReadFile(w_->Path("menus/m.velm"));

    // Steps on both sides of the save, one of them switching to UTF-8.
    Control<QSpinBox>("spnedt_IPaddingLeft")->setValue(12);
    TypeInto("edt_IToolTip", QString::fromUtf8("\u65E5\u672C"));
    QCOMPARE(Form().Document().Encoding, TextEncoding::Utf8);
    QCOMPARE(History().Stack().count(), 3);  // the switch kept the history
    QCOMPARE(DesignLabel(), QString("m.velm (modified)"));
    QTRY_VERIFY(QFileInfo::exists(recovery->Files().copyPath));

    auto* undo = Control<QAction>("Undo1");
    undo->trigger();
    QCOMPARE(Form().Document().Encoding, TextEncoding::Windows1252);
    QVERIFY(Form().IsModified());
    undo->trigger();
    QVERIFY(!Form().IsModified());
    QVERIFY(!Control<QAction>("Save1")->isEnabled() && !Control<QToolButton>("tlbtnSave")->isEnabled());
    QCOMPARE(Resaved(), saved);
    QCOMPARE(DesignLabel(), QString("m.velm"));
    QVERIFY(!QFileInfo::exists(recovery->Files().copyPath));
    QTest::qWait(50);
    QVERIFY2(!QFileInfo::exists(recovery->Files().copyPath), "no copy of a saved design");

    // Before the save, and back past it.
    undo->trigger();
    QVERIFY(Form().IsModified());
    // (The save named the menu's classes in the records; the rest is as opened.)
    QCOMPARE(Form().Document().Items[0][ICaption], std::string("Home"));
    Control<QAction>("Redo1")->trigger();
    QVERIFY(!Form().IsModified());
    Control<QAction>("Redo1")->trigger();
    Control<QAction>("Redo1")->trigger();
    QVERIFY(Form().IsModified());
    QCOMPARE(Form().Document().Encoding, TextEncoding::Utf8);
    QCOMPARE(Form().Document().Items[0][IToolTip], std::string("\u65E5\u672C"));
    QCOMPARE(Tree()->currentItem(), Form().NodeAt(1));

    undo->trigger();
    undo->trigger();
    Form().New1Click();
    QVERIFY(w_->prompts.messages.isEmpty());
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::ModifiedMarkTest)
#include "test_modified_mark.moc"
