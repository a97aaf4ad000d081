#pragma once

// Text helpers of the web page import: the white space rules of captions.

#include <string>
#include <string_view>

namespace velmora::web {

// The white space of HTML: space, tab, line feed, carriage return, form feed.
inline bool IsAsciiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Marks a forced line break (<br>) in collected text. Never part of UTF-8.
inline constexpr char kLineBreakMark = '\xFF';

// Collapses every run of white space (ASCII, no-break space) into one space
// and trims both ends; a line break mark in a run makes it one "\n".
std::string CollapseWhiteSpace(std::string_view text);
// Trims ASCII white space at both ends.
std::string_view TrimAscii(std::string_view text);

// A page's text as a message shows it: control characters escaped ("\n",
// "\t", "\x01"), at most about 60 bytes, cut between characters.
std::string ForMessage(std::string_view value);
// Control characters escaped, nothing cut.
std::string EscapeControls(std::string_view value);

}  // namespace velmora::web
