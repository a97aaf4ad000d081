// The property pages: every control kind carried between a record and the
// pages and back, the conversion rules, the change reactions with the
// separator check, and the colour, image, link and help buttons.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "designer/local_file_url.h"
#include "designer/main_form.h"
#include "designer/page_bindings.h"
#include "designer/page_widgets.h"
#include "designer/picked_link.h"
#include "designer/undo_history.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/MessageBox_LinkTip.h"
#include "document/errors.h"
#include "platform/settings.h"
#include "support/sandbox.h"
#include "support/scripted_prompts.h"

using velmora::Binding;
using velmora::Conversion;
using velmora::TMainForm;
using velmora::test::Sandbox;
using velmora::test::ScriptedPrompts;

namespace {

class PagesFixture {
 public:
  // One item, selected, so the item pages show its record.
  PagesFixture() : window(sandbox.ProgramFolder()) {
    velmora::WriteBoolSetting(velmora::kShowLinkTipSetting, false);
    window.Insert1Click();
    window.findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(window.NodeAt(1));
    window.SetModified(false);
  }
  template <typename T = QWidget>
  T* Get(const char* name) {
    T* control = window.findChild<T*>(name);
    if (!control) qFatal("no control %s", name);
    return control;
  }
  // The record as the item pages store it (what an edit or the live
  // preview takes from them).
  velmora::TItemData Stored() { return window.ItemPagesRecord(); }
  const velmora::TItemData& InDesign() { return window.Document().Items[0]; }
  void Load(const velmora::TItemData& item) {
    window.Document().SetItem(0, item);
    window.LoadItemPages(0);
  }
  int Warnings() const { return static_cast<int>(prompts.messages.size()); }

  Sandbox sandbox;
  ScriptedPrompts prompts;
  TMainForm window;
};

// A value for a bound field that differs from the defaults and still
// converts: each field's own number, a second list entry, a colour of its
// own.
std::string SampleValue(const Binding& binding) {
  switch (binding.conversion) {
    case Conversion::Spin:
      return std::to_string(binding.field - 50);
    case Conversion::List:
      return "1";
    case Conversion::Text:
    case Conversion::TextStoreTrim:
      return "value " + std::to_string(binding.field);
    case Conversion::Color: {
      char hex[8];
      std::snprintf(hex, sizeof hex, "%02X80%02X", binding.field, 255 - binding.field);
      return hex;
    }
    case Conversion::Toggle:
      return binding.checkedWhen;
  }
  return {};
}

}  // namespace

class PropertyPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void everyItemControlCarriesItsFieldBothWays() {
    PagesFixture f;
    velmora::TItemData item;
    for (const Binding& binding : velmora::ItemBindings()) item.at(binding.field) = SampleValue(binding);
    item[velmora::ILevel] = "0";
    item[velmora::IClassOver] = "class";
    f.Load(item);

    // A few controls read by name, so a control wired to a wrong field shows.
    QCOMPARE(f.Get<QSpinBox>("spnedt_IPaddingBottom")->value(), velmora::IPaddingBottom - 50);
    QCOMPARE(f.Get<QComboBox>("cmbx_IOverLeftIconUrl")->currentText(), QString("value 21"));
    QCOMPARE(f.Get<QLineEdit>("edt_IFontFamilyClicked")->text(), QString("value 87"));
    QCOMPARE(f.Get<velmora::ColorPanel>("pnl_IBorderLeftColorOver")->Color(), QColor(80, 0x80, 255 - 80));
    QVERIFY(f.Get<QAbstractButton>("spdbtn_IFontWeightClicked")->isChecked());
    QVERIFY(f.Get<QAbstractButton>("spdbtn_IFontStyleNormal")->isChecked());
    QVERIFY(f.Get<QAbstractButton>("chckbx_DisableItem")->isChecked());
    QCOMPARE(f.Get<QComboBox>("cmbx_ICursorClicked")->currentIndex(), 1);
    QCOMPARE(f.window.NodeAt(1)->text(0), QString("value 0"));

    const velmora::TItemData stored = f.Stored();
    for (const Binding& binding : velmora::ItemBindings()) {
      QVERIFY2(stored.at(binding.field) == item.at(binding.field), binding.control.c_str());
    }
    // Fields no control edits come back empty; the image size follows the item size.
    QCOMPARE(stored[velmora::ILevel], std::string());
    QCOMPARE(stored[velmora::IClassOver], std::string());
    QCOMPARE(stored[velmora::IImageWidth], stored[velmora::IWidth]);
    QCOMPARE(stored[velmora::IImageHeight], stored[velmora::IHeight]);
  }

  void menuPagesCarryTheirFieldsAndSetTheFlags() {
    PagesFixture f;
    velmora::TAppletData data;
    for (const Binding& binding : velmora::MenuBindings()) data.at(binding.field) = SampleValue(binding);
    data[velmora::pInternalUse_RootDir_Local_Checked] = "1";
    data[velmora::pInternalUse_RootDir_Local] = "  /srv/www/  ";
    data[velmora::pMenuName] = "menu123";
    f.window.Document().SetAppletData(data);
    f.window.LoadMenuPages();
    // The Path edits keep their blanks on load and lose them on store.
    QCOMPARE(f.Get<QLineEdit>("edtpInternalUse_RootDir_Local")->text(), QString("  /srv/www/  "));
    QCOMPARE(f.Get<QComboBox>("cmbx_pCloseTransitionCustomFilter")->currentText(), QString("Fade"));

    f.window.StoreMenuPages();
    const velmora::TAppletData stored = f.window.Document().GetAppletData();
    for (const Binding& binding : velmora::MenuBindings()) {
      if (binding.field == velmora::pInternalUse_RootDir_Local) continue;
      QVERIFY2(stored.at(binding.field) == data.at(binding.field), binding.control.c_str());
    }
    QCOMPARE(stored[velmora::pInternalUse_RootDir_Local], std::string("/srv/www/"));
    QCOMPARE(stored[velmora::pOpenTransitionFlag], std::string("1"));
    QCOMPARE(stored[velmora::pCloseTransitionFlag], std::string("1"));
    QCOMPARE(stored[velmora::pMenuName], std::string());
  }

  void spinListAndToggleRules() {
    PagesFixture f;
    velmora::TItemData item = f.window.Document().GetItem(0);
    item[velmora::IWidth] = "20000";
    item[velmora::IHeight] = "-20000";
    item[velmora::ICursorOver] = "30";
    item[velmora::ICursorNormal] = "3";
    item[velmora::DisableItem] = "1";
    item[velmora::IFontWeightOver] = "Bold";
    f.Load(item);
    QCOMPARE(f.Get<QSpinBox>("spnedt_IWidth")->value(), 9999);
    QCOMPARE(f.Get<QComboBox>("cmbx_ICursorOver")->currentIndex(), -1);
    QVERIFY(!f.Get<QComboBox>("cmbx_ICursorNormal")->isVisibleTo(&f.window));
    QVERIFY(!f.Get<QAbstractButton>("chckbx_DisableItem")->isChecked());
    QVERIFY(!f.Get<QAbstractButton>("spdbtn_IFontWeightOver")->isChecked());

    // An emptied box keeps its last number rather than the minimum, which
    // as a padding or gap would break the menu.
    auto* paddingTop = f.Get<QSpinBox>("spnedt_IPaddingTop");
    const int lastPadding = paddingTop->value();
    paddingTop->findChild<QLineEdit*>()->clear();
    const velmora::TItemData stored = f.Stored();
    QCOMPARE(stored[velmora::IWidth], std::string("9999"));
    QCOMPARE(stored[velmora::IHeight], std::string("-9999"));
    QCOMPARE(stored[velmora::IPaddingTop], std::to_string(lastPadding));
    QCOMPARE(paddingTop->text(), QString::number(lastPadding));
    QCOMPARE(stored[velmora::ICursorOver], std::string("-1"));
    QCOMPARE(stored[velmora::ICursorNormal], std::string("3"));
    QCOMPARE(stored[velmora::DisableItem], std::string("1"));
    QCOMPARE(stored[velmora::IFontWeightOver], std::string("normal"));
    QCOMPARE(stored[velmora::IFontStyleOver], std::string("normal"));

    // So does an emptied menu-wide box, and a save leaves nothing to save:
    // the restored number is no edit, also when the box loses the focus.
    auto* gap = f.Get<QSpinBox>("spnedt_pMainMenuItemGap");
    gap->setValue(7);
    gap->findChild<QLineEdit*>()->clear();
    QVERIFY(f.window.IsModified());
    f.prompts.fileAnswers.enqueue(f.sandbox.Path("site/gap.velm"));
    QDir().mkpath(f.sandbox.Path("site"));
    f.window.Save1Click();
    QCOMPARE(f.window.Document().GetAppletData()[velmora::pMainMenuItemGap], std::string("7"));
    QCOMPARE(gap->text(), QString("7"));
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(gap, &focusOut);
    QVERIFY(!f.window.IsModified());
    QVERIFY(!f.Get<QAction>("Save1")->isEnabled());
  }

  void pathRadiosAndSlideChecksMapTheirCodes() {
    PagesFixture f;
    velmora::TAppletData data = f.window.Document().GetAppletData();
    data[velmora::pInternalUse_RootDir_Local_Checked] = "0";
    data[velmora::pOpenSlideType] = "2";
    data[velmora::pCloseSlideType] = "1";
    f.window.Document().SetAppletData(data);
    f.window.LoadMenuPages();
    auto* local = f.Get<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked");
    auto* remote = f.Get<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked2");
    QVERIFY(!local->isChecked() && remote->isChecked());
    QVERIFY(f.Get<QAbstractButton>("chckbx_pOpenSlideType")->isChecked());
    QVERIFY(!f.Get<QAbstractButton>("chckbx_pCloseSlideType")->isChecked());
    f.window.StoreMenuPages();
    QCOMPARE(f.window.Document().GetAppletData()[velmora::pCloseSlideType], std::string("0"));
    QCOMPARE(f.window.Document().GetAppletData()[velmora::pInternalUse_RootDir_Local_Checked],
             std::string("0"));

    // Neither code: both radios clear, and the next store writes "0".
    data[velmora::pInternalUse_RootDir_Local_Checked] = "7";
    f.window.Document().SetAppletData(data);
    f.window.LoadMenuPages();
    QVERIFY(!local->isChecked() && !remote->isChecked());
    f.window.StoreMenuPages();
    QCOMPARE(f.window.Document().GetAppletData()[velmora::pInternalUse_RootDir_Local_Checked],
             std::string("0"));
    // The pair still works as a pair afterwards.
    local->click();
    remote->click();
    QVERIFY(!local->isChecked() && remote->isChecked());
  }

  void separatorKeystrokesAndPastesAreRefusedWithoutLosingTheText() {
    PagesFixture f;
    auto* status = f.window.statusBar();
    auto* caption = f.Get<QLineEdit>("edt_ICaption");
    caption->clear();
    QTest::keyClicks(caption, "Home#$@");
    QCOMPARE(caption->text(), QString("Home#$"));
    QCOMPARE(f.window.NodeAt(1)->text(0), QString("Home#$"));
    QVERIFY2(status->currentMessage().contains("can't include \"#$@\""),
             qPrintable(status->currentMessage()));

    // Typed in the middle: the keystroke that would join the separator goes.
    caption->setText("@tail");
    caption->setCursorPosition(0);
    QTest::keyClicks(caption, "#$");
    QCOMPARE(caption->text(), QString("#@tail"));

    // A paste holding it is refused whole; a later harmless one is taken.
    status->clearMessage();
    caption->setText("kept");
    caption->setCursorPosition(4);
    QApplication::clipboard()->setText("a#$@b");
    caption->paste();
    QCOMPARE(caption->text(), QString("kept"));
    QVERIFY(!status->currentMessage().isEmpty());
    QApplication::clipboard()->setText(" too");
    caption->paste();
    QCOMPARE(caption->text(), QString("kept too"));

    auto* link = f.Get<QComboBox>("cmbx_ILink");
    QStringList prefixes;
    for (int k = 0; k < link->count(); ++k) prefixes << link->itemText(k);
    QCOMPARE(prefixes,
             QStringList({"https://", "http://", "mailto:", "tel:", "ftp://", "news:", "javascript:"}));
    link->setEditText("http://x/");
    link->lineEdit()->end(false);
    QTest::keyClicks(link->lineEdit(), "#$@");
    QCOMPARE(link->currentText(), QString("http://x/#$"));

    // A text a chooser sets loses only the separator.
    link->setEditText("http://x/a#$@b");
    QCOMPARE(link->currentText(), QString("http://x/ab"));
    QCOMPARE(f.Warnings(), 0);
  }

  void everyEditMarksTheDesignAndItsUndoClearsTheMark() {
    PagesFixture f;
    const std::function<void()> edits[] = {
        [&] { QTest::keyClick(f.Get<QComboBox>("cmbx_IBorderTopStyleOver"), Qt::Key_Down); },
        [&] { QTest::keyClick(f.Get<QComboBox>("cmbx_ICursorClicked"), Qt::Key_Down); },
        [&] { f.Get<QComboBox>("cmbx_IRightIconUrl")->setEditText("r.gif"); },
        [&] { f.Get<QComboBox>("cmbx_IBackgroundImageOver")->setEditText("b.gif"); },
        [&] { f.Get<QAbstractButton>("chckbx_DisableItem")->click(); },
        [&] { f.Get<QAbstractButton>("chckbx_pOpenSlideType")->click(); },
        [&] { f.Get<QAbstractButton>("rdbtnpInternalUse_RootDir_Local_Checked2")->click(); },
        [&] { QTest::keyClick(f.Get<QComboBox>("cmbx_ITextAlign"), Qt::Key_Down); },
        [&] { f.Get<QSpinBox>("spnedt_IBorderLeftWidthClicked")->setValue(5); },
        [&] { f.Get<QAbstractButton>("spdbtn_IFontStyleOver")->click(); },
        [&] { f.Get<QComboBox>("cmbx_IClickedImageUrl")->setEditText("c.gif"); },
        [&] { f.Get<QLineEdit>("edtpInternalUse_RootDir_Remote")->setText("http://w/"); },
    };
    int edit = 0;
    for (const auto& change : edits) {
      f.window.SetModified(false);
      change();
      QVERIFY2(f.window.IsModified(), qPrintable(QString("edit %1").arg(edit)));
      f.window.History().Undo();
      QVERIFY2(!f.window.IsModified(), qPrintable(QString("edit %1 undone").arg(edit)));
      f.window.History().Redo();
      ++edit;
    }
    // Each edit went into the design at once.
    QCOMPARE(f.InDesign()[velmora::IBackgroundImageOver], std::string("b.gif"));
    QCOMPARE(f.window.Document().AppletData[velmora::pInternalUse_RootDir_Remote], std::string("http://w/"));
  }

  void colorPanelsAskForAColour() {
    PagesFixture f;
    auto* panel = f.Get<velmora::ColorPanel>("pnl_IBackgroundColorClicked");
    f.prompts.colorAnswers.enqueue(QColor(0x12, 0x34, 0xAB));
    QTest::mouseClick(panel, Qt::LeftButton);
    QCOMPARE(f.prompts.colorDialogs, 1);
    QVERIFY(f.window.IsModified());
    QCOMPARE(f.InDesign()[velmora::IBackgroundColorClicked], std::string("1234AB"));

    // Cancelled: the colour stays and nothing changed.
    f.window.SetModified(false);
    QTest::mouseClick(panel, Qt::LeftButton);
    QVERIFY(!f.window.IsModified());
    QCOMPARE(f.InDesign()[velmora::IBackgroundColorClicked], std::string("1234AB"));
  }

  void imageChoosersFillTheirEditAndGatherThePicture() {
    PagesFixture f;
    f.sandbox.WriteFile("pictures/arrow.gif", "GIF89a");
    f.prompts.fileAnswers.enqueue(f.sandbox.Path("pictures/arrow.gif"));
    f.Get<QToolButton>("spdbtnItemLeftIconOver")->click();
    QCOMPARE(f.prompts.fileDialogFilters.last(),
             QString("All Image Files (*.gif *.jpg *.jpeg);;GIF Image File (*.gif);;JPEG Image File (*.jpg);;"
                     "JPEG Image File (*.jpeg)"));
    QCOMPARE(f.Get<QComboBox>("cmbx_IOverLeftIconUrl")->currentText(), QString("arrow.gif"));
    QVERIFY(QFile::exists(f.sandbox.Path("program/preview/arrow.gif")));
    QVERIFY(f.window.IsModified());
    QCOMPARE(f.InDesign()[velmora::IOverLeftIconUrl], std::string("arrow.gif"));

    f.Get<QToolButton>("spdbtnItemImageOver")->click();
    QCOMPARE(f.Get<QComboBox>("cmbx_IOverImageUrl")->currentText(), QString());
    f.Get<QComboBox>("cmbx_IBackgroundImageClicked")->setEditText("bg.gif");
    f.Get<QToolButton>("spdbtnItemBGImageClicked")->click();  // cancelled: empties its edit
    QCOMPARE(f.Get<QComboBox>("cmbx_IBackgroundImageClicked")->currentText(), QString());
    QCOMPARE(f.Get<QComboBox>("cmbx_IOverLeftIconUrl")->currentText(), QString("arrow.gif"));
  }

  void linkChooserTurnsAPageIntoAnAddress() {
    PagesFixture f;
    f.prompts.fileAnswers.enqueue("/srv/site/a page.htm");
    f.Get<QToolButton>("spdbtnItURL")->click();
    QCOMPARE(f.prompts.fileDialogFilters.last(), QString("HTML files (*.htm *.html);;Any file (*)"));
    QCOMPARE(f.Get<QComboBox>("cmbx_ILink")->currentText(), QString("file:///srv/site/a%20page.htm"));
    QVERIFY(f.window.IsModified());
    QCOMPARE(velmora::LocalFileUrl("C:\\web\\a.htm"), QString("file:///C|/web/a.htm"));

    // Cancelled: the link stays.
    f.Get<QToolButton>("spdbtnItURL")->click();
    QCOMPARE(f.Get<QComboBox>("cmbx_ILink")->currentText(), QString("file:///srv/site/a%20page.htm"));

    // Inside the local root of the Path page: that root, then the rest.
    f.Get<QLineEdit>("edtpInternalUse_RootDir_Local")->setText("file:///srv/");
    f.prompts.fileAnswers.enqueue("/srv/site/a page.htm");
    f.Get<QToolButton>("spdbtnItURL")->click();
    QCOMPARE(f.Get<QComboBox>("cmbx_ILink")->currentText(), QString("file:///srv/site/a%20page.htm"));
    f.Get<QLineEdit>("edtpInternalUse_RootDir_Local")->setText("/srv/site");
    f.prompts.fileAnswers.enqueue("/srv/site/a page.htm");
    f.Get<QToolButton>("spdbtnItURL")->click();
    QCOMPARE(f.Get<QComboBox>("cmbx_ILink")->currentText(), QString("/srv/site/a%20page.htm"));
  }

  void pickedLinksAreRelativeToTheProjectWhenInsideIt() {
    const struct {
      const char* file;
      const char* project;
      const char* root;
      const char* address;
    } cases[] = {
        {"/p/site/sub/a b#1?%.htm", "/p/site/m.velm", "", "sub/a%20b%231%3F%25.htm"},
        {"/p/site/a.htm", "/p/site/m.velm", "/p", "a.htm"},
        {"/p/site/a:b.htm", "/p/site/m.velm", "", "./a:b.htm"},
        {"/p/site2/a.htm", "/p/site/m.velm", "", "file:///p/site2/a.htm"},
        {"/p/other/x%.htm", "/p/site/m.velm", "file:///p/", "file:///p/other/x%25.htm"},
        {"/p/other/x.htm", "", " /p ", "/p/other/x.htm"},
        {"/q/\u00e9t\u00e9.htm", "/p/site/m.velm", "/p", "file:///q/%C3%A9t%C3%A9.htm"},
        {"/p/x.htm", "", "C:\\web", "file:///p/x.htm"},
    };
    for (const auto& c : cases) {
      QCOMPARE(velmora::PickedLinkAddress(QString::fromUtf8(c.file), c.project, c.root), QString(c.address));
    }
  }

  void helpButtonsOpenTheirTopicBesideTheWindow() {
    PagesFixture f;
    f.sandbox.WriteFile("program/help/customizing_js_item_status_border.htm", "<p>Borders</p>");
    f.Get<QToolButton>("spdbtnHelpBorderTopOver")->click();
    QVERIFY(f.window.HelpWindow().isVisible());
    QCOMPARE(f.window.HelpWindow().CurrentFile(),
             f.sandbox.Path("program/help/customizing_js_item_status_border.htm"));
    f.Get<QToolButton>("spdbtnHelpSubmenuGap")->click();
    QVERIFY(f.window.HelpWindow().CurrentFile().endsWith("help/customizing_js_item_submenu_gap.htm"));
    QCOMPARE(TMainForm::HelpTopicForTag(99), QString("getting_started.htm"));
    QCOMPARE(TMainForm::HelpTopicForTag(17), QString("workshop_global_properties_change.htm"));
    QCOMPARE(f.window.findChildren<QToolButton*>(QRegularExpression("^spdbtnHelp")).size(), 31);
  }

  void aRecordWithABadNumberLeavesThePagesAlone() {
    PagesFixture f;
    f.Get<QLineEdit>("edt_ICaption")->setText("Shown");
    velmora::TItemData bad = f.window.Document().GetItem(0);
    bad[velmora::ICaption] = "Other";
    bad[velmora::IPaddingLeft] = "12px";
    f.window.Document().SetItem(0, bad);
    QVERIFY_THROWS_EXCEPTION(velmora::NumberError, f.window.LoadItemPages(0));
    QCOMPARE(f.Get<QLineEdit>("edt_ICaption")->text(), QString("Shown"));

    // Selected through the tree: the error is shown, and the pages that
    // still show another item are not stored into the bad record.
    auto* tree = f.window.findChild<QTreeWidget*>("trvwDesignPanel");
    f.window.Insert1Click();
    tree->setCurrentItem(f.window.NodeAt(2));
    f.window.Document().SetItem(0, bad);
    tree->setCurrentItem(f.window.NodeAt(1));
    QVERIFY(!f.prompts.messages.isEmpty());
    QCOMPARE(f.prompts.messages.last().icon, QMessageBox::Critical);
    QVERIFY(f.prompts.messages.last().text.contains("12px"));
    QCOMPARE(f.window.CurrentItem(), nullptr);
    tree->setCurrentItem(f.window.NodeAt(0));
    QCOMPARE(f.window.Document().GetItem(0)[velmora::IPaddingLeft], std::string("12px"));
  }
};

QTEST_MAIN(PropertyPagesTest)
#include "test_property_pages.moc"
