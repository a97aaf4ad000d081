#pragma once

// The designer's main window: the design tree on the left, the property
// pages on the right, menus, tool bar and status area. The window owns the
// one menu document of the program's run, the code window and the help
// window, and offers them to its commands as a DesignSession.
//
// Files by concern: main_form.cpp (creation, state, start-up),
// main_form_frame.cpp (menus, tool bar, status area), tree_editing.cpp
// (the tree's selection), property_pages*.cpp and page_*.cpp (the pages),
// page_choosers.cpp (colour, image, link, help and batch buttons),
// commands_help.cpp (help and about). The commands are classes of their
// own (file_commands.*, structure_commands.*, build_commands.*); the
// window's handlers of the same names forward to them (commands.cpp).

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <memory>

#include "designer/design_session.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;

namespace velmora {

class BuildCommands;
class DocumentNotifier;
class FileCommands;
class GuiStatusSink;
class PageStyleControls;
class PropertyPages;
class StructureCommands;
class TfrmHelp;
class TreeFollower;

class TMainForm : public QMainWindow, public DesignSession {
  Q_OBJECT

 public:
  // `programFolder` holds the runtime script, templates, help, samples,
  // recentfile.dat and the preview folder (resolved by the program's entry).
  explicit TMainForm(const QString& programFolder, QWidget* parent = nullptr);
  ~TMainForm() override;

  // ---- Start-up (after the window is shown) ----
  // Signals StartingUp first (a design left by an earlier run may come
  // back then). Then joins the command-line arguments into one path and
  // opens it, or shows the template chooser when no path was given, no
  // design came back and the setting allows.
  void StartUp(const QStringList& arguments);
  static QString JoinCommandLine(const QStringList& arguments);

  // ---- The session the commands work in ----
  TvornAppletAgent& Document() override { return *AppletAgent; }
  const TvornAppletAgent& Document() const { return *AppletAgent; }
  DesignTreeAdapter& Tree() override { return *treeAdapter_; }
  UndoHistory& History() override { return *history_; }
  bool IsModified() const override;
  void SetModified(bool modified) override;
  const QString& ProgramFolder() const override { return programFolder_; }
  const QString& ProjectFile() const override { return CurrentProjectFile; }
  void SetProjectFile(const QString& path) override;
  const std::string& MenuBaseNameText() const override { return MenuBaseName; }
  void SetMenuBaseName(const std::string& name) override { MenuBaseName = name; }
  QWidget* DialogParent() override { return this; }
  QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString& text,
                                  QMessageBox::StandardButtons buttons,
                                  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) override;
  bool RunGuarded(const std::function<void()>& operation) override;
  TformHTML& HtmlWindow() override { return *formHTML; }
  void StorePages() override;
  void LoadMenuPages() override;
  void LoadItemPages(int index) override;
  PropertyPages& Pages() override { return *pages_; }
  PageStyleControls& PageStyle() override { return *pageStyle_; }
  TreeFollower& Follower() override { return *treeFollower_; }
  int CurrentItemIndex() const override;
  void ForgetCurrentItem() override { CurrentItemNode = nullptr; }
  void UpdateItemCommands() override;
  QTreeWidgetItem* SelectedNode() const override;
  bool IsTreeRebuilding() const override { return TreeRebuilding; }
  void WithoutSelectionHandler(const std::function<void()>& change) override;
  void SelectionChanged() override { trvwDesignPanelChange(); }
  // CurrentItemNode is cleared with the tree.
  void ResetTreeToRoot(bool arrangePages) override;
  // Shows the rebuilt nodes in one go.
  ReadResult RebuildTreeWith(const std::function<ReadResult(DesignTree&)>& reader) override;
  void ShowReadTree() override;

  // ---- Window state ----
  // The document's change reports as signals.
  DocumentNotifier& Notifications() { return *notifier_; }
  StatusSink& Status();
  QTreeWidgetItem* CurrentItem() const { return CurrentItemNode; }
  int PagesIndex() const { return LastPagesIndex; }
  FileCommands& Files() { return *files_; }
  // The parts of the frame that panes beside the pages work with.
  struct FrameParts {
    QMenu* viewMenu;
    QLabel* hintLine;
    QTreeWidget* tree;
    QToolBar* toolBar;
    QTabWidget* pages;
  };
  FrameParts Frame() const { return {View1, stctxtHint, trvwDesignPanel, tlbr1, pgcntrl1}; }

  // ---- The tree (tree_editing.cpp) ----
  // Absolute pre-order index of a node (root 0); -1 for none.
  int AbsoluteIndex(const QTreeWidgetItem* node) const;
  QTreeWidgetItem* NodeAt(int absoluteIndex) const;
  QTreeWidgetItem* RootNode() const;
  // Absolute index of the selected node; -1 when nothing is selected.
  int SelectedIndex() const;
  // Selects the root without running the selection-change handler.
  void SelectRootNode();

  // ---- The pages (property_pages*.cpp) ----
  void StoreMenuPages();
  // Only what the user changed in the item pages since the item was loaded
  // into the record: showing an item never changes the design.
  void StoreItemEdits(int index);
  // The records as the pages show them now, as the stores above put them
  // into the document.
  TAppletData MenuPagesRecord() const;
  TItemData ItemPagesRecord() const;
  void UpdatePages();

  // ---- The windows living as long as the main window ----
  TfrmHelp& HelpWindow() { return *frmHelp; }
  // Shows a help topic file of the program's help folder in the help window.
  void ShowHelpTopic(const QString& topicFile);
  // The help topic file of a help button's tag.
  static QString HelpTopicForTag(int tag);

  // ---- File commands (FileCommands) ----
  void New1Click();
  void Open1Click();
  void OpenProjectFile(const QString& path);
  bool OpenDesignCopy(const QString& copyPath, const QString& projectPath);
  void Save1Click();
  void Save2Click();  // Save As
  void SaveAsTemplate1Click();
  void Templet1Click();
  void ImportMenuStructure1Click();
  void ExportMenuStructure1Click();
  void Exit1Click();
  QString RecentFilesPath() const;
  void AddRecentFile(const QString& path);
  void RecentFileClick(const QString& caption);
  // Whether the window may close (asks about unsaved changes first).
  bool FormCloseQuery();
  // ---- The Script menu's commands (BuildCommands) ----
  void Preview1Click();
  bool BuildHtmlCode();
  void BuildHTML1Click();
  void Publish1Click();
  void WebBrowser1Click();
  // ---- Help (commands_help.cpp) ----
  void Topic1Click();
  void ViewSample1Click();
  void Homepage1Click();
  void ContactUs1Click();
  void About1Click();
  // The batch property changer for the selected item (stores the item
  // pages first); `stateIndex` 0..2 ticks Normal, Mouse Over or Clicked,
  // -1 none.
  void OpenBatchChanger(int stateIndex);

  // ---- Tree commands (StructureCommands) and handlers (tree_editing.cpp) ----
  void Insert1Click();
  void Delete1Click();
  void MoveUp1Click();
  void MoveDown1Click();
  void trvwDesignPanelChange();
  void trvwDesignPanelMouseDown();

  // ---- View toggles ----
  void ToolBar1Click();
  void StatusBar2Click();

  // ---- Page reactions and choosers (page_choosers.cpp) ----
  // Change reaction: marks the design modified, then checks `sender`.
  void spnedtApWidthChange(QWidget* sender);
  void edt_ICaptionChange();
  // Warns about and empties an edit or combo box whose text holds the
  // separator; other controls pass.
  void CheckSeparatorText(QWidget* control);
  void PickPanelColor(QWidget* panel);
  void spdbtnItemImageNormalClick(QWidget* button);
  void spdbtnItURLClick();
  void SpeedButton1Click(QWidget* button);
  void btnBatchPropertiesChangerClick(QWidget* button);

 signals:
  // Modified was set or cleared; tlbtnSave and Save1 are enabled exactly
  // when it is set.
  void ModifiedChanged(bool modified);
  // Start-up has begun; nothing was opened yet.
  void StartingUp();
  // The design was bound to another file, or to none (New, Open, Save As;
  // Save As leaves Modified as it was).
  void ProjectFileChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // main_form_frame.cpp
  void BuildFrame();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusArea();
  void BuildTreePane();
  QAction* AddMenuAction(QMenu* menu, const char* name, const QString& caption, void (TMainForm::*handler)(),
                         const QKeySequence& shortcut = {});
  QToolButton* AddToolButton(QAction* action, const char* name, const QString& toolTip, int iconIndex);
  void WatchHints(QWidget* widget);
  void ShowHint(QWidget* widget);
  // Runs a handler under the general error handler.
  std::function<void()> Guarded(void (TMainForm::*handler)());

  // main_form.cpp
  void FormCreate();
  void ShowModified(bool modified);

  // tree_editing.cpp
  // A design read from a file shows every level when it holds at most 500
  // items, else its first level.
  void ExpandReadTree();
  // Steps 1 to 4 of UpdateItemCommands: the enabled states alone.
  void RefreshItemCommandStates();

  // ---- Window state ----
  std::string MenuBaseName;
  std::unique_ptr<TvornAppletAgent> AppletAgent;
  std::unique_ptr<DocumentNotifier> notifier_;
  QString CurrentProjectFile;
  QTreeWidgetItem* CurrentItemNode = nullptr;
  bool TreeRebuilding = false;
  int LastPagesIndex = -2009;

  QString programFolder_;
  std::unique_ptr<GuiStatusSink> statusSink_;
  std::unique_ptr<DesignTreeAdapter> treeAdapter_;
  TreeFollower* treeFollower_ = nullptr;  // owned by the window
  std::unique_ptr<PropertyPages> pages_;
  PageStyleControls* pageStyle_ = nullptr;  // owned by the Option menu
  std::unique_ptr<UndoHistory> history_;
  StructureCommands* structure_ = nullptr;  // owned by the window
  std::unique_ptr<BuildCommands> build_;
  std::unique_ptr<FileCommands> files_;
  // Set while the tree changes under a command that runs the selection
  // handler itself once the tree is in step again.
  bool suppressTreeHandlers_ = false;
  // The picture dialog's last confirmed file and its folder.
  QString lastPicturePath_;
  QString lastPictureFolder_;
  bool destroying_ = false;

  // ---- Controls (owned by Qt parents) ----
  QWidget* pnlTreeView = nullptr;
  QTreeWidget* trvwDesignPanel = nullptr;
  QSplitter* Splitter1 = nullptr;
  static constexpr int kTreePaneWidth = 190;  // the tree's width in the splitter at start
  QTabWidget* pgcntrl1 = nullptr;
  QToolBar* tlbr1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* stctxtHint = nullptr;
  QProgressBar* prgrsbrMainFormBottom = nullptr;
  QMenu* View1 = nullptr;
  QMenu* mnitRecentFiles = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QMenu* optionMenu_ = nullptr;  // "&Option": the page style joins it
  // One action per command, shared by the menus, the tool bar and the
  // tree's context menu.
  QAction* New1 = nullptr;
  QAction* Open1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* ToolBar1 = nullptr;
  QAction* StatusBar2 = nullptr;
  QAction* BuildHTML1 = nullptr;
  QAction* Preview1 = nullptr;
  QAction* Topic1 = nullptr;
  TformHTML* formHTML = nullptr;
  TfrmHelp* frmHelp = nullptr;
};

}  // namespace velmora
