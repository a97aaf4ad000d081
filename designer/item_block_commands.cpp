#include "designer/item_block_commands.h"

namespace velmora {

namespace {

std::vector<TItemData> One(TItemData item) {
  std::vector<TItemData> items;
  items.push_back(std::move(item));
  return items;
}

}  // namespace

ItemBlockCommand::ItemBlockCommand(ItemEditor& editor, int first, int count, int parentNode,
                                   std::vector<TItemData> items, const QString& text)
    : editor_(editor), first_(first), count_(count), parentNode_(parentNode), items_(std::move(items)) {
  setText(text);
}

void ItemBlockCommand::Put() {
  editor_.PutBlock(first_, items_, firstText_);
}

void ItemBlockCommand::Take() {
  items_ = editor_.TakeBlock(first_, count_);
}

RevealTarget ItemBlockCommand::Shown(bool present) const {
  return {present ? first_ + 1 : parentNode_, -1};
}

InsertItemCommand::InsertItemCommand(ItemEditor& editor, int parentNode, TItemData item)
    : ItemBlockCommand(editor, parentNode + editor.DescendantCount(parentNode), 1, parentNode,
                       One(std::move(item)), "Insert Item") {
  firstText_ = "Item";
}

DeleteItemCommand::DeleteItemCommand(ItemEditor& editor, int first, int count)
    : ItemBlockCommand(editor, first, count, editor.ParentNodeOf(first), {}, "Delete Item") {}

}  // namespace velmora
