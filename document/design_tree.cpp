#include "document/design_tree.h"

#include <algorithm>
#include <stdexcept>

namespace velmora {

ItemTree::ItemTree() {
  ClearToRoot(kRootCaption);
}

void ItemTree::ClearToRoot(const std::string& rootCaption) {
  nodes_.clear();
  nodes_.push_back({-1, 0, rootCaption, 0});
}

int ItemTree::AddLastChild(int parent, std::string_view text) {
  if (parent < 0 || parent >= NodeCount()) throw std::out_of_range("ItemTree: no such parent node");
  // The new node goes right after the parent's subtree; nodes after it shift.
  const int at = nodes_[static_cast<size_t>(parent)].lastDescendant + 1;
  const bool appending = at == NodeCount();
  if (!appending) {
    for (auto& n : nodes_) {
      if (n.parent >= at) ++n.parent;
      if (n.lastDescendant >= at) ++n.lastDescendant;
    }
  }
  Node node{parent, nodes_[static_cast<size_t>(parent)].depth + 1, std::string(text), at};
  if (appending) {
    nodes_.push_back(std::move(node));
  } else {
    nodes_.insert(nodes_.begin() + at, std::move(node));
  }
  for (int p = parent; p >= 0; p = nodes_[static_cast<size_t>(p)].parent) {
    auto& last = nodes_[static_cast<size_t>(p)].lastDescendant;
    last = std::max(last, at);
  }
  return at;
}

void DesignTree::AddItemNodes(const std::vector<std::string_view>& captions,
                              const std::vector<int>& parents) {
  for (size_t i = 0; i < captions.size(); ++i) AddLastChild(parents[i] + 1, captions[i]);
}

void ItemTree::AddItemNodes(const std::vector<std::string_view>& captions, const std::vector<int>& parents) {
  // Every node is appended; the subtree ends follow from one backward pass.
  if (NodeCount() != 1) throw std::logic_error("ItemTree: items fill a tree that holds only its root");
  nodes_.reserve(captions.size() + 1);
  for (size_t i = 0; i < captions.size(); ++i) {
    const int parent = parents[i] + 1;
    if (parent < 0 || parent >= NodeCount()) throw std::out_of_range("ItemTree: no such parent node");
    const int at = NodeCount();
    nodes_.push_back({parent, nodes_[static_cast<size_t>(parent)].depth + 1, std::string(captions[i]), at});
  }
  for (size_t i = nodes_.size() - 1; i > 0; --i) {
    Node& parent = nodes_[static_cast<size_t>(nodes_[i].parent)];
    parent.lastDescendant = std::max(parent.lastDescendant, nodes_[i].lastDescendant);
  }
}

LevelPlan PlanParentsFromLevels(const std::vector<int>& levels) {
  LevelPlan plan;
  plan.parents.reserve(levels.size());
  plan.levels.reserve(levels.size());
  // ancestors[d] is the item index of the latest item at depth d.
  std::vector<int> ancestors;
  for (size_t i = 0; i < levels.size(); ++i) {
    const int previous = i == 0 ? -1 : plan.levels.back();
    const int level = std::clamp(levels[i], 0, previous + 1);
    if (level != levels[i]) ++plan.repairs;
    ancestors.resize(static_cast<size_t>(level));
    plan.parents.push_back(level == 0 ? -1 : ancestors.back());
    plan.levels.push_back(level);
    ancestors.push_back(static_cast<int>(i));
  }
  return plan;
}

}  // namespace velmora
