// What the property pages offer beyond the fields themselves: the contrast
// of each state's text against its background, and the image names the
// design already uses in the image fields' lists.

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "designer/contrast_hint.h"
#include "designer/main_form.h"
#include "designer/page_widgets.h"
#include "dialogs/HelpWindow.h"
#include "support/window_fixture.h"

namespace velmora {

class PageHintsTest : public QObject {
  Q_OBJECT

 private slots:
  void contrastFollowsTheColoursOfEachState() {
    QCOMPARE(ContrastHint::RatioText(21.0), QString("21:1"));
    QCOMPARE(ContrastHint::RatioText(4.4999), QString("4.49:1"));  // never reads as enough
    QCOMPARE(ContrastHint::RatioText(4.5), QString("4.5:1"));

    test::WindowFixture w;
    w.OpenDesign("c.velm", {{"A", 0}});
    TMainForm& form = *w.form;
    TItemData item = form.Document().GetItem(0);
    item[IColorNormal] = "000000";
    item[IBackgroundColorNormal] = "FFFFFF";
    item[IColorOver] = "777777";
    item[IBackgroundColorOver] = "FFFFFF";
    item[IColorClicked] = "FFFFFF";
    item[IBackgroundColorClicked] = "FFFFFF";
    form.Document().SetItem(0, item);
    form.findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(form.NodeAt(1));

    auto label = [&](const char* state) { return form.findChild<QLabel*>(QString("lbl_Contrast") + state); };
    QCOMPARE(label("Normal")->text(), QString("Contrast 21:1"));
    QCOMPARE(label("Over")->text(), QString::fromUtf8("\u26A0 Contrast 4.48:1"));
    QVERIFY(label("Over")->toolTip().contains("4.5:1"));
    QCOMPARE(label("Clicked")->text(), QString::fromUtf8("\u26A0 Contrast 1:1"));

    // A new colour shows at once; nothing is refused for a low ratio.
    form.findChild<ColorPanel*>("pnl_IBackgroundColorClicked")->SetColor(Qt::black);
    QCOMPARE(label("Clicked")->text(), QString("Contrast 21:1"));
    form.findChild<ColorPanel*>("pnl_IColorNormal")->SetColor(QColor("#EEEEEE"));
    form.StorePages();
    QCOMPARE(form.Document().GetItem(0)[IColorNormal], std::string("EEEEEE"));
    QVERIFY(label("Normal")->text().startsWith(QString::fromUtf8("\u26A0")));
  }

  void helpOpensBesideTheWindow() {
    test::WindowFixture w;
    TMainForm& form = *w.form;
    form.resize(480, 400);
    form.move(10, 10);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.HelpWindow().resize(250, 300);
    form.ShowHelpTopic("getting_started.htm");
    QVERIFY(form.HelpWindow().isVisible());
    QVERIFY(form.HelpWindow().frameGeometry().left() > form.frameGeometry().right());
    QCOMPARE(form.HelpWindow().frameGeometry().top(), form.frameGeometry().top());
  }

  void imageFieldsOfferTheNamesInUse() {
    test::WindowFixture w;
    w.OpenDesign("i.velm", {{"A", 0, "a.gif"}, {"B", 0, "b.gif"}, {"C", 0, "a.gif"}, {"D", 0}});
    TMainForm& form = *w.form;
    TItemData item = form.Document().GetItem(3);
    item[IBackgroundImageOver] = "bg.jpg";
    form.Document().SetItem(3, item);
    form.findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(form.NodeAt(4));
    for (const char* name : {"cmbx_IImageUrl", "cmbx_IClickedLeftIconUrl", "cmbx_IBackgroundImageNormal"}) {
      auto* combo = form.findChild<QComboBox*>(name);
      combo->setEditText("typed.gif");
      combo->showPopup();
      QStringList offered;
      for (int k = 0; k < combo->count(); ++k) offered << combo->itemText(k);
      combo->hidePopup();
      // What is typed is in the document at once (an undoable step), so it is offered too.
      QCOMPARE(offered, (QStringList{"a.gif", "b.gif", "typed.gif", "bg.jpg"}));
      QCOMPARE(combo->currentText(), QString("typed.gif"));  // the typed text stays
    }
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::PageHintsTest)
#include "test_page_hints.moc"
