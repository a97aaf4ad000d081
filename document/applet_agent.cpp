#include "document/applet_agent.h"

#include <algorithm>
#include <stdexcept>

#include "document/errors.h"
#include "document/text.h"
#include "document/unicode.h"

namespace velmora {

TvornAppletAgent::TvornAppletAgent(std::string programFolder)
    : RuntimeFiles{"jsmenu0.js", "jsmenu0cfg.js", "jsmenu0.css"},
      Separator(kSeparator),
      programFolder_(std::move(programFolder)),
      status_(&nullSink_) {}

namespace {

template <typename Record>
TStringArray RecordToStrings(const Record& record) {
  TStringArray strings;
  strings.reserve(Record::size());
  for (int k = 0; k < Record::size(); ++k) strings.emplace_back(record.at(k));
  return strings;
}

template <typename Record>
Record StringsToRecord(const TStringArray& strings) {
  if (strings.size() < static_cast<size_t>(Record::size())) {
    throw std::out_of_range("a record needs " + std::to_string(Record::size()) + " values, not " +
                            std::to_string(strings.size()));
  }
  return Record::FromValues(strings);
}

}  // namespace

TStringArray TvornAppletAgent::AppletDataToStrings(const TAppletData& data) {
  return RecordToStrings(data);
}

TAppletData TvornAppletAgent::StringsToAppletData(const TStringArray& strings) {
  return StringsToRecord<TAppletData>(strings);
}

TStringArray TvornAppletAgent::ItemToStrings(const TItemData& item) {
  return RecordToStrings(item);
}

TItemData TvornAppletAgent::StringsToItem(const TStringArray& strings, const std::string&) {
  return StringsToRecord<TItemData>(strings);
}

void TvornAppletAgent::SetAppletData(const TAppletData& data) {
  std::vector<ValueSlot> changed;
  for (int k = 0; k < kAppletFieldCount; ++k) {
    if (AppletData.at(k) != data.at(k)) changed.push_back({kMenuWide, k});
  }
  AppletData = data;
  TellValuesChanged(changed);
}

void TvornAppletAgent::SetItem(int index, const TItemData& item) {
  TItemData& record = Items.at(static_cast<size_t>(index));
  std::vector<ValueSlot> changed;
  for (int k = 0; k < kItemFieldCount; ++k) {
    if (record.at(k) != item.at(k)) changed.push_back({index, k});
  }
  record = item;
  TellValuesChanged(changed);
}

void TvornAppletAgent::AddObserver(DesignObserver* observer) {
  observers_.push_back(observer);
}

void TvornAppletAgent::RemoveObserver(DesignObserver* observer) {
  std::erase(observers_, observer);
}

void TvornAppletAgent::ResetDocument() {
  AppletData = DefaultAppletData();
  Items.clear();
  Extensions.Clear();
  Encoding = TextEncoding::Windows1252;
  TellReset();
}

void TvornAppletAgent::CopyDesignFrom(const TvornAppletAgent& other, int itemCount) {
  const size_t count = itemCount < 0 ? other.Items.size() : std::min(other.Items.size(), size_t(itemCount));
  AppletData = other.AppletData;
  Items.assign(other.Items.begin(), other.Items.begin() + static_cast<std::ptrdiff_t>(count));
  RuntimeFiles = other.RuntimeFiles;
  Separator = other.Separator;
  FileVersion = other.FileVersion;
  Extensions = other.Extensions;
  Encoding = other.Encoding;
  TellReset();
}

TItemData TvornAppletAgent::MakeDefaultItem() {
  return DefaultItemData();
}

void TvornAppletAgent::InsertItem(int index, const TItemData& item) {
  const int n = ItemCount();
  if (n == 0) {
    Items.assign(1, item);
    Tell([](DesignObserver& o) { o.ItemsInserted(0, 1); });
  } else if (index >= 0 && index <= n) {
    Items.insert(Items.begin() + index, item);
    Tell([index](DesignObserver& o) { o.ItemsInserted(index, 1); });
  }
}

void TvornAppletAgent::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  Items.erase(Items.begin() + index);
  Tell([index](DesignObserver& o) { o.ItemsRemoved(index, 1); });
}

void TvornAppletAgent::MoveItemUp(int index) {
  MoveBlockUp(index, 1, 1);
}

std::string DescribeItem(int index, std::string_view caption) {
  return "item " + std::to_string(index + 1) + " \"" + std::string(caption) + "\"";
}

void TvornAppletAgent::MoveBlockUp(int first, int count, int distance) {
  if (count <= 0 || distance <= 0 || first - distance < 0 || first + count > ItemCount()) return;
  std::rotate(Items.begin() + (first - distance), Items.begin() + first, Items.begin() + first + count);
  Tell([=](DesignObserver& o) { o.ItemsMoved(first, count, distance); });
}

void CheckStorableValue(std::string_view value, const std::string& owner, std::string_view fieldName,
                        TextEncoding encoding) {
  const bool breaksLine = value.find_first_of("\r\n") != std::string_view::npos;
  if (encoding == TextEncoding::Utf8 && !breaksLine && !IsValidUtf8(value)) {
    throw ValueError(
        "Cannot write " + owner + ", " + std::string(fieldName) +
        ": the value holds text that is not valid UTF-8, which the file could not be read back with.");
  }
  if (!breaksLine && value.find(kSeparator) == std::string_view::npos) return;
  throw ValueError("Cannot write " + owner + ", " + std::string(fieldName) + ": the value holds " +
                   (breaksLine ? "a line break" : "the separator \"#$@\"") +
                   ", which the file format cannot store.");
}

}  // namespace velmora
