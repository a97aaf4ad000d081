#pragma once

// The "Live Preview" pane of the main window: the design as the window
// shows it, generated in memory and drawn by the web engine beside the
// pages, redrawn a moment after every change. Selecting an item in the tree
// shows it in the pane, open and in the look of the state page shown;
// clicking an item in the pane selects it in the tree, and pointing at one
// shows its link in the status line. The window owns it and hands it the
// parts of its frame it works with (TMainForm::Frame).
//
// Files: live_preview.cpp (drawing and following the design),
// live_preview_controls.cpp (the pane's tool bar, its View menu entries,
// zoom keys and the kept settings).

#include <QList>
#include <QObject>
#include <QString>

#include "designer/main_form.h"

class QAction;
class QDockWidget;
class QLabel;
class QTimer;
class QToolBar;

namespace velmora {

class PreviewView;

class LivePreview : public QObject {
  Q_OBJECT

 public:
  // Designs beyond this many items show their first items only: the pane
  // stays quick whatever the design holds.
  static constexpr int kMostItems = 2000;
  // The pause after the last change before the pane is redrawn.
  static constexpr int kPauseMs = 100;

  // Adds the pane to `form`'s right side and its entries to the View menu,
  // as the settings last left them.
  explicit LivePreview(TMainForm& form);

  // Adds the pane where its web engine can run; else puts a disabled View
  // menu entry in its place, with `PreviewView::UnavailableReason` in its
  // tip and in the status line. Returns the pane, or null.
  static LivePreview* AddTo(TMainForm& form);

  QDockWidget* Dock() const { return dock_; }
  PreviewView* View() const { return view_; }
  void SetPause(int milliseconds);
  // Redraws at once, without waiting for the pause.
  void RefreshNow();
  // Whether a change waits for its redraw.
  bool IsPending() const;
  // Keeps the pane's place, size, width preset and zoom in the settings.
  void SaveLayout() const;

 signals:
  // A redraw has been handed to the engine (`reloading` false when
  // nothing in the menu changed).
  void Refreshed(bool reloading);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // live_preview_controls.cpp
  QWidget* BuildPane();
  QAction* AddAction(const QString& text, const char* name, const QString& tip);
  void AddMenuEntries();
  void AddZoomKeys(QWidget* pane);
  void SetWidthPreset(int cssWidth);
  void ShowZoom();
  void RestoreLayout();

  // live_preview.cpp
  void WatchChanges();
  void Schedule();
  void ShowSelected();
  void SelectItem(int index);
  void ShowLinkOf(int index);

  TMainForm& form_;
  TMainForm::FrameParts frame_;
  QDockWidget* dock_ = nullptr;
  PreviewView* view_ = nullptr;
  QLabel* note_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QTimer* pause_ = nullptr;
  QList<QAction*> presets_;
  QAction* fit_ = nullptr;
  QAction* actualSize_ = nullptr;
  QAction* reload_ = nullptr;
  QList<QAction*> zoomKeys_;  // zoom in, zoom out
  bool showsLink_ = false;    // the status line shows a pointed-at item's link
};

}  // namespace velmora
