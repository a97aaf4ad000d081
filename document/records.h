#pragma once

// The two records of a menu design. Every value is text; a field is addressed
// by its position (field_names.h).
//
// A record keeps its values the way a project file stores them: one line
// with every value followed by the separator, plus where each value ends.
// A record read from a file keeps using its line in the file's text, so
// opening a large design costs little more than reading the file; values
// changed since are kept beside the line until there are many of them.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <optional>
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
  TextRecord() : ends_(NewEnds()), extra_(std::make_unique<Extra>()) {
    for (int k = 0; k < Count; ++k) {
      ends_[static_cast<size_t>(k)] = static_cast<uint32_t>(extra_->own.size());
      extra_->own += kSeparator;
    }
  }
  // A record over a stored line inside `source`; values missing from the
  // line are empty, text after the last expected separator is ignored.
  TextRecord(std::shared_ptr<const std::string> source, std::string_view line)
      : source_(std::move(source)), raw_(line) {}

  TextRecord(const TextRecord& other)
      : source_(other.source_),
        raw_(other.raw_),
        ends_(other.ends_ ? CopyOfEnds(other.ends_.get()) : nullptr),
        extra_(other.extra_ ? std::make_unique<Extra>(*other.extra_) : nullptr) {}
  TextRecord& operator=(const TextRecord& other) {
    if (this != &other) *this = TextRecord(other);
    return *this;
  }
  TextRecord(TextRecord&&) noexcept = default;
  TextRecord& operator=(TextRecord&&) noexcept = default;

  // A record of the given values in order; missing ones are empty.
  template <typename Strings>
  static TextRecord FromValues(const Strings& values) {
    TextRecord record;
    std::string& own = record.extra_->own;
    own.clear();
    size_t k = 0;
    for (const auto& value : values) {
      if (k == Count) break;
      own += value;
      record.ends_[k++] = static_cast<uint32_t>(own.size());
      own += kSeparator;
    }
    for (; k < Count; ++k) {
      record.ends_[k] = static_cast<uint32_t>(own.size());
      own += kSeparator;
    }
    return record;
  }

  std::string_view operator[](Field k) const { return Get(k); }
  FieldRef operator[](Field k) { return FieldRef(*this, k); }
  std::string_view at(int k) const { return Get(Checked(k)); }
  FieldRef at(int k) { return FieldRef(*this, Checked(k)); }
  static constexpr int size() { return Count; }

  std::string_view Get(int k) const {
    Index();
    if (IsChanged(k)) {
      for (const Changed& c : extra_->changed) {
        if (c.field == k) return c.value;
      }
    }
    const size_t start = Start(k);
    return Base().substr(start, ends_[static_cast<size_t>(k)] - start);
  }

  void Set(int k, std::string_view value) {
    if (Get(k) == value) return;
    std::string copy(value);  // the value may be part of this very record
    if (!extra_) extra_ = std::make_unique<Extra>();
    extra_->changedBits[static_cast<size_t>(k) / 64] |= Bit(k);
    std::vector<Changed>& changed = extra_->changed;
    for (Changed& c : changed) {
      if (c.field == k) {
        c.value = std::move(copy);
        return;
      }
    }
    if (changed.empty()) changed.reserve(4);  // generating the menu changes a few values of each item
    changed.push_back({k, std::move(copy)});
    if (changed.size() > kMostChanged) Compact();
  }

  // Every value followed by the separator: the record as a file line stores
  // it (without the line end).
  std::string_view Line() const {
    Compact();
    return Base();
  }
  // The same line, appended to `out` without changing the record.
  void AppendLine(std::string& out) const {
    Index();
    const std::string_view base = Base();
    size_t from = 0;
    for (size_t word = 0; extra_ && word < 2; ++word) {
      for (uint64_t bits = extra_->changedBits[word]; bits != 0; bits &= bits - 1) {
        const int k = static_cast<int>(word * 64) + std::countr_zero(bits);
        out.append(base.substr(from, Start(k) - from));
        out.append(Get(k));
        from = ends_[static_cast<size_t>(k)];
      }
    }
    out.append(base.substr(from));
  }

  // Values first .. first + count - 1 joined by separators, as the line read
  // from a file holds them, when none of them has changed since (so none
  // holds a separator); nothing otherwise.
  std::optional<std::string_view> StoredValues(int first, int count) const {
    Index();
    if (!source_) return std::nullopt;
    for (int k = first; k < first + count; ++k) {
      if (IsChanged(k)) return std::nullopt;
    }
    const size_t start = Start(first);
    return Base().substr(start, ends_[static_cast<size_t>(first + count - 1)] - start);
  }

  bool operator==(const TextRecord& other) const {
    for (int k = 0; k < Count; ++k) {
      if (Get(k) != other.Get(k)) return false;
    }
    return true;
  }

 private:
  struct Changed {
    int field;
    std::string value;
  };
  // What only some records need: an owned line, and values changed since
  // the line was stored.
  struct Extra {
    std::string own;
    std::vector<Changed> changed;
    uint64_t changedBits[2] = {0, 0};
  };
  // Changed values are kept beside the stored line; past this many the
  // line is rewritten with them.
  static constexpr size_t kMostChanged = 12;

  static int Checked(int k) {
    if (k < 0 || k >= Count) throw std::out_of_range("record field " + std::to_string(k));
    return k;
  }
  static std::unique_ptr<uint32_t[]> NewEnds() { return std::unique_ptr<uint32_t[]>(new uint32_t[Count]); }
  static std::unique_ptr<uint32_t[]> CopyOfEnds(const uint32_t* ends) {
    auto copy = NewEnds();
    std::copy(ends, ends + Count, copy.get());
    return copy;
  }
  static uint64_t Bit(int k) { return uint64_t{1} << (static_cast<unsigned>(k) % 64); }
  bool IsChanged(int k) const {
    return extra_ && (extra_->changedBits[static_cast<size_t>(k) / 64] & Bit(k)) != 0;
  }
  size_t Start(int k) const { return k == 0 ? 0 : ends_[static_cast<size_t>(k - 1)] + kSeparator.size(); }
  // The stored line: in the file's text or owned.
  std::string_view Base() const { return source_ ? raw_ : std::string_view(extra_->own); }

  // Finds where the stored line's values end the first time one is wanted.
  // A line written by this program is used where it lies; a short one, or
  // one with text after its last value, is copied in its written form.
  void Index() const {
    if (ends_) return;
    auto ends = NewEnds();
    const int found = FindSeparators(raw_, ends.get(), Count);
    const size_t kept = found == 0 ? 0 : ends[static_cast<size_t>(found - 1)] + kSeparator.size();
    if (found < Count || kept != raw_.size()) {
      if (!extra_) extra_ = std::make_unique<Extra>();
      std::string& own = extra_->own;
      own.reserve(kept + static_cast<size_t>(Count - found) * kSeparator.size());
      own.assign(raw_.substr(0, kept));
      for (int k = found; k < Count; ++k) {
        ends[static_cast<size_t>(k)] = static_cast<uint32_t>(own.size());
        own += kSeparator;
      }
      Release();
    }
    ends_ = std::move(ends);
  }

  // Writes the changed values into an owned line.
  void Compact() const {
    Index();
    if (!extra_ || extra_->changed.empty()) return;
    std::string line;
    line.reserve(Base().size() + 64);
    auto ends = NewEnds();
    for (int k = 0; k < Count; ++k) {
      line.append(Get(k));
      ends[static_cast<size_t>(k)] = static_cast<uint32_t>(line.size());
      line += kSeparator;
    }
    extra_->own = std::move(line);
    extra_->changed.clear();
    extra_->changedBits[0] = extra_->changedBits[1] = 0;
    ends_ = std::move(ends);
    Release();
  }
  void Release() const {
    raw_ = {};
    source_.reset();
  }

  // The file text a record read from a file points into, while its line
  // there is still the stored line.
  mutable std::shared_ptr<const std::string> source_;
  mutable std::string_view raw_;
  // Where each value ends (its separator starts) in the stored line; none
  // until indexed.
  mutable std::unique_ptr<uint32_t[]> ends_;
  mutable std::unique_ptr<Extra> extra_;
};

static_assert(kItemFieldCount <= 128, "a record marks its changed values in 128 bits");

using TAppletData = TextRecord<AppletField, kAppletFieldCount>;
using TItemData = TextRecord<ItemField, kItemFieldCount>;
using TItemArray = std::vector<TItemData>;

// Defaults of a new design's menu-wide record.
TAppletData DefaultAppletData();
// Defaults of a new item; ILevel is left empty for the inserting code.
TItemData DefaultItemData();

}  // namespace velmora
