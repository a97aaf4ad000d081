#include "dialogs/WebBrowser.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <optional>

#include "platform/dialog_filter.h"
#include "platform/launcher.h"
#include "platform/prompts.h"
#include "platform/settings.h"

namespace velmora {

namespace {

const char* const kUseDefaultBrowser = "UseDefaultBrowser";
const char* const kUseKnownBrowser = "UseKnownBrowser";
const char* const kUseSpecifiedBrowser = "UseSpecifiedBrowser";
const char* const kSelectedBrowserNumber = "SelectedBrowserNumber";
const char* const kSpecifiedBrowserExePath = "SpecifiedBrowserExePath";

#ifdef Q_OS_WIN
const char* const kProgramFilter = "Execute Files (*.exe, *.com)|*.exe;*.com";
#else
const char* const kProgramFilter = "Programs|*";
#endif

// Typed reads of a stored value: nullopt when it is missing or of the
// wrong kind, which ends the reading of the saved choice.
std::optional<bool> ReadBool(const QSettings& settings, const char* name) {
  const QVariant value = settings.value(QString::fromLatin1(name));
  if (!value.isValid()) return std::nullopt;
  if (value.typeId() == QMetaType::Bool) return value.toBool();
  const QString text = value.toString().trimmed().toLower();
  if (text == QLatin1String("true") || text == QLatin1String("1")) return true;
  if (text == QLatin1String("false") || text == QLatin1String("0")) return false;
  return std::nullopt;
}

std::optional<int> ReadInt(const QSettings& settings, const char* name) {
  const QVariant value = settings.value(QString::fromLatin1(name));
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int number = value.toString().trimmed().toInt(&ok);
  return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<QString> ReadText(const QSettings& settings, const char* name) {
  const QVariant value = settings.value(QString::fromLatin1(name));
  if (!value.isValid() || !value.canConvert<QString>()) return std::nullopt;
  return value.toString();
}

}  // namespace

TformWebBrowser::TformWebBrowser(QWidget* parent) : TformWebBrowser(DetectInstalledBrowsers(), parent) {}

TformWebBrowser::TformWebBrowser(QList<KnownBrowser> browsers, QWidget* parent)
    : QDialog(parent), knownBrowsers_(std::move(browsers)) {
  setObjectName(QStringLiteral("formWebBrowser"));
  setWindowTitle(QStringLiteral("Web Browser"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint);
  BuildControls();
  for (const auto& browser : knownBrowsers_) {
    ComboBoxBrowserList->addItem(browser.displayName);
    ComboBoxBrowserList->setItemData(ComboBoxBrowserList->count() - 1,
                                     QDir::toNativeSeparators(browser.executablePath), Qt::ToolTipRole);
  }
  ComboBoxBrowserList->setCurrentIndex(-1);
  ApplySavedChoice();
  setFixedSize(sizeHint());
}

void TformWebBrowser::BuildControls() {
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral("Web Browser"), this);
  auto* grid = new QGridLayout(group);
  grid->setColumnMinimumWidth(0, 18);

  RadioButtonBrowserDefault = new QRadioButton(QStringLiteral("Use Default Browser"), group);
  RadioButtonBrowserDefault->setObjectName(QStringLiteral("RadioButtonBrowserDefault"));
  RadioButtonBrowserDefault->setChecked(true);
  grid->addWidget(RadioButtonBrowserDefault, 0, 0, 1, 3);

  RadioButtonBrowserKnownInSystem = new QRadioButton(QStringLiteral("Use Known Browser in System"), group);
  RadioButtonBrowserKnownInSystem->setObjectName(QStringLiteral("RadioButtonBrowserKnownInSystem"));
  connect(RadioButtonBrowserKnownInSystem, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) RadioButtonBrowserKnownInSystemClick();
  });
  grid->addWidget(RadioButtonBrowserKnownInSystem, 1, 0, 1, 3);
  ComboBoxBrowserList = new QComboBox(group);
  ComboBoxBrowserList->setAccessibleName(QStringLiteral("Known browser"));
  ComboBoxBrowserList->setObjectName(QStringLiteral("ComboBoxBrowserList"));
  ComboBoxBrowserList->setPlaceholderText(QStringLiteral("(no browser chosen)"));
  // Only the user's choice of an entry switches the mode.
  connect(ComboBoxBrowserList, &QComboBox::activated, this,
          [this] { RadioButtonBrowserKnownInSystem->setChecked(true); });
  grid->addWidget(ComboBoxBrowserList, 2, 1, 1, 2);

  RadioButtonBrowserUserSpecify = new QRadioButton(QStringLiteral("User Specified Browser Program"), group);
  RadioButtonBrowserUserSpecify->setObjectName(QStringLiteral("RadioButtonBrowserUserSpecify"));
  grid->addWidget(RadioButtonBrowserUserSpecify, 3, 0, 1, 3);
  auto* programRow = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Execute File:"), group);
  editSpecifiedBrowserFileName = new QLineEdit(group);
  editSpecifiedBrowserFileName->setObjectName(QStringLiteral("editSpecifiedBrowserFileName"));
  label->setBuddy(editSpecifiedBrowserFileName);
  auto* spdbtnOpenExeFile = new QToolButton(group);
  spdbtnOpenExeFile->setObjectName(QStringLiteral("spdbtnOpenExeFile"));
  spdbtnOpenExeFile->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  spdbtnOpenExeFile->setToolTip(QStringLiteral("Choose the browser program"));
  spdbtnOpenExeFile->setAccessibleName(QStringLiteral("Choose browser program..."));
  connect(spdbtnOpenExeFile, &QToolButton::clicked, this, &TformWebBrowser::spdbtnOpenExeFileClick);
  programRow->addWidget(label);
  programRow->addWidget(editSpecifiedBrowserFileName, 1);
  programRow->addWidget(spdbtnOpenExeFile);
  grid->addLayout(programRow, 4, 1, 1, 2);
  layout->addWidget(group);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* bitbtnOk = new QPushButton(QStringLiteral("OK"), this);
  bitbtnOk->setObjectName(QStringLiteral("bitbtnOk"));
  bitbtnOk->setDefault(true);
  connect(bitbtnOk, &QPushButton::clicked, this, [this] {
    SaveChoice();
    accept();
  });
  auto* bitbtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  bitbtnCancel->setObjectName(QStringLiteral("bitbtnCancel"));
  connect(bitbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(bitbtnOk);
  buttons->addWidget(bitbtnCancel);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

void TformWebBrowser::RadioButtonBrowserKnownInSystemClick() {
  // The known-browser mode needs a browser to choose from.
  if (ComboBoxBrowserList->count() == 0) RadioButtonBrowserDefault->setChecked(true);
}

void TformWebBrowser::spdbtnOpenExeFileClick() {
  const QString chosen = CurrentPrompts().OpenFile(
      this, QStringLiteral("Browser Program"), QFileInfo(editSpecifiedBrowserFileName->text()).absolutePath(),
      DialogFilter(QString::fromLatin1(kProgramFilter)));
  if (!chosen.isEmpty()) editSpecifiedBrowserFileName->setText(QDir::toNativeSeparators(chosen));
}

void TformWebBrowser::ApplySavedChoice() {
  auto settings = OpenSettings();
  settings->beginGroup(QString::fromLatin1(kWebBrowsersGroup));
  if (settings->childKeys().isEmpty()) return;  // never saved: the design state holds

  // Each value applies in turn; a missing or unreadable one ends the reading.
  const std::pair<const char*, QRadioButton*> modes[] = {
      {kUseDefaultBrowser, RadioButtonBrowserDefault},
      {kUseKnownBrowser, RadioButtonBrowserKnownInSystem},
      {kUseSpecifiedBrowser, RadioButtonBrowserUserSpecify},
  };
  for (const auto& [name, button] : modes) {
    const auto checked = ReadBool(*settings, name);
    if (!checked) return;
    // Unchecking a radio button leaves the others as they are.
    if (*checked) button->setChecked(true);
  }
  const auto number = ReadInt(*settings, kSelectedBrowserNumber);
  if (!number) return;
  if (*number < ComboBoxBrowserList->count()) {
    ComboBoxBrowserList->setCurrentIndex(*number < 0 ? -1 : *number);
  } else if (ComboBoxBrowserList->count() > 0) {
    ComboBoxBrowserList->setCurrentIndex(0);
  }
  const auto program = ReadText(*settings, kSpecifiedBrowserExePath);
  if (!program) return;
  editSpecifiedBrowserFileName->setText(*program);
}

void TformWebBrowser::SaveChoice() {
  auto settings = OpenSettings();
  settings->beginGroup(QString::fromLatin1(kWebBrowsersGroup));
  settings->setValue(QString::fromLatin1(kUseDefaultBrowser), RadioButtonBrowserDefault->isChecked());
  settings->setValue(QString::fromLatin1(kUseKnownBrowser), RadioButtonBrowserKnownInSystem->isChecked());
  settings->setValue(QString::fromLatin1(kUseSpecifiedBrowser), RadioButtonBrowserUserSpecify->isChecked());
  settings->setValue(QString::fromLatin1(kSelectedBrowserNumber), ComboBoxBrowserList->currentIndex());
  settings->setValue(QString::fromLatin1(kSpecifiedBrowserExePath), editSpecifiedBrowserFileName->text());
  settings->endGroup();
  settings->sync();
}

QString TformWebBrowser::LaunchPreview(const QString& folder, const QString& fileName) {
  const QString page = QDir(folder).filePath(fileName);
  Launcher& launcher = CurrentLauncher();
  bool launched = true;
  if (RadioButtonBrowserDefault->isChecked()) {
    launched = launcher.OpenWithDefault(page);
  } else if (RadioButtonBrowserUserSpecify->isChecked()) {
    const QString program = editSpecifiedBrowserFileName->text().trimmed();
    if (!program.isEmpty()) launched = launcher.StartProgram(program, page);
  } else if (RadioButtonBrowserKnownInSystem->isChecked()) {
    const int chosen = ComboBoxBrowserList->currentIndex();
    if (chosen >= 0 && chosen < knownBrowsers_.size()) {
      launched = launcher.StartProgram(knownBrowsers_[chosen].executablePath, page);
    } else {
      launched = launcher.OpenWithDefault(page);
    }
  }
  if (launched) return {};
  return QDir::toNativeSeparators(page) + "\n\nThe preview could not be opened. " + launcher.LastError();
}

}  // namespace velmora
