// New items that look like their neighbours: random designs grown one
// insert at a time, checked against a plain tree of who follows whom.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>

#include "document/item_look.h"
#include "document/records.h"

namespace velmora {
namespace {

struct Node {
  int look = -1;  // the look it was given; -1 for the root
  std::vector<std::unique_ptr<Node>> kids;
};

void PreOrder(Node* node, std::vector<Node*>& out) {
  out.push_back(node);
  for (auto& kid : node->kids) PreOrder(kid.get(), out);
}

// A look of its own for every item, in fields of every kind the look holds.
void GiveLook(TItemData& item, int look) {
  const std::string n = std::to_string(look);
  for (ItemField field :
       {IColorNormal, IBackgroundColorOver, IBorderLeftColorClicked, IFontFamilyOver, ICursorClicked,
        IBackgroundImageNormal, ITextAlign, IPaddingTop, IWidth, ISubmenuOffsetY, ISubmenuDirection}) {
    item[field] = n;
  }
}

std::set<int> LookFields() {
  std::set<int> fields = {ITextAlign,      ITextWrap,       IPaddingLeft,      IPaddingRight,  IPaddingTop,
                          IPaddingBottom,  IWidth,          IHeight,           IImageWidth,    IImageHeight,
                          ISubmenuOffsetX, ISubmenuOffsetY, ISubmenuDirection, ISubmenuItemGap};
  for (int start : kStateBlockStart) {
    for (int k = start; k < start + kStateBlockSize; ++k) fields.insert(k);
  }
  return fields;
}

TEST(ItemLook, NewItemsTakeTheLookOfTheItemTheyFollowElseOfTheirParent) {
  const std::set<int> look = LookFields();
  const TItemData plain = TvornAppletAgent::MakeDefaultItem();
  std::mt19937 random(20261208);
  for (int design = 0; design < 20; ++design) {
    TvornAppletAgent doc;
    doc.ResetDocument();
    ItemTree tree;
    tree.ClearToRoot(kRootCaption);
    Node root;
    for (int step = 0; step < 40; ++step) {
      std::vector<Node*> nodes;
      PreOrder(&root, nodes);
      const int parentNode = std::uniform_int_distribution<int>(0, int(nodes.size()) - 1)(random);
      Node* parent = nodes[size_t(parentNode)];
      const bool copyLook = random() % 4 != 0;
      const Node* donor = !parent->kids.empty() ? parent->kids.back().get()
                          : parent->look >= 0   ? parent
                                                : nullptr;

      TItemData item = NewChildItem(doc, tree, parentNode, copyLook);
      const auto donorNode = std::find(nodes.begin(), nodes.end(), donor) - nodes.begin();
      const TItemData donorItem = copyLook && donor ? doc.GetItem(int(donorNode) - 1) : plain;
      for (int k = 0; k < kItemFieldCount; ++k) {
        if (k == ILevel || k == IImageWidth || k == IImageHeight) continue;  // checked below
        EXPECT_EQ(item.at(k), (look.contains(k) ? donorItem : plain).at(k))
            << "field " << kItemFieldNames[size_t(k)] << ", step " << step;
      }
      EXPECT_EQ(item[IImageWidth], item[IWidth]);
      EXPECT_EQ(item[IImageHeight], item[IHeight]);
      EXPECT_EQ(item[ILevel], std::to_string(tree.Depth(parentNode)));

      GiveLook(item, step);
      const int node = tree.AddLastChild(parentNode, "item");
      doc.InsertItem(node - 1, item);
      parent->kids.push_back(std::make_unique<Node>());
      parent->kids.back()->look = step;
    }
  }
}

TEST(ItemLook, CopyingTheLookKeepsWhatTheItemSaysAndDoes) {
  TItemData from = TvornAppletAgent::MakeDefaultItem();
  for (int k = 0; k < kItemFieldCount; ++k) from.at(k) = "v" + std::to_string(k);
  TItemData to = TvornAppletAgent::MakeDefaultItem();
  const TItemData before = to;
  CopyLook(from, to);
  for (ItemField kept : {ICaption, ILink, ITarget, IStatusBarMsg, IToolTip, DisableItem, ILeftIconUrl,
                         IOverLeftIconUrl, IClickedRightIconUrl, IImageUrl, IClickedImageUrl, ILeftIconWidth,
                         IRightIconHeight, ILevel, IParentIndex, IClassNormal}) {
    EXPECT_EQ(to[kept], before[kept]) << kItemFieldNames[size_t(kept)];
  }
  for (ItemField taken : {IFontSizeClicked, IBorderBottomStyleOver, IBackgroundImageClicked, ITextWrap,
                          IPaddingBottom, IHeight, ISubmenuItemGap, ISubmenuOffsetX}) {
    EXPECT_EQ(to[taken], from[taken]) << kItemFieldNames[size_t(taken)];
  }
}

}  // namespace
}  // namespace velmora
