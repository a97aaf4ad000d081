#pragma once

// Asks which list of a web page to import as the menu, and in which
// template's look: each list with its first captions, its item count and
// depth and where the page has it, the likeliest first; the selected list
// drawn in the chosen look beside them when the live preview is built.

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace velmora {

class PreviewView;

struct WebMenuChoice {
  QString where;  // how the page marks the list: <ul class="menu"> in <nav>
  int itemCount = 0;
  int depth = 1;
  bool hidden = false;        // a visitor does not see it
  QStringList firstCaptions;  // of its top-level items
};

class TfrmWebMenuChooser : public QDialog {
  Q_OBJECT

 public:
  // Draws list `list` in template `templateName` (empty: the plain look)
  // into the preview.
  using Drawer = std::function<void(PreviewView* preview, int list, const QString& templateName)>;

  // `preselected` is the list an import takes without asking; `templates`
  // the names offered, `chosenTemplate` the one selected at first;
  // `pageLanguage` the page's own (empty when it names none).
  TfrmWebMenuChooser(const QString& pageName, const QList<WebMenuChoice>& choices, int preselected,
                     const QStringList& templates, const QString& chosenTemplate, const QString& pageLanguage,
                     QWidget* parent = nullptr);

  // Draws the selection now and whenever it or the template changes; the
  // dialog shows no preview without the live preview engine.
  void SetDrawer(Drawer drawer);

  // The chosen list's position in `choices`; -1 when none is selected.
  int ChosenIndex() const;
  // The chosen template's name; empty for the plain look.
  QString ChosenTemplate() const;
  // Whether the design is to have the modern (HTML5) page in the page's
  // language.
  bool ModernPage() const;
  PreviewView* Preview() const { return preview_; }

  // The text of one row of the list.
  static QString RowText(const WebMenuChoice& choice);

 private:
  void Draw();

  QLabel* lblPrompt;
  QListWidget* lstbxMenuLists;
  QComboBox* cmbTemplate;
  QCheckBox* chckbxModernPage;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  PreviewView* preview_ = nullptr;
  Drawer drawer_;
};

}  // namespace velmora
