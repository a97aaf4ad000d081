#include "support/designs.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <random>

#include "document/applet_agent.h"
#include "platform/codepage.h"

namespace velmora::test {

namespace {

void FillDesign(TvornAppletAgent& doc, ItemTree& tree, const std::vector<DesignItem>& items) {
  doc.ResetDocument();
  std::vector<int> parents{0};  // node of the last item at each depth, the root first
  for (size_t i = 0; i < items.size(); ++i) {
    TItemData item = TvornAppletAgent::MakeDefaultItem();
    item[ICaption] = items[i].caption;
    item[ILevel] = std::to_string(items[i].level);
    item[IImageUrl] = items[i].image;
    doc.InsertItem(static_cast<int>(i), item);
    parents.resize(static_cast<size_t>(items[i].level) + 1);
    parents.push_back(tree.AddLastChild(parents.back(), items[i].caption));
  }
}

}  // namespace

void WriteProject(const QString& path, const std::vector<DesignItem>& items) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  TvornAppletAgent doc;
  ItemTree tree;
  FillDesign(doc, tree, items);
  doc.SaveProject(ToNativePath(path));
}

void WriteStructure(const QString& path, const std::vector<DesignItem>& items) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  TvornAppletAgent doc;
  ItemTree tree;
  FillDesign(doc, tree, items);
  doc.ExportStructure(ToNativePath(path), tree);
}

std::vector<DesignItem> NestedDesign(int count, int deepest, unsigned seed) {
  std::vector<DesignItem> items;
  std::mt19937 random(seed);
  int level = 0;
  for (int i = 0; i < count; ++i) {
    items.emplace_back("item " + std::to_string(i), level);
    level = std::max(0, std::min({level + 1, deepest, level + static_cast<int>(random() % 3) - 1}));
  }
  return items;
}

std::vector<std::string> ProjectCaptions(const QString& path) {
  TvornAppletAgent doc;
  ItemTree tree;
  doc.LoadProject(ToNativePath(path), tree);
  std::vector<std::string> captions;
  for (const auto& item : doc.Items) captions.emplace_back(item[ICaption]);
  return captions;
}

}  // namespace velmora::test
