#pragma once

// What the window's commands and the design tree's follower need of the
// window that shows a design: the design with its history and tree, the
// files it is bound to, the pages and the tree's selection, and a window
// to ask the user from. The main window implements it, so the commands
// depend on this alone and not on the window's widgets.

#include <QMessageBox>
#include <QString>
#include <functional>
#include <string>

#include "designer/tree_adapter.h"
#include "document/applet_agent.h"

class QTreeWidgetItem;
class QWidget;

namespace velmora {

class PageStyleControls;
class PropertyPages;
class TformHTML;
class TreeFollower;
class UndoHistory;

class DesignSession {
 public:
  // ---- The design ----
  virtual TvornAppletAgent& Document() = 0;
  // The tree widget's nodes by absolute pre-order index (root 0, item i
  // at i + 1).
  virtual DesignTreeAdapter& Tree() = 0;
  // Every edit of the design is a step of this history.
  virtual UndoHistory& History() = 0;
  // Modified: the design differs from its last save (or from how it was
  // opened).
  virtual bool IsModified() const = 0;
  // Marks the present state as saved (false), or as differing from any
  // saved one (true).
  virtual void SetModified(bool modified) = 0;

  // ---- Its files ----
  // Holds the runtime script, templates, help, samples and the recent list.
  virtual const QString& ProgramFolder() const = 0;
  // The project file the design is bound to; empty for none.
  virtual const QString& ProjectFile() const = 0;
  virtual void SetProjectFile(const QString& path) = 0;
  // The base name of the generated files of a design without site pages.
  virtual const std::string& MenuBaseNameText() const = 0;
  virtual void SetMenuBaseName(const std::string& name) = 0;

  // ---- The user ----
  virtual QWidget* DialogParent() = 0;
  // A message box titled by its kind.
  virtual QMessageBox::StandardButton Ask(
      QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
      QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
  // Runs `operation`, shows the text of any error it raises and returns
  // false; true when it ran through.
  virtual bool RunGuarded(const std::function<void()>& operation) = 0;
  // The window that shows built page code.
  virtual TformHTML& HtmlWindow() = 0;

  // ---- The pages ----
  virtual PropertyPages& Pages() = 0;
  virtual PageStyleControls& PageStyle() = 0;
  // What the pages show goes into the document (the menu-wide values and
  // the item the pages show), as before any save or build.
  virtual void StorePages() = 0;
  virtual void LoadMenuPages() = 0;
  virtual void LoadItemPages(int index) = 0;
  // Item index of the item the pages show; -1 for none.
  virtual int CurrentItemIndex() const = 0;
  // The pages' item is gone or stands elsewhere: nothing is stored into it.
  virtual void ForgetCurrentItem() = 0;
  // The pages and the item commands as the selection allows.
  virtual void UpdateItemCommands() = 0;

  // ---- The tree and its selection ----
  // Keeps the tree in step with the document's reports.
  virtual TreeFollower& Follower() = 0;
  virtual QTreeWidgetItem* SelectedNode() const = 0;
  // Set while a reader refills the tree (the document reports then are
  // not tree edits).
  virtual bool IsTreeRebuilding() const = 0;
  // Runs `change` with the selection handler silenced: the tree and the
  // document disagree meanwhile.
  virtual void WithoutSelectionHandler(const std::function<void()>& change) = 0;
  // The selection handler: moves values between the pages and the records.
  virtual void SelectionChanged() = 0;
  // Clears the tree to the root and selects it; with `arrangePages` the
  // selection handler arranges the pages for it.
  virtual void ResetTreeToRoot(bool arrangePages) = 0;
  // Runs a reader that refills the document and the tree, also when it
  // throws leaving the tree shown.
  virtual ReadResult RebuildTreeWith(const std::function<ReadResult(DesignTree&)>& reader) = 0;
  // After a read: the root selected, the tree expanded as a read design
  // shows, the pages arranged for the root.
  virtual void ShowReadTree() = 0;

 protected:
  ~DesignSession() = default;
};

}  // namespace velmora
