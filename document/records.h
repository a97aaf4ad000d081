#pragma once

// The two records of a menu design. Every value is text; a field is addressed
// by its position (field_names.h).
//
// A record keeps its values the way a project file stores them: one text
// with every value followed by the separator, plus where each value ends.
// A record read from a file keeps pointing at its line in the file's text
// until one of its values is first wanted, so opening a large design costs
// little more than reading the file.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "document/byte_search.h"
#include "document/field_names.h"
#include "document/text.h"

namespace velmora {

using TStringArray = std::vector<std::string>;

template <typename Field, int Count>
class TextRecord {
 public:
  // Stands for one value of a record that may be changed through it.
  class FieldRef {
   public:
    FieldRef(TextRecord& record, int k) : record_(record), k_(k) {}
    FieldRef& operator=(std::string_view value) {
      record_.Set(k_, value);
      return *this;
    }
    FieldRef& operator=(const FieldRef& other) { return *this = std::string(other.view()); }
    operator std::string_view() const { return view(); }
    operator std::string() const { return std::string(view()); }
    std::string_view view() const { return record_.Get(k_); }
    std::string str() const { return std::string(view()); }
    bool empty() const { return view().empty(); }
    friend bool operator==(const FieldRef& a, std::string_view b) { return a.view() == b; }

   private:
    TextRecord& record_;
    int k_;
  };

  // Every value empty.
  TextRecord() : ends_(Count) {
    for (auto& end : ends_) {
      end = static_cast<uint32_t>(text_.size());
      text_ += kSeparator;
    }
  }
  // A record over a stored line inside `source`; values missing from the
  // line are empty, text after the last expected separator is ignored.
  TextRecord(std::shared_ptr<const std::string> source, std::string_view line)
      : source_(std::move(source)), raw_(line) {}

  // A record of the given values in order; missing ones are empty.
  template <typename Strings>
  static TextRecord FromValues(const Strings& values) {
    TextRecord record;
    record.text_.clear();
    size_t k = 0;
    for (const auto& value : values) {
      if (k == Count) break;
      record.text_ += value;
      record.ends_[k++] = static_cast<uint32_t>(record.text_.size());
      record.text_ += kSeparator;
    }
    for (; k < Count; ++k) {
      record.ends_[k] = static_cast<uint32_t>(record.text_.size());
      record.text_ += kSeparator;
    }
    return record;
  }

  std::string_view operator[](Field k) const { return Get(k); }
  FieldRef operator[](Field k) { return FieldRef(*this, k); }
  std::string_view at(int k) const { return Get(Checked(k)); }
  FieldRef at(int k) { return FieldRef(*this, Checked(k)); }
  static constexpr int size() { return Count; }

  std::string_view Get(int k) const {
    Split();
    const size_t start = Start(k);
    return std::string_view(text_).substr(start, ends_[static_cast<size_t>(k)] - start);
  }

  void Set(int k, std::string_view value) {
    Split();
    if (value.data() >= text_.data() && value.data() < text_.data() + text_.size()) {
      const std::string copy(value);  // a value of this very record
      Set(k, copy);
      return;
    }
    const size_t start = Start(k);
    const size_t oldLength = ends_[static_cast<size_t>(k)] - start;
    text_.replace(start, oldLength, value);
    const auto delta = static_cast<uint32_t>(value.size() - oldLength);  // wraps for shrinking, on purpose
    for (size_t j = static_cast<size_t>(k); j < ends_.size(); ++j) ends_[j] += delta;
  }

  // Every value followed by the separator: the record as a file line stores
  // it (without the line end).
  std::string_view Line() const {
    Split();
    return text_;
  }

  bool operator==(const TextRecord& other) const {
    Split();
    other.Split();
    return text_ == other.text_ && ends_ == other.ends_;
  }

 private:
  static int Checked(int k) {
    if (k < 0 || k >= Count) throw std::out_of_range("record field " + std::to_string(k));
    return k;
  }
  size_t Start(int k) const { return k == 0 ? 0 : ends_[static_cast<size_t>(k - 1)] + kSeparator.size(); }

  // Splits the stored line into values the first time one is wanted.
  void Split() const {
    if (!ends_.empty()) return;
    ends_.resize(Count);
    const int found = FindSeparators(raw_, ends_.data(), Count);
    const size_t kept = found == 0 ? 0 : ends_[static_cast<size_t>(found - 1)] + kSeparator.size();
    text_.reserve(kept + static_cast<size_t>(Count - found) * kSeparator.size());
    text_.assign(raw_.substr(0, kept));
    for (int k = found; k < Count; ++k) {
      ends_[static_cast<size_t>(k)] = static_cast<uint32_t>(text_.size());
      text_ += kSeparator;
    }
    raw_ = {};
    source_.reset();
  }

  // The file text a record read from a file points into, until split.
  mutable std::shared_ptr<const std::string> source_;
  mutable std::string_view raw_;
  mutable std::string text_;
  // Where each value ends (its separator starts) in text_; empty until split.
  mutable std::vector<uint32_t> ends_;
};

using TAppletData = TextRecord<AppletField, kAppletFieldCount>;
using TItemData = TextRecord<ItemField, kItemFieldCount>;
using TItemArray = std::vector<TItemData>;

// Defaults of a new design's menu-wide record.
TAppletData DefaultAppletData();
// Defaults of a new item; ILevel is left empty for the inserting code.
TItemData DefaultItemData();

}  // namespace velmora
