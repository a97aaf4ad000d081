#pragma once

// One designer window in a sandbox, with scripted prompts and a recording
// launcher, and the small steps most window tests take.

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "designer/main_form.h"
#include "support/designs.h"
#include "support/recording_launcher.h"
#include "support/sandbox.h"
#include "support/scripted_prompts.h"

namespace velmora::test {

class WindowFixture {
 public:
  WindowFixture();
  ~WindowFixture();

  Sandbox sandbox;
  ScriptedPrompts prompts;
  RecordingLauncher launcher;
  std::unique_ptr<TMainForm> form;

  QString Path(const QString& relative) const { return sandbox.Path(relative); }
  // A path in the program folder.
  QString ProgramPath(const QString& relative) const;
  // Answers the next file dialog with a path whose folder exists.
  void AnswerFile(const QString& relative);
  int FileDialogsShown() const { return prompts.fileDialogFilters.size(); }

  // Adds a top-level item through the window (which marks the design modified).
  void InsertItem();
  // Writes `relative` as a project of these items and opens it in the window.
  QString OpenDesign(const QString& relative, const std::vector<DesignItem>& items);
  std::vector<std::string> Captions() const;
  // Whether Save is offered exactly when the design is modified.
  bool SaveCommandFollowsModified() const;
  // Whether the tree holds one node per item besides the root, each at the
  // depth the items' levels give it.
  bool TreeInStep() const;
  QStringList RecentEntries() const;
  // Shows the window and makes it the active one (focus moves only inside
  // the active window); false when it did not become active.
  bool ShowActive();
};

}  // namespace velmora::test
