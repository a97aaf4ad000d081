// The live preview's controls: the pane's tool bar (page width presets,
// zoom, reload), the same commands under View > Live Preview, the zoom keys
// while the pane has the focus, and the pane's settings kept between runs.

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "designer/live_preview.h"
#include "designer/window_fit.h"
#include "platform/preview_view.h"
#include "platform/settings.h"

namespace velmora {

namespace {

constexpr const char* kStateKey = "LivePreviewState";
constexpr const char* kWidthKey = "LivePreviewWidth";
constexpr const char* kZoomKey = "LivePreviewZoom";
constexpr const char* kPaneWidthKey = "LivePreviewPaneWidth";
constexpr int kDefaultPaneWidth = 460;
constexpr int kStateVersion = 1;

QString SettingKey(const char* name) {
  return QString::fromLatin1(kSettingsGroup) + '/' + QLatin1String(name);
}

struct Preset {
  const char* name;  // of the action
  const char* caption;
  int width;
  const char* keys;
};
constexpr Preset kPresets[] = {
    {"actLivePreviewDesktop", "&Desktop", PreviewView::kDesktopWidth, "Ctrl+Alt+1"},
    {"actLivePreviewTablet", "&Tablet", PreviewView::kTabletWidth, "Ctrl+Alt+2"},
    {"actLivePreviewPhone", "&Phone", PreviewView::kPhoneWidth, "Ctrl+Alt+3"}};

}  // namespace

QAction* LivePreview::AddAction(const QString& text, const char* name, const QString& tip) {
  auto* action = new QAction(text, dock_);
  action->setObjectName(QLatin1String(name));
  action->setToolTip(tip);
  action->setStatusTip(tip);
  return action;
}

QWidget* LivePreview::BuildPane() {
  auto* pane = new QWidget(dock_);
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(pane);
  bar->setObjectName(QStringLiteral("tlbrLivePreview"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  layout->addWidget(bar);
  note_ = new QLabel(pane);
  note_->setObjectName(QStringLiteral("lblLivePreviewNote"));
  note_->setContentsMargins(6, 2, 6, 2);
  note_->hide();
  layout->addWidget(note_);
  view_ = new PreviewView(pane);
  layout->addWidget(view_, 1);
  pane->setMinimumWidth(200);

  auto* widths = new QActionGroup(this);
  for (const Preset& preset : kPresets) {
    QAction* action = AddAction(QString::fromLatin1(preset.caption), preset.name,
                                QStringLiteral("Lay the page out %1 pixels wide").arg(preset.width));
    action->setShortcut(QKeySequence(QString::fromLatin1(preset.keys)));
    action->setCheckable(true);
    action->setData(preset.width);
    action->setChecked(preset.width == PreviewView::kDesktopWidth);
    widths->addAction(action);
    connect(action, &QAction::triggered, this, [this, width = preset.width] { SetWidthPreset(width); });
    presets_ << action;
  }
  fit_ = AddAction(QStringLiteral("&Fit"), "actLivePreviewFit", QStringLiteral("Scale the page to the pane"));
  actualSize_ = AddAction(QStringLiteral("&100 %"), "actLivePreviewActualSize",
                          QStringLiteral("Show the page at its real size"));
  actualSize_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  for (QAction* zoom : {fit_, actualSize_}) zoom->setCheckable(true);
  connect(fit_, &QAction::triggered, this, [this] { view_->SetZoom(PreviewView::kFit); });
  connect(actualSize_, &QAction::triggered, this, [this] { view_->SetZoom(1.0); });
  reload_ = AddAction(QStringLiteral("&Reload"), "actLivePreviewReload",
                      QStringLiteral("Draw the menu again, with its images read anew"));
  reload_->setShortcut(QKeySequence(Qt::Key_F5));
  connect(reload_, &QAction::triggered, this, [this] {
    RefreshNow();
    view_->Reload();
  });

  bar->addActions(presets_);
  bar->addSeparator();
  bar->addActions({fit_, actualSize_});
  zoomLabel_ = new QLabel(bar);
  zoomLabel_->setObjectName(QStringLiteral("lblLivePreviewZoom"));
  zoomLabel_->setContentsMargins(4, 0, 4, 0);
  bar->addWidget(zoomLabel_);
  bar->addSeparator();
  bar->addAction(reload_);
  // Every button is reached with the Tab key, in the order shown.
  for (QAction* action : bar->actions()) {
    if (QWidget* button = bar->widgetForAction(action);
        button && !action->isSeparator() && button != zoomLabel_) {
      button->setFocusPolicy(Qt::TabFocus);
    }
  }
  AddZoomKeys(pane);
  connect(view_, &PreviewView::ZoomChanged, this, &LivePreview::ShowZoom);
  ShowZoom();
  return pane;
}

void LivePreview::AddZoomKeys(QWidget* pane) {
  QAction* zoomIn = AddAction(QStringLiteral("Zoom &In"), "actLivePreviewZoomIn", QString());
  zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  connect(zoomIn, &QAction::triggered, view_, &PreviewView::ZoomIn);
  QAction* zoomOut = AddAction(QStringLiteral("Zoom &Out"), "actLivePreviewZoomOut", QString());
  zoomOut->setShortcuts(QKeySequence::ZoomOut);
  connect(zoomOut, &QAction::triggered, view_, &PreviewView::ZoomOut);
  zoomKeys_ = {zoomIn, zoomOut};
  // The zoom keys act while the pane has the focus; the pages keep theirs.
  for (QAction* action : {zoomIn, zoomOut, actualSize_}) {
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    pane->addAction(action);
  }
}

void LivePreview::AddMenuEntries() {
  QMenu* menu = frame_.viewMenu->addMenu(QStringLiteral("&Live Preview"));
  menu->setObjectName(QStringLiteral("mnuLivePreview"));
  QAction* toggle = dock_->toggleViewAction();
  toggle->setText(QStringLiteral("&Show Pane"));
  toggle->setObjectName(QStringLiteral("LivePreview1"));
  menu->addAction(toggle);
  menu->addSeparator();
  menu->addActions(presets_);
  menu->addSeparator();
  menu->addActions({fit_, actualSize_});
  menu->addActions(zoomKeys_);
  menu->addSeparator();
  menu->addAction(reload_);
}

void LivePreview::SetWidthPreset(int cssWidth) {
  view_->SetPageWidth(cssWidth);
  for (QAction* action : presets_) action->setChecked(action->data().toInt() == cssWidth);
  // The narrow presets read best at their real size when the pane has room.
  const bool roomy = cssWidth < PreviewView::kDesktopWidth && view_->width() >= cssWidth;
  view_->SetZoom(roomy ? 1.0 : PreviewView::kFit);
}

void LivePreview::ShowZoom() {
  const bool fit = view_->ZoomSetting() == PreviewView::kFit;
  fit_->setChecked(fit);
  actualSize_->setChecked(!fit && view_->ZoomSetting() == 1.0);
  zoomLabel_->setText(QStringLiteral("%1 %").arg(std::lround(view_->Zoom() * 100)));
}

void LivePreview::SaveLayout() const {
  auto settings = OpenSettings();
  settings->setValue(SettingKey(kStateKey), form_.saveState(kStateVersion));
  settings->setValue(SettingKey(kWidthKey), view_->PageWidth());
  settings->setValue(SettingKey(kZoomKey), view_->ZoomSetting());
  if (!dock_->isHidden() && !dock_->isFloating())
    settings->setValue(SettingKey(kPaneWidthKey), dock_->width());
}

void LivePreview::RestoreLayout() {
  auto settings = OpenSettings();
  const QByteArray state = settings->value(SettingKey(kStateKey)).toByteArray();
  if (!state.isEmpty()) {
    // The window's state also holds the tool bar, whose View entry always
    // starts ticked.
    const bool toolBarShown = !frame_.toolBar->isHidden();
    form_.restoreState(state, kStateVersion);
    frame_.toolBar->setVisible(toolBarShown);
  }
  const int width = settings->value(SettingKey(kWidthKey), PreviewView::kDesktopWidth).toInt();
  for (QAction* action : presets_) {
    if (action->data().toInt() == width) SetWidthPreset(width);
  }
  const QVariant zoom = settings->value(SettingKey(kZoomKey));
  if (zoom.isValid()) view_->SetZoom(zoom.toDouble());
  // The window grows by the pane beside the pages rather than squeezing them;
  // on a screen too narrow for both the pane gives way, down to its minimum.
  if (!dock_->isHidden() && !dock_->isFloating()) {
    const int saved = settings->value(SettingKey(kPaneWidthKey), kDefaultPaneWidth).toInt();
    const int separator = form_.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, &form_);
    const int paneWidth =
        std::max(dock_->minimumSizeHint().width(), std::min(saved, RoomBeside(form_) - separator));
    QRect frame(form_.pos(), QSize(form_.width() + separator + paneWidth, form_.height()));
    if (const QScreen* screen = form_.screen()) {
      const QRect available = screen->availableGeometry();
      frame.setWidth(std::min(frame.width(), available.width()));
      frame.moveCenter(available.center());
    }
    form_.setGeometry(frame);
    form_.resizeDocks({dock_}, {paneWidth}, Qt::Horizontal);
  }
}

}  // namespace velmora
