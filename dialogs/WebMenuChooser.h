#pragma once

// Asks which list of a web page to import as the menu, when the page holds
// several: each shown with its first captions, its item count and where the
// page has it.

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace velmora {

struct WebMenuChoice {
  QString where;  // how the page marks the list: <ul class="menu"> in <nav>
  int itemCount = 0;
  QStringList firstCaptions;  // of its top-level items, "…" last when there are more
};

class TfrmWebMenuChooser : public QDialog {
  Q_OBJECT

 public:
  // `preselected` is the list an import takes without asking.
  TfrmWebMenuChooser(const QString& pageName, const QList<WebMenuChoice>& choices, int preselected,
                     QWidget* parent = nullptr);

  // The chosen list's position in `choices`; -1 when none is selected.
  int ChosenIndex() const;

  // The text of one row of the list.
  static QString RowText(const WebMenuChoice& choice);

 private:
  QLabel* lblPrompt;
  QListWidget* lstbxMenuLists;
  QPushButton* btnOK;
  QPushButton* btnCancel;
};

}  // namespace velmora
