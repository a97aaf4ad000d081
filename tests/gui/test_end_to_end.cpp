// From the window to a working menu: a small design made in the designer,
// saved, and the saved page opened in headless Chromium.

#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include "designer/main_form.h"
#include "support/window_fixture.h"

namespace velmora {

class EndToEndTest : public QObject {
  Q_OBJECT

  // Gives the item of a tree node its caption and link: through the Item
  // General page when the window has it, else straight into the record.
  static void Describe(TMainForm& form, int node, const QString& caption, const std::string& link) {
    auto* tree = form.findChild<QTreeWidget*>("trvwDesignPanel");
    tree->setCurrentItem(form.NodeAt(node));
    auto* captionEdit = form.findChild<QLineEdit*>("edt_ICaption");
    auto* linkEdit = form.findChild<QWidget*>("cmbx_ILink");
    if (captionEdit && linkEdit) {
      captionEdit->setText(caption);
      if (auto* edit = qobject_cast<QLineEdit*>(linkEdit))
        edit->setText(QString::fromStdString(link));
      else
        linkEdit->findChild<QLineEdit*>()->setText(QString::fromStdString(link));
      return;
    }
    TItemData item = form.Document().GetItem(node - 1);
    item[ICaption] = caption.toStdString();
    item[ILink] = link;
    form.Document().SetItem(node - 1, item);
  }

 private slots:
  void savedPageBuildsTheMenuInABrowser() {
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty()) QSKIP("chromium is not installed: the saved page cannot be opened in a browser");

    test::WindowFixture w;
    TMainForm& form = *w.form;
    // Products (with Widgets below it) and About, under the root.
    w.InsertItem();
    w.InsertItem();
    form.findChild<QTreeWidget*>("trvwDesignPanel")->setCurrentItem(form.NodeAt(1));
    form.Insert1Click();
    QCOMPARE(form.Tree().NodeCount(), 4);
    Describe(form, 1, "Products", "products.html");
    Describe(form, 2, "Widgets", "widgets.html");
    Describe(form, 3, "About", "about.html");
    form.SelectRootNode();

    w.AnswerFile("site/menu.velm");
    form.Save1Click();
    const QString page = w.Path("site/menu.html");
    QVERIFY(QFileInfo::exists(page));
    QVERIFY(QFileInfo::exists(w.Path("site/jsmenu0.js")));

    QProcess browser;
    browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                             "--disable-component-update", "--disable-sync", "--no-first-run",
                             "--user-data-dir=" + w.Path("chromium-profile"), "--virtual-time-budget=3000",
                             "--dump-dom", QUrl::fromLocalFile(page).toString()});
    QVERIFY2(browser.waitForFinished(120000), "chromium did not finish");
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    QVERIFY2(dom.contains(R"(role="menubar")"), qPrintable("no menu bar in the page:\n" + dom.left(2000)));

    // The two top-level items, in order, linked, the first one opening a menu.
    static const QRegularExpression items(R"(<a [^>]*role="menuitem"[^>]*>.*?</a>)");
    QStringList anchors;
    for (auto match = items.globalMatch(dom); match.hasNext();) anchors << match.next().captured(0);
    QCOMPARE(anchors.size(), 2);
    QVERIFY(anchors[0].contains("Products"));
    QVERIFY(anchors[0].contains(R"(aria-haspopup="menu")"));
    QVERIFY(anchors[0].contains(R"(href="products.html")"));
    QVERIFY(anchors[1].contains("About"));
    QVERIFY(anchors[1].contains(R"(href="about.html")"));
    QVERIFY(!anchors[1].contains("aria-haspopup"));
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::EndToEndTest)
#include "test_end_to_end.moc"
