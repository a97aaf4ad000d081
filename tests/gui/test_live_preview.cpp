// The live preview pane: the menu drawn by the web engine from memory,
// following edits, selections and clicks, and the scheme that feeds it.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <memory>
#include <optional>

#include "designer/live_preview.h"
#include "dialogs/templet.h"
#include "platform/preview_scheme.h"
#include "platform/preview_view.h"
#include "support/engine_test_main.h"
#include "support/window_fixture.h"

namespace velmora {

namespace {

constexpr int kEngineTimeout = 20000;

// Runs a script in the pane's page and waits for its value.
QVariant RunJs(PreviewView* view, const QString& script) {
  // The answer may come after the wait gave up (or never, when the page
  // goes first), so it is kept apart from this frame.
  auto answer = std::make_shared<std::optional<QVariant>>();
  view->WebView()->page()->runJavaScript(script, [answer](const QVariant& value) { *answer = value; });
  if (!QTest::qWaitFor([&] { return answer->has_value(); }, kEngineTimeout))
    qWarning("the page did not answer: %s", qPrintable(script));
  return answer->value_or(QVariant());
}

QString TopCaptions(PreviewView* view) {
  return RunJs(view,
               "Array.from(document.querySelectorAll('.vm-bar > .vm-i')).map(e => e.textContent).join('|')")
      .toString();
}

// Watches a window and a dialog of it: whether the window's native surface
// was made anew, and how often the dialog was raised after that.
struct WindowStacking : QObject {
  bool remade = false;
  int raisedAfter = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::WinIdChange) remade = true;
    if (event->type() == QEvent::ZOrderChange && remade) ++raisedAfter;
    return false;
  }
};

}  // namespace

class LivePreviewTest : public QObject {
  Q_OBJECT

  template <typename T>
  static T* Find(QObject* in, const char* name) {
    auto* child = in->findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no %s", name);
    return child;
  }

 private slots:
  void schemeServesOnlyThePageItsFilesAndTheDesignsImages() {
    test::Sandbox sandbox;
    sandbox.WriteFile("program/preview/img/a.gif", "GIF89a");
    sandbox.WriteFile("program/preview/other.gif", "GIF89a");
    sandbox.WriteFile("program/secret.gif", "secret");
    PreviewSchemeHandler handler;
    PreviewContent content;
    content.page = "<html>page</html>";
    content.script = "script";
    content.stylesheet = "sheet";
    content.scriptName = "jsmenu01cfg.js";
    content.stylesheetName = "jsmenu01.css";
    content.runtimePath = sandbox.ProgramFolder() + "/jsmenu0.js";
    content.imageFolder = (sandbox.ProgramFolder() + "/preview").toStdString();
    content.images = {"img/a.gif", "../secret.gif", "/etc/hostname"};
    handler.SetContent(content);

    auto at = [&](const QString& path) { return handler.Resolve(QUrl("velmora://preview/7/" + path)); };
    QVERIFY(handler.Resolve(PreviewPageUrl()));
    QCOMPARE(handler.Resolve(PreviewPageUrl())->body, QByteArray("<html>page</html>"));
    QCOMPARE(at("jsmenu01cfg.js")->mimeType, QByteArray("text/javascript"));
    QCOMPARE(at("jsmenu01.css")->body, QByteArray("sheet"));
    QVERIFY(at("jsmenu0.js")->body.contains("bbae"));
    QCOMPARE(at("img/a.gif")->mimeType, QByteArray("image/gif"));
    QCOMPARE(at("img%2Fa.gif")->body, QByteArray("GIF89a"));
    // Names outside the list, however they are spelt, are not found.
    for (const char* refused : {"other.gif", "../secret.gif", "%2E%2E/secret.gif", "img/../../secret.gif",
                                "..%2Fsecret.gif", "%2Fetc%2Fhostname", "jsmenu0cfg.js", "", "img/"}) {
      QVERIFY2(!at(refused), refused);
    }
    QVERIFY(!handler.Resolve(QUrl("velmora://elsewhere/7/jsmenu01.css")));
    QVERIFY(!handler.Resolve(QUrl("velmora://preview/jsmenu01.css")));
    QVERIFY(!handler.Resolve(QUrl("file:///etc/hostname")));
    QVERIFY(!handler.Resolve(QUrl("https://preview/jsmenu01.css")));
  }

  void paneFollowsEditsSelectionsAndClicks() {
    test::WindowFixture fixture;
    TMainForm& form = *fixture.form;
    auto* preview = new LivePreview(form);
    PreviewView* view = preview->View();
    WindowStacking stacking;
    form.installEventFilter(&stacking);
    QDialog chooser(&form);  // as the template chooser opens at start-up
    form.show();
    chooser.show();
    chooser.installEventFilter(&stacking);
    QVERIFY(!preview->Dock()->isHidden());

    // An empty design shows a hint, not an error.
    QTRY_VERIFY_WITH_TIMEOUT(view->IsReady(), kEngineTimeout);
    // The pane's surface makes the window anew: a dialog it has open is
    // brought back in front of it.
    QVERIFY(stacking.remade);
    QTRY_VERIFY(stacking.raisedAfter > 0);
    chooser.hide();
    QVERIFY(RunJs(view, "document.body.textContent").toString().contains("no items yet"));

    // Markup and quotes in a caption stay text; a missing image is not found.
    const std::string hostile = "<img src=x onerror=\"document.title='hit'\">'\\</script>";
    fixture.OpenDesign(
        "a.velm", {{"Home", 0}, {"Products", 0}, {"Tools", 1, "gone.gif"}, {"Contact", 0}, {hostile, 0}});
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(view),
                              QString("Home|Products|Contact|") + QString::fromStdString(hostile),
                              kEngineTimeout);
    QVERIFY(RunJs(view, "document.title").toString() != "hit");
    QVERIFY(!form.IsModified());
    const QString name = QString::fromStdString(form.MenuBaseNameText());
    auto element = [&](int item) { return QString("document.getElementById('%1-%2')").arg(name).arg(item); };

    // A caption typed into the pages reaches the pane after the pause; as an
    // undoable step it is in the document at once.
    auto* tree = Find<QTreeWidget>(&form, "trvwDesignPanel");
    tree->setCurrentItem(form.NodeAt(4));
    Find<QLineEdit>(&form, "edt_ICaption")->setText("Contact us");
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(view),
                              QString("Home|Products|Contact us|") + QString::fromStdString(hostile),
                              kEngineTimeout);
    QCOMPARE(std::string(form.Document().GetItem(3)[ICaption]), std::string("Contact us"));

    // A link in the pane does not navigate: the status line shows it.
    auto* link = Find<QComboBox>(&form, "cmbx_ILink");
    link->setEditText("https://example.com/contact");
    QTRY_COMPARE_WITH_TIMEOUT(RunJs(view, element(3) + ".getAttribute('href')").toString(),
                              QString("https://example.com/contact"), kEngineTimeout);
    RunJs(view, element(3) + ".click()");
    auto* hint = Find<QLabel>(&form, "stctxtHint");
    QTRY_COMPARE_WITH_TIMEOUT(hint->text(), QString("https://example.com/contact"), kEngineTimeout);
    QVERIFY(IsPreviewPageUrl(view->WebView()->page()->url()));

    // A click on an item selects its node and shows its pages.
    RunJs(view, element(0) + ".click()");
    QTRY_COMPARE_WITH_TIMEOUT(form.SelectedIndex(), 1, kEngineTimeout);
    QCOMPARE(Find<QLineEdit>(&form, "edt_ICaption")->text(), QString("Home"));

    // Selecting a nested item in the tree opens its parent's submenu in the pane.
    tree->setCurrentItem(form.NodeAt(3));
    QTRY_VERIFY_WITH_TIMEOUT(!preview->IsPending() && view->IsReady(), kEngineTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(RunJs(view, element(1) + ".getAttribute('aria-expanded')").toString(),
                              QString("true"), kEngineTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(RunJs(view, element(2) + " && " + element(2) + ".offsetWidth > 0").toBool(),
                             kEngineTimeout);

    // A refused value shows its refusal in the pane and no message box.
    const qsizetype messages = fixture.prompts.messages.size();
    auto* font = Find<QLineEdit>(&form, "edt_IFontFamilyNormal");
    const QString family = font->text();
    font->setText("Arial;}");
    QTRY_VERIFY_WITH_TIMEOUT(RunJs(view, "document.body.textContent").toString().contains("Cannot generate"),
                             kEngineTimeout);
    QCOMPARE(fixture.prompts.messages.size(), messages);
    font->setText(family);
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(view),
                              QString("Home|Products|Contact us|") + QString::fromStdString(hostile),
                              kEngineTimeout);

    // Page and stylesheet share our origin, so the runtime reads the sheet
    // and gives a "window-inset" border the inset look browsers drop. The
    // selected item shows its mouse-over look, so another one is selected.
    tree->setCurrentItem(form.NodeAt(1));
    auto* style = Find<QComboBox>(&form, "cmbx_IBorderTopStyleNormal");
    style->setCurrentIndex(style->findText("window-inset"));
    QCOMPARE(style->currentText(), QString("window-inset"));
    tree->setCurrentItem(form.NodeAt(4));
    auto borderStyles = [&](int item) {
      return RunJs(view, "(s => s.borderTopStyle + ' ' + s.borderRightStyle)(getComputedStyle(" +
                             element(item) + "))")
          .toString();
    };
    QTRY_COMPARE_WITH_TIMEOUT(borderStyles(0), QString("inset solid"), kEngineTimeout);
    QCOMPARE(borderStyles(1), QString("solid solid"));

    // The modern page draws the same menu.
    Find<QAction>(&form, "ModernPageOutput1")->trigger();
    QVERIFY(form.IsModified());
    QTRY_VERIFY_WITH_TIMEOUT(RunJs(view, "document.doctype && document.doctype.name").toString() == "html",
                             kEngineTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(view),
                              QString("Home|Products|Contact us|") + QString::fromStdString(hostile),
                              kEngineTimeout);
    QVERIFY(RunJs(view, "document.title").toString() != "hit");
  }

  void paneShowsTheSelectedItemOpenInTheLookBeingEditedAndItsLinkAsWritten() {
    test::WindowFixture fixture;
    TMainForm& form = *fixture.form;
    auto* preview = new LivePreview(form);
    PreviewView* view = preview->View();
    form.show();
    fixture.OpenDesign(
        "shop.velm", {{"Home", 0}, {"Shop", 0}, {"Clothing", 1}, {"Shirts", 2}, {"Toys", 1}, {"Contact", 0}});
    TvornAppletAgent& doc = form.Document();
    const char* looks[] = {"102030", "405060", "708090"};
    for (int state = 0; state < 3; ++state)
      doc.Items[5].at(kStateBlockStart[size_t(state)] + kBackgroundColor) = looks[state];
    doc.Items[4][ILink] = "toys.html#top";
    preview->RefreshNow();
    QTRY_VERIFY_WITH_TIMEOUT(view->IsReady() && view->Content().stylesheet.contains("708090"),
                             kEngineTimeout);
    const QString name = QString::fromStdString(form.MenuBaseNameText());
    auto element = [&](int item) { return QString("document.getElementById('%1-%2')").arg(name).arg(item); };
    auto background = [&](int item) {
      return RunJs(view, "getComputedStyle(" + element(item) + ").backgroundColor").toString();
    };
    auto open = [&](int item) {
      return RunJs(view, element(item) + ".getAttribute('aria-expanded')").toString() == "true";
    };
    auto shown = [&](int item) { return RunJs(view, element(item) + ".offsetWidth > 0").toBool(); };

    // The look of the state page shown, Mouse Over on the others.
    auto* tree = Find<QTreeWidget>(&form, "trvwDesignPanel");
    auto* tabs = Find<QTabWidget>(&form, "pgcntrl1");
    tree->setCurrentItem(form.NodeAt(6));
    const std::pair<const char*, const char*> pages[] = {{"tbshtItemNormal", "rgb(16, 32, 48)"},
                                                         {"tbshtItemOver", "rgb(64, 80, 96)"},
                                                         {"tbshtItemClicked", "rgb(112, 128, 144)"},
                                                         {"tbshtItemGeneral", "rgb(64, 80, 96)"}};
    for (const auto& [page, colour] : pages) {
      tabs->setCurrentWidget(Find<QWidget>(&form, page));
      QTRY_COMPARE_WITH_TIMEOUT(background(5), QString(colour), kEngineTimeout);
    }

    // An item with a submenu shows it open, also beneath its own parent's;
    // a leaf shows its parent's.
    tree->setCurrentItem(form.NodeAt(2));
    QTRY_VERIFY_WITH_TIMEOUT(open(1) && shown(2) && shown(4), kEngineTimeout);
    QVERIFY(!shown(3));
    tree->setCurrentItem(form.NodeAt(3));
    QTRY_VERIFY_WITH_TIMEOUT(open(1) && open(2) && shown(3), kEngineTimeout);
    tree->setCurrentItem(form.NodeAt(4));
    QTRY_VERIFY_WITH_TIMEOUT(open(2) && shown(3), kEngineTimeout);

    // Pointing at an item shows its link as the design holds it; so does a click.
    auto* hint = Find<QLabel>(&form, "stctxtHint");
    RunJs(view, element(4) + ".dispatchEvent(new PointerEvent('pointerover', {bubbles: true}))");
    QTRY_COMPARE_WITH_TIMEOUT(hint->text(), QString("toys.html#top"), kEngineTimeout);
    RunJs(view, element(4) + ".dispatchEvent(new PointerEvent('pointerout', {bubbles: true}))");
    QTRY_COMPARE_WITH_TIMEOUT(hint->text(), QString(), kEngineTimeout);
    RunJs(view, element(4) + ".click()");
    QTRY_COMPARE_WITH_TIMEOUT(form.SelectedIndex(), 5, kEngineTimeout);
    QCOMPARE(hint->text(), QString("toys.html#top"));

    if (const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOTS"); !folder.isEmpty()) {
      if (const QString design = qEnvironmentVariable("VELMORA_SCREENSHOT_DESIGN"); !design.isEmpty())
        form.OpenProjectFile(design);
      tree->setCurrentItem(form.NodeAt(3));
      tabs->setCurrentWidget(Find<QWidget>(&form, "tbshtItemNormal"));
      for (const char* zoom : {"actLivePreviewFit", "actLivePreviewActualSize"}) {
        Find<QAction>(preview->Dock(), zoom)->trigger();
        QTest::qWait(1000);
        form.grab().save(folder + "/live-preview-" + zoom + ".png");
      }
    }
  }

  void editsNeverShowAFrameWithoutTheMenuOrTheSelection() {
    test::WindowFixture fixture;
    TMainForm& form = *fixture.form;
    auto* preview = new LivePreview(form);
    PreviewView* view = preview->View();
    form.show();
    fixture.OpenDesign("bar.velm", {{"Home", 0}, {"About", 0}, {"Contact", 0}});
    for (auto& item : form.Document().Items) {
      item[IBackgroundColorNormal] = "FF0000";
      item[IBackgroundColorOver] = "00C000";
    }
    preview->RefreshNow();
    QTRY_VERIFY_WITH_TIMEOUT(view->IsReady() && view->Content().stylesheet.contains("00C000"),
                             kEngineTimeout);
    Find<QTreeWidget>(&form, "trvwDesignPanel")->setCurrentItem(form.NodeAt(1));
    QTRY_VERIFY_WITH_TIMEOUT(
        RunJs(view, "getComputedStyle(document.querySelector('.vm-i')).backgroundColor").toString() ==
            "rgb(0, 192, 0)",
        kEngineTimeout);

    // Red items and the green selected one in every frame while typing.
    auto holds = [](const QImage& frame, QRgb colour) {
      for (int y = 0; y < frame.height(); y += 2) {
        const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); x += 2) {
          if ((line[x] & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
        }
      }
      return false;
    };
    preview->SetPause(20);
    QSignalSpy redraws(preview, &LivePreview::Refreshed);
    auto* caption = Find<QLineEdit>(&form, "edt_ICaption");
    caption->setFocus();
    caption->end(false);
    int frames = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 600) {
      if (frames % 5 == 0 && clock.elapsed() < 400) QTest::keyClick(caption, Qt::Key_A);
      const QImage frame = view->WebView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
      QVERIFY2(holds(frame, qRgb(255, 0, 0)) && holds(frame, qRgb(0, 192, 0)),
               qPrintable(QString("frame %1 at %2 ms").arg(frames).arg(clock.elapsed())));
      ++frames;
      QTest::qWait(10);
    }
    QVERIFY(std::count_if(redraws.begin(), redraws.end(),
                          [](const QList<QVariant>& r) { return r[0].toBool(); }) >= 2);
    QVERIFY2(caption->text().startsWith("Homeaa"), qPrintable(caption->text()));
    QTRY_VERIFY_WITH_TIMEOUT(TopCaptions(view).startsWith(caption->text() + "|"), kEngineTimeout);
  }

  void zoomFitsOrShowsTheRealSizeFollowsTheKeysAndIsKept() {
    test::WindowFixture fixture;
    TMainForm& form = *fixture.form;
    {
      auto* preview = new LivePreview(form);
      PreviewView* view = preview->View();
      form.show();
      QVERIFY(QTest::qWaitForWindowActive(&form));
      fixture.OpenDesign("a.velm", {{"Home", 0}, {"About", 0}});
      QTRY_VERIFY_WITH_TIMEOUT(view->IsReady() && !view->ShowsNotice(), kEngineTimeout);
      // A pane wider than a tablet and narrower than a desktop.
      QDockWidget* dock = preview->Dock();
      dock->setFloating(true);
      dock->resize(900, 600);
      dock->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(dock));
      QTRY_VERIFY(view->width() > PreviewView::kTabletWidth && view->width() < PreviewView::kDesktopWidth);
      auto action = [&](const char* name) { return Find<QAction>(dock, name); };
      auto scrollsSideways = [&] {
        return Find<QScrollArea>(view, "scrlPreview")->horizontalScrollBar()->maximum() > 0;
      };

      // Fit: the whole width in the pane.
      QVERIFY(action("actLivePreviewFit")->isChecked());
      QVERIFY(qAbs(view->Zoom() - double(view->width()) / PreviewView::kDesktopWidth) < 0.01);
      QVERIFY(qFuzzyCompare(view->WebView()->zoomFactor(), view->Zoom()));
      QVERIFY(!scrollsSideways());
      // 100 %: the real size, scrolled sideways.
      action("actLivePreviewActualSize")->trigger();
      QCOMPARE(view->Zoom(), 1.0);
      QCOMPARE(view->WebView()->zoomFactor(), 1.0);
      QCOMPARE(view->WebView()->width(), PreviewView::kDesktopWidth);
      QTRY_VERIFY(scrollsSideways());
      QCOMPARE(Find<QLabel>(dock, "lblLivePreviewZoom")->text(), QString("100 %"));

      // The keys, while the pane has the focus only.
      view->WebView()->setFocus();
      QTRY_VERIFY(view->isAncestorOf(QApplication::focusWidget()));
      auto key = [&](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k, Qt::ControlModifier); };
      key(Qt::Key_Plus);
      QCOMPARE(view->Zoom(), 1.1);
      key(Qt::Key_Minus);
      key(Qt::Key_Minus);
      QCOMPARE(view->Zoom(), 0.9);
      key(Qt::Key_0);
      QCOMPARE(view->Zoom(), 1.0);
      form.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&form));
      auto* tree = Find<QWidget>(&form, "trvwDesignPanel");
      tree->setFocus();
      QTRY_COMPARE(QApplication::focusWidget(), tree);
      key(Qt::Key_Plus);
      QCOMPARE(view->Zoom(), 1.0);

      // The narrow presets at their real size where the pane has room.
      action("actLivePreviewTablet")->trigger();
      QCOMPARE(view->ZoomSetting(), 1.0);
      action("actLivePreviewDesktop")->trigger();
      QCOMPARE(view->ZoomSetting(), PreviewView::kFit);
      dock->resize(500, 600);
      QTRY_VERIFY(view->width() < PreviewView::kTabletWidth);
      action("actLivePreviewTablet")->trigger();
      QCOMPARE(view->ZoomSetting(), PreviewView::kFit);
      action("actLivePreviewPhone")->trigger();
      QCOMPARE(view->ZoomSetting(), 1.0);
      view->ZoomIn();

      // View > Live Preview holds the pane's commands, with keys of their own.
      auto* menu = Find<QMenu>(&form, "mnuLivePreview");
      QVERIFY(Find<QMenu>(&form, "View1")->actions().contains(menu->menuAction()));
      QList<QAction*> others = form.findChildren<QAction*>();
      for (const char* name :
           {"actLivePreviewDesktop", "actLivePreviewTablet", "actLivePreviewPhone", "actLivePreviewReload"}) {
        QAction* entry = action(name);
        QVERIFY2(menu->actions().contains(entry), name);
        QVERIFY2(!entry->shortcut().isEmpty(), name);
        for (QAction* other : others) {
          QVERIFY2(other == entry || !other->shortcuts().contains(entry->shortcut()), name);
        }
      }

      // The pane's buttons in the tab order, in the order shown, then the page.
      QToolBar* bar = Find<QToolBar>(dock, "tlbrLivePreview");
      QWidget* first = bar->widgetForAction(action("actLivePreviewDesktop"));
      dock->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(dock));
      first->setFocus();
      QTRY_COMPARE(QApplication::focusWidget(), first);
      QStringList order;
      for (int k = 0; k < 7; ++k) {
        QWidget* focused = QApplication::focusWidget();
        if (auto* button = qobject_cast<QToolButton*>(focused))
          order << button->text();
        else if (view->isAncestorOf(focused))
          order << "page";
        QTest::keyClick(focused, Qt::Key_Tab);
      }
      QCOMPARE(order, QStringList({"Desktop", "Tablet", "Phone", "Fit", "100 %", "Reload", "page"}));
      QVERIFY(form.close());
    }
    TMainForm again(fixture.sandbox.ProgramFolder());
    auto* preview = new LivePreview(again);
    QCOMPARE(preview->View()->PageWidth(), PreviewView::kPhoneWidth);
    QCOMPARE(preview->View()->ZoomSetting(), 1.1);
  }

  void templateChooserShowsTheSelectedTemplateLive() {
    test::Sandbox sandbox;
    test::WriteProject(sandbox.ProgramFolder() + "/templates/a.velm", {{"Alpha", 0}, {"Beta", 0}});
    test::WriteProject(sandbox.ProgramFolder() + "/templates/b.velm", {{"Gamma", 0}, {"Delta", 1}});
    sandbox.WriteFile("program/samples/catalog.txt",
                      "# file | menu | height | title | description\n"
                      "a.velm|a|100|Plain bar|Two items side by side.\n");
    TfrmTemplet chooser(sandbox.ProgramFolder(), {});
    chooser.show();
    auto* description = Find<QLabel>(&chooser, "lblTemplateDescription");
    QCOMPARE(description->text(), QString("Plain bar\nTwo items side by side."));
    QVERIFY(chooser.Preview());
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(chooser.Preview()), QString("Alpha|Beta"), kEngineTimeout);
    Find<QListWidget>(&chooser, "TempletList")->setCurrentRow(1);
    QCOMPARE(description->text(), QString("b.velm"));
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(chooser.Preview()), QString("Gamma"), kEngineTimeout);
  }

  void aRendererThatDiesIsReportedAndDrawnAgain() {
    test::WindowFixture fixture;
    TMainForm& form = *fixture.form;
    auto* preview = new LivePreview(form);
    PreviewView* view = preview->View();
    form.show();
    fixture.OpenDesign("a.velm", {{"Home", 0}, {"About", 0}});
    preview->RefreshNow();
    QTRY_VERIFY_WITH_TIMEOUT(view->IsReady(), kEngineTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(view), QString("Home|About"), kEngineTimeout);
    auto* notice = Find<QWidget>(view, "wdgtPreviewStopped");
    QVERIFY(!notice->isVisible());

    auto killRenderer = [&] {
      const qint64 renderer = view->WebView()->page()->renderProcessPid();
      QVERIFY(renderer > 0);
      QCOMPARE(::kill(static_cast<pid_t>(renderer), SIGKILL), 0);
      QTRY_VERIFY_WITH_TIMEOUT(view->HasStopped(), kEngineTimeout);
      QVERIFY(notice->isVisible());
      QVERIFY(Find<QLabel>(view, "lblPreviewStopped")->text().contains("killed"));
    };
    // Reload draws it again.
    killRenderer();
    Find<QAbstractButton>(view, "btnPreviewReload")->click();
    QTRY_VERIFY_WITH_TIMEOUT(view->IsReady(), kEngineTimeout);
    QVERIFY(!notice->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(view), QString("Home|About"), kEngineTimeout);

    // So does the next edit.
    killRenderer();
    Find<QTreeWidget>(&form, "trvwDesignPanel")->setCurrentItem(form.NodeAt(2));
    Find<QLineEdit>(&form, "edt_ICaption")->setText("Team");
    QTRY_COMPARE_WITH_TIMEOUT(TopCaptions(view), QString("Home|Team"), kEngineTimeout);
    QVERIFY(!view->HasStopped() && !notice->isVisible());
  }

  void withoutItsEngineTheDesignerRunsWithoutThePane() {
    // The helper program missing.
    qputenv("QTWEBENGINEPROCESS_PATH", "/nonexistent/QtWebEngineProcess");
    const QString missing = PreviewView::UnavailableReason();
    qunsetenv("QTWEBENGINEPROCESS_PATH");
    QVERIFY2(missing.contains("helper program is missing (/nonexistent/QtWebEngineProcess)"),
             qPrintable(missing));
    QVERIFY(PreviewView::UnavailableReason().isEmpty());
    if (geteuid() == 0) {
      const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
      qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
      QVERIFY(PreviewView::UnavailableReason().contains("root user"));
      qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }

    qputenv("QTWEBENGINEPROCESS_PATH", "/nonexistent/QtWebEngineProcess");
    test::WindowFixture fixture;
    TMainForm& form = *fixture.form;
    QVERIFY(!LivePreview::AddTo(form));
    qunsetenv("QTWEBENGINEPROCESS_PATH");
    QVERIFY(!form.findChild<QDockWidget*>("dckLivePreview"));
    auto* entry = Find<QAction>(&form, "LivePreview1");
    QVERIFY(!entry->isEnabled());
    QCOMPARE(entry->toolTip(), missing);
    QVERIFY(Find<QMenu>(&form, "View1")->actions().contains(entry));
    QCOMPARE(form.statusBar()->currentMessage(), missing);
    QVERIFY(!form.findChild<QWebEngineView*>());
  }

  void startedAsRootWithoutTheSandboxSwitchTheProgramRuns() {
    if (geteuid() != 0) QSKIP("only as root does the engine refuse its sandbox");
    const QString program = test::BuildProgramFolder() + "/velmora";
    if (!QFileInfo::exists(program)) QSKIP("the designer program is not built");
    test::Sandbox sandbox;
    QProcess designer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QTWEBENGINE_CHROMIUM_FLAGS");
    environment.remove("QTWEBENGINE_DISABLE_SANDBOX");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", sandbox.Root());
    designer.setProcessEnvironment(environment);
    designer.setProcessChannelMode(QProcess::MergedChannels);
    designer.start(program, {"--home", sandbox.ProgramFolder()});
    QVERIFY(designer.waitForStarted());
    // The engine would have ended it within a second of showing the window.
    QVERIFY2(!designer.waitForFinished(3000), designer.readAll().constData());
    designer.kill();
    designer.waitForFinished();
  }

  void viewEntryTogglesThePaneAndItsStateIsKept() {
    test::WindowFixture fixture;
    {
      auto* preview = new LivePreview(*fixture.form);
      fixture.form->show();
      auto* entry = Find<QAction>(fixture.form.get(), "LivePreview1");
      QVERIFY(Find<QMenu>(fixture.form.get(), "mnuLivePreview")->actions().contains(entry));
      QCOMPARE(entry->text(), QString("&Show Pane"));
      QVERIFY(entry->isChecked());
      entry->trigger();
      QVERIFY(preview->Dock()->isHidden());
      Find<QAction>(preview->Dock(), "actLivePreviewPhone")->trigger();
      QCOMPARE(preview->View()->PageWidth(), PreviewView::kPhoneWidth);
      QVERIFY(fixture.form->close());
    }
    TMainForm again(fixture.sandbox.ProgramFolder());
    auto* preview = new LivePreview(again);
    again.show();
    auto* entry = Find<QAction>(&again, "LivePreview1");
    QVERIFY(!entry->isChecked());
    QVERIFY(preview->Dock()->isHidden());
    QCOMPARE(preview->View()->PageWidth(), PreviewView::kPhoneWidth);
    QVERIFY(Find<QAction>(preview->Dock(), "actLivePreviewPhone")->isChecked());
    entry->trigger();
    QVERIFY(!preview->Dock()->isHidden());
    // The tool bar's own entry is not remembered: it starts shown.
    QVERIFY(!Find<QWidget>(&again, "tlbr1")->isHidden());
  }
};

}  // namespace velmora

VELMORA_ENGINE_TEST_MAIN(velmora::LivePreviewTest)

#include "test_live_preview.moc"
