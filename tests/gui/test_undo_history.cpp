// The undo history driven through the real window: random runs of edits
// taken back and done again, keystrokes making one step, the Edit menu's
// captions and a fresh history for every other design. Showing an item
// never changes the design.

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>
#include <random>

#include "designer/document_notifier.h"
#include "designer/page_widgets.h"
#include "designer/undo_history.h"
#include "generator/page_style.h"
#include "support/modal.h"
#include "support/window_fixture.h"

namespace velmora {

namespace {

// Values the pages show otherwise than stored: numbers beyond a box's
// range, a list entry that does not exist, blanks around a text, a colour
// in small letters, a picture size other than the item's size, fields no
// control edits.
void StoreValuesOnlyShown(TvornAppletAgent& doc) {
  for (int i = 0; i < doc.ItemCount(); i += 3) {
    TItemData& item = doc.Items[static_cast<size_t>(i)];
    item[IWidth] = "20000";
    item[IPaddingTop] = "-12000";
    item[ICursorOver] = "30";
    item[IToolTip] = "  tip " + std::to_string(i) + " ";
    item[IColorNormal] = "abcdef";
    item[IImageHeight] = "7";
    item[IReserved15] = "kept";
    item[IClassOver] = "over" + std::to_string(i);
  }
}

}  // namespace

class UndoHistoryTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;
  TMainForm& Form() { return *w_->form; }
  QTreeWidget* Tree() { return Form().findChild<QTreeWidget*>("trvwDesignPanel"); }
  UndoHistory& History() { return Form().History(); }
  void Select(int node) { Tree()->setCurrentItem(Form().NodeAt(node)); }
  template <typename Widget>
  Widget* Control(const char* name) {
    auto* control = Form().findChild<Widget*>(name);
    if (!control) qFatal("no control %s", name);
    return control;
  }
  QString ActiveTab() {
    auto* tabs = Control<QTabWidget>("pgcntrl1");
    return tabs->tabText(tabs->currentIndex());
  }
  QByteArray SaveAs(const QString& relative) {
    w_->AnswerFile(relative);
    Form().Save2Click();
    return test::Sandbox::ReadFile(w_->Path(relative));
  }

  // Every node shows its item: same count, and each node's text is its
  // record's caption (a new node reads "Item" until it is first selected);
  // the page style's entry and field show the design's.
  QString TreeAndItemsDisagree() {
    const TvornAppletAgent& doc = Form().Document();
    if (!w_->TreeInStep()) return "node count " + QString::number(Form().Tree().NodeCount());
    const PageSettings settings = PageSettingsOf(doc);
    if (Control<QAction>("ModernPageOutput1")->isChecked() != (settings.style == PageStyle::Html5))
      return "the Modern Page Output entry";
    if (Control<QLineEdit>("edtPageLanguage")->text().toStdString() != settings.language)
      return "the page language " + Control<QLineEdit>("edtPageLanguage")->text();
    for (int i = 0; i < doc.ItemCount(); ++i) {
      const QString caption =
          QString::fromStdString(std::string(doc.Items[static_cast<size_t>(i)][ICaption]));
      const QString text = Form().NodeAt(i + 1)->text(0);
      if (text != caption && !(text == "Item" && caption == "Item Caption"))
        return QString("node %1 reads %2, its item %3").arg(i + 1).arg(text, caption);
    }
    return {};
  }

  // One random edit through the window; false when it changed nothing.
  void RandomEdit(std::mt19937& random, int step) {
    auto pick = [&random](int below) { return below <= 0 ? 0 : static_cast<int>(random() % below); };
    const int items = Form().Document().ItemCount();
    const int item = 1 + pick(items);
    switch (pick(10)) {
      case 0:
        Select(pick(items + 1));
        Form().Insert1Click();
        return;
      case 1:
        if (items < 10) return;
        Select(item);
        w_->prompts.messageAnswers.enqueue(QMessageBox::Yes);
        Form().Delete1Click();
        return;
      case 2:
        Select(item);
        Form().MoveUp1Click();
        return;
      case 3:
        Select(item);
        Form().MoveDown1Click();
        return;
      case 4: {
        Select(item);
        auto* caption = Control<QLineEdit>("edt_ICaption");
        caption->setFocus();
        caption->selectAll();
        QTest::keyClicks(caption, QString("c%1").arg(step));
        Tree()->setFocus();
        return;
      }
      case 5:
        Select(item);
        Control<QSpinBox>("spnedt_IPaddingLeft")->setValue(pick(40));
        Control<QComboBox>("cmbx_IBorderTopStyleOver")->setCurrentIndex(pick(10));
        return;
      case 6:
        Select(item);
        Control<QAbstractButton>("spdbtn_IFontWeightClicked")->click();
        Control<ColorPanel>("pnl_IBackgroundColorNormal")->SetColor(QColor(pick(256), 10, 20));
        return;
      case 7:
        Select(0);
        Control<QSpinBox>("spnedt_pOpenDelay")->setValue(pick(900));
        Control<QAbstractButton>("chckbx_pCloseSlideType")->click();
        return;
      case 8: {
        static const char* const kLanguages[] = {"de", "pt-BR", "en", "fr-CA"};
        Select(0);
        auto* modern = Control<QAction>("ModernPageOutput1");
        if (!modern->isChecked() || pick(3) == 0) {
          modern->trigger();
          return;
        }
        Control<QTabWidget>("pgcntrl1")->setCurrentWidget(Control<QWidget>("tbshtPath"));
        auto* language = Control<QLineEdit>("edtPageLanguage");
        language->setFocus();
        language->selectAll();
        QTest::keyClicks(language, kLanguages[pick(4)]);
        Tree()->setFocus();
        return;
      }
      default: {
        std::vector<bool> marks(static_cast<size_t>(items));
        for (int k = 0; k < 5; ++k) marks[static_cast<size_t>(pick(items))] = true;
        CopyMask mask{};
        mask[static_cast<size_t>(IColorOver)] = mask[static_cast<size_t>(IFontSizeNormal)] = true;
        mask[static_cast<size_t>(ICaption)] = pick(2) == 0;
        Select(item);  // the batch changer copies from the selected item
        History().RecordBatchChange(item - 1, marks, mask);
        return;
      }
    }
  }

 private slots:
  void init() {
    w_ = std::make_unique<test::WindowFixture>();
    QVERIFY(w_->ShowActive());
  }
  void cleanup() { w_.reset(); }

  void randomEditsUndoToTheStartAndRedoToTheEnd() {
    w_->OpenDesign("menus/big.velm", test::NestedDesign(50, 2, 11));
    StoreValuesOnlyShown(Form().Document());
    const QByteArray start = SaveAs("out/start.velm");
    QVERIFY(!start.contains("<Format_Extensions>"));
    for (const char* shownOtherwise : {"20000", "  tip 0 ", "abcdef", "kept"})
      QVERIFY(start.contains(shownOtherwise));
    // Showing every item and saving changes nothing.
    for (int node = 0; node <= Form().Document().ItemCount(); ++node) Select(node);
    Form().StorePages();
    QCOMPARE(SaveAs("out/shown.velm"), start);
    std::mt19937 random(5);
    for (int step = 0; step < 300; ++step) {
      RandomEdit(random, step);
      const QString problem = TreeAndItemsDisagree();
      QVERIFY2(problem.isEmpty(), qPrintable(QString("after edit %1: %2").arg(step).arg(problem)));
    }
    QUndoStack& stack = History().Stack();
    QVERIFY2(stack.count() > 200, "most edits are steps");
    const QByteArray end = SaveAs("out/end.velm");
    QVERIFY(end != start);

    while (stack.canUndo()) {
      History().Undo();
      const QString problem = TreeAndItemsDisagree();
      QVERIFY2(problem.isEmpty(), qPrintable(QString("undoing to %1: %2").arg(stack.index()).arg(problem)));
    }
    QVERIFY2(!Form().IsModified(), "back to the design as it was opened");
    QCOMPARE(SaveAs("out/undone.velm"), start);
    while (stack.canRedo()) {
      History().Redo();
      const QString problem = TreeAndItemsDisagree();
      QVERIFY2(problem.isEmpty(), qPrintable(QString("redoing to %1: %2").arg(stack.index()).arg(problem)));
    }
    QCOMPARE(SaveAs("out/redone.velm"), end);
  }

  void keystrokesInOneFieldAreOneStep() {
    w_->OpenDesign("menus/a.velm", {{"Home", 0}, {"News", 0}});
    Select(2);
    auto* caption = Control<QLineEdit>("edt_ICaption");
    caption->setFocus();
    caption->end(false);
    QTest::keyClicks(caption, "room");
    QCOMPARE(Form().NodeAt(2)->text(0), QString("Newsroom"));
    QCOMPARE(History().Stack().count(), 1);
    auto* undo = Control<QAction>("Undo1");
    auto* redo = Control<QAction>("Redo1");
    QCOMPARE(undo->text(), QString("&Undo Rename Item"));
    QVERIFY(!redo->isEnabled());

    // Leaving the field ends the step; erasing what was typed drops the
    // second step again, since it ends where it began.
    Tree()->setFocus();
    caption->setFocus();
    QTest::keyClicks(caption, "s");
    QCOMPARE(History().Stack().count(), 2);
    QTest::keyClick(caption, Qt::Key_Backspace);
    QCOMPARE(History().Stack().count(), 1);

    // Undo puts back the caption, the node text and the page.
    Control<QTabWidget>("pgcntrl1")->setCurrentIndex(2);
    Select(1);
    undo->trigger();
    QCOMPARE(Form().Document().Items[1][ICaption], std::string("News"));
    QCOMPARE(Form().NodeAt(2)->text(0), QString("News"));
    QCOMPARE(Tree()->currentItem(), Form().NodeAt(2));
    QCOMPARE(caption->text(), QString("News"));
    QCOMPARE(ActiveTab(), QString("Item General"));
    QCOMPARE(redo->text(), QString("&Redo Rename Item"));
    QVERIFY(!undo->isEnabled());
    redo->trigger();
    QCOMPARE(caption->text(), QString("Newsroom"));

    // A control of another page: one step each, shown on its own page.
    Control<ColorPanel>("pnl_IColorOver")->SetColor(Qt::red);
    Control<QAbstractButton>("spdbtn_IFontStyleOver")->click();
    QCOMPARE(History().Stack().count(), 3);
    Control<QTabWidget>("pgcntrl1")->setCurrentIndex(1);
    undo->trigger();
    QCOMPARE(ActiveTab(), QString("Mouse Over"));
    QCOMPARE(undo->text(), QString("&Undo Change Color"));
  }

  void pageStyleAndLanguageAreSteps() {
    w_->OpenDesign("menus/a.velm", {{"Home", 0}, {"News", 0}});
    const QByteArray classic = SaveAs("out/start.velm");
    QVERIFY(!classic.contains("<Format_Extensions>"));
    auto* modern = Control<QAction>("ModernPageOutput1");
    auto* language = Control<QLineEdit>("edtPageLanguage");
    auto* undo = Control<QAction>("Undo1");
    QSignalSpy changed(&Form().Notifications(), &DocumentNotifier::Changed);

    modern->trigger();
    QCOMPARE(undo->text(), QString("&Undo Change Page Style"));
    Control<QTabWidget>("pgcntrl1")->setCurrentWidget(Control<QWidget>("tbshtPath"));
    language->setFocus();
    language->selectAll();
    QTest::keyClicks(language, "pt-BR");
    QCOMPARE(History().Stack().count(), 2);  // the keystrokes are one step
    QCOMPARE(undo->text(), QString("&Undo Change Page Language"));
    const QByteArray modernBytes = SaveAs("out/modern.velm");
    QVERIFY(modernBytes.contains("Page_Style=HTML5\r\nPage_Language=pt-BR\r\n"));

    Select(1);
    Form().SetModified(false);
    changed.clear();
    undo->trigger();
    QCOMPARE(language->text(), QString("en"));
    QCOMPARE(Tree()->currentItem(), Form().RootNode());
    QCOMPARE(ActiveTab(), QString("Path"));
    QVERIFY(Form().IsModified());
    QVERIFY(!changed.isEmpty());
    undo->trigger();
    QVERIFY(!modern->isChecked());
    QVERIFY(!language->isEnabled());
    QCOMPARE(SaveAs("out/classic.velm"), classic);
    Control<QAction>("Redo1")->trigger();
    Control<QAction>("Redo1")->trigger();
    QVERIFY(modern->isChecked());
    QCOMPARE(language->text(), QString("pt-BR"));
    QCOMPARE(SaveAs("out/modern-again.velm"), modernBytes);
  }

  void treeCommandsAreStepsWithTheirNames() {
    w_->OpenDesign("menus/a.velm", {{"Home", 0}, {"Shop", 0}, {"Cart", 1}, {"News", 0}});
    auto* undo = Control<QAction>("Undo1");
    Select(2);
    Form().MoveDown1Click();
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "News", "Shop", "Cart"}));
    QCOMPARE(undo->text(), QString("&Undo Move Item"));
    w_->prompts.messageAnswers.enqueue(QMessageBox::Yes);
    Form().Delete1Click();  // Shop with Cart
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "News"}));
    QCOMPARE(undo->text(), QString("&Undo Delete Item"));
    undo->trigger();
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "News", "Shop", "Cart"}));
    QCOMPARE(Tree()->currentItem(), Form().NodeAt(3));
    QCOMPARE(Form().NodeAt(4)->parent(), Form().NodeAt(3));
    undo->trigger();
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "Shop", "Cart", "News"}));
    QCOMPARE(Tree()->currentItem(), Form().NodeAt(2));
    Form().Insert1Click();  // under Shop, after Cart
    QCOMPARE(undo->text(), QString("&Undo Insert Item"));
    QCOMPARE(Form().NodeAt(4)->parent(), Form().NodeAt(2));
    QVERIFY2(!Control<QAction>("Redo1")->isEnabled(), "a new step drops the undone ones");
    QCOMPARE(Form().Document().Items[3][ILevel], std::string("1"));
  }

  void otherDesignsStartAFreshHistoryAndTheOldestStepsGo() {
    w_->InsertItem();
    Select(1);
    auto* bold = Control<QAbstractButton>("spdbtn_IFontWeightNormal");
    for (int k = 0; k < UndoHistory::kMostSteps + 5; ++k) bold->click();
    QCOMPARE(History().Stack().count(), UndoHistory::kMostSteps);

    w_->AnswerFile("menus/kept.velm");
    Form().Save1Click();
    QCOMPARE(History().Stack().count(), UndoHistory::kMostSteps);  // saving keeps it
    auto* undo = Control<QAction>("Undo1");
    Form().New1Click();
    QVERIFY(!undo->isEnabled());
    QCOMPARE(undo->text(), QString("&Undo"));

    w_->InsertItem();
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    w_->OpenDesign("menus/b.velm", {{"Home", 0}});
    QCOMPARE(History().Stack().count(), 0);

    w_->InsertItem();
    test::WriteStructure(w_->Path("menus/s.gms"), {{"One", 0}, {"Two", 1}});
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    w_->prompts.fileAnswers.enqueue(w_->Path("menus/s.gms"));
    Form().ImportMenuStructure1Click();
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"One", "Two"}));
    QCOMPARE(History().Stack().count(), 0);

    w_->InsertItem();
    w_->sandbox.WriteFile("site/page.html",
                          "<nav><ul><li><a href=\"a.html\">Alpha</a></li><li><a href=\"b.html\">Beta</a></li>"
                          "</ul></nav>");
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    w_->prompts.fileAnswers.enqueue(w_->Path("site/page.html"));
    test::OnNextModal([](QWidget* chooser) { chooser->findChild<QPushButton*>("btnOK")->click(); });
    Control<QAction>("ImportWebPage1")->trigger();
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Alpha", "Beta"}));
    QCOMPARE(History().Stack().count(), 0);

    w_->InsertItem();
    test::WriteProject(w_->ProgramPath("templates/t.velm"), {{"From template", 0}});
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    test::OnNextModal([](QWidget* chooser) {
      chooser->findChild<QListWidget*>("TempletList")->setCurrentRow(0);
      chooser->findChild<QPushButton*>("BitBtn1")->click();
    });
    Form().Templet1Click();
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"From template"}));
    QCOMPARE(History().Stack().count(), 0);
  }

  void editMenuSitsBetweenFileAndView() {
    QStringList titles;
    for (QAction* menu : Form().menuBar()->actions()) titles << menu->text();
    QCOMPARE(titles.mid(0, 3), QStringList({"&File", "&Edit", "&View"}));
    QCOMPARE(Control<QAction>("Undo1")->shortcut(), QKeySequence("Ctrl+Z"));
    QCOMPARE(Control<QAction>("Redo1")->shortcuts(),
             (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::UndoHistoryTest)
#include "test_undo_history.moc"
