// The design tree and the item array kept in step: inserting, deleting and
// moving subtrees, the selection moving values between pages and records,
// and which pages and commands a selection allows.

#include <QAction>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include "designer/main_form.h"
#include "designer/undo_history.h"
#include "support/sandbox.h"
#include "support/scripted_prompts.h"

using velmora::TMainForm;
using velmora::test::Sandbox;
using velmora::test::ScriptedPrompts;

namespace {

class TreeFixture {
 public:
  TreeFixture() : window(sandbox.ProgramFolder()) {}

  QTreeWidget* Tree() { return window.findChild<QTreeWidget*>("trvwDesignPanel"); }
  void Select(int absoluteIndex) { Tree()->setCurrentItem(window.NodeAt(absoluteIndex)); }
  // Inserts under the node at `parent` and names the item in both the
  // record and the node, so the two can be compared.
  void InsertNamed(int parent, const QString& name) {
    Select(parent);
    window.Insert1Click();
    QTreeWidgetItem* node = window.NodeAt(parent);
    QTreeWidgetItem* added = node->child(node->childCount() - 1);
    added->setText(0, name);
    window.Document().Items.at(static_cast<size_t>(window.AbsoluteIndex(added) - 1))[velmora::ICaption] =
        name.toStdString();
  }
  QStringList NodeTexts() {
    QStringList texts;
    for (int k = 1; k < window.Tree().NodeCount(); ++k) texts << window.NodeAt(k)->text(0);
    return texts;
  }
  QStringList ItemCaptions() {
    QStringList captions;
    for (const auto& item : window.Document().Items)
      captions << QString::fromStdString(std::string(item[velmora::ICaption]));
    return captions;
  }
  QStringList VisibleTabs() {
    auto* tabs = window.findChild<QTabWidget*>("pgcntrl1");
    QStringList visible;
    for (int k = 0; k < tabs->count(); ++k) {
      if (tabs->isTabVisible(k)) visible << tabs->tabText(k);
    }
    return visible;
  }
  QString ActiveTab() {
    auto* tabs = window.findChild<QTabWidget*>("pgcntrl1");
    return tabs->tabText(tabs->currentIndex());
  }
  bool Enabled(const char* name) {
    if (auto* button = window.findChild<QToolButton*>(name)) return button->isEnabled();
    return window.findChild<QAction*>(name)->isEnabled();
  }

  Sandbox sandbox;
  ScriptedPrompts prompts;
  TMainForm window;
};

}  // namespace

class DesignTreeTest : public QObject {
  Q_OBJECT

 private slots:
  void insertAppendsAfterTheSelectedSubtree() {
    TreeFixture f;
    f.window.Insert1Click();
    QCOMPARE(f.window.Document().ItemCount(), 1);
    QCOMPARE(f.window.Document().GetItem(0)[velmora::ILevel], std::string("0"));
    QCOMPARE(f.window.NodeAt(1)->text(0), QString("Item"));
    QVERIFY(f.window.IsModified());
    QCOMPARE(f.window.SelectedIndex(), 0);  // the selection stays on the parent
    f.window.NodeAt(1)->setText(0, "First");
    f.window.Document().Items[0][velmora::ICaption] = "First";

    f.InsertNamed(0, "P");
    f.InsertNamed(2, "P1");
    f.InsertNamed(2, "P2");
    f.InsertNamed(3, "P1a");
    // Under P, after its last descendant P2; one level deeper than P.
    f.InsertNamed(2, "P3");
    QCOMPARE(f.NodeTexts(), QStringList({"First", "P", "P1", "P1a", "P2", "P3"}));
    QCOMPARE(f.ItemCaptions(), f.NodeTexts());
    QCOMPARE(f.window.Document().GetItem(5)[velmora::ILevel], std::string("1"));
    QCOMPARE(f.window.Document().GetItem(3)[velmora::ILevel], std::string("2"));
    QVERIFY(f.window.NodeAt(2)->isExpanded());
  }

  void newItemsLookLikeTheirNeighboursUnlessTheOptionIsOff() {
    using namespace velmora;
    TreeFixture f;
    TvornAppletAgent& doc = f.window.Document();
    const TItemData plain = TvornAppletAgent::MakeDefaultItem();
    f.InsertNamed(0, "Dark");
    doc.Items[0][IColorNormal] = "EEEEEE";
    doc.Items[0][IBackgroundColorOver] = "202020";
    doc.Items[0][IFontSizeClicked] = "14";
    doc.Items[0][IPaddingLeft] = "12";
    doc.Items[0][ILink] = "dark.html";
    doc.Items[0][IToolTip] = "Tip";
    auto sameLook = [](const TItemData& a, const TItemData& b) {
      return a[IColorNormal] == b[IColorNormal] && a[IBackgroundColorOver] == b[IBackgroundColorOver] &&
             a[IFontSizeClicked] == b[IFontSizeClicked] && a[IPaddingLeft] == b[IPaddingLeft];
    };

    // After "Dark", and as its first child: Dark's look, none of its content.
    f.InsertNamed(0, "Next");
    f.InsertNamed(1, "Child");
    for (int item : {1, 2}) {
      QVERIFY(sameLook(doc.GetItem(item), doc.GetItem(0)));
      QCOMPARE(doc.GetItem(item)[ILink], plain[ILink]);
      QCOMPARE(doc.GetItem(item)[IToolTip], plain[IToolTip]);
    }
    // One undo step takes the new item out again.
    const int steps = f.window.History().Stack().count();
    f.Select(0);
    f.window.Insert1Click();
    QCOMPARE(doc.ItemCount(), 4);
    QCOMPARE(f.window.History().Stack().count(), steps + 1);
    f.window.History().Undo();
    QCOMPARE(doc.ItemCount(), 3);

    // Off: the default look, and the choice is kept.
    auto* entry = f.window.findChild<QAction*>("NeighbourLook1");
    QVERIFY(entry->isChecked());
    QCOMPARE(entry->text(), QString("New Items Copy Their &Neighbour's Look"));
    entry->trigger();
    f.InsertNamed(0, "Plain");
    QVERIFY(sameLook(doc.GetItem(3), plain));
    TMainForm again(f.sandbox.ProgramFolder());
    QVERIFY(!again.findChild<QAction*>("NeighbourLook1")->isChecked());
  }

  void deleteRemovesExactlyTheSubtreeAfterConfirmation() {
    TreeFixture f;
    f.InsertNamed(0, "A");
    f.InsertNamed(0, "B");
    f.InsertNamed(2, "B1");
    f.InsertNamed(3, "B1a");
    f.InsertNamed(2, "B2");
    f.InsertNamed(0, "C");

    f.Select(2);
    f.window.SetModified(false);
    f.prompts.messageAnswers.enqueue(QMessageBox::No);
    f.window.Delete1Click();
    QCOMPARE(f.prompts.messages.last().text,
             QString("Are you sure to delete this item and all its children?"));
    QCOMPARE(f.prompts.messages.last().buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(f.window.Document().ItemCount(), 6);
    QVERIFY(!f.window.IsModified());  // declined: nothing changed

    f.prompts.messageAnswers.enqueue(QMessageBox::Yes);
    f.window.Delete1Click();
    QCOMPARE(f.ItemCaptions(), QStringList({"A", "C"}));
    QCOMPARE(f.NodeTexts(), f.ItemCaptions());
    QVERIFY(f.window.SelectedNode());

    // The last top-level item takes everything to the end with it.
    f.InsertNamed(2, "C1");
    f.Select(2);
    f.prompts.messageAnswers.enqueue(QMessageBox::Yes);
    f.window.Delete1Click();
    QCOMPARE(f.ItemCaptions(), QStringList({"A"}));
    QCOMPARE(f.window.Tree().NodeCount(), 2);
  }

  void deletingTheRootIsRefused() {
    TreeFixture f;
    f.InsertNamed(0, "A");
    f.Select(0);
    f.window.SetModified(false);
    f.window.Delete1Click();
    QCOMPARE(f.prompts.messages.last().text, QString("Root item cannot be deleted."));
    QCOMPARE(f.prompts.messages.last().icon, QMessageBox::Critical);
    QCOMPARE(f.window.Document().ItemCount(), 1);
    QVERIFY(!f.window.IsModified());
  }

  void afterADeleteTheNewSelectionMapsToTheShortenedArray() {
    TreeFixture f;
    f.InsertNamed(0, "A");
    f.InsertNamed(0, "B");
    f.InsertNamed(0, "C");
    f.Select(2);
    f.prompts.messageAnswers.enqueue(QMessageBox::Yes);
    f.window.Delete1Click();
    QTreeWidgetItem* now = f.window.SelectedNode();
    QCOMPARE(f.window.CurrentItem(), now);
    // Whatever the tree selected, the pages show that node's record...
    const int index = f.window.AbsoluteIndex(now) - 1;
    QCOMPARE(f.window.findChild<QLineEdit*>("edt_ICaption")->text(), f.ItemCaptions().at(index));
    // ...and an edit reaches that record, not a neighbour.
    f.window.findChild<QLineEdit*>("edt_ICaption")->setText("edited");
    f.window.StorePages();
    QCOMPARE(f.ItemCaptions().at(index), QString("edited"));
    QCOMPARE(f.ItemCaptions().size(), 2);
  }

  void moveUpAndDownCarrySubtreesWhole() {
    TreeFixture f;
    f.InsertNamed(0, "X");
    f.InsertNamed(0, "P");
    f.InsertNamed(2, "P1");
    f.InsertNamed(0, "S");
    f.InsertNamed(4, "S1");
    f.InsertNamed(4, "S2");
    f.Select(4);
    QTreeWidgetItem* s = f.window.SelectedNode();
    f.window.MoveUp1Click();
    QCOMPARE(f.ItemCaptions(), QStringList({"X", "S", "S1", "S2", "P", "P1"}));
    QCOMPARE(f.NodeTexts(), f.ItemCaptions());
    QCOMPARE(f.window.SelectedNode(), s);
    QCOMPARE(f.window.CurrentItem(), s);
    // Levels travel with their records (S1 was never stored from the pages).
    QCOMPARE(f.window.Document().GetItem(2)[velmora::ILevel], std::string("1"));

    f.window.MoveDown1Click();
    QCOMPARE(f.ItemCaptions(), QStringList({"X", "P", "P1", "S", "S1", "S2"}));
    QCOMPARE(f.NodeTexts(), f.ItemCaptions());
    QCOMPARE(f.window.SelectedNode(), s);

    // A last child cannot move down: nothing moves or changes.
    f.window.SetModified(false);
    f.window.MoveDown1Click();
    QCOMPARE(f.ItemCaptions(), QStringList({"X", "P", "P1", "S", "S1", "S2"}));
    QVERIFY(!f.window.IsModified());
  }

  void commandStatesFollowTheSelection() {
    TreeFixture f;
    f.InsertNamed(0, "A");
    f.InsertNamed(0, "B");
    f.InsertNamed(0, "C");
    f.Select(1);
    QVERIFY(f.Enabled("Delete1") && !f.Enabled("MoveUp1") && f.Enabled("MoveDown1"));
    QVERIFY(!f.Enabled("tlbtnMoveUp") && f.Enabled("tlbtnMoveDown"));
    f.Select(2);
    QVERIFY(f.Enabled("MoveUp1") && f.Enabled("tlbtnMoveDown"));
    f.Select(3);
    QVERIFY(f.Enabled("MoveUp1") && !f.Enabled("MoveDown1") && !f.Enabled("tlbtnMoveDown"));
    f.Select(0);
    QVERIFY(f.Enabled("Insert1") && f.Enabled("tlbtnInsert"));
    QVERIFY(!f.Enabled("Delete1") && !f.Enabled("tlbtnDelete"));
    QVERIFY(!f.Enabled("MoveUp1") && !f.Enabled("MoveDown1"));
  }

  void pageSetsFollowTheSelection() {
    TreeFixture f;
    f.InsertNamed(0, "A");
    f.InsertNamed(0, "B");
    f.InsertNamed(2, "B1");
    f.Select(0);
    QCOMPARE(f.VisibleTabs(), QStringList({"Script", "Path"}));

    f.Select(1);
    QCOMPARE(f.VisibleTabs(), QStringList({"Item General", "Normal", "Mouse Over", "Clicked"}));
    QCOMPARE(f.ActiveTab(), QString("Item General"));
    f.window.findChild<QTabWidget*>("pgcntrl1")->setCurrentIndex(3);  // Mouse Over

    // Between items the page stays; an item with children adds Submenu.
    f.Select(2);
    QCOMPARE(f.ActiveTab(), QString("Mouse Over"));
    QCOMPARE(f.VisibleTabs(), QStringList({"Item General", "Normal", "Mouse Over", "Clicked", "Submenu"}));
    f.Select(1);
    QVERIFY(!f.VisibleTabs().contains("Submenu"));

    // Submenu appears as soon as a child is inserted under the selection.
    f.window.Insert1Click();
    QVERIFY(f.VisibleTabs().contains("Submenu"));

    f.Select(0);
    QCOMPARE(f.VisibleTabs(), QStringList({"Script", "Path"}));
    QCOMPARE(f.ActiveTab(), QString("Script"));
    QCOMPARE(f.window.PagesIndex(), 0);
    f.Select(3);
    QCOMPARE(f.ActiveTab(), QString("Item General"));
  }

  void selectionStoresTheOldItemAndLoadsTheNew() {
    TreeFixture f;
    f.window.Insert1Click();
    f.window.Insert1Click();
    f.window.SetModified(false);
    f.Select(1);
    QVERIFY(!f.window.IsModified());  // showing an item changes nothing
    // The caption of a new item is loaded into the edit, which names the node.
    QCOMPARE(f.window.NodeAt(1)->text(0),
             QString::fromStdString(velmora::DefaultItemData()[velmora::ICaption]));

    auto* width = f.window.findChild<QSpinBox*>("spnedt_IWidth");
    auto* caption = f.window.findChild<QLineEdit*>("edt_ICaption");
    caption->setText("  First  ");
    QCOMPARE(f.window.NodeAt(1)->text(0), QString("First"));
    width->setValue(321);
    // Every page edit is an undoable step, so it reaches the record at once.
    QCOMPARE(f.window.Document().GetItem(0)[velmora::IWidth], std::string("321"));

    f.Select(2);  // stores item 0, loads item 1
    QCOMPARE(f.window.Document().GetItem(0)[velmora::IWidth], std::string("321"));
    QCOMPARE(f.window.Document().GetItem(0)[velmora::ICaption], std::string("First"));
    QCOMPARE(width->value(), std::stoi(velmora::DefaultItemData()[velmora::IWidth]));

    // Selecting the root stores the item and keeps it current.
    width->setValue(77);
    f.Select(0);
    QCOMPARE(f.window.Document().GetItem(1)[velmora::IWidth], std::string("77"));
    QCOMPARE(f.window.CurrentItemIndex(), 1);
  }

  void randomEditsKeepTreeAndArrayInStep() {
    TreeFixture f;
    QRandomGenerator random(20260407);
    int named = 0;
    for (int step = 0; step < 400; ++step) {
      const int nodes = f.window.Tree().NodeCount();
      const int target = static_cast<int>(random.bounded(nodes));
      switch (random.bounded(5)) {
        case 0:
        case 1:
          f.InsertNamed(target, QString("n%1").arg(named++));
          break;
        case 2:
          if (target == 0) break;
          f.Select(target);
          f.prompts.messageAnswers.enqueue(QMessageBox::Yes);
          f.window.Delete1Click();
          break;
        case 3:
          f.Select(target);
          f.window.MoveUp1Click();
          break;
        case 4:
          f.Select(target);
          f.window.MoveDown1Click();
          break;
      }
      QCOMPARE(f.window.Tree().NodeCount(), f.window.Document().ItemCount() + 1);
      QCOMPARE(f.NodeTexts(), f.ItemCaptions());
      for (int k = 1; k < f.window.Tree().NodeCount(); ++k) {
        const int parent = f.window.Tree().Parent(k);
        QCOMPARE(f.window.AbsoluteIndex(f.window.NodeAt(k)->parent()), parent);
        QCOMPARE(f.window.Tree().Depth(k), f.window.Tree().Depth(parent) + 1);
      }
    }
    QVERIFY(named > 100);
  }
};

QTEST_MAIN(DesignTreeTest)
#include "test_design_tree.moc"
