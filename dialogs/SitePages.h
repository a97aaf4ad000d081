#pragma once

// File > Update Site Pages: the site's folder, every page found in it with
// its state, the Update button that writes them, and at the end a report
// of what changed that can be copied.

#include <QDialog>
#include <QString>
#include <functional>

#include "generator/site_pages.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace velmora {

class TfrmSitePages : public QDialog {
  Q_OBJECT

 public:
  // Runs the update of the pages under `folder`: with `write` false it only
  // reads the pages and tells their states. Errors raise.
  using Runner = std::function<SiteUpdate(const std::string& folder, bool write)>;
  // Asks for another folder; empty when cancelled.
  using FolderChooser = std::function<QString(const QString& current)>;

  TfrmSitePages(const QString& folder, Runner runner, FolderChooser chooser, QWidget* parent = nullptr);

  // Lists every page with the state it is in.
  void Scan();
  // Writes the pages, then shows the report.
  void Update();
  QString Folder() const { return folder_; }
  QString ReportText() const;

 signals:
  // The user chose another site folder.
  void FolderChosen(const QString& folder);

 private:
  void ChangeFolder();
  void Show(const SiteUpdate& update);
  void ShowFailure(const QString& text);

  QString folder_;
  Runner runner_;
  FolderChooser chooser_;
  QLineEdit* edtSiteFolder;
  QPushButton* btnChangeFolder;
  QTreeWidget* lvwPages;
  QLabel* lblSummary;
  QPlainTextEdit* memoReport;
  QPushButton* btnUpdate;
  QPushButton* btnClose;
};

}  // namespace velmora
