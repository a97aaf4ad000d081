#pragma once

// The two records of a menu design. Every value is text; a field is addressed
// by its position (field_names.h).

#include <array>
#include <string>
#include <vector>

#include "document/field_names.h"

namespace velmora {

using TStringArray = std::vector<std::string>;

template <typename Field, int Count>
struct TextRecord {
  std::array<std::string, Count> f;

  std::string& operator[](Field k) { return f[static_cast<size_t>(k)]; }
  const std::string& operator[](Field k) const { return f[static_cast<size_t>(k)]; }
  std::string& at(int k) { return f.at(static_cast<size_t>(k)); }
  const std::string& at(int k) const { return f.at(static_cast<size_t>(k)); }
  static constexpr int size() { return Count; }
  bool operator==(const TextRecord&) const = default;
};

using TAppletData = TextRecord<AppletField, kAppletFieldCount>;
using TItemData = TextRecord<ItemField, kItemFieldCount>;
using TItemArray = std::vector<TItemData>;

// Defaults of a new design's menu-wide record.
TAppletData DefaultAppletData();
// Defaults of a new item; ILevel is left empty for the inserting code.
TItemData DefaultItemData();

}  // namespace velmora
