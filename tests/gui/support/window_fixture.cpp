#include "support/window_fixture.h"

#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

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
  DesignTreeAdapter& tree = form->Tree();
  // The widget's own nodes in pre-order, with their parents and depths.
  std::vector<QTreeWidgetItem*> nodes;
  std::vector<int> parents;
  std::vector<int> depths;
  std::vector<std::pair<QTreeWidgetItem*, int>> stack{{tree.Root(), -1}};
  while (!stack.empty()) {
    auto [node, parent] = stack.back();
    stack.pop_back();
    nodes.push_back(node);
    parents.push_back(parent);
    depths.push_back(parent < 0 ? 0 : depths[static_cast<size_t>(parent)] + 1);
    const int self = static_cast<int>(nodes.size()) - 1;
    for (int k = node->childCount() - 1; k >= 0; --k) stack.emplace_back(node->child(k), self);
  }
  if (static_cast<int>(nodes.size()) != doc.ItemCount() + 1 || tree.NodeCount() != doc.ItemCount() + 1)
    return false;
  // In pre-order the depths alone fix the shape: each node must stand
  // where the levels place its item, and the index cache must agree.
  std::vector<int> levels;
  for (const TItemData& item : doc.Items) levels.push_back(std::atoi(std::string(item[ILevel]).c_str()));
  const LevelPlan plan = PlanParentsFromLevels(levels);
  for (int node = 0; node <= doc.ItemCount(); ++node) {
    const auto k = static_cast<size_t>(node);
    if (node > 0 && depths[k] != plan.levels[k - 1] + 1) return false;
    if (tree.NodeAt(node) != nodes[k] || tree.IndexOf(nodes[k]) != node || tree.Depth(node) != depths[k] ||
        tree.Parent(node) != parents[k])
      return false;
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
