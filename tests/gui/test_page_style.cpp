// The modern page setting in the window: the Option menu's check entry and
// the Path page's language field are part of the design: they mark it
// modified, are saved and opened with it, and choose what Build HTML shows
// and the page Preview opens.

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

    // Build HTML shows the code to paste; Preview opens the whole page of
    // the same build.
    QVERIFY(Form().BuildHtmlCode());
    const QString code = Form().HtmlWindow().PageText();
    QVERIFY2(code.startsWith("<!-- Velmora 1.0 -->\n"), qPrintable(code.left(80)));
    QVERIFY2(code.endsWith("</ul>\n</nav>\n</div>\n"), qPrintable(code.right(80)));
    QVERIFY(code.contains("<!-- BEGIN -->") && code.contains("<!-- END -->\n<div id=\""));
    QVERIFY(code.contains("<li><span>Home</span>"));  // the bar's common look comes by place
    QVERIFY(!code.contains("<title>") && !code.contains("<html"));
    Form().Preview1Click();
    const QString preview = w_->ProgramPath("preview/~preview.html");
    QCOMPARE(w_->launcher.calls, QStringList{"open " + preview});
    const QString page = QString::fromLatin1(test::Sandbox::ReadFile(preview));
    QVERIFY2(page.startsWith("<!DOCTYPE html>\n<html lang=\"de-CH\">"), qPrintable(page.left(80)));
    QVERIFY(page.contains("<title>a</title>"));
    QVERIFY(page.endsWith("<body>\n\n" + code + "\n</body>\n</html>\n"));

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
    // Classic again: the window shows the whole page and Preview writes it.
    Form().Preview1Click();
    const QString classic = Form().HtmlWindow().PageText();
    QVERIFY(classic.startsWith("<!-- saved from url="));
    QCOMPARE(QString::fromLatin1(test::Sandbox::ReadFile(preview)), QString(classic).replace("\n", "\r\n"));
  }
};

}  // namespace velmora

QTEST_MAIN(velmora::PageStyleTest)
#include "test_page_style.moc"
