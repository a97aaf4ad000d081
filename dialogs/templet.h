#pragma once

// The template chooser: lists the project files of the templates folder
// beside the program with the selected one's description and, where the
// web engine is built in, the menu itself; OK opens the chosen template,
// Cancel starts a new design.

#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace velmora {

class PreviewView;

inline constexpr const char* kShowTempletsDialogSetting = "ShowTempletsDialog";

// The templates folder of a program folder.
QString TemplatesFolder(const QString& programFolder);
// Returns the templates folder, creating it (one level) when it is missing.
// Throws Error "Cannot create <folder>" when that fails.
QString EnsureTemplatesFolder(const QString& programFolder);

class TfrmTemplet : public QDialog {
  Q_OBJECT

 public:
  struct Actions {
    std::function<void(const QString& path)> openProject;
    std::function<void()> newDesign;
  };

  // Throws Error when the templates folder cannot be created.
  TfrmTemplet(const QString& programFolder, Actions actions, QWidget* parent = nullptr);

  const QString& Folder() const { return folder_; }
  // The menu of the selected template; null without the web engine.
  PreviewView* Preview() const { return preview_; }
  // The full path of the selected template; empty when none is selected.
  QString SelectedTemplate() const;

  // Cancel, and the Escape key, start a new design.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BitBtn1Click();
  void TempletListDblClick();
  void OpenAndClose(const QString& path);
  void SelectionChanged();

  QString folder_;
  Actions actions_;
  QListWidget* TempletList_ = nullptr;
  QCheckBox* chckbxDontShow_ = nullptr;
  QPushButton* ok_ = nullptr;
  QLabel* description_ = nullptr;
  PreviewView* preview_ = nullptr;
  QString programFolder_;
};

}  // namespace velmora
