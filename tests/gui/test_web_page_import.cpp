// File > Import from Web Page in the real window: the save prompt, the
// chooser of lists, the rebuilt tree, the warnings, refusals that leave the
// open design alone, and the window state of a structure import.
// VELMORA_SCREENSHOTS=DIR saves pictures of the chooser and the window.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "designer/main_form.h"
#include "dialogs/WebMenuChooser.h"
#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "generator/page_style.h"
#include "support/modal.h"
#include "support/window_fixture.h"

namespace velmora {

namespace {

// A shop's page: a plain list of two links, the navigation bar with a
// dropdown, and a footer list.
const char kShopPage[] = R"html(<!DOCTYPE html>
<html lang="pt-BR"><head><meta charset="utf-8"><title>Lantern &amp; Loom</title></head>
<body>
<ul class="contact"><li><a href="tel:+100">Call us</a></li><li><a href="mailto:hi@example.com">Write</a></li></ul>
<nav class="navbar" id="main-nav">
  <ul class="navbar-nav">
    <li><a href="index.html">Home</a></li>
    <li class="dropdown"><a class="dropdown-toggle" href="#">Lamps</a>
      <ul class="dropdown-menu">
        <li><a href="lamps/table.html" title="For desks and bedsides">Table lamps</a></li>
        <li><a href="lamps/floor.html" target="_blank">Floor lamps</a></li>
      </ul></li>
    <li><a href="javascript:openCart()">Cart</a></li>
    <li><a href="about.html">About</a></li>
  </ul>
</nav>
<footer><ul><li><a href="terms.html">Terms</a></li><li><a href="privacy.html">Privacy</a></li></ul></footer>
</body></html>
)html";

void Screenshot(QWidget* widget, const QString& name) {
  const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  widget->grab().save(folder + "/" + name);
}

}  // namespace

class WebPageImportTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;

  TMainForm& Form() { return *w_->form; }
  QAction* Command() { return Form().findChild<QAction*>("ImportWebPage1"); }
  QString WritePage(const QString& relative, const QByteArray& html) {
    w_->sandbox.WriteFile(relative, html);
    return w_->Path(relative);
  }
  // Opens a two-item project, then changes it so the save prompt appears.
  QString OpenModifiedSample() {
    const QString project = w_->OpenDesign("menus/a.velm", {{"Home", 0}, {"News", 1}});
    w_->InsertItem();
    return project;
  }

 private slots:
  void init() {
    w_ = std::make_unique<test::WindowFixture>();
    QDir().mkpath(w_->ProgramPath("templates"));
    QFile::copy(VELMORA_TEMPLATES_SOURCE "/light_bar.velm", w_->ProgramPath("templates/light_bar.velm"));
  }
  void cleanup() { w_.reset(); }

  void commandFollowsImportMenuStructure() {
    QVERIFY(Command());
    QCOMPARE(Command()->text(), QStringLiteral("Import from &Web Page..."));
    const QList<QAction*> file = Form().findChild<QMenu*>("File1")->actions();
    const int structure = file.indexOf(Form().findChild<QAction*>("ImportMenuStructure1"));
    QCOMPARE(file.indexOf(Command()), structure + 1);
  }

  void chooserOffersEveryListAndImportsTheChosenOne() {
    const QString project = OpenModifiedSample();
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    w_->prompts.fileAnswers.enqueue(WritePage("site/shop.html", kShopPage));
    QStringList rows;
    int preselected = -2;
    QString look;
    test::OnNextModal([&](QWidget* modal) {
      auto* chooser = qobject_cast<TfrmWebMenuChooser*>(modal);
      QVERIFY(chooser);
      auto* lists = chooser->findChild<QListWidget*>("lstbxMenuLists");
      for (int row = 0; row < lists->count(); ++row) rows << lists->item(row)->text();
      preselected = lists->currentRow();
      look = chooser->findChild<QComboBox*>("cmbTemplate")->currentText();
      chooser->findChild<QCheckBox*>("chckbxModernPage")->setChecked(true);
      Screenshot(chooser, "web-import-chooser.png");
      lists->setCurrentRow(0);
      chooser->findChild<QPushButton*>("btnOK")->click();
    });
    Command()->trigger();

    QCOMPARE(w_->prompts.messages.first().text, QStringLiteral("Save changes to files?"));
    QCOMPARE(w_->prompts.fileDialogFilters, QStringList{"Web Pages (*.html *.htm);;All Files (*)"});
    QCOMPARE(rows, (QStringList{
                       "Home, Lamps, Cart, About  (6 items, 2 levels)\n<ul class=\"navbar-nav\"> in <nav "
                       "id=\"main-nav\" "
                       "class=\"navbar\">",
                       "Call us, Write  (2 items, 1 level)\n<ul class=\"contact\">",
                       "Terms, Privacy  (2 items, 1 level)\n<ul> in <footer>",
                   }));
    QCOMPARE(preselected, 0);  // the list the command-line import takes comes first
    QCOMPARE(TfrmWebMenuChooser::RowText({"<ul>", 6, 1, true, {"Save %2 now", "%1", "...", "%7"}}),
             QStringLiteral("Save %2 now, %1, ..., %7  (6 items, 1 level, hidden)\n<ul>"));
    QCOMPARE(look, QStringLiteral("light_bar"));
    QCOMPARE(w_->Captions(),
             (std::vector<std::string>{"Home", "Lamps", "Table lamps", "Floor lamps", "Cart", "About"}));
    QVERIFY(w_->TreeInStep());
    const TvornAppletAgent& doc = Form().Document();
    QCOMPARE(doc.Items[2][IToolTip], "For desks and bedsides");
    QCOMPARE(doc.Items[3][ITarget], "_blank");
    QCOMPARE(doc.Items[4][ILink], "");
    // The light template's look, the modern page in the page's language.
    QCOMPARE(doc.Items[0][IColorNormal], "33414E");
    QCOMPARE(PageSettingsOf(doc).style, PageStyle::Html5);
    QCOMPARE(PageSettingsOf(doc).language, std::string("pt-BR"));
    // The script link was dropped, and the window says so.
    QCOMPARE(w_->prompts.messages.size(), 2);
    QVERIFY(w_->prompts.messages.last().text.contains(
        "item 5 \"Cart\": link \"javascript:openCart()\" runs a script or holds data; it was dropped"));
    // The window state of an import: bound to the old file, unmodified.
    QCOMPARE(Form().ProjectFile(), project);
    QVERIFY(!Form().IsModified());
    QVERIFY(w_->SaveCommandFollowsModified());
    QCOMPARE(w_->RecentEntries(), QStringList{"&1 " + project});
    QCOMPARE(Form().SelectedIndex(), 0);
    Form().resize(900, 600);
    Form().findChild<QTreeWidget*>()->expandAll();
    Screenshot(&Form(), "web-import-window.png");
  }

  void cancelledChooserOrPromptChangesNothing() {
    OpenModifiedSample();
    const QString page = WritePage("site/shop.html", kShopPage);
    w_->prompts.messageAnswers.enqueue(QMessageBox::No);
    w_->prompts.fileAnswers.enqueue(page);
    test::OnNextModal([](QWidget* modal) { modal->findChild<QPushButton*>("btnCancel")->click(); });
    Command()->trigger();
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "News", "Item Caption"}));
    QVERIFY(Form().IsModified());

    w_->prompts.messageAnswers.enqueue(QMessageBox::Cancel);
    const int dialogs = w_->FileDialogsShown();
    Command()->trigger();
    QCOMPARE(w_->FileDialogsShown(), dialogs);
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "News", "Item Caption"}));
  }

  void aHiddenListIsOfferedNotTaken() {
    w_->OpenDesign("menus/a.velm", {{"Home", 0}});
    w_->prompts.fileAnswers.enqueue(
        WritePage("site/hidden.html", "<nav hidden><ul><li><a href=a>A</a><li><a href=b>B</a></ul></nav>"));
    int preselected = -2;
    QString row;
    test::OnNextModal([&](QWidget* modal) {
      auto* lists = modal->findChild<QListWidget*>("lstbxMenuLists");
      preselected = lists->currentRow();
      row = lists->item(0)->text();
      modal->findChild<QPushButton*>("btnCancel")->click();
    });
    Command()->trigger();
    QCOMPARE(preselected, -1);
    QVERIFY2(row.contains(", hidden)"), qPrintable(row));
    QCOMPARE(w_->Captions(), std::vector<std::string>{"Home"});
  }

  // A page with one list still lets the user choose the look and the page
  // style, and the design takes what was chosen.
  void aSingleListStillOffersItsLook() {
    w_->OpenDesign("menus/a.velm", {{"Home", 0}});
    QFile::copy(VELMORA_TEMPLATES_SOURCE "/dark_bar.velm", w_->ProgramPath("templates/dark_bar.velm"));
    w_->prompts.fileAnswers.enqueue(
        WritePage("site/one.html",
                  "<html lang=nl><nav><ul><li><a href=a.html>Alpha</a><li><a href=b.html>Beta</a></ul>"));
    QStringList rows;
    test::OnNextModal([&](QWidget* modal) {
      auto* lists = modal->findChild<QListWidget*>("lstbxMenuLists");
      for (int row = 0; row < lists->count(); ++row) rows << lists->item(row)->text();
      modal->findChild<QComboBox*>("cmbTemplate")->setCurrentText("dark_bar");
      modal->findChild<QCheckBox*>("chckbxModernPage")->setChecked(true);
      Screenshot(modal, "web-import-single-list.png");
      modal->findChild<QPushButton*>("btnOK")->click();
    });
    Command()->trigger();
    QCOMPARE(rows, QStringList{"Alpha, Beta  (2 items, 1 level)\n<ul> in <nav>"});
    QCOMPARE(w_->Captions(), (std::vector<std::string>{"Alpha", "Beta"}));
    TvornAppletAgent dark;
    ItemTree darkTree;
    dark.LoadProject(VELMORA_TEMPLATES_SOURCE "/dark_bar.velm", darkTree);
    QVERIFY(dark.Items[0][IColorNormal] != "33414E");  // not the light look
    QCOMPARE(Form().Document().Items[0][IColorNormal], dark.Items[0][IColorNormal]);
    QCOMPARE(PageSettingsOf(Form().Document()).style, PageStyle::Html5);
    QCOMPARE(PageSettingsOf(Form().Document()).language, std::string("nl"));
  }

  void refusedPagesLeaveTheDesignAlone() {
    QString deep = "<nav><ul><li><a href=a>A</a>";
    for (int level = 0; level < 40; ++level) deep += "<ul><li><a href=b>B</a>";
    const struct {
      QString page;
      QByteArray html;
      QString message;
    } cases[] = {
        {"site/empty.html", "<p>Nothing to import</p>", "no navigation list found in "},
        {"site/deep.html", deep.toUtf8(), "nested deeper than 32 levels"},
        {"site/nested.html", QByteArray("<nav><ul><li><a href=a>A</a>") + QByteArray("<div>").repeated(600),
         "nests its elements deeper than 512 levels"},
        {"site/kr.html", "<meta charset=iso-2022-kr><nav><ul><li><a href=a>A</a></ul></nav>",
         "an encoding whose text browsers do not show"},
    };
    const QString project = w_->OpenDesign("menus/a.velm", {{"Home", 0}, {"News", 1}});
    for (const auto& c : cases) {
      w_->prompts.fileAnswers.enqueue(WritePage(c.page, c.html));
      // The too deep list is offered and refused when taken; the other
      // pages are refused as a whole, before any chooser.
      const bool offersList = c.page == "site/deep.html";
      bool offered = false;
      if (offersList) {
        test::OnNextModal([&](QWidget* modal) {
          offered = true;
          modal->findChild<QPushButton*>("btnOK")->click();
        });
      }
      Command()->trigger();
      QCOMPARE(offered, offersList);
      QCOMPARE(w_->prompts.messages.last().icon, QMessageBox::Critical);
      QVERIFY2(w_->prompts.messages.last().text.contains(c.message),
               qPrintable(w_->prompts.messages.last().text));
      QVERIFY(w_->prompts.messages.last().text.contains(w_->Path(c.page)));
      QCOMPARE(w_->Captions(), (std::vector<std::string>{"Home", "News"}));
      QVERIFY(w_->TreeInStep());
      QCOMPARE(Form().ProjectFile(), project);
    }
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::WebPageImportTest)
#include "test_web_page_import.moc"
