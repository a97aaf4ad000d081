// File > Update Site Pages in the real window: the site folder asked for
// once and kept with the design as a step that can be undone, the pages
// listed with their states, Update writing them and reporting, and a second
// run finding everything up to date.
// VELMORA_SCREENSHOTS=DIR saves a picture of the dialog.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

#include "designer/main_form.h"
#include "designer/undo_history.h"
#include "dialogs/SitePages.h"
#include "support/modal.h"
#include "support/window_fixture.h"

namespace velmora {

namespace {

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Shown {
  QStringList rows;
  QString summary;
  QString report;
  QString copied;
  bool canUpdate = false;
};

// Runs the command, reads the dialog, presses Update when asked, closes it.
Shown RunDialog(TMainForm& form, bool update) {
  Shown shown;
  test::OnNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<TfrmSitePages*>(modal);
    QVERIFY(dialog);
    auto* pages = dialog->findChild<QTreeWidget*>("lvwPages");
    if (update) dialog->findChild<QPushButton*>("btnUpdate")->click();
    shown.canUpdate = dialog->findChild<QPushButton*>("btnUpdate")->isEnabled();
    for (int row = 0; row < pages->topLevelItemCount(); ++row)
      shown.rows << pages->topLevelItem(row)->text(0) + ": " + pages->topLevelItem(row)->text(1);
    shown.summary = dialog->findChild<QLabel*>("lblSummary")->text();
    shown.report = dialog->ReportText();
    // The report is copied as a user copies it: select all, copy.
    auto* report = dialog->findChild<QPlainTextEdit*>("memoReport");
    report->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(report, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(report, Qt::Key_C, Qt::ControlModifier);
    shown.copied = QApplication::clipboard()->text();
    if (const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOTS"); !folder.isEmpty()) {
      QDir().mkpath(folder);
      dialog->grab().save(folder + (update ? "/site-pages-updated.png" : "/site-pages.png"));
    }
    dialog->findChild<QPushButton*>("btnClose")->click();
  });
  form.findChild<QAction*>("UpdateSitePages1")->trigger();
  return shown;
}

}  // namespace

class SitePagesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;
  TMainForm& Form() { return *w_->form; }

 private slots:
  void init() { w_ = std::make_unique<test::WindowFixture>(); }
  void cleanup() { w_.reset(); }

  void commandFollowsSaveAsTemplate() {
    const QList<QAction*> file = Form().findChild<QMenu*>("File1")->actions();
    const int templateAt = file.indexOf(Form().findChild<QAction*>("SaveAsTemplate1"));
    QCOMPARE(file.indexOf(Form().findChild<QAction*>("UpdateSitePages1")), templateAt + 1);
    QCOMPARE(file[templateAt + 1]->text(), QStringLiteral("Update Site &Pages..."));
  }

  void asksForTheFolderOnceListsPagesAndUpdatesThem() {
    const QString project = w_->OpenDesign("site/menu.velm", {{"Home", 0}, {"News", 1}});
    const QByteArray marked = "<p>\xE9</p>\r\n<!-- velmora-menu -->\r\n<!-- /velmora-menu -->\r\n";
    w_->sandbox.WriteFile("site/www/index.html", marked);
    w_->sandbox.WriteFile("site/www/blog/2026/post.htm", marked);
    w_->sandbox.WriteFile("site/www/plain.html", "<p>no menu</p>");
    w_->prompts.fileAnswers.enqueue(w_->Path("site/www"));

    const Shown first = RunDialog(Form(), true);
    QCOMPARE(w_->FileDialogsShown(), 1);
    QCOMPARE(first.rows, (QStringList{"blog/2026/post.htm: updated", "index.html: updated",
                                      "plain.html: no menu region"}));
    QVERIFY2(first.summary.startsWith("2 updated, 0 up to date, 1 without a menu region"),
             qPrintable(first.summary));
    QVERIFY2(first.report.contains("site/www/blog/2026/post.htm: updated\n"), qPrintable(first.report));
    QCOMPARE(first.copied, first.report);
    const QByteArray post = Read(w_->Path("site/www/blog/2026/post.htm"));
    QVERIFY(post.startsWith("<p>\xE9</p>\r\n<!-- velmora-menu -->\r\n<link href=\"../../../jsmenu01.css\""));
    QVERIFY(post.endsWith("</div>\r\n<!-- /velmora-menu -->\r\n"));

    // The folder is the design's, relative to its file, and the save that
    // published the menu kept it.
    QCOMPARE(Form().Document().Extensions.Value("Site_Folder"), std::string("www"));
    QVERIFY(Read(project).contains("Site_Folder=www\r\n"));
    QVERIFY(!Form().IsModified());
    QCOMPARE(Form().History().Stack().undoText(), QStringLiteral("Set Site Folder"));

    const Shown second = RunDialog(Form(), false);
    QCOMPARE(w_->FileDialogsShown(), 1);
    QCOMPARE(second.rows, (QStringList{"blog/2026/post.htm: up to date", "index.html: up to date",
                                       "plain.html: no menu region"}));
    QVERIFY(second.summary.startsWith("0 to update, 2 up to date"));

    // A later save publishes under the name the site's pages hold.
    w_->InsertItem();
    Form().Save1Click();
    QVERIFY(Read(w_->Path("site/menu.html")).contains("<div id=\"sitemenudiv\">") ||
            Read(w_->Path("site/menu.html")).contains("<div id=sitemenudiv>"));

    Form().History().Undo();
    Form().History().Undo();
    QVERIFY(!Form().Document().Extensions.Has("Site_Folder"));
  }

  void problemsShowInTheListAndWholeBelowIt() {
    const QString project = w_->OpenDesign("site/menu.velm", {{"Home", 0}});
    w_->sandbox.WriteFile("site/www/broken.html", "a\n<!-- velmora-menu -->\n");
    w_->sandbox.WriteFile("site/www/fine.html", "<!-- velmora-menu --><!-- /velmora-menu -->");
    w_->prompts.fileAnswers.enqueue(w_->Path("site/www"));
    const QByteArray saved = Read(project);

    const Shown shown = RunDialog(Form(), false);
    const QString problem =
        "line 2: the opening marker <!-- velmora-menu --> has no closing marker "
        "<!-- /velmora-menu --> after it";
    QCOMPARE(shown.rows, (QStringList{"broken.html: " + problem, "fine.html: will be updated"}));
    QCOMPARE(shown.report, w_->Path("site/www/broken.html") + ": " + problem);
    QVERIFY(shown.summary.endsWith("Nothing is written until the problems are mended."));
    QVERIFY(!shown.canUpdate);
    QCOMPARE(Read(w_->Path("site/www/fine.html")), QByteArray("<!-- velmora-menu --><!-- /velmora-menu -->"));
    QCOMPARE(Read(project), saved);
  }

  void unsavedDesignIsAskedToBeSavedFirst() {
    w_->InsertItem();
    Form().findChild<QAction*>("UpdateSitePages1")->trigger();
    QCOMPARE(w_->FileDialogsShown(), 0);
    QVERIFY(w_->prompts.messages.last().text.startsWith("Save the design first"));
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::SitePagesTest)
#include "test_site_pages.moc"
