// The design tree follows the document: random runs of item commands, their
// undo and redo, renames, and changes made to the document directly (even
// ones that give items other parents) leave every node where the items'
// levels place it, reading its item's caption, with the history kept; the
// commands and their undo keep every node unfolded.

#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>
#include <random>

#include "designer/change_values_command.h"
#include "designer/undo_history.h"
#include "support/window_fixture.h"

namespace velmora {

class TreeFollowsDocumentTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;
  TMainForm& Form() { return *w_->form; }
  QTreeWidget* Tree() { return Form().findChild<QTreeWidget*>("trvwDesignPanel"); }
  void Select(int node) { Tree()->setCurrentItem(Form().NodeAt(node)); }

  // Empty when every node mirrors its item; else what differs.
  QString Mismatch() {
    if (!w_->TreeInStep()) return "the tree's shape";
    const TvornAppletAgent& doc = Form().Document();
    for (int i = 0; i < doc.ItemCount(); ++i) {
      const QString caption =
          QString::fromStdString(std::string(doc.Items[static_cast<size_t>(i)][ICaption]));
      const QString text = Form().NodeAt(i + 1)->text(0);
      if (text != caption && text != "Item")
        return QString("node %1 reads %2, not %3").arg(i + 1).arg(text, caption);
    }
    if (!Tree()->currentItem()) return "no selection";
    return {};
  }

  // Empty when every node with children is unfolded; else the first that is not.
  QString Folded() {
    for (int node = 0; node <= Form().Document().ItemCount(); ++node) {
      if (Form().NodeAt(node)->childCount() > 0 && !Form().NodeAt(node)->isExpanded())
        return QString("node %1 is folded").arg(node);
    }
    return {};
  }

 private slots:
  void init() {
    w_ = std::make_unique<test::WindowFixture>();
    Form().show();
  }
  void cleanup() { w_.reset(); }

  void randomCommandsUndoAndRedoKeepTheTreeInStep() {
    w_->OpenDesign("menus/nested.velm", test::NestedDesign(40, 3, 5));
    UndoHistory& history = Form().History();
    std::mt19937 random(23);
    auto pick = [&random](int below) { return below <= 0 ? 0 : static_cast<int>(random() % below); };
    for (int step = 0; step < 400; ++step) {
      const int items = Form().Document().ItemCount();
      switch (pick(8)) {
        case 0:
          Select(pick(items + 1));
          Form().Insert1Click();
          break;
        case 1:
          if (items < 5) break;
          Select(1 + pick(items));
          w_->prompts.messageAnswers.enqueue(QMessageBox::Yes);
          Form().Delete1Click();
          break;
        case 2:
          Select(1 + pick(items));
          Form().MoveUp1Click();
          break;
        case 3:
          Select(1 + pick(items));
          Form().MoveDown1Click();
          break;
        case 4:
          if (items == 0) break;
          history.Push(new ChangeValuesCommand(history.Editor(),
                                               {{{pick(items), ICaption}, "r" + std::to_string(step)}},
                                               "Rename Item", false));
          break;
        case 5:
        case 6:
          for (int k = pick(4); k >= 0; --k) history.Undo();
          break;
        default:
          for (int k = pick(4); k >= 0; --k) history.Redo();
          break;
      }
      // The design opened with every node unfolded; no command folds one.
      const QString mismatch = Mismatch() + Folded();
      QVERIFY2(mismatch.isEmpty(), qPrintable(QString("step %1: %2").arg(step).arg(mismatch)));
    }
    // All the way back is the design as opened.
    while (history.Stack().canUndo()) history.Undo();
    QVERIFY(Mismatch().isEmpty());
    QCOMPARE(w_->Captions().size(), size_t(40));
    QVERIFY(!Form().IsModified());
  }

  void documentChangesThatReparentItemsRebuildTheTreeKeepingTheHistory() {
    // a, b (a's child), c (b's child), d, e (d's child)
    w_->OpenDesign("menus/small.velm", {{"a", 0}, {"b", 1}, {"c", 2}, {"d", 0}, {"e", 1}});
    Form().Insert1Click();  // one step in the history
    QCOMPARE(Form().History().Stack().count(), 1);
    TvornAppletAgent& doc = Form().Document();
    Select(4);  // d

    doc.DeleteItem(1);  // c now hangs from a
    QVERIFY2(Mismatch().isEmpty(), qPrintable(Mismatch()));
    QCOMPARE(Form().NodeAt(2)->parent(), Form().NodeAt(1));
    QCOMPARE(Tree()->currentItem()->text(0), QString("d"));

    TItemData top = TvornAppletAgent::MakeDefaultItem();
    top[ICaption] = "t";
    top[ILevel] = "0";
    doc.InsertItem(1, top);  // c leaves a for t
    QVERIFY2(Mismatch().isEmpty(), qPrintable(Mismatch()));
    QCOMPARE(Form().NodeAt(3)->parent()->text(0), QString("t"));

    doc.MoveBlockUp(2, 1, 1);  // c before t: it joins a
    QVERIFY2(Mismatch().isEmpty(), qPrintable(Mismatch()));
    QCOMPARE(Form().NodeAt(2)->parent()->text(0), QString("a"));

    TItemData renamed = doc.GetItem(0);
    renamed[ICaption] = "A";
    doc.SetItem(0, renamed);
    QCOMPARE(Form().NodeAt(1)->text(0), QString("A"));
    QCOMPARE(Form().History().Stack().count(), 1);
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::TreeFollowsDocumentTest)
#include "test_tree_follows_document.moc"
