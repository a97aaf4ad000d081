#include "document/item_edits.h"

#include <iterator>
#include <stdexcept>

#include "document/text_encoding.h"
#include "document/unicode.h"

namespace velmora {

namespace {

void CheckRun(const TvornAppletAgent& doc, int first, int count, int extra) {
  if (first < 0 || count < 0 || first + count > doc.ItemCount() + extra) {
    throw std::out_of_range("items " + std::to_string(first) + " to " + std::to_string(first + count - 1) +
                            " of " + std::to_string(doc.ItemCount()));
  }
}

}  // namespace

std::string_view ValueAt(const TvornAppletAgent& doc, ValueSlot slot) {
  if (slot.item == kMenuWide) return doc.AppletData.at(slot.field);
  return doc.Items.at(static_cast<size_t>(slot.item)).at(slot.field);
}

void SwapValues(TvornAppletAgent& doc, std::vector<ValueChange>& changes) {
  std::vector<ValueSlot> changed;
  changed.reserve(changes.size());
  for (ValueChange& change : changes) {
    changed.push_back(change.slot);
    const ValueSlot slot = change.slot;
    auto swapIn = [&change](auto& record) {
      std::string previous(record.at(change.slot.field));
      record.at(change.slot.field) = change.value;
      change.value = std::move(previous);
    };
    if (slot.item == kMenuWide) {
      swapIn(doc.AppletData);
    } else {
      swapIn(doc.Items.at(static_cast<size_t>(slot.item)));
    }
  }
  doc.TellValuesChanged(changed);
}

void SwapExtensions(TvornAppletAgent& doc, FormatExtensions& extensions) {
  std::swap(doc.Extensions, extensions);
  doc.Tell([](DesignObserver& o) { o.ExtensionsChanged(); });
}

std::vector<ValueChange> SwitchToUtf8Undoably(TvornAppletAgent& doc) {
  std::vector<ValueChange> converted;
  if (doc.Encoding == TextEncoding::Utf8) return converted;
  auto keep = [&converted](int item, const auto& record) {
    for (int k = 0; k < static_cast<int>(record.size()); ++k) {
      const std::string_view value = record.at(k);
      if (!IsAscii(value)) converted.push_back({{item, k}, std::string(value)});
    }
  };
  keep(kMenuWide, doc.AppletData);
  for (int i = 0; i < doc.ItemCount(); ++i) keep(i, doc.Items[static_cast<size_t>(i)]);
  SwitchToUtf8(doc);
  return converted;
}

void UndoSwitchToUtf8(TvornAppletAgent& doc, std::vector<ValueChange>& converted) {
  if (doc.Encoding == TextEncoding::Windows1252) return;
  doc.Encoding = TextEncoding::Windows1252;
  SwapValues(doc, converted);
}

std::vector<TItemData> TakeItems(TvornAppletAgent& doc, int first, int count) {
  CheckRun(doc, first, count, 0);
  auto begin = doc.Items.begin() + first;
  std::vector<TItemData> taken(std::make_move_iterator(begin), std::make_move_iterator(begin + count));
  doc.Items.erase(begin, begin + count);
  doc.Tell([=](DesignObserver& o) { o.ItemsRemoved(first, count); });
  return taken;
}

void PutItems(TvornAppletAgent& doc, int first, std::vector<TItemData>& items) {
  CheckRun(doc, first, 0, 0);
  const int count = static_cast<int>(items.size());
  doc.Items.insert(doc.Items.begin() + first, std::make_move_iterator(items.begin()),
                   std::make_move_iterator(items.end()));
  items.clear();
  doc.Tell([first, count](DesignObserver& o) { o.ItemsInserted(first, count); });
}

}  // namespace velmora
