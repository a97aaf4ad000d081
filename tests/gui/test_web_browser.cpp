// The preview browser choice: detection, the saved choice and the launch.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <map>

#include "dialogs/WebBrowser.h"
#include "platform/settings.h"
#include "support/recording_launcher.h"
#include "support/sandbox.h"
#include "support/scripted_prompts.h"

namespace velmora {

namespace {

using test::RecordingLauncher;

const QList<KnownBrowser> kTwoBrowsers = {{"Chromium", "/opt/c/chromium"},
                                          {"Mozilla Firefox", "/opt/f/firefox"}};

}  // namespace

class WebBrowserTest : public QObject {
  Q_OBJECT

  template <typename T>
  static T* Child(QWidget& dialog, const char* name) {
    auto* child = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!child) qFatal("no control %s", name);
    return child;
  }
  static QRadioButton* Radio(QWidget& dialog, const char* name) { return Child<QRadioButton>(dialog, name); }
  static QComboBox* List(QWidget& dialog) { return Child<QComboBox>(dialog, "ComboBoxBrowserList"); }

  static void Save(const std::map<QString, QVariant>& values) {
    auto settings = OpenSettings();
    settings->remove(QString::fromLatin1(kWebBrowsersGroup));
    settings->beginGroup(QString::fromLatin1(kWebBrowsersGroup));
    for (const auto& [name, value] : values) settings->setValue(name, value);
    settings->endGroup();
    settings->sync();
  }
  static QVariant Saved(const char* name) {
    return OpenSettings()->value(QString::fromLatin1(kWebBrowsersGroup) + "/" + name);
  }
  static void MakeProgram(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

 private slots:
  void initTestCase() { sandbox_ = std::make_unique<test::Sandbox>(); }
  void init() { Save({}); }

  void firstUseOpensThePageWithTheDefaultHandler() {
    RecordingLauncher launcher;
    TformWebBrowser dialog(kTwoBrowsers, nullptr);
    QVERIFY(Radio(dialog, "RadioButtonBrowserDefault")->isChecked());
    QCOMPARE(List(dialog)->count(), 2);
    QCOMPARE(List(dialog)->itemText(1), QStringLiteral("Mozilla Firefox"));
    QCOMPARE(List(dialog)->currentIndex(), -1);
    dialog.LaunchPreview(QStringLiteral("/prog dir/preview/"), QStringLiteral("~preview.html"));
    QCOMPARE(launcher.calls, QStringList{QStringLiteral("open /prog dir/preview/~preview.html")});
  }

  void savedNumberBeyondTheListSelectsTheFirstBrowser() {
    Save({{"UseDefaultBrowser", false},
          {"UseKnownBrowser", true},
          {"UseSpecifiedBrowser", false},
          {"SelectedBrowserNumber", 5},
          {"SpecifiedBrowserExePath", "/usr/local/bin/mybrowser"}});
    RecordingLauncher launcher;
    TformWebBrowser dialog(kTwoBrowsers, nullptr);
    QVERIFY(Radio(dialog, "RadioButtonBrowserKnownInSystem")->isChecked());
    QVERIFY(!Radio(dialog, "RadioButtonBrowserDefault")->isChecked());
    QCOMPARE(List(dialog)->currentIndex(), 0);
    QCOMPARE(Child<QLineEdit>(dialog, "editSpecifiedBrowserFileName")->text(),
             QStringLiteral("/usr/local/bin/mybrowser"));
    dialog.LaunchPreview(QStringLiteral("/p/preview/"), QStringLiteral("~preview.html"));
    QCOMPARE(launcher.calls, QStringList{QStringLiteral("start /opt/c/chromium [/p/preview/~preview.html]")});
  }

  void knownModeWithoutBrowsersFallsBackToTheDefault() {
    Save({{"UseDefaultBrowser", false},
          {"UseKnownBrowser", true},
          {"UseSpecifiedBrowser", false},
          {"SelectedBrowserNumber", 1}});
    RecordingLauncher launcher;
    TformWebBrowser dialog(QList<KnownBrowser>{}, nullptr);
    QVERIFY(Radio(dialog, "RadioButtonBrowserDefault")->isChecked());
    // The radio button cannot be chosen by hand either.
    Radio(dialog, "RadioButtonBrowserKnownInSystem")->click();
    QVERIFY(Radio(dialog, "RadioButtonBrowserDefault")->isChecked());
    dialog.LaunchPreview(QStringLiteral("/p/"), QStringLiteral("a.html"));
    QCOMPARE(launcher.calls, QStringList{QStringLiteral("open /p/a.html")});
  }

  void knownModeWithNoBrowserChosenUsesTheDefaultHandler() {
    Save({{"UseDefaultBrowser", false},
          {"UseKnownBrowser", true},
          {"UseSpecifiedBrowser", false},
          {"SelectedBrowserNumber", -1}});
    RecordingLauncher launcher;
    TformWebBrowser dialog(kTwoBrowsers, nullptr);
    QVERIFY(Radio(dialog, "RadioButtonBrowserKnownInSystem")->isChecked());
    QCOMPARE(List(dialog)->currentIndex(), -1);
    dialog.LaunchPreview(QStringLiteral("/p/"), QStringLiteral("a.html"));
    QCOMPARE(launcher.calls, QStringList{QStringLiteral("open /p/a.html")});
  }

  void userProgramGetsThePageAsOneArgument() {
    RecordingLauncher launcher;
    TformWebBrowser dialog(kTwoBrowsers, nullptr);
    Radio(dialog, "RadioButtonBrowserUserSpecify")->click();
    dialog.LaunchPreview(QStringLiteral("/p/"), QStringLiteral("a.html"));
    QVERIFY2(launcher.calls.isEmpty(), "an empty program path starts nothing");
    Child<QLineEdit>(dialog, "editSpecifiedBrowserFileName")->setText(QStringLiteral("/opt/my browser/run"));
    dialog.LaunchPreview(QStringLiteral("/my menus/preview/"), QStringLiteral("~preview.html"));
    QCOMPARE(launcher.calls,
             QStringList{QStringLiteral("start /opt/my browser/run [/my menus/preview/~preview.html]")});
  }

  void choosingAListEntrySwitchesToTheKnownBrowser() {
    TformWebBrowser dialog(kTwoBrowsers, nullptr);
    dialog.show();
    QComboBox* list = List(dialog);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);  // the user picks an entry
    QVERIFY(Radio(dialog, "RadioButtonBrowserKnownInSystem")->isChecked());
    QVERIFY(list->currentIndex() >= 0);
  }

  void okSavesTheChoiceAndCancelSavesNothing() {
    test::ScriptedPrompts prompts;
    {
      TformWebBrowser dialog(kTwoBrowsers, nullptr);
      Radio(dialog, "RadioButtonBrowserUserSpecify")->click();
      prompts.fileAnswers.enqueue(QStringLiteral("/opt/other/browser"));
      Child<QAbstractButton>(dialog, "spdbtnOpenExeFile")->click();
      QCOMPARE(Child<QLineEdit>(dialog, "editSpecifiedBrowserFileName")->text(),
               QStringLiteral("/opt/other/browser"));
      Child<QPushButton>(dialog, "bitbtnCancel")->click();
    }
    QVERIFY2(!Saved("UseSpecifiedBrowser").isValid(), "Cancel writes nothing");

    {
      TformWebBrowser dialog(kTwoBrowsers, nullptr);
      List(dialog)->setCurrentIndex(1);
      Radio(dialog, "RadioButtonBrowserKnownInSystem")->click();
      Child<QLineEdit>(dialog, "editSpecifiedBrowserFileName")->setText(QStringLiteral("/x/y z"));
      Child<QPushButton>(dialog, "bitbtnOk")->click();
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(Saved("UseDefaultBrowser").toBool(), false);
    QCOMPARE(Saved("UseKnownBrowser").toBool(), true);
    QCOMPARE(Saved("SelectedBrowserNumber").toInt(), 1);

    // The next dialog reads it all back.
    TformWebBrowser again(kTwoBrowsers, nullptr);
    QVERIFY(Radio(again, "RadioButtonBrowserKnownInSystem")->isChecked());
    QCOMPARE(List(again)->currentIndex(), 1);
    QCOMPARE(Child<QLineEdit>(again, "editSpecifiedBrowserFileName")->text(), QStringLiteral("/x/y z"));

    // Cancel after changing the mode leaves the saved choice alone.
    Radio(again, "RadioButtonBrowserDefault")->click();
    Child<QPushButton>(again, "bitbtnCancel")->click();
    QCOMPARE(Saved("UseKnownBrowser").toBool(), true);
  }

  void unreadableValueEndsTheReading() {
    Save({{"UseDefaultBrowser", false},
          {"UseKnownBrowser", "perhaps"},
          {"UseSpecifiedBrowser", true},
          {"SelectedBrowserNumber", 1},
          {"SpecifiedBrowserExePath", "/opt/b"}});
    TformWebBrowser dialog(kTwoBrowsers, nullptr);
    QVERIFY(Radio(dialog, "RadioButtonBrowserDefault")->isChecked());
    QCOMPARE(List(dialog)->currentIndex(), -1);
    QVERIFY(Child<QLineEdit>(dialog, "editSpecifiedBrowserFileName")->text().isEmpty());
  }

  void browsersAreFoundOnTheSearchPath() {
    const QString first = sandbox_->Path(QStringLiteral("bin1"));
    const QString second = sandbox_->Path(QStringLiteral("bin2"));
    MakeProgram(second + "/firefox");
    MakeProgram(first + "/chromium");
    MakeProgram(second + "/chromium");  // shadowed by the first folder
    QFile::link(first + "/chromium", first + "/chromium-browser");
    sandbox_->WriteFile(first + "/konqueror", "not executable");
    MakeProgram(first + "/not-a-browser");

    const QList<KnownBrowser> found =
        FindBrowsersOnPath(first + ":" + QStringLiteral("/nonexistent") + ":" + second);
    const QList<KnownBrowser> expected = {{"Mozilla Firefox", second + "/firefox"},
                                          {"Chromium", first + "/chromium"}};
    QCOMPARE(found, expected);

    // The dialog lists what the installed detector finds.
    InstallBrowserDetector([&] { return FindBrowsersOnPath(second); });
    TformWebBrowser dialog;
    InstallBrowserDetector({});
    QCOMPARE(dialog.KnownBrowsers().size(), 2);
    QCOMPARE(List(dialog)->itemText(1), QStringLiteral("Chromium"));
  }

  void registryProbesFollowTheirKeys() {
    std::map<QString, QString> registry = {
        {"HKLM/SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE/",
         "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
        {"HKCU/SOFTWARE\\Netscape\\Netscape Navigator\\Main/Install Directory", ""},
        {"HKLM/SOFTWARE\\Netscape\\Netscape Navigator/CurrentVersion", "4.7"},
        {"HKLM/SOFTWARE\\Netscape\\Netscape Navigator\\4.7\\Main/Install Directory", "C:\\Old"},
        {"HKLM/SOFTWARE\\Netscape\\Netscape 6/CurrentVersion", "6.2"},
        {"HKLM/SOFTWARE\\Netscape\\Netscape 6\\6.2\\Main/Install Directory", "C:\\N6"},
    };
    const QStringList existing = {"C:\\Program Files\\Internet Explorer\\iexplore.exe",
                                  "C:\\N6\\netscp6.exe"};
    QStringList asked;
    auto read = [&](bool localMachine, const QString& key, const QString& value) -> std::optional<QString> {
      const QString id = (localMachine ? "HKLM/" : "HKCU/") + key + "/" + value;
      asked << id;
      const auto at = registry.find(id);
      return at == registry.end() ? std::nullopt : std::optional<QString>(at->second);
    };
    const auto found =
        ProbeRegistryBrowsers(read, [&](const QString& path) { return existing.contains(path); });
    const QList<KnownBrowser> expected = {
        {"Internet Explorer", "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
        {"Netscape 6.2", "C:\\N6\\netscp6.exe"},
    };
    QCOMPARE(found, expected);  // Communicator 4.7's program is missing
    QVERIFY(asked.contains("HKLM/SOFTWARE\\Netscape\\Netscape Navigator\\4.7\\Main/Install Directory"));

    registry.erase("HKLM/SOFTWARE\\Netscape\\Netscape 6/CurrentVersion");
    QCOMPARE(ProbeRegistryBrowsers(read, [](const QString&) { return true; }).size(), 2);
  }

 private:
  std::unique_ptr<test::Sandbox> sandbox_;
};

}  // namespace velmora

QTEST_MAIN(velmora::WebBrowserTest)
#include "test_web_browser.moc"
