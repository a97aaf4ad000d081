#pragma once

// A quick look at how deeply a page nests its elements, before the HTML
// parser builds its tree: the parser slows down with the square of the
// nesting, so a page built to nest thousands of levels deep is refused
// without parsing it.

#include <cstddef>
#include <string_view>

namespace velmora::web {

// Browsers stop nesting elements at this depth.
inline constexpr size_t kDeepestPageNesting = 512;

// Whether the elements of `html` nest deeper than `limit` as a browser
// builds them. The tags are followed with the rules that decide most
// nesting (void elements, raw text, end tags closing what they enclose
// within their scope, elements a sibling start tag closes); where these
// differ from the parser they count deeper, never shallower, except for
// markup written only to mislead.
bool NestsDeeperThan(std::string_view html, size_t limit);

}  // namespace velmora::web
