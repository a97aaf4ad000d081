#include "generator/shown_texts.h"

#include <algorithm>
#include <stdexcept>

namespace velmora {

namespace {

// The first `count` nodes of a tree; taken in pre-order, they form a tree.
class TreePrefix final : public DesignTree {
 public:
  TreePrefix(const DesignTree& tree, int count) : tree_(tree), count_(count) {}
  int NodeCount() const override { return count_; }
  int Depth(int node) const override { return tree_.Depth(node); }
  int Parent(int node) const override { return tree_.Parent(node); }
  void ClearToRoot(const std::string&) override { throw std::logic_error("a tree prefix is read-only"); }
  int AddLastChild(int, std::string_view) override { throw std::logic_error("a tree prefix is read-only"); }

 private:
  const DesignTree& tree_;
  int count_;
};

}  // namespace

ShownTexts GenerateShownTexts(const TvornAppletAgent& doc, const DesignTree& tree,
                              const std::string& menuBaseName, const UnstoredValues& unstored, int maxItems) {
  ShownTexts shown;
  shown.totalItems = doc.ItemCount();
  shown.shownItems = maxItems < 0 ? shown.totalItems : std::min(maxItems, shown.totalItems);
  shown.shownItems = std::min(shown.shownItems, std::max(0, tree.NodeCount() - 1));

  TvornAppletAgent scratch(doc.ProgramFolder());
  scratch.CopyDesignFrom(doc, shown.shownItems);
  if (unstored.menu) scratch.AppletData = *unstored.menu;
  if (unstored.item && unstored.itemIndex >= 0 && unstored.itemIndex < shown.shownItems) {
    scratch.Items[static_cast<size_t>(unstored.itemIndex)] = *unstored.item;
  }
  shown.texts = GenerateMenuTexts(scratch, TreePrefix(tree, shown.shownItems + 1), menuBaseName);
  shown.runtimeFiles = scratch.RuntimeFiles;
  return shown;
}

}  // namespace velmora
