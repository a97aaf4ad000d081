// The window for screen reader and keyboard users: every control a screen
// reader meets is named (not by a lone glyph, not twice on one page), and
// the keyboard reaches every control of every page, colours included.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "designer/application.h"
#include "designer/keyboard_routes.h"
#include "designer/main_form.h"
#include "designer/page_widgets.h"
#include "dialogs/About.h"
#include "dialogs/GlobalPropertiesChange.h"
#include "dialogs/HTMLBuild.h"
#include "dialogs/MessageBox_LinkTip.h"
#include "dialogs/PublishReport.h"
#include "dialogs/WebBrowser.h"
#include "dialogs/templet.h"
#include "generator/contrast.h"
#include "support/window_fixture.h"

namespace velmora {

namespace {

bool Interactive(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::EditableText:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Tree:
    case QAccessible::List:
    case QAccessible::PageTab:
    case QAccessible::Slider:
      return true;
    default:
      return false;
  }
}

// A name a listener can act on: at least two letters ("B", "...", "?" are not).
bool Meaningful(const QString& name) {
  int letters = 0;
  for (QChar c : name) letters += c.isLetter() ? 1 : 0;
  return letters >= 2;
}

struct Named {
  QString name;
  QString where;  // the widget's object name, for the failure message
};

// The shown interactive controls under `iface`. Children of a combo box
// (its text part, its list) share its name and are not counted twice.
void Collect(QAccessibleInterface* iface, QList<Named>& found, int depth = 0) {
  if (!iface || depth > 40) return;
  const QAccessible::State state = iface->state();
  if (state.invisible || state.offscreen) return;
  const QAccessible::Role role = iface->role();
  if (Interactive(role)) {
    const QObject* object = iface->object();
    // On this system a combo box's name is its value; a screen reader names
    // it by the name set on it, else by its label.
    QString name = iface->text(QAccessible::Name);
    if (role == QAccessible::ComboBox) {
      name = static_cast<const QWidget*>(object)->accessibleName();
      const auto labels = iface->relations(QAccessible::Label);
      if (name.isEmpty() && !labels.isEmpty()) name = labels.front().first->text(QAccessible::Name);
    }
    found << Named{name, object ? object->objectName() + " (" + object->metaObject()->className() + ")"
                                : QString("child of ") + iface->parent()->object()->objectName()};
  }
  if (role == QAccessible::ComboBox || role == QAccessible::Tree || role == QAccessible::List ||
      role == QAccessible::PageTabList)
    return;
  for (int k = 0; k < iface->childCount(); ++k) Collect(iface->child(k), found, depth + 1);
}

// Failures as text: unnamed or glyph-named controls and repeated names.
QStringList NameFaults(QWidget* window, int atLeast = 1) {
  QList<Named> found;
  Collect(QAccessible::queryAccessibleInterface(window), found);
  QStringList faults;
  QHash<QString, QString> seen;
  for (const Named& control : found) {
    if (!Meaningful(control.name)) faults << control.where + " is named \"" + control.name + "\"";
    if (seen.contains(control.name)) {
      faults << "\"" + control.name + "\" names both " + seen.value(control.name) + " and " + control.where;
    }
    seen.insert(control.name, control.where);
  }
  if (found.size() < atLeast) faults << "only " + QString::number(found.size()) + " controls found";
  return faults;
}

QTabWidget* Pages(QWidget& form) {
  return form.findChild<QTabWidget*>("pgcntrl1");
}

QStringList ShownPages(QWidget& form) {
  QStringList shown;
  QTabWidget* tabs = Pages(form);
  for (int k = 0; k < tabs->count(); ++k) {
    if (tabs->isTabVisible(k)) shown << tabs->widget(k)->objectName();
  }
  return shown;
}

// The controls of a page that Tab should reach.
QSet<QWidget*> TabStops(QWidget* page) {
  QSet<QWidget*> stops;
  for (QWidget* widget : page->findChildren<QWidget*>()) {
    if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(page) && widget->isEnabled() &&
        !widget->focusProxy() && widget->objectName() != "qt_spinbox_lineedit")
      stops.insert(widget);
  }
  return stops;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;

  TMainForm& Form() { return *w_->form; }
  QTreeWidget* Tree() { return Form().findChild<QTreeWidget*>("trvwDesignPanel"); }

 private slots:
  void initTestCase() { ConfigureApplication(); }

  void init() {
    w_ = std::make_unique<test::WindowFixture>();
    w_->OpenDesign("a.velm", {{"Home", 0}, {"Shop", 0}, {"Shoes", 1}});
    QVERIFY(w_->ShowActive());
  }
  void cleanup() { w_.reset(); }

  void everyControlOfEveryPageIsNamedOnce() {
    // The root shows the menu pages, an item with children all item pages.
    for (int node : {0, 2}) {
      Tree()->setCurrentItem(Form().NodeAt(node));
      for (int k = 0; k < Pages(Form())->count(); ++k) {
        if (!Pages(Form())->isTabVisible(k)) continue;
        Pages(Form())->setCurrentIndex(k);
        const QStringList faults = NameFaults(&Form(), 15);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(Pages(Form())->widget(k)->objectName() + ": " + faults.join("; ")));
      }
    }
    // The names the fields are known by.
    const struct {
      const char* control;
      const char* name;
    } names[] = {
        {"tlbtnSave", "Save"},
        {"tlbtnBuildHTML", "Build HTML"},
        {"trvwDesignPanel", "Design tree"},
        {"spnedt_IPaddingLeft", "Padding left"},
        {"spnedt_ILeftIconWidth", "Width of the left icon"},
        {"pnl_IColorNormal", "Normal text colour"},
        {"pnl_IBackgroundColorOver", "Mouse Over background colour"},
        {"spdbtnHelpBorderTopClicked", "Help: Top border"},
        {"spdbtnItemBGImageOver", "Choose Background image..."},
        {"spdbtn_IFontWeightNormal", "Bold"},
        {"spdbtn_IFontStyleNormal", "Italic"},
    };
    for (const auto& expected : names) {
      auto* widget = Form().findChild<QWidget*>(expected.control);
      QVERIFY2(widget, expected.control);
      QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name),
               QString(expected.name));
    }
    // The text part of an editable combo box reads like the combo box.
    auto* link = Form().findChild<QComboBox*>("cmbx_ILink");
    QCOMPARE(QAccessible::queryAccessibleInterface(link->lineEdit())->text(QAccessible::Name),
             QString("URL"));
    // Every field label has an access key, unless all its letters are
    // taken on its page (or by the menu bar).
    QTabWidget* tabs = Pages(Form());
    for (int k = 0; k < tabs->count(); ++k) {
      QString taken = "FEVISOH";
      QList<QLabel*> labels;
      for (QWidget* widget : tabs->widget(k)->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(widget);
        auto* button = qobject_cast<QAbstractButton*>(widget);
        const QString text = label ? label->text() : button ? button->text() : QString();
        const int at = text.indexOf('&');
        if (at >= 0 && at + 1 < text.size()) taken += text.at(at + 1).toUpper();
        if (label && label->buddy()) labels << label;
      }
      for (QLabel* label : labels) {
        if (label->text().contains('&')) continue;
        for (QChar c : label->text()) {
          QVERIFY2(!c.isLetter() || taken.contains(c.toUpper()),
                   qPrintable(label->text() + " has no access key though " + c + " is free"));
        }
      }
    }
    QCOMPARE(Form().findChild<QWidget*>("spnedt_IPaddingBottom"), [&]() -> QWidget* {
      for (QLabel* label : Form().findChildren<QLabel*>()) {
        if (label->text().remove('&') == "Bottom") return label->buddy();
      }
      return nullptr;
    }());
  }

  void everyDialogNamesItsControls() {
    TfrmGlobalPropertiesChange batch(Form().Document(), *Tree(), {});
    TfrmTemplet chooser(w_->sandbox.ProgramFolder(), {});
    TformWebBrowser browser(QList<KnownBrowser>{{"Firefox", "/usr/bin/firefox"}}, nullptr);
    TfrmMsgBox_LinkTip tip;
    TformAbout about;
    TformHTML code;
    TfrmPublishReport report;
    for (QWidget* dialog :
         std::initializer_list<QWidget*>{&batch, &chooser, &browser, &tip, &about, &code, &report}) {
      dialog->show();
      QVERIFY(QTest::qWaitForWindowExposed(dialog));
      const QStringList faults = NameFaults(dialog);
      QVERIFY2(faults.isEmpty(), qPrintable(dialog->objectName() + ": " + faults.join("; ")));
      dialog->hide();
    }
    // The batch changer's boxes say which group they belong to.
    QCOMPARE(batch.findChild<QCheckBox*>("chchbxBrdClrTop")->accessibleName(),
             QString("Border Top: Border Color"));
  }

  void theKeyboardReachesEveryControlOfEveryPage() {
    Tree()->setCurrentItem(Form().NodeAt(2));  // Shop, with a child: five pages
    Tree()->setFocus(Qt::OtherFocusReason);
    QTabWidget* tabs = Pages(Form());

    // F6 goes from the tree to the page, and on round to the tree.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QVERIFY(tabs->currentWidget()->isAncestorOf(QApplication::focusWidget()));

    QStringList visited;
    for (int page = 0; page < 5; ++page) {
      QWidget* current = tabs->currentWidget();
      visited << current->objectName();
      const QSet<QWidget*> expected = TabStops(current);
      QSet<QWidget*> reached;
      for (int step = 0; step < expected.size() + 5; ++step) {
        QWidget* focus = QApplication::focusWidget();
        if (current->isAncestorOf(focus)) reached.insert(focus->focusProxy() ? focus->focusProxy() : focus);
        // Combo boxes and spin boxes take the focus through their text part.
        if (auto* edit = qobject_cast<QLineEdit*>(focus);
            edit && edit->parentWidget() &&
            (qobject_cast<QComboBox*>(edit->parentWidget()) || qobject_cast<QSpinBox*>(edit->parentWidget())))
          reached.insert(edit->parentWidget());
        QTest::keyClick(focus, Qt::Key_Tab);
      }
      for (QWidget* stop : expected) {
        QVERIFY2(reached.contains(stop), qPrintable(current->objectName() + ": Tab never reaches " +
                                                    stop->objectName() + " " + stop->accessibleName()));
      }
      // Ctrl+Tab to the next shown page, the focus going along.
      QWidget* into = FirstTabStop(current);
      QVERIFY(into);
      into->setFocus(Qt::TabFocusReason);
      QTest::keyClick(into, Qt::Key_Tab, Qt::ControlModifier);
      QVERIFY(tabs->isTabVisible(tabs->currentIndex()));
      QVERIFY(tabs->currentWidget()->isAncestorOf(QApplication::focusWidget()));
    }
    // Every shown page once, then round to the first; hidden ones never.
    QCOMPARE(visited, ShownPages(Form()));
    QCOMPARE(tabs->currentWidget()->objectName(), QString("tbshtItemGeneral"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(tabs->currentWidget()->objectName(), QString("tbshtSubmenu"));

    // F6 on to the tree (the preview pane, where there is one, between).
    for (int k = 0; k < 3 && QApplication::focusWidget() != Tree(); ++k)
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Tree()));
  }

  void hintsAndFocusRingsStandOut() {
    auto hex = [](const QColor& color) { return color.name().mid(1).toUpper().toStdString(); };
    // The examples under the fields read as normal text, not as unavailable.
    int examples = 0;
    for (QLabel* label : Form().findChildren<QLabel*>()) {
      if (!label->text().startsWith("Example:")) continue;
      ++examples;
      QVERIFY2(label->isEnabled(), qPrintable(label->text()));
      const QPalette palette = label->palette();
      QVERIFY(ContrastRatio(hex(palette.color(QPalette::WindowText)), hex(palette.color(QPalette::Window))) >=
              kMinimumTextContrast);
    }
    QCOMPARE(examples, 3);

    // A focused field's ring against the page around it.
    Tree()->setCurrentItem(Form().NodeAt(1));
    auto* caption = Form().findChild<QLineEdit*>("edt_ICaption");
    caption->setFocus(Qt::TabFocusReason);
    QVERIFY(caption->hasFocus());
    const QImage shot = caption->parentWidget()->grab().toImage();
    const QPoint at = caption->pos();
    const QColor ring = shot.pixelColor(at + QPoint(1, caption->height() / 2));
    const QColor around = shot.pixelColor(at + QPoint(-2, caption->height() / 2));
    QVERIFY2(ContrastRatio(hex(ring), hex(around)) >= 3.0, qPrintable(ring.name() + " on " + around.name()));
  }

  void spaceOnAColourFieldAsksForTheColour() {
    Tree()->setCurrentItem(Form().NodeAt(1));
    Pages(Form())->setCurrentWidget(Form().findChild<QWidget*>("tbshtItemNormal"));
    auto* colour = Form().findChild<ColorPanel*>("pnl_IColorNormal");
    colour->setFocus(Qt::TabFocusReason);
    QVERIFY(colour->hasFocus());
    w_->prompts.colorAnswers.enqueue(QColor(0x12, 0x34, 0x56));
    QTest::keyClick(colour, Qt::Key_Space);
    QCOMPARE(w_->prompts.colorDialogs, 1);
    Form().StorePages();
    QCOMPARE(Form().Document().GetItem(0)[IColorNormal], std::string("123456"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(colour);
    QCOMPARE(iface->text(QAccessible::Value), QString("#123456"));
    QVERIFY2(iface->text(QAccessible::Description).contains("4.5:1"),
             qPrintable(iface->text(QAccessible::Description)));

    // Enter too; a cancelled dialog keeps the colour.
    QTest::keyClick(colour, Qt::Key_Return);
    QCOMPARE(w_->prompts.colorDialogs, 2);
    QCOMPARE(colour->HexText(), QString("#123456"));
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::AccessibilityTest)
#include "test_accessibility.moc"
