#include "designer/live_preview.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "designer/document_notifier.h"
#include "designer/property_pages.h"
#include "document/file_io.h"
#include "generator/preview.h"
#include "generator/shown_texts.h"
#include "platform/codepage.h"
#include "platform/preview_view.h"

namespace velmora {

namespace {

constexpr int kUnavailableMessageMs = 60000;

}  // namespace

LivePreview::LivePreview(TMainForm& form) : QObject(&form), form_(form), frame_(form.Frame()) {
  setObjectName(QStringLiteral("LivePreview"));
  dock_ = new QDockWidget(QStringLiteral("Live Preview"), &form);
  dock_->setObjectName(QStringLiteral("dckLivePreview"));
  dock_->setWidget(BuildPane());
  form.addDockWidget(Qt::RightDockWidgetArea, dock_);
  AddMenuEntries();

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
  QMenu* viewMenu = form.Frame().viewMenu;
  viewMenu->addAction(entry);
  viewMenu->setToolTipsVisible(true);
  form.statusBar()->showMessage(reason, kUnavailableMessageMs);
  return nullptr;
}

void LivePreview::WatchChanges() {
  // Every edit of the design reaches the document at once, which reports it.
  connect(&form_.Notifications(), &DocumentNotifier::Changed, this, &LivePreview::Schedule);
  // After the window's own handler has moved the values and arranged the pages.
  auto showSelectedSoon = [this] { QTimer::singleShot(0, this, &LivePreview::ShowSelected); };
  connect(frame_.tree, &QTreeWidget::currentItemChanged, this, showSelectedSoon);
  connect(frame_.pages, &QTabWidget::currentChanged, this, showSelectedSoon);
  connect(dock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) Schedule();
  });
  connect(view_, &PreviewView::ItemClicked, this, [this](int index) {
    SelectItem(index);
    ShowLinkOf(index);
  });
  connect(view_, &PreviewView::ItemHovered, this, &LivePreview::ShowLinkOf);
  connect(view_, &PreviewView::LinkRefused, frame_.hintLine, &QLabel::setText);
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
  // A new page gets the selected item before it comes into sight.
  ShowSelected();
  emit Refreshed(reloading);
}

void LivePreview::ShowSelected() {
  const int selected = form_.SelectedIndex();
  const int state = form_.Pages().ShownState();
  view_->ShowItem(QString::fromStdString(form_.MenuBaseNameText()), selected > 0 ? selected - 1 : -1,
                  state >= 0 ? state : 1);
}

void LivePreview::SelectItem(int index) {
  QTreeWidgetItem* node =
      index >= 0 && index + 1 < form_.Tree().NodeCount() ? form_.NodeAt(index + 1) : nullptr;
  if (!node || node == frame_.tree->currentItem()) return;
  frame_.tree->setCurrentItem(node);
  frame_.tree->scrollToItem(node);
}

void LivePreview::ShowLinkOf(int index) {
  const TvornAppletAgent& doc = form_.Document();
  if (index >= 0 && index < doc.ItemCount()) {
    // The link as the design holds it, not the address the pane resolved it to.
    frame_.hintLine->setText(FromDocumentText(doc.GetItem(index)[ILink], doc.Encoding));
    showsLink_ = true;
  } else if (showsLink_) {
    frame_.hintLine->clear();
    showsLink_ = false;
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
