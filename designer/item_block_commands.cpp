#include "designer/item_block_commands.h"

namespace velmora {

namespace {

std::vector<TItemData> One(TItemData item) {
  std::vector<TItemData> items;
  items.push_back(std::move(item));
  return items;
}

}  // namespace

ItemBlockCommand::ItemBlockCommand(ItemEditor& editor, int first, BlockShape shape,
                                   std::vector<TItemData> items, const QString& text)
    : editor_(editor),
      first_(first),
      count_(static_cast<int>(shape.depths.size())),
      shape_(std::move(shape)),
      items_(std::move(items)) {
  setText(text);
}

void ItemBlockCommand::Put() {
  editor_.PutBlock(first_, shape_, items_, firstText_);
}

void ItemBlockCommand::Take() {
  items_ = editor_.TakeBlock(first_, count_);
}

RevealTarget ItemBlockCommand::Shown(bool present) const {
  return {present ? first_ + 1 : shape_.parentNode, -1};
}

InsertItemCommand::InsertItemCommand(ItemEditor& editor, int parentNode, TItemData item)
    : ItemBlockCommand(editor, parentNode + editor.DescendantCount(parentNode), {parentNode, {0}},
                       One(std::move(item)), "Insert Item") {
  firstText_ = "Item";
}

DeleteItemCommand::DeleteItemCommand(ItemEditor& editor, int first, int count)
    : ItemBlockCommand(editor, first, editor.ShapeOf(first, count), {}, "Delete Item") {}

}  // namespace velmora
