#include "support/window_fixture.h"

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QToolButton>

#include "designer/recent_files.h"
#include "support/designs.h"

namespace velmora::test {

WindowFixture::WindowFixture() : form(std::make_unique<TMainForm>(sandbox.ProgramFolder())) {}

// The window goes first: it may still clean its preview folder.
WindowFixture::~WindowFixture() {
  form.reset();
}

QString WindowFixture::ProgramPath(const QString& relative) const {
  return QDir(sandbox.ProgramFolder()).filePath(relative);
}

void WindowFixture::AnswerFile(const QString& relative) {
  QDir().mkpath(QFileInfo(Path(relative)).absolutePath());
  prompts.fileAnswers.enqueue(Path(relative));
}

void WindowFixture::InsertItem() {
  form->SelectRootNode();
  form->Insert1Click();
}

QString WindowFixture::OpenDesign(const QString& relative, const std::vector<DesignItem>& items) {
  WriteProject(Path(relative), items);
  form->OpenProjectFile(Path(relative));
  return Path(relative);
}

std::vector<std::string> WindowFixture::Captions() const {
  std::vector<std::string> captions;
  for (const auto& item : form->Document().Items) captions.emplace_back(item[ICaption]);
  return captions;
}

bool WindowFixture::SaveCommandFollowsModified() const {
  return form->findChild<QAction*>("Save1")->isEnabled() == form->IsModified() &&
         form->findChild<QToolButton*>("tlbtnSave")->isEnabled() == form->IsModified();
}

bool WindowFixture::TreeInStep() const {
  const TvornAppletAgent& doc = form->Document();
  DesignTree& tree = form->Tree();
  if (tree.NodeCount() != doc.ItemCount() + 1) return false;
  // In pre-order the depths alone fix the shape: each node must stand
  // where the levels place its item.
  std::vector<int> levels;
  for (const TItemData& item : doc.Items) levels.push_back(std::atoi(std::string(item[ILevel]).c_str()));
  const LevelPlan plan = PlanParentsFromLevels(levels);
  for (int i = 0; i < doc.ItemCount(); ++i) {
    if (tree.Depth(i + 1) != plan.levels[static_cast<size_t>(i)] + 1) return false;
  }
  return true;
}

QStringList WindowFixture::RecentEntries() const {
  return ReadRecentLines(form->RecentFilesPath());
}

bool WindowFixture::ShowActive() {
  form->show();
  QApplication::setActiveWindow(form.get());
  return QTest::qWaitForWindowActive(form.get());
}

}  // namespace velmora::test
