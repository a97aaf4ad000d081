#pragma once

// The "Live Preview" pane of the main window: the design as the window
// shows it, generated in memory and drawn by the web engine beside the
// pages, redrawn a moment after every change. Selecting an item in the tree
// shows it in the pane, and clicking an item in the pane selects it in the
// tree. The window owns it; it reaches the window only through the
// window's signals and public operations.

#include <QObject>
#include <QString>

class QAction;
class QDockWidget;
class QLabel;
class QTimer;
class QToolBar;

namespace velmora {

class PreviewView;
class TMainForm;

class LivePreview : public QObject {
  Q_OBJECT

 public:
  // Designs beyond this many items show their first items only: the pane
  // stays quick whatever the design holds.
  static constexpr int kMostItems = 2000;
  // The pause after the last change before the pane is redrawn.
  static constexpr int kPauseMs = 100;

  // Adds the pane to `form`'s right side and its entry to the View menu,
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
  // Keeps the pane's place, size and width preset in the settings.
  void SaveLayout() const;

 signals:
  // A redraw has been handed to the engine (`reloading` false when
  // nothing in the menu changed).
  void Refreshed(bool reloading);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildPane();
  void AddPresets(QToolBar* bar);
  void WatchChanges();
  void RestoreLayout();
  void Schedule();
  void ShowSelected();
  void SelectItem(int index);
  void SetWidthPreset(int cssWidth);

  TMainForm& form_;
  QDockWidget* dock_ = nullptr;
  PreviewView* view_ = nullptr;
  QLabel* note_ = nullptr;
  QTimer* pause_ = nullptr;
  QList<QAction*> presets_;
};

}  // namespace velmora
