#pragma once

// The design's page style in the window: the check entry "&Modern Page
// Output" of the Option menu and the page language field on the Path page,
// enabled while the entry is checked. They take their values when the
// pages are loaded; a change by the user is a step of the undo history.

#include <QObject>

#include "document/format_extensions.h"

class QAction;
class QLineEdit;
class QMenu;
class QWidget;

namespace velmora {

class TvornAppletAgent;

class PageStyleControls : public QObject {
  Q_OBJECT

 public:
  // Adds the entry to `optionMenu` and the field to `pathPage` (the
  // property pages' Path page, laid out top to bottom).
  PageStyleControls(QMenu* optionMenu, QWidget* pathPage);

  void Store(TvornAppletAgent& doc) const;
  // `extensions` with the settings the controls show.
  FormatExtensions StoredInto(FormatExtensions extensions) const;
  void Load(const TvornAppletAgent& doc);

  QAction* ModernPageOutput() const { return modern_; }
  QLineEdit* Language() const { return language_; }

 signals:
  // The user changed the entry, or typed into the field (`typing`).
  void Changed(bool typing);

 private:
  QAction* modern_;
  QLineEdit* language_;
};

}  // namespace velmora
