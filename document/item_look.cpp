#include "document/item_look.h"

#include <array>
#include <string>

namespace velmora {

namespace {

// Besides the three state blocks.
constexpr std::array<ItemField, 14> kLayoutFields = {
    ITextAlign,      ITextWrap,       IPaddingLeft,      IPaddingRight,  IPaddingTop,
    IPaddingBottom,  IWidth,          IHeight,           IImageWidth,    IImageHeight,
    ISubmenuOffsetX, ISubmenuOffsetY, ISubmenuDirection, ISubmenuItemGap};

}  // namespace

void CopyLook(const TItemData& from, TItemData& to) {
  for (ItemField field : kLayoutFields) to[field] = from[field];
  for (int start : kStateBlockStart) {
    for (int k = start; k < start + kStateBlockSize; ++k) to.at(k) = from.at(k);
  }
}

int LookDonor(const DesignTree& tree, int parentNode) {
  const int depth = tree.Depth(parentNode);
  int lastChild = -1;
  for (int node = parentNode + 1; node < tree.NodeCount() && tree.Depth(node) > depth; ++node) {
    if (tree.Parent(node) == parentNode) lastChild = node;
  }
  if (lastChild >= 0) return lastChild;
  return parentNode > 0 ? parentNode : -1;
}

TItemData NewChildItem(const TvornAppletAgent& doc, const DesignTree& tree, int parentNode, bool copyLook) {
  TItemData item = TvornAppletAgent::MakeDefaultItem();
  const int donor = copyLook ? LookDonor(tree, parentNode) : -1;
  if (donor > 0 && donor <= doc.ItemCount()) CopyLook(doc.GetItem(donor - 1), item);
  item[ILevel] = std::to_string(tree.Depth(parentNode));
  // As storing the pages would make them: undo and redo then never depend
  // on whether the new item was shown in between.
  item[IImageWidth] = item[IWidth];
  item[IImageHeight] = item[IHeight];
  return item;
}

}  // namespace velmora
