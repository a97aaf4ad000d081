// The frame of the main window: menus, tool bar, tree pane, splitter and
// status area, and the hint line that follows the mouse.

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "designer/accessible_names.h"
#include "designer/design_name_label.h"
#include "designer/gui_status.h"
#include "designer/icons.h"
#include "designer/keyboard_routes.h"
#include "designer/main_form.h"
#include "designer/neighbour_look.h"
#include "designer/page_style_controls.h"
#include "designer/property_pages.h"
#include "designer/site_pages_command.h"
#include "designer/structure_commands.h"
#include "designer/tree_adapter.h"
#include "designer/undo_history.h"
#include "designer/web_page_import.h"

namespace velmora {

namespace {

constexpr const char* kHintProperty = "hint";
constexpr const char* kTreeHint = "Add, remove or move items by right-clicking the mouse.";

}  // namespace

std::function<void()> TMainForm::Guarded(void (TMainForm::*handler)()) {
  return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
}

QAction* TMainForm::AddMenuAction(QMenu* menu, const char* name, const QString& caption,
                                  void (TMainForm::*handler)(), const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, Guarded(handler));
  return action;
}

QToolButton* TMainForm::AddToolButton(QAction* action, const char* name, const QString& toolTip,
                                      int iconIndex) {
  // The button shows the command's own action: one enabled state, one handler.
  action->setIcon(ToolBarIcon(static_cast<ToolIcon>(iconIndex)));
  action->setIconVisibleInMenu(false);
  action->setToolTip(toolTip);
  tlbr1->addAction(action);
  auto* button = static_cast<QToolButton*>(tlbr1->widgetForAction(action));
  button->setObjectName(name);
  button->setProperty(kHintProperty, toolTip);
  button->setAutoRaise(true);
  WatchHints(button);
  return button;
}

void TMainForm::BuildFrame() {
  BuildStatusArea();
  BuildMenus();
  BuildToolBar();
  BuildTreePane();

  pgcntrl1 = new QTabWidget(this);
  pgcntrl1->setObjectName("pgcntrl1");
  pgcntrl1->setMinimumSize(433, 516);
  pages_ = std::make_unique<PropertyPages>(*this, pgcntrl1);
  pageStyle_ = new PageStyleControls(optionMenu_, pages_->PathPage());
  // A menu entry takes effect at once, so the setting goes into the design
  // on every change (the live preview draws the page it chooses).
  connect(pageStyle_, &PageStyleControls::Changed, this, [this](bool typing) {
    RunGuarded([this, typing] { history_->RecordPageStyle(*pageStyle_, typing); });
  });
  WatchHints(pgcntrl1);

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName("Splitter1");
  Splitter1->addWidget(pnlTreeView);
  Splitter1->addWidget(pgcntrl1);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->setSizes({kTreePaneWidth, 580});
  setCentralWidget(Splitter1);
  NameFrameControls(*this, *trvwDesignPanel);
  InstallKeyboardRoutes(*this, trvwDesignPanel, pgcntrl1);
}

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  QMenu* file = bar->addMenu("&File");
  file->setObjectName("File1");
  New1 = AddMenuAction(file, "New1", "&New...", &TMainForm::New1Click, QKeySequence("Ctrl+N"));
  Open1 = AddMenuAction(file, "Open1", "&Open...", &TMainForm::Open1Click, QKeySequence("Ctrl+O"));
  Save1 = AddMenuAction(file, "Save1", "&Save", &TMainForm::Save1Click, QKeySequence("Ctrl+S"));
  AddMenuAction(file, "Save2", "Save &As...", &TMainForm::Save2Click);
  file->addSeparator();
  AddMenuAction(file, "Templet1", "&Templates", &TMainForm::Templet1Click);
  AddMenuAction(file, "SaveAsTemplate1", "S&ave As Template", &TMainForm::SaveAsTemplate1Click);
  QAction* updateSitePages = file->addAction("Update Site &Pages...");
  updateSitePages->setObjectName("UpdateSitePages1");
  connect(updateSitePages, &QAction::triggered, this,
          [this] { RunGuarded([this] { UpdateSitePagesOfDesign(*this); }); });
  file->addSeparator();
  AddMenuAction(file, "ImportMenuStructure1", "&Import Menu Structure",
                &TMainForm::ImportMenuStructure1Click);
  QAction* importWebPage = file->addAction("Import from &Web Page...");
  importWebPage->setObjectName("ImportWebPage1");
  connect(importWebPage, &QAction::triggered, this,
          [this] { RunGuarded([this] { ImportFromWebPage(*this, *files_); }); });
  AddMenuAction(file, "ExportMenuStructure1", "&Export Menu Structure",
                &TMainForm::ExportMenuStructure1Click);
  file->addSeparator();
  mnitRecentFiles = file->addMenu("&Recent Files");
  mnitRecentFiles->setObjectName("mnitRecentFiles");
  file->addSeparator();
  AddMenuAction(file, "Exit1", "E&xit", &TMainForm::Exit1Click);

  QMenu* edit = bar->addMenu("&Edit");
  edit->setObjectName("Edit1");
  history_->AddMenuEntries(edit);

  View1 = bar->addMenu("&View");
  View1->setObjectName("View1");
  ToolBar1 = AddMenuAction(View1, "ToolBar1", "&Tool Bar", &TMainForm::ToolBar1Click);
  StatusBar2 = AddMenuAction(View1, "StatusBar2", "&Status Bar", &TMainForm::StatusBar2Click);
  for (QAction* toggle : {ToolBar1, StatusBar2}) {
    toggle->setCheckable(true);
    toggle->setChecked(true);
  }

  // The tree commands: one action each, in the Item menu, the tree's
  // context menu and the tool bar alike.
  QMenu* item = bar->addMenu("&Item");
  item->setObjectName("Item1");
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  structure_ = new StructureCommands(*this);
  structure_->AddTo(item);
  structure_->AddTo(PopupMenu1);

  QMenu* script = bar->addMenu("&Script");
  script->setObjectName("Applet1");
  Preview1 = AddMenuAction(script, "Preview1", "&Preview", &TMainForm::Preview1Click, QKeySequence("Ctrl+P"));
  BuildHTML1 = AddMenuAction(script, "BuildHTML1", "Build &HTML...", &TMainForm::BuildHTML1Click);
  AddMenuAction(script, "Publish1", "Pu&blish...", &TMainForm::Publish1Click);

  optionMenu_ = bar->addMenu("&Option");
  optionMenu_->setObjectName("Option1");
  AddMenuAction(optionMenu_, "WebBrowser1", "Web &Browser...", &TMainForm::WebBrowser1Click);
  AddNeighbourLookEntry(optionMenu_);

  QMenu* help = bar->addMenu("&Help");
  help->setObjectName("Help1");
  Topic1 = AddMenuAction(help, "Topic1", "Help &Topics", &TMainForm::Topic1Click);
  AddMenuAction(help, "ViewSample1", "View &Sample...", &TMainForm::ViewSample1Click);
  help->addSeparator();
  AddMenuAction(help, "Homepage1", "&Homepage", &TMainForm::Homepage1Click);
  AddMenuAction(help, "ContactUs1", "&Contact Us", &TMainForm::ContactUs1Click);
  AddMenuAction(help, "About1", "&About", &TMainForm::About1Click);
}

void TMainForm::BuildToolBar() {
  tlbr1 = addToolBar("Tool Bar");
  tlbr1->setObjectName("tlbr1");
  tlbr1->setMovable(false);
  tlbr1->setFloatable(false);
  tlbr1->setIconSize(QSize(24, 24));
  tlbr1->toggleViewAction()->setVisible(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  using I = ToolIcon;
  const struct {
    QAction* action;
    const char* name;
    const char* toolTip;
    I icon;
  } buttons[] = {
      {New1, "tlbtnNew", "Create a new project", I::New},
      {Open1, "tlbtnOpen", "Open a project from the file that you saved before", I::Open},
      {Save1, "tlbtnSave", "Save the current project to a file", I::Save},
      {nullptr, "", "", I::New},  // the history's buttons, then a separator
      {structure_->InsertAction(), "tlbtnInsert", "Insert a new item", I::Insert},
      {structure_->DeleteAction(), "tlbtnDelete", "Delete selected item", I::Delete},
      {structure_->MoveUpAction(), "tlbtnMoveUp", "Move the selected item up", I::MoveUp},
      {structure_->MoveDownAction(), "tlbtnMoveDown", "Move the selected item down", I::MoveDown},
      {nullptr, nullptr, "", I::New},  // a separator
      {BuildHTML1, "tlbtnBuildHTML", "Build the HTML code", I::BuildHtml},
      {Preview1, "tlbtnPreview", "preview the applet in web browser", I::Preview},
      {nullptr, nullptr, "", I::New},
      {Topic1, "tlbtnHelp", "Show help document", I::Help},
  };
  for (const auto& button : buttons) {
    if (button.action) {
      AddToolButton(button.action, button.name, button.toolTip, int(button.icon));
      continue;
    }
    if (button.name) history_->AddToolButtons(tlbr1);
    tlbr1->addSeparator();
  }
}

void TMainForm::BuildStatusArea() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(true);
  stctxtHint = new QLabel(StatusBar1);
  stctxtHint->setObjectName("stctxtHint");
  stctxtHint->setMinimumWidth(300);  // leaves room for the design's name
  prgrsbrMainFormBottom = new QProgressBar(StatusBar1);
  prgrsbrMainFormBottom->setObjectName("prgrsbrMainFormBottom");
  prgrsbrMainFormBottom->setRange(0, 100);
  prgrsbrMainFormBottom->setValue(0);
  prgrsbrMainFormBottom->setTextVisible(false);
  prgrsbrMainFormBottom->setFixedSize(160, 14);
  StatusBar1->addWidget(stctxtHint, 1);
  StatusBar1->addPermanentWidget(new DesignNameLabel(*this, StatusBar1));
  StatusBar1->addPermanentWidget(prgrsbrMainFormBottom);
  setStatusBar(StatusBar1);
  statusSink_ = std::make_unique<GuiStatusSink>(stctxtHint, prgrsbrMainFormBottom);
}

void TMainForm::BuildTreePane() {
  pnlTreeView = new QWidget(this);
  pnlTreeView->setObjectName("pnlTreeView");
  trvwDesignPanel = new QTreeWidget(pnlTreeView);
  trvwDesignPanel->setObjectName("trvwDesignPanel");
  trvwDesignPanel->setHeaderHidden(true);
  trvwDesignPanel->setColumnCount(1);
  trvwDesignPanel->setIndentation(19);
  trvwDesignPanel->setSelectionMode(QAbstractItemView::SingleSelection);
  trvwDesignPanel->setEditTriggers(QAbstractItemView::NoEditTriggers);
  trvwDesignPanel->setUniformRowHeights(true);
  trvwDesignPanel->setContextMenuPolicy(Qt::CustomContextMenu);
  trvwDesignPanel->setProperty(kHintProperty, QString::fromLatin1(kTreeHint));
  trvwDesignPanel->viewport()->setProperty(kHintProperty, QString::fromLatin1(kTreeHint));
  // The selection stays visible when the tree loses the focus.
  QPalette palette = trvwDesignPanel->palette();
  for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  trvwDesignPanel->setPalette(palette);
  auto* layout = new QVBoxLayout(pnlTreeView);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(trvwDesignPanel);

  treeAdapter_ = std::make_unique<DesignTreeAdapter>(trvwDesignPanel, TreeIcon(0), TreeIcon(1));
  // A cleared tree holds another design: its history starts afresh.
  treeAdapter_->SetClearedHandler([this] {
    CurrentItemNode = nullptr;
    history_->Clear();
  });
  connect(trvwDesignPanel, &QTreeWidget::currentItemChanged, this,
          Guarded(&TMainForm::trvwDesignPanelChange));
  connect(trvwDesignPanel, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    if (TreeRebuilding) return;
    if (QTreeWidgetItem* node = trvwDesignPanel->itemAt(position)) trvwDesignPanel->setCurrentItem(node);
    RunGuarded([this] { trvwDesignPanelMouseDown(); });
    PopupMenu1->exec(trvwDesignPanel->viewport()->mapToGlobal(position));
  });
  trvwDesignPanel->viewport()->installEventFilter(this);
  WatchHints(trvwDesignPanel);

  structure_->BindKeys(trvwDesignPanel);
}

void TMainForm::WatchHints(QWidget* widget) {
  widget->installEventFilter(this);
  for (QWidget* child : widget->findChildren<QWidget*>()) child->installEventFilter(this);
}

void TMainForm::ShowHint(QWidget* widget) {
  if (TreeRebuilding) return;
  stctxtHint->setText(widget->property(kHintProperty).toString());
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (destroying_) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget && event->type() == QEvent::Enter) ShowHint(widget);
  if (widget == trvwDesignPanel->viewport() && event->type() == QEvent::MouseButtonPress) {
    RunGuarded([this] { trvwDesignPanelMouseDown(); });
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace velmora
