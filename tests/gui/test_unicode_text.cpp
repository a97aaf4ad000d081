// Text beyond the classic code page in the window: typing such a character
// switches the design to UTF-8 once, the status line says so, and the
// tree and pages show every value as typed, also after saving and opening.

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "designer/main_form.h"
#include "designer/save_and_publish.h"
#include "document/text_encoding.h"
#include "platform/codepage.h"
#include "support/sandbox.h"
#include "support/scripted_prompts.h"

using velmora::TextEncoding;
using velmora::TMainForm;

namespace {

// Key presses carrying each character, as a keyboard of any language sends
// them (QTest::keyClicks knows only Latin-1).
void Type(QWidget* widget, const QString& text) {
  for (int at = 0; at < text.size();) {
    const int length = text.at(at).isHighSurrogate() ? 2 : 1;
    const QString character = text.mid(at, length);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
    at += length;
  }
}

class UnicodeTextTest : public QObject {
  Q_OBJECT

 private slots:
  void typingBeyondTheCodePageSwitchesTheDesignOnce() {
    velmora::test::Sandbox sandbox;
    velmora::test::ScriptedPrompts prompts;
    TMainForm window(sandbox.ProgramFolder());
    auto* tree = window.findChild<QTreeWidget*>("trvwDesignPanel");
    auto* caption = window.findChild<QLineEdit*>("edt_ICaption");
    auto* tip = window.findChild<QLineEdit*>("edt_IToolTip");
    auto* hint = window.findChild<QLabel*>("stctxtHint");
    QVERIFY(tree && caption && tip && hint);
    velmora::TvornAppletAgent& doc = window.Document();

    window.Insert1Click();
    window.Insert1Click();
    velmora::TItemData second = doc.GetItem(1);
    second[velmora::IToolTip] = "Caf\xE9 \x80";  // code page bytes
    doc.SetItem(1, second);
    doc.AppletData[velmora::pInternalUse_RootDir_Remote] = "http://s\xE9.example";
    tree->setCurrentItem(window.NodeAt(1));

    caption->selectAll();
    Type(caption, QString::fromUtf8("Ça"));
    QCOMPARE(doc.Encoding, TextEncoding::Windows1252);  // still fits the code page
    Type(caption, QString::fromUtf8(" Łódź Москва 東京 😀"));
    QCOMPARE(doc.Encoding, TextEncoding::Utf8);
    QCOMPARE(hint->text(), QString::fromLatin1(velmora::kSwitchedToUtf8Message));
    // VELMORA_SCREENSHOT=FILE keeps a picture of the window at this point.
    if (qEnvironmentVariableIsSet("VELMORA_SCREENSHOT")) {
      window.resize(1100, 700);
      window.grab().save(qEnvironmentVariable("VELMORA_SCREENSHOT"));
    }
    QCOMPARE(doc.GetItem(1)[velmora::IToolTip], "Café €");
    QCOMPARE(doc.AppletData[velmora::pInternalUse_RootDir_Remote], "http://sé.example");

    const QString typed = QString::fromUtf8("Ça Łódź Москва 東京 😀");
    QCOMPARE(window.NodeAt(1)->text(0), typed);
    tree->setCurrentItem(window.NodeAt(2));  // stores the first item's pages
    QCOMPARE(tip->text(), QString::fromUtf8("Café €"));
    QCOMPARE(doc.GetItem(0)[velmora::ICaption], typed.toStdString());

    // Saved and opened again, the design shows the same texts.
    const QString project = sandbox.Path("unicode.velm");
    velmora::SaveAndPublishTo(window, project);
    QVERIFY(
        velmora::test::Sandbox::ReadFile(project).contains("<Format_Extensions>\r\nText_Encoding=UTF-8\r\n"));
    window.SetModified(false);
    window.New1Click();
    QCOMPARE(doc.Encoding, TextEncoding::Windows1252);  // a new design is classic
    window.SetModified(false);
    window.OpenProjectFile(project);
    QCOMPARE(doc.Encoding, TextEncoding::Utf8);
    QCOMPARE(window.NodeAt(1)->text(0), typed);
    tree->setCurrentItem(window.NodeAt(2));
    QCOMPARE(tip->text(), QString::fromUtf8("Café €"));
    tree->setCurrentItem(window.NodeAt(1));
    QCOMPARE(caption->text(), typed);
  }
};

}  // namespace

QTEST_MAIN(UnicodeTextTest)
#include "test_unicode_text.moc"
