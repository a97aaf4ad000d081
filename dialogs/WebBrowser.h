#pragma once

// The preview browser choice: the system's default handler for web pages,
// one of the browsers found on this machine, or a program the user names.
// The choice is kept in the settings under "1.0/Web Browsers". The Preview
// command creates the dialog without showing it and lets it launch the page.

#include <QDialog>
#include <QList>

#include "platform/browsers.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace velmora {

class TformWebBrowser : public QDialog {
  Q_OBJECT

 public:
  // Detects the browsers and applies the saved choice.
  explicit TformWebBrowser(QWidget* parent = nullptr);
  // The same with the given browsers in place of the detected ones.
  TformWebBrowser(QList<KnownBrowser> browsers, QWidget* parent);

  const QList<KnownBrowser>& KnownBrowsers() const { return knownBrowsers_; }

  // Opens folder + fileName in the chosen way. The known-browser mode
  // without a chosen browser uses the default handler.
  // Returns what went wrong, naming the program it tried; empty when the
  // page was handed over.
  QString LaunchPreview(const QString& folder, const QString& fileName);

  // Writes the dialog's choice to the settings (what OK does before it
  // closes the dialog).
  void SaveChoice();

 private:
  void BuildControls();
  void ApplySavedChoice();
  void RadioButtonBrowserKnownInSystemClick();
  void spdbtnOpenExeFileClick();

  QList<KnownBrowser> knownBrowsers_;
  QRadioButton* RadioButtonBrowserDefault = nullptr;
  QRadioButton* RadioButtonBrowserKnownInSystem = nullptr;
  QRadioButton* RadioButtonBrowserUserSpecify = nullptr;
  QComboBox* ComboBoxBrowserList = nullptr;
  QLineEdit* editSpecifiedBrowserFileName = nullptr;
};

}  // namespace velmora
