// Import from Web Page with the live preview engine: the chooser draws the
// selected list in the chosen template's look, and draws again as the
// choice changes. VELMORA_SCREENSHOTS=DIR saves a picture of it.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialogs/WebMenuChooser.h"
#include "platform/preview_view.h"
#include "support/engine_test_main.h"
#include "support/modal.h"
#include "support/window_fixture.h"

namespace velmora {

namespace {

constexpr int kEngineTimeout = 20000;

const char kPage[] = R"html(<!DOCTYPE html><html lang="en"><body>
<ul class="contact"><li><a href="tel:+100">Call us</a></li><li><a href="mailto:hi@example.com">Write</a></li></ul>
<nav id="main"><ul><li><a href="index.html">Home</a></li>
  <li><a href="#">Lamps</a><ul><li><a href="lamps/table.html">Table lamps with long names</a></li>
  <li><a href="lamps/floor.html">Floor lamps</a></li></ul></li><li><a href="about.html">About</a></li></ul></nav>
</body></html>)html";

}  // namespace

class WebImportPreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void chooserDrawsTheSelectedListInTheChosenLook() {
    test::WindowFixture w;
    QDir().mkpath(w.ProgramPath("templates"));
    QVERIFY(
        QFile::copy(VELMORA_TEMPLATES_SOURCE "/light_bar.velm", w.ProgramPath("templates/light_bar.velm")));
    w.sandbox.WriteFile("site/shop.html", kPage);
    w.prompts.fileAnswers.enqueue(w.Path("site/shop.html"));
    bool checked = false;
    test::OnNextModal([&](QWidget* modal) {
      auto* chooser = qobject_cast<TfrmWebMenuChooser*>(modal);
      QVERIFY(chooser && chooser->Preview());
      PreviewView* preview = chooser->Preview();
      const auto drawn = [&](const char* caption, const char* colour) {
        return preview->IsReady() && preview->Content().script.contains(caption) &&
               preview->Content().stylesheet.contains(colour);
      };
      // The default list in the light template's look.
      QTRY_VERIFY_WITH_TIMEOUT(drawn("Table lamps with long names", "33414E"), kEngineTimeout);
      chooser->resize(1000, 520);
      QTest::qWait(300);
      if (const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOTS"); !folder.isEmpty()) {
        QDir().mkpath(folder);
        chooser->grab().save(folder + "/web-import-chooser-preview.png");
      }
      chooser->findChild<QListWidget*>("lstbxMenuLists")->setCurrentRow(1);
      QTRY_VERIFY_WITH_TIMEOUT(drawn("Call us", "33414E"), kEngineTimeout);
      chooser->findChild<QComboBox*>("cmbTemplate")->setCurrentIndex(0);  // the plain look
      QTRY_VERIFY_WITH_TIMEOUT(
          drawn("Call us", "C0C0C0") && !preview->Content().stylesheet.contains("33414E"), kEngineTimeout);
      checked = true;
      chooser->findChild<QPushButton*>("btnOK")->click();
    });
    w.form->findChild<QAction*>("ImportWebPage1")->trigger();
    QVERIFY(checked);
    QCOMPARE(w.Captions(), (std::vector<std::string>{"Call us", "Write"}));
  }
};

}  // namespace velmora

VELMORA_ENGINE_TEST_MAIN(velmora::WebImportPreviewTest)

#include "test_web_import_preview.moc"
