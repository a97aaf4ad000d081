#include "generator/styles.h"

#include <cstdint>

#include "document/errors.h"
#include "document/field_labels.h"
#include "document/text.h"
#include "generator/maker.h"
#include "generator/vocabularies.h"

namespace velmora {

namespace {

constexpr char kStateLetters[3] = {'n', 'o', 'c'};
constexpr int kCodeOffsets[] = {kBorderTopStyle, kBorderRightStyle, kBorderBottomStyle, kBorderLeftStyle,
                                kCursor};

// Every state value is written into a declaration as it stands, so a value
// that could end the declaration or the rule is refused; codes must be
// numbers.
void CheckStateBlock(const TItemData& item, int state, int itemIndex) {
  const int start = kStateBlockStart[static_cast<size_t>(state)];
  const std::string owner = itemIndex < 0 ? "an item" : DescribeItem(itemIndex, item[ICaption]);
  for (int offset = 0; offset < kStateBlockSize; ++offset) {
    const std::string_view value = item.at(start + offset);
    if (value.find_first_of(";{}<\r\n") != std::string_view::npos) {
      throw ValueError("Cannot generate the stylesheet: " + owner + ", " + ItemFieldLabel(start + offset) +
                       " holds \";\", \"{\", \"}\", \"<\" or a line break.");
    }
  }
  for (int offset : kCodeOffsets) {
    const int field = start + offset;
    StrictToInt(item.at(field), owner + ", " + ItemFieldLabel(field));
  }
}

// The 20 values, each after its length, so no two blocks share a key.
void MakeLengthKey(const TItemData& item, int start, std::string& key) {
  key.clear();
  for (int offset = 0; offset < kStateBlockSize; ++offset) {
    const std::string_view value = item.at(start + offset);
    const auto length = static_cast<uint32_t>(value.size());
    key.append(reinterpret_cast<const char*>(&length), sizeof length);
    key += value;
  }
}

}  // namespace

StyleTable::Key StyleTable::MakeKey(const TItemData& item, int start) {
  if (const auto stored = item.StoredValues(start, kStateBlockSize)) return {*stored, &index_};
  key_.clear();
  for (int offset = 0; offset < kStateBlockSize; ++offset) {
    const std::string_view value = item.at(start + offset);
    if (value.find(kSeparator) != std::string_view::npos) {
      MakeLengthKey(item, start, key_);
      return {key_, &separatorIndex_};
    }
    if (offset > 0) key_ += kSeparator;
    key_ += value;
  }
  return {key_, &index_};
}

const std::string& StyleTable::FindOrAddStyleClass(const TItemData& item, int state, int itemIndex) {
  const int start = kStateBlockStart[static_cast<size_t>(state)];
  const Key key = MakeKey(item, start);
  if (const auto known = key.index->find(key.text); known != key.index->end()) {
    return entries_[known->second].className;
  }
  CheckStateBlock(item, state, itemIndex);
  key.index->emplace(std::string(key.text), entries_.size());
  TItemStyle style;
  for (int offset = 0; offset < kStateBlockSize; ++offset)
    style.values[static_cast<size_t>(offset)] = item.at(start + offset);
  style.className = base_ + "item" + kStateLetters[state] + std::to_string(entries_.size() + 1);
  entries_.push_back(std::move(style));
  return entries_.back().className;
}

void StyleTable::Clear() {
  entries_.clear();
  index_.clear();
  separatorIndex_.clear();
}

StyleTable AssignStyleClasses(TvornAppletAgent& doc, const std::string& menuBaseName) {
  StyleTable table(menuBaseName);
  constexpr ItemField kClassFields[3] = {IClassNormal, IClassOver, IClassClicked};
  for (int i = 0; i < doc.ItemCount(); ++i) {
    TItemData& item = doc.Items[static_cast<size_t>(i)];
    for (int state = 0; state < 3; ++state)
      item[kClassFields[state]] = table.FindOrAddStyleClass(item, state, i);
  }
  return table;
}

std::string StylesheetText(const StyleTable& table, TextEncoding encoding) {
  std::string out;
  auto line = [&out](const std::string& text) { AppendLine(out, text); };
  AppendMakerComment(out);
  for (const TItemStyle& e : table.Entries()) {
    const auto& v = e.values;
    auto border = [&](const char* side, int colour) {
      line(std::string("BORDER-") + side + ":" + CssColor(v[colour]) + " " + CssPixels(v[colour + 1]) + " " +
           BorderStyleName(v[colour + 2]) + ";");
    };
    line("." + e.className + "{");
    line("FONT-FAMILY:" + CssText(v[kFontFamily], encoding) + ";");
    line("FONT-SIZE:" + CssPixels(v[kFontSize]) + ";");
    line("FONT-WEIGHT:" + v[kFontWeight] + ";");
    line("FONT-STYLE:" + v[kFontStyle] + ";");
    border("TOP", kBorderTopColor);
    border("RIGHT", kBorderRightColor);
    border("BOTTOM", kBorderBottomColor);
    border("LEFT", kBorderLeftColor);
    line("CURSOR:" + CursorName(v[kCursor]) + ";");
    line("COLOR:" + CssColor(v[kColor]) + ";");
    line("BACKGROUND-COLOR:" + CssColor(v[kBackgroundColor]) + ";");
    line("BACKGROUND-IMAGE:" + BackgroundImageValue(v[kBackgroundImage], encoding) + ";");
    line("}");
  }
  return out;
}

}  // namespace velmora
