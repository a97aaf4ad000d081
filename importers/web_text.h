#pragma once

// Text helpers of the web page import: UTF-8 and Windows-1252 code points,
// and the white space rules of captions.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::web {

// Marks a forced line break (<br>) in collected text. Never part of UTF-8.
inline constexpr char kLineBreakMark = '\xFF';

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t code);
// Decodes one code point at `at`, moving past it; malformed bytes read as
// U+FFFD one byte at a time.
char32_t NextCodePoint(std::string_view text, size_t& at);

// The code point of a Windows-1252 byte, and the byte of a code point
// (nothing when the code page lacks it).
char32_t FromWindows1252(unsigned char byte);
std::optional<unsigned char> ToWindows1252(char32_t code);

// Collapses every run of white space (ASCII, no-break space) into one space
// and trims both ends; a line break mark in a run makes it one "\n".
std::string CollapseWhiteSpace(std::string_view text);
// Trims ASCII white space at both ends.
std::string_view TrimAscii(std::string_view text);

// "U+0416" for messages.
std::string CodePointName(char32_t code);

}  // namespace velmora::web
