// The modern page setting in the window: the Option menu's check entry and
// the Path page's language field are part of the design: they mark it
// modified, are saved and opened with it, and choose the page Build HTML
// shows.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "designer/main_form.h"
#include "dialogs/HTMLBuild.h"
#include "support/window_fixture.h"

namespace velmora {

class PageStyleTest : public QObject {
  Q_OBJECT

  std::unique_ptr<test::WindowFixture> w_;

  TMainForm& Form() { return *w_->form; }
  QAction* Modern() { return Form().findChild<QAction*>("ModernPageOutput1"); }
  QLineEdit* Language() { return Form().findChild<QLineEdit*>("edtPageLanguage"); }

 private slots:
  void init() { w_ = std::make_unique<test::WindowFixture>(); }
  void cleanup() { w_.reset(); }

  void settingTravelsWithTheDesign() {
    QVERIFY(Modern());
    QVERIFY(Language());
    QCOMPARE(Modern()->text(), QStringLiteral("&Modern Page Output"));
    QVERIFY(Form().menuBar()->findChild<QMenu*>("Option1")->actions().contains(Modern()));
    QVERIFY(!Modern()->isChecked());
    QVERIFY(!Language()->isEnabled());

    const QString project = w_->OpenDesign("menus/a.velm", {{"Home", 0}, {"News", 1}});
    QVERIFY(!Form().IsModified());
    Modern()->trigger();
    QVERIFY(Form().IsModified());
    QVERIFY(Language()->isEnabled());
    // In the design at once, so the live preview draws the modern page.
    QCOMPARE(Form().Document().Extensions.Value("Page_Style"), std::string("HTML5"));
    QCOMPARE(Language()->text(), QStringLiteral("en"));
    Language()->selectAll();
    QTest::keyClicks(Language(), "de-CH");
    QTest::keyClicks(Language(), " x_");  // neither blanks nor "_" get in
    QCOMPARE(Language()->text(), QStringLiteral("de-CHx"));
    Language()->backspace();

    QVERIFY(Form().BuildHtmlCode());
    const QString page = Form().HtmlWindow().PageText();
    QVERIFY2(page.startsWith("<!DOCTYPE html>\n<html lang=\"de-CH\">"), qPrintable(page.left(80)));
    QVERIFY(page.contains("<title>a</title>"));
    QVERIFY(page.contains("<li><span class=\"") && page.contains(">Home</span>"));

    Form().Save1Click();
    QVERIFY(!Form().IsModified());
    const QByteArray saved = test::Sandbox::ReadFile(project);
    QVERIFY(saved.contains("<Format_Extensions>\r\nPage_Style=HTML5\r\nPage_Language=de-CH\r\n"));

    // A new design starts classic; opening the saved one brings the setting back.
    Form().New1Click();
    QVERIFY(!Modern()->isChecked());
    QVERIFY(!Language()->isEnabled());
    Form().OpenProjectFile(project);
    QVERIFY(Modern()->isChecked());
    QCOMPARE(Language()->text(), QStringLiteral("de-CH"));
    QVERIFY(!Form().IsModified());

    // Unchecked again, the design saves as a classic one.
    Modern()->trigger();
    QVERIFY(Form().IsModified());
    QVERIFY(!Language()->isEnabled());
    Form().Save1Click();
    QVERIFY(!test::Sandbox::ReadFile(project).contains("Page_Style"));
    QVERIFY(Form().BuildHtmlCode());
    QVERIFY(Form().HtmlWindow().PageText().startsWith("<!-- saved from url="));
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::PageStyleTest)
#include "test_page_style.moc"
