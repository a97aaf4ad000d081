#pragma once

// Collapses every item state into a list of distinct styles, names them and
// writes the class names back into the items.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document/applet_agent.h"

namespace velmora {

struct TItemStyle {
  std::string className;
  std::array<std::string, 20> values;  // one state block, in block order
};

// Distinct styles in order of first use. A hash index over the 20 values
// finds a match in constant time; the first entry with equal values wins, as
// a scan from the start would.
class StyleTable {
 public:
  explicit StyleTable(std::string menuBaseName) : base_(std::move(menuBaseName)) {}
  // State 0 normal, 1 over, 2 clicked. Returns the class name for that state
  // of the item, adding a style when none matches.
  const std::string& FindOrAddStyleClass(const TItemData& item, int state, int itemIndex = -1);
  const std::vector<TItemStyle>& Entries() const { return entries_; }
  void Clear();

 private:
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };
  using Index = std::unordered_map<std::string, size_t, KeyHash, std::equal_to<>>;
  // Keys are the 20 values joined by the separator, which is unambiguous
  // while no value holds one; blocks where one does have keys of their own
  // (each value after its length). The text may lie in key_.
  struct Key {
    std::string_view text;
    Index* index;
  };
  Key MakeKey(const TItemData& item, int start);

  std::string base_;
  std::vector<TItemStyle> entries_;
  Index index_;
  Index separatorIndex_;
  std::string key_;  // kept to save an allocation per lookup
};

inline constexpr const char* kStateNames[3] = {"Normal", "Mouse Over", "Clicked"};

// The class assignment pass: every item's three class names.
StyleTable AssignStyleClasses(TvornAppletAgent& doc, const std::string& menuBaseName);

// What the modern page's stylesheet needs beyond the looks: the bar's list
// entries that carry no class take the look of `barClass` by their place.
struct ModernSheet {
  std::string barClass;
  std::string barEntries;  // selectors
};

// Font families and image names of a UTF-8 design come out as CSS escapes.
std::string StylesheetText(const StyleTable& table, TextEncoding encoding = TextEncoding::Windows1252);

}  // namespace velmora
