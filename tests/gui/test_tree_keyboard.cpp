// The tree as a keyboard user and a returning user meet it: designs read
// from a file show their branches, and Ins, Del, Ctrl+Up and Ctrl+Down edit
// the tree while it has the focus, exactly as the Item menu does.

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "designer/main_form.h"
#include "support/window_fixture.h"

namespace velmora {

using test::DesignItem;

namespace {

// Open branches: expanded nodes that have children.
int ExpandedNodes(QTreeWidgetItem* node) {
  int count = node->isExpanded() && node->childCount() > 0 ? 1 : 0;
  for (int k = 0; k < node->childCount(); ++k) count += ExpandedNodes(node->child(k));
  return count;
}

}  // namespace

class TreeKeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void readDesignsShowTheirBranches() {
    test::WindowFixture w;
    // Root, A and A1 have children: all three open.
    w.OpenDesign("a.velm", {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"B", 0}});
    QCOMPARE(ExpandedNodes(w.form->RootNode()), 3);

    test::WriteStructure(w.Path("s.gms"), {{"S", 0}, {"S1", 1}, {"T", 0}, {"T1", 1}});
    w.AnswerFile("s.gms");
    w.form->ImportMenuStructure1Click();
    QCOMPARE(w.form->Document().ItemCount(), 4);
    QCOMPARE(ExpandedNodes(w.form->RootNode()), 3);

    // A large design shows its first level only.
    std::vector<DesignItem> large;
    for (int k = 0; k < 260; ++k) {
      large.emplace_back("Top" + std::to_string(k), 0);
      large.emplace_back("Sub" + std::to_string(k), 1);
    }
    w.OpenDesign("large.velm", large);
    QCOMPARE(w.form->Document().ItemCount(), 520);
    QVERIFY(w.form->RootNode()->isExpanded());
    QCOMPARE(ExpandedNodes(w.form->RootNode()), 1);
  }

  void keysEditTheTreeAsTheItemMenuDoes() {
    test::WindowFixture w;
    TMainForm& form = *w.form;
    // The keys belong to the commands' own actions, which the tree carries.
    auto* tree = form.findChild<QTreeWidget*>("trvwDesignPanel");
    for (const char* name : {"Insert1", "Delete1", "MoveUp1", "MoveDown1"}) {
      auto* action = form.findChild<QAction*>(name);
      QVERIFY2(!action->shortcut().isEmpty(), name);
      QVERIFY2(tree->actions().contains(action), name);
    }
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    tree->setFocus();
    tree->setCurrentItem(form.RootNode());

    QTest::keyClick(tree, Qt::Key_Insert);
    QTest::keyClick(tree, Qt::Key_Insert);
    QCOMPARE(form.Document().ItemCount(), 2);
    QVERIFY(form.IsModified());
    form.SetModified(false);  // no save prompt at the open below

    w.OpenDesign("k.velm", {{"A", 0}, {"B", 0}, {"C", 0}});
    tree->setFocus();
    tree->setCurrentItem(form.NodeAt(1));
    QTest::keyClick(tree, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(w.Captions(), (std::vector<std::string>{"B", "A", "C"}));
    QTest::keyClick(tree, Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(w.Captions(), (std::vector<std::string>{"A", "B", "C"}));

    // Del asks first; No keeps the item, Yes removes it.
    tree->setCurrentItem(form.NodeAt(2));
    w.prompts.messageAnswers.enqueue(QMessageBox::No);
    QTest::keyClick(tree, Qt::Key_Delete);
    QCOMPARE(w.prompts.messages.back().text,
             QString("Are you sure to delete this item and all its children?"));
    QCOMPARE(form.Document().ItemCount(), 3);
    w.prompts.messageAnswers.enqueue(QMessageBox::Yes);
    QTest::keyClick(tree, Qt::Key_Delete);
    QCOMPARE(w.Captions(), (std::vector<std::string>{"A", "C"}));
    QVERIFY(w.TreeInStep());

    // In a page field the keys keep their meaning.
    auto* caption = form.findChild<QLineEdit*>("edt_ICaption");
    caption->setFocus();
    QTest::keyClick(caption, Qt::Key_Insert);
    QTest::keyClick(caption, Qt::Key_Delete);
    QCOMPARE(form.Document().ItemCount(), 2);
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::TreeKeyboardTest)
#include "test_tree_keyboard.moc"
