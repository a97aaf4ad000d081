#pragma once

// Large pages are mostly prose the import never reads, and the HTML5 parser
// spends most of its time on text, one character at a time. Each run of
// prose outside the page's lists is handed to the parser as one mark
// character instead: a run of text and one character that is not white
// space build the same elements. A scan of the markup finds the runs; the
// parsed tree then proves that every mark landed in prose outside a list,
// else the page is parsed as it stands.

#include <gumbo.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::web {

// U+E000, a private-use character: not white space, never in markup.
inline constexpr std::string_view kProseMark = "\xEE\x80\x80";

struct CondensedPage {
  std::string text;
  size_t marks = 0;  // runs of prose replaced by kProseMark
};

// The page with its runs of prose outside lists replaced by marks; nullopt
// when nothing would shrink or the page itself holds the mark character.
std::optional<CondensedPage> CondenseProse(std::string_view page);

// Whether the tree parsed from a condensed page holds exactly `marks` marks,
// all in text outside lists and outside elements whose content is raw text.
bool MarksAllInProse(const GumboNode* root, size_t marks);

}  // namespace velmora::web
