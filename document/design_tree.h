#pragma once

// The design tree: a root node (absolute index 0, standing for the menu
// itself) and one node per item in pre-order, so item i is node i + 1.
// The GUI adapts its tree widget to this interface; ItemTree serves the
// command-line tool and the tests.

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr const char* kRootCaption = "Velmora";

class DesignTree {
 public:
  virtual ~DesignTree() = default;
  virtual int NodeCount() const = 0;
  // Depth of a node; the root has depth 0.
  virtual int Depth(int node) const = 0;
  // Absolute index of the node's parent; -1 for the root.
  virtual int Parent(int node) const = 0;
  // Removes every node and adds the root with the given caption.
  virtual void ClearToRoot(const std::string& rootCaption) = 0;
  // Adds a node as the last child of `parent`; returns its absolute index.
  virtual int AddLastChild(int parent, std::string_view text) = 0;
  // Fills a tree that holds only its root with one node per item: item i
  // goes under the node of item parents[i] (-1: the root). Items come in
  // tree order, so each parent is an earlier item. A tree may do this
  // faster than node by node.
  virtual void AddItemNodes(const std::vector<std::string_view>& captions, const std::vector<int>& parents);
};

class ItemTree final : public DesignTree {
 public:
  ItemTree();
  int NodeCount() const override { return static_cast<int>(nodes_.size()); }
  int Depth(int node) const override { return nodes_.at(static_cast<size_t>(node)).depth; }
  int Parent(int node) const override { return nodes_.at(static_cast<size_t>(node)).parent; }
  const std::string& Text(int node) const { return nodes_.at(static_cast<size_t>(node)).text; }
  void ClearToRoot(const std::string& rootCaption) override;
  int AddLastChild(int parent, std::string_view text) override;
  void AddItemNodes(const std::vector<std::string_view>& captions, const std::vector<int>& parents) override;

 private:
  struct Node {
    int parent;
    int depth;
    std::string text;
    int lastDescendant;  // absolute index of the last node of its subtree
  };
  std::vector<Node> nodes_;
};

// The one rule that turns item levels into parents. For each level in array
// order it returns the item index of the parent item (-1 for the root).
// Levels that break the ordering rules are clamped to 0 .. previous + 1, so
// each item goes under the nearest possible parent; `repairedLevels` receives
// the levels actually used and `repairs` counts the items that moved.
struct LevelPlan {
  std::vector<int> parents;
  std::vector<int> levels;
  int repairs = 0;
};
LevelPlan PlanParentsFromLevels(const std::vector<int>& levels);

}  // namespace velmora
