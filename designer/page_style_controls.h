#pragma once

// The design's page style in the window: the check entry "&Modern Page
// Output" of the Option menu and the page language field on the Path page,
// enabled while the entry is checked. Like the page controls, they hold
// their values until the pages are stored and take them when the pages are
// loaded; a change by the user marks the design modified.

#include <QObject>

class QAction;
class QLineEdit;
class QMenu;
class QTabWidget;

namespace velmora {

class TvornAppletAgent;

class PageStyleControls : public QObject {
  Q_OBJECT

 public:
  // Adds the entry to `optionMenu` and the field to the Path page of `pages`.
  PageStyleControls(QMenu* optionMenu, QTabWidget* pages);

  void Store(TvornAppletAgent& doc) const;
  void Load(const TvornAppletAgent& doc);

  QAction* ModernPageOutput() const { return modern_; }
  QLineEdit* Language() const { return language_; }

 signals:
  // The user changed the entry or the field.
  void Changed();

 private:
  QAction* modern_;
  QLineEdit* language_;
};

}  // namespace velmora
