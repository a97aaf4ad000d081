// The batch property changer: which boxes make which copy mask, how items
// are marked in the tree copy, and what OK writes into the document.

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "dialogs/GlobalPropertiesChange.h"
#include "support/sandbox.h"

namespace velmora {

class BatchChangerTest : public QObject {
  Q_OBJECT

  // Root, then A (with child A1), B and C. Every item gets its own values in
  // the fields the tests look at.
  struct Design {
    TvornAppletAgent doc;
    QTreeWidget tree;
    explicit Design(const std::string& folder) : doc(folder) {
      doc.ResetDocument();
      auto* root = new QTreeWidgetItem(&tree, QStringList{QStringLiteral("Velmora")});
      root->setIcon(0, QIcon(QPixmap(16, 16)));
      const struct {
        const char* caption;
        int level;
      } items[] = {{"A", 0}, {"A1", 1}, {"B", 0}, {"C", 0}};
      QTreeWidgetItem* last = root;
      for (int i = 0; i < 4; ++i) {
        TItemData item = TvornAppletAgent::MakeDefaultItem();
        item[ICaption] = items[i].caption;
        item[ILevel] = std::to_string(items[i].level);
        item[IFontFamilyNormal] = std::string("NormalFont") + items[i].caption;
        item[IFontFamilyOver] = std::string("OverFont") + items[i].caption;
        item[IFontFamilyClicked] = std::string("ClickedFont") + items[i].caption;
        item[IColorOver] = std::string("0000") + char('0' + i) + "0";
        item[ILink] = std::string("page") + items[i].caption + ".html";
        item[IParentIndex] = items[i].level == 0 ? "-1" : "0";
        item[IClassNormal] = std::string("class") + items[i].caption;
        doc.InsertItem(i, item);
        QTreeWidgetItem* parent = items[i].level == 0 ? root : last;
        last = new QTreeWidgetItem(parent, QStringList{QString::fromLatin1(items[i].caption)});
      }
    }
  };

  static QCheckBox* Box(QWidget& dialog, const char* name) {
    auto* box = dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
    if (!box) qFatal("no check box %s", name);
    return box;
  }
  static QTreeWidget* DialogTree(QWidget& dialog) {
    return dialog.findChild<QTreeWidget*>(QStringLiteral("trvwPropertiesChange"));
  }
  // The dialog tree's node at an absolute pre-order index.
  static QTreeWidgetItem* Node(QWidget& dialog, int absolute) {
    QTreeWidgetItemIterator it(DialogTree(dialog));
    for (int i = 0; *it; ++it, ++i) {
      if (i == absolute) return *it;
    }
    return nullptr;
  }
  static void ClickNode(QWidget& dialog, int absolute) {
    QTreeWidget* tree = DialogTree(dialog);
    const QRect rect = tree->visualItemRect(Node(dialog, absolute));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
  }
  static void Click(QWidget& dialog, const char* button) {
    auto* b = dialog.findChild<QAbstractButton*>(QString::fromLatin1(button));
    if (!b) qFatal("no button %s", button);
    b->click();
  }

 private slots:
  void initTestCase() { sandbox_ = std::make_unique<test::Sandbox>(); }

  void fieldBoxesMakeTheMask() {
    Design design(sandbox_->ProgramFolder().toStdString());
    TfrmGlobalPropertiesChange dialog(design.doc, design.tree, {});
    // Every box of the two tables exists; 33 + 20 + 3 in all.
    QCOMPARE(dialog.findChildren<QCheckBox*>().size(), 56);

    Box(dialog, "chchbxFontName")->setChecked(true);
    CopyMask none{};
    QVERIFY(dialog.BuildCopyMask() == none);  // no state ticked: nothing

    Box(dialog, "chchbxMouseOver")->setChecked(true);
    CopyMask onlyOverFont{};
    onlyOverFont[IFontFamilyOver] = true;
    QVERIFY(dialog.BuildCopyMask() == onlyOverFont);

    // General boxes name their own fields, which are not always in box order.
    Box(dialog, "chchbxFontName")->setChecked(false);
    Box(dialog, "chchbxDisable")->setChecked(true);
    Box(dialog, "chckbxItemGap")->setChecked(true);
    Box(dialog, "chckbxImageHeight")->setChecked(true);
    Box(dialog, "chchbxFontColor")->setChecked(true);
    Box(dialog, "chchbxClicked")->setChecked(true);
    CopyMask mixed{};
    for (ItemField f : {DisableItem, ISubmenuItemGap, IImageHeight, IColorOver, IColorClicked})
      mixed[f] = true;
    QVERIFY(dialog.BuildCopyMask() == mixed);
  }

  void selectAllAndNoneKeepToTheirScopes() {
    Design design(sandbox_->ProgramFolder().toStdString());
    TfrmGlobalPropertiesChange dialog(design.doc, design.tree, {});
    Box(dialog, "chchbxText")->setChecked(true);
    Click(dialog, "btnSelectAll");
    // All twenty state fields, but no general box gained or lost a tick and
    // no state was ticked.
    Box(dialog, "chchbxNormal")->setChecked(true);
    CopyMask normalBlock{};
    normalBlock[ICaption] = true;
    for (int k = 0; k < kStateBlockSize; ++k) normalBlock[IFontFamilyNormal + k] = true;
    QVERIFY(dialog.BuildCopyMask() == normalBlock);
    QVERIFY(!Box(dialog, "chchbxURL")->isChecked());
    QVERIFY(!Box(dialog, "chchbxMouseOver")->isChecked());

    Click(dialog, "btnSelectNone");
    QVERIFY(!Box(dialog, "chchbxText")->isChecked());
    QVERIFY(!Box(dialog, "chckbxBGImage")->isChecked());
    QVERIFY2(Box(dialog, "chchbxNormal")->isChecked(), "the state boxes keep their ticks");
    QVERIFY(dialog.BuildCopyMask() == CopyMask{});
  }

  void treeCopyMarksItemsByClicking() {
    Design design(sandbox_->ProgramFolder().toStdString());
    TfrmGlobalPropertiesChange dialog(design.doc, design.tree, {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTreeWidget* tree = DialogTree(dialog);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Velmora"));
    QVERIFY2(tree->topLevelItem(0)->child(0)->isExpanded(), "the copy is fully expanded");
    QCOMPARE(Node(dialog, 2)->text(0), QStringLiteral("A1"));
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{false, false, false, false}));

    ClickNode(dialog, 2);
    ClickNode(dialog, 4);
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{false, true, false, true}));
    QVERIFY2(tree->selectedItems().isEmpty(), "a click leaves nothing selected");
    // The marks are check states, as a screen reader reads them.
    QCOMPARE(Node(dialog, 2)->checkState(0), Qt::Checked);
    QCOMPARE(Node(dialog, 1)->checkState(0), Qt::Unchecked);

    ClickNode(dialog, 2);  // the same node again toggles back
    ClickNode(dialog, 0);  // the root marks nothing
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{false, false, false, true}));
    QCOMPARE(Node(dialog, 2)->checkState(0), Qt::Unchecked);
    QVERIFY2(!(Node(dialog, 0)->flags() & Qt::ItemIsUserCheckable), "the root has no mark");

    // From the keyboard: the arrows move without marking, Space toggles.
    tree->setFocus();
    tree->setCurrentItem(Node(dialog, 1));
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(tree->currentItem(), Node(dialog, 2));
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{false, false, false, true}));
    QTest::keyClick(tree, Qt::Key_Space);
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{false, true, false, true}));
    QTest::keyClick(tree, Qt::Key_Space);
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{false, false, false, true}));

    Click(dialog, "btnSelectAllItems");
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{true, true, true, true}));
    Click(dialog, "btnSelectNoneItems");
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{false, false, false, false}));

    // Showing again starts from a fresh copy with no marks.
    ClickNode(dialog, 1);
    dialog.hide();
    dialog.show();
    QCOMPARE(dialog.ItemMarks(), (std::vector<bool>{false, false, false, false}));
  }

  void okCopiesTheMaskedFieldsIntoMarkedItems() {
    Design design(sandbox_->ProgramFolder().toStdString());
    int modified = 0;
    TfrmGlobalPropertiesChange dialog(design.doc, design.tree, {[&] { ++modified; }, {}});
    dialog.SourceItemIndex = 0;  // A
    dialog.show();
    const TItemData before[] = {design.doc.GetItem(0), design.doc.GetItem(1), design.doc.GetItem(2),
                                design.doc.GetItem(3)};
    Click(dialog, "btnSelectAllItems");  // the source itself too
    ClickNode(dialog, 3);                // but not B
    Box(dialog, "chchbxText")->setChecked(true);
    Box(dialog, "chchbxURL")->setChecked(true);
    Box(dialog, "chchbxFontName")->setChecked(true);
    Box(dialog, "chchbxMouseOver")->setChecked(true);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    Click(dialog, "btnOK");

    QCOMPARE(accepted.size(), 1);
    QCOMPARE(modified, 1);
    QCOMPARE(design.doc.GetItem(0), before[0]);
    QCOMPARE(design.doc.GetItem(2), before[2]);
    for (int d : {1, 3}) {
      TItemData expected = before[d];
      expected[ICaption] = "A";
      expected[ILink] = "pageA.html";
      expected[IFontFamilyOver] = "OverFontA";
      QCOMPARE(design.doc.GetItem(d), expected);  // level, parent and classes stay the item's own
    }
    QCOMPARE(design.tree.topLevelItem(0)->child(1)->text(0), QStringLiteral("B"));
  }

  void okWithoutMarksStillMarksTheDesignModified() {
    Design design(sandbox_->ProgramFolder().toStdString());
    int modified = 0;
    TfrmGlobalPropertiesChange dialog(design.doc, design.tree, {[&] { ++modified; }, {}});
    dialog.SourceItemIndex = 2;
    dialog.show();
    Click(dialog, "btnSelectAll");
    Box(dialog, "chchbxNormal")->setChecked(true);
    const TItemArray before = design.doc.Items;
    Click(dialog, "btnOK");
    QCOMPARE(modified, 1);
    QVERIFY(design.doc.Items == before);
  }

  void rootOnlyDesignHasNothingToMark() {
    TvornAppletAgent doc(sandbox_->ProgramFolder().toStdString());
    doc.ResetDocument();
    QTreeWidget tree;
    new QTreeWidgetItem(&tree, QStringList{QStringLiteral("Velmora")});
    int modified = 0;
    int helpTag = -1;
    TfrmGlobalPropertiesChange dialog(doc, tree, {[&] { ++modified; }, [&](int tag) { helpTag = tag; }});
    dialog.show();
    Click(dialog, "btnSelectAllItems");
    QVERIFY(dialog.ItemMarks().empty());
    Click(dialog, "spdbtnStatusHelp");
    QCOMPARE(helpTag, 17);
    Click(dialog, "btnOK");
    QCOMPARE(modified, 1);
  }

 private:
  std::unique_ptr<test::Sandbox> sandbox_;
};

}  // namespace velmora

QTEST_MAIN(velmora::BatchChangerTest)
#include "test_batch_changer.moc"
