#include "designer/live_preview.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "designer/document_notifier.h"
#include "designer/main_form.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "generator/shown_texts.h"
#include "platform/codepage.h"
#include "platform/preview_view.h"
#include "platform/settings.h"

namespace velmora {

namespace {

constexpr const char* kStateKey = "LivePreviewState";
constexpr const char* kWidthKey = "LivePreviewWidth";
constexpr const char* kPaneWidthKey = "LivePreviewPaneWidth";
constexpr int kDefaultPaneWidth = 460;
constexpr int kStateVersion = 1;
constexpr int kUnavailableMessageMs = 60000;

QString SettingKey(const char* name) {
  return QString::fromLatin1(kSettingsGroup) + '/' + QLatin1String(name);
}

}  // namespace

LivePreview::LivePreview(TMainForm& form) : QObject(&form), form_(form) {
  setObjectName(QStringLiteral("LivePreview"));
  dock_ = new QDockWidget(QStringLiteral("Live Preview"), &form);
  dock_->setObjectName(QStringLiteral("dckLivePreview"));
  dock_->setWidget(BuildPane());
  form.addDockWidget(Qt::RightDockWidgetArea, dock_);

  QAction* toggle = dock_->toggleViewAction();
  toggle->setText(QStringLiteral("&Live Preview"));
  toggle->setObjectName(QStringLiteral("LivePreview1"));
  if (auto* viewMenu = form.findChild<QMenu*>(QStringLiteral("View1"))) viewMenu->addAction(toggle);

  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMs);
  connect(pause_, &QTimer::timeout, this, &LivePreview::RefreshNow);
  WatchChanges();
  RestoreLayout();
  form.installEventFilter(this);
  Schedule();
}

LivePreview* LivePreview::AddTo(TMainForm& form) {
  const QString reason = PreviewView::UnavailableReason();
  if (reason.isEmpty()) return new LivePreview(form);
  auto* entry = new QAction(QStringLiteral("&Live Preview"), &form);
  entry->setObjectName(QStringLiteral("LivePreview1"));
  entry->setEnabled(false);
  entry->setToolTip(reason);
  entry->setStatusTip(reason);
  if (auto* viewMenu = form.findChild<QMenu*>(QStringLiteral("View1"))) {
    viewMenu->addAction(entry);
    viewMenu->setToolTipsVisible(true);
  }
  form.statusBar()->showMessage(reason, kUnavailableMessageMs);
  return nullptr;
}

QWidget* LivePreview::BuildPane() {
  auto* pane = new QWidget(dock_);
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(pane);
  bar->setObjectName(QStringLiteral("tlbrLivePreview"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  AddPresets(bar);
  layout->addWidget(bar);
  note_ = new QLabel(pane);
  note_->setObjectName(QStringLiteral("lblLivePreviewNote"));
  note_->setContentsMargins(6, 2, 6, 2);
  note_->hide();
  layout->addWidget(note_);
  view_ = new PreviewView(pane);
  layout->addWidget(view_, 1);
  pane->setMinimumWidth(200);

  connect(view_, &PreviewView::Ready, this, &LivePreview::ShowSelected);
  connect(view_, &PreviewView::ItemClicked, this, &LivePreview::SelectItem);
  connect(view_, &PreviewView::LinkRefused, this, [this](const QString& address) {
    if (auto* hint = form_.findChild<QLabel*>(QStringLiteral("stctxtHint"))) hint->setText(address);
  });
  return pane;
}

void LivePreview::AddPresets(QToolBar* bar) {
  auto* group = new QActionGroup(bar);
  const std::pair<const char*, int> presets[] = {{"Desktop", PreviewView::kDesktopWidth},
                                                 {"Tablet", PreviewView::kTabletWidth},
                                                 {"Phone", PreviewView::kPhoneWidth}};
  for (const auto& [caption, width] : presets) {
    QAction* action = bar->addAction(QString::fromLatin1(caption));
    action->setObjectName(QStringLiteral("actLivePreview") + caption);
    action->setCheckable(true);
    action->setData(width);
    action->setToolTip(QStringLiteral("Lay the page out %1 pixels wide").arg(width));
    action->setChecked(width == PreviewView::kDesktopWidth);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, width = width] { SetWidthPreset(width); });
    presets_ << action;
  }
  bar->addSeparator();
  QAction* reload = bar->addAction(QStringLiteral("Reload"));
  reload->setObjectName(QStringLiteral("actLivePreviewReload"));
  reload->setToolTip(QStringLiteral("Draw the menu again, with its images read anew"));
  connect(reload, &QAction::triggered, this, [this] {
    RefreshNow();
    view_->Reload();
  });
}

void LivePreview::WatchChanges() {
  // Every edit of the design reaches the document at once, which reports it.
  connect(&form_.Notifications(), &DocumentNotifier::Changed, this, &LivePreview::Schedule);
  connect(&form_, &TMainForm::DesignChanged, this, &LivePreview::Schedule);
  if (auto* tree = form_.findChild<QTreeWidget*>(QStringLiteral("trvwDesignPanel"))) {
    // After the window's own handler has moved the values.
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [this] { QTimer::singleShot(0, this, &LivePreview::ShowSelected); });
  }
  connect(dock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) Schedule();
  });
}

void LivePreview::SetPause(int milliseconds) {
  pause_->setInterval(milliseconds);
}

bool LivePreview::IsPending() const {
  return pause_->isActive();
}

void LivePreview::Schedule() {
  pause_->start();
}

void LivePreview::RefreshNow() {
  pause_->stop();
  if (dock_->isHidden()) return;
  const TvornAppletAgent& doc = form_.Document();
  // Mid-way through a command the tree and the records may disagree.
  if (form_.IsTreeRebuilding() || form_.Tree().NodeCount() != doc.ItemCount() + 1) {
    Schedule();
    return;
  }
  note_->hide();
  if (doc.ItemCount() == 0) {
    emit Refreshed(view_->ShowNotice(QStringLiteral(
        "This design has no items yet.\n\nInsert one with the Insert button or by right-clicking the "
        "tree on the left, and the menu appears here.")));
    return;
  }
  const TAppletData menu = form_.MenuPagesRecord();
  const int itemIndex = form_.CurrentItemIndex();
  const TItemData item = itemIndex >= 0 ? form_.ItemPagesRecord() : TItemData();
  ShownTexts shown;
  try {
    shown = GenerateShownTexts(doc, form_.Tree(), form_.MenuBaseNameText(), {&menu, itemIndex, &item},
                               kMostItems);
  } catch (const std::exception& error) {
    // A refusal is shown where the menu would be: no message box per keystroke.
    emit Refreshed(view_->ShowNotice("The menu cannot be drawn:\n\n" + FromErrorText(error.what())));
    return;
  }
  if (shown.shownItems < shown.totalItems) {
    note_->setText(QStringLiteral("Showing the first %1 of %2 items.")
                       .arg(QLocale().toString(shown.shownItems), QLocale().toString(shown.totalItems)));
    note_->show();
  }

  std::set<std::string> images;
  for (const std::string& name : ImageNames(doc)) images.insert(name);
  for (ItemField field : kImageFields) {
    if (!item[field].empty()) images.emplace(item[field]);
  }
  PreviewContent content = MenuContent(shown.texts, shown.runtimeFiles, doc.ProgramFolder(),
                                       PreviewFolder(doc), std::move(images));
  const bool reloading = view_->ShowContent(std::move(content));
  if (!reloading) ShowSelected();
  emit Refreshed(reloading);
}

void LivePreview::ShowSelected() {
  if (!view_->IsReady()) return;
  const int selected = form_.SelectedIndex();
  view_->ShowItem(QString::fromStdString(form_.MenuBaseNameText()), selected > 0 ? selected - 1 : -1);
}

void LivePreview::SelectItem(int index) {
  auto* tree = form_.findChild<QTreeWidget*>(QStringLiteral("trvwDesignPanel"));
  QTreeWidgetItem* node =
      index >= 0 && index + 1 < form_.Tree().NodeCount() ? form_.NodeAt(index + 1) : nullptr;
  if (!tree || !node || node == tree->currentItem()) return;
  tree->setCurrentItem(node);
  tree->scrollToItem(node);
}

void LivePreview::SetWidthPreset(int cssWidth) {
  view_->SetPageWidth(cssWidth);
  for (QAction* action : presets_) action->setChecked(action->data().toInt() == cssWidth);
}

void LivePreview::SaveLayout() const {
  auto settings = OpenSettings();
  settings->setValue(SettingKey(kStateKey), form_.saveState(kStateVersion));
  settings->setValue(SettingKey(kWidthKey), view_->PageWidth());
  if (!dock_->isHidden() && !dock_->isFloating())
    settings->setValue(SettingKey(kPaneWidthKey), dock_->width());
}

void LivePreview::RestoreLayout() {
  auto settings = OpenSettings();
  const QByteArray state = settings->value(SettingKey(kStateKey)).toByteArray();
  if (!state.isEmpty()) {
    // The window's state also holds the tool bar, whose View entry always
    // starts ticked.
    auto* toolBar = form_.findChild<QToolBar*>(QStringLiteral("tlbr1"));
    const bool toolBarShown = !toolBar || !toolBar->isHidden();
    form_.restoreState(state, kStateVersion);
    if (toolBar) toolBar->setVisible(toolBarShown);
  }
  const int width = settings->value(SettingKey(kWidthKey), PreviewView::kDesktopWidth).toInt();
  for (QAction* action : presets_) {
    if (action->data().toInt() == width) SetWidthPreset(width);
  }
  // The window grows by the pane beside the pages rather than squeezing them.
  if (!dock_->isHidden() && !dock_->isFloating()) {
    const int paneWidth = settings->value(SettingKey(kPaneWidthKey), kDefaultPaneWidth).toInt();
    QRect frame(form_.pos(), QSize(form_.width() + paneWidth, form_.height()));
    if (const QScreen* screen = form_.screen()) {
      const QRect available = screen->availableGeometry();
      frame.setWidth(std::min(frame.width(), available.width()));
      frame.moveCenter(available.center());
    }
    form_.setGeometry(frame);
    form_.resizeDocks({dock_}, {paneWidth}, Qt::Horizontal);
  }
}

bool LivePreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &form_) return QObject::eventFilter(watched, event);
  if (event->type() == QEvent::Close) SaveLayout();
  // The engine gives the pane its drawing surface when the page first
  // shows, and the window is then made anew on screen, in front of a
  // dialog it already has open (the template chooser at start-up).
  if (event->type() == QEvent::WinIdChange) {
    QTimer::singleShot(0, this, [this] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != &form_ && window->isVisible() && window->parentWidget() &&
            window->parentWidget()->window() == &form_) {
          window->raise();
        }
      }
    });
  }
  return false;
}

}  // namespace velmora
