#pragma once

// The designer's main window: the design tree on the left, the property
// pages on the right, menus, tool bar and status area. The window owns the
// one menu document of the program's run, the code window and the help
// window.
//
// Files by concern: main_form.cpp (creation, state, closing, start-up),
// main_form_frame.cpp (menus, tool bar, status area), tree_editing.cpp
// (the tree's selection), recent_files.cpp, property_pages*.cpp and
// page_*.cpp (the pages), page_choosers.cpp (colour, image, link, help and
// batch buttons), commands*.cpp (the document commands). The tree commands
// (structure_commands.*) and the Script menu's (build_commands.*) are
// classes of their own; the window's handlers of the same names forward.

#include <QMainWindow>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "document/applet_agent.h"

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
class QTreeWidgetItem;

namespace velmora {

struct PublishResult;
class BuildCommands;
class DesignTreeAdapter;
class DocumentNotifier;
class GuiStatusSink;
class PageStyleControls;
class PropertyPages;
class StructureCommands;
class TformHTML;
class TfrmHelp;
class TreeFollower;
class UndoHistory;

class TMainForm : public QMainWindow {
  Q_OBJECT
  friend class ItemEditor;    // shows the item edits
  friend class TreeFollower;  // keeps the tree in step with the document

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

  // ---- Window state ----
  TvornAppletAgent& Document() { return *AppletAgent; }
  const TvornAppletAgent& Document() const { return *AppletAgent; }
  // The document's change reports as signals.
  DocumentNotifier& Notifications() { return *notifier_; }
  // The tree widget as the core sees it: node counts, depths and parents
  // by absolute pre-order index (the root is 0, item i is node i + 1).
  DesignTree& Tree();
  StatusSink& Status();
  const QString& ProgramFolder() const { return programFolder_; }
  const std::string& MenuBaseNameText() const { return MenuBaseName; }
  // Modified: the design differs from its last save (or from how it was
  // opened), i.e. the undo history stands elsewhere than at that point.
  bool IsModified() const;
  const QString& ProjectFile() const { return CurrentProjectFile; }
  QTreeWidgetItem* CurrentItem() const { return CurrentItemNode; }
  bool IsTreeRebuilding() const { return TreeRebuilding; }
  int PagesIndex() const { return LastPagesIndex; }

  // Marks the design's present state as saved (false), or as differing from
  // any saved one (true: a design recovered after a crash); signals
  // DesignChanged. Edits, undo and redo mark it through the history alone.
  void SetModified(bool modified);
  // Every edit of the design is a step of this history.
  UndoHistory& History() { return *history_; }
  PropertyPages& Pages() { return *pages_; }
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
  QTreeWidgetItem* SelectedNode() const;
  // Absolute index of the selected node; -1 when nothing is selected.
  int SelectedIndex() const;
  // Item index of CurrentItemNode; -1 when none is set.
  int CurrentItemIndex() const;
  static int CountDescendants(const QTreeWidgetItem* node);
  // Clears the tree to the root "Velmora" (image 1) with TreeRebuilding set
  // and selects the root. With `arrangePages` the root's selection then runs
  // the selection-change handler (as New does); without it nothing reacts.
  void ResetTreeToRoot(bool arrangePages);
  // Runs a reader that refills the document and the tree (LoadProject,
  // ImportStructure) with TreeRebuilding set, also when it throws, and
  // shows the rebuilt nodes in one go. CurrentItemNode is cleared whenever
  // the tree is cleared.
  ReadResult RebuildTreeWith(const std::function<ReadResult(DesignTree&)>& reader);
  // Selects the root without running the selection-change handler.
  void SelectRootNode();
  // Shows a design read from a file: every level when it holds at most 500
  // items, else its first level.
  void ExpandReadTree();

  // ---- The pages (property_pages*.cpp) ----
  void StoreMenuPages();
  void LoadMenuPages();
  // Only what the user changed in the item pages since the item was loaded
  // into the record: showing an item never changes the design.
  void StoreItemEdits(int index);
  void LoadItemPages(int index);
  // StoreMenuPages, then StoreItemEdits for CurrentItemNode when it is set:
  // what Save, Build HTML, Preview, Publish and the exit save do first.
  void StorePages();
  // The records as the pages show them now, as the stores above put them
  // into the document.
  TAppletData MenuPagesRecord() const;
  TItemData ItemPagesRecord() const;
  void UpdatePages();
  void UpdateItemCommands();

  // ---- Recent files (recent_files.cpp) ----
  QString RecentFilesPath() const;
  void RefreshRecentFilesMenu();
  void AddRecentFile(const QString& path);
  void RecentFileClick(const QString& caption);

  // ---- Errors, questions ----
  // The general error handler: runs `operation`, shows the text of any
  // error it raises in an error box and returns false; true when it ran
  // through.
  bool RunGuarded(const std::function<void()>& operation);
  // A message box through CurrentPrompts(), titled by its kind.
  QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString& text,
                                  QMessageBox::StandardButtons buttons,
                                  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

  // ---- The windows living as long as the main window ----
  TformHTML& HtmlWindow() { return *formHTML; }
  TfrmHelp& HelpWindow() { return *frmHelp; }
  // Shows a help topic file of the program's help folder in the help window.
  void ShowHelpTopic(const QString& topicFile);
  // The help topic file of a help button's tag.
  static QString HelpTopicForTag(int tag);

  // ---- Saving ----
  // Saves and publishes the design into the project's folder under the
  // project's file name (SaveProjectAndPublish), then warns about images
  // that could not be copied next to it. A value the generators refuse
  // leaves the site as it was but still saves the project, and the user is
  // told which field holds it. Errors raise, saying what was not saved.
  void SaveAndPublishTo(const QString& projectPath);
  void WarnAboutUncopiedImages(const PublishResult& result);
  // Links the modern page's list shows as text, after a build or a save.
  void WarnAboutPageLinks(const std::vector<std::string>& warnings);

  // ---- Closing ----
  // Whether the window may close (asks about unsaved changes first).
  bool FormCloseQuery();

  // ---- Document commands (commands*.cpp) ----
  void New1Click();
  void Open1Click();
  void OpenProjectFile(const QString& path);
  // Reads a copy of a design kept elsewhere (a recovery copy) as the
  // modified design of `projectPath`, or of no file when it is empty; the
  // recent files stay as they are. False when the copy was refused (the
  // user was told); errors raise.
  bool OpenDesignCopy(const QString& copyPath, const QString& projectPath);
  // Opens a template as an untitled design that is not in the recent list.
  void OpenTemplate(const QString& path);
  void Save1Click();
  void Save2Click();  // Save As
  void SaveAsTemplate1Click();
  void Templet1Click();
  void ImportMenuStructure1Click();
  void ExportMenuStructure1Click();
  void Exit1Click();
  // The Script menu's commands (BuildCommands).
  void Preview1Click();
  bool BuildHtmlCode();
  void BuildHTML1Click();
  void Publish1Click();
  void WebBrowser1Click();
  void Topic1Click();
  void ViewSample1Click();
  void Homepage1Click();
  void ContactUs1Click();
  void About1Click();
  // The save prompt of New, Open, OpenProjectFile and Import: false when
  // the user cancelled; Yes saves first.
  bool AskToSaveChanges();
  // Start-up's template chooser (shown when no file was named and the
  // setting allows).
  void ShowTemplateChooserAtStart();
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
  // The design may have changed: every edit, and New, Open and Import, set
  // or clear Modified through SetModified, which signals this.
  void DesignChanged();
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
  void CleanPreview();
  void SaveOnExit(bool& mayClose);
  void SetProjectFile(const QString& path);
  void ShowModified(bool modified);

  // tree_editing.cpp
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
