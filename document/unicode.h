#pragma once

// Byte-level Unicode for the core: UTF-8 checking, decoding and encoding,
// and the conversions between Windows-1252 and UTF-8 bytes. The GUI turns
// these bytes into its own strings elsewhere; nothing here knows about it.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// The first byte at which `text` stops being well-formed UTF-8: a byte that
// cannot start or continue a character, an overlong form, a surrogate, a
// code point past U+10FFFF, a character cut off by the end, or a NUL byte
// (which no value of ours holds). npos when the whole text is sound.
size_t FindInvalidUtf8(std::string_view text);
inline bool IsValidUtf8(std::string_view text) {
  return FindInvalidUtf8(text) == std::string_view::npos;
}

// Refuses content that is not valid UTF-8 with a FormatError naming
// `sourceName`, the line and the column.
void CheckUtf8Content(std::string_view content, const std::string& sourceName);

// Decodes the character starting at `at` and moves `at` past it. A byte
// that does not start a well-formed character decodes alone as the lone
// surrogate U+DC00 + byte, so no two broken texts compare equal and
// nothing is lost; a NUL byte decodes as 0.
char32_t NextCodePoint(std::string_view text, size_t& at);
void AppendUtf8(std::string& out, char32_t codePoint);

// Windows-1252 and UTF-8. Every byte of Windows-1252 has a character (the
// five unassigned ones map to the control characters of the same value), so
// the first conversion never loses anything.
char32_t Windows1252ToCodePoint(unsigned char byte);
// The Windows-1252 byte of a character, or -1 when the code page lacks it.
int CodePointToWindows1252(char32_t codePoint);
std::string Utf8FromWindows1252(std::string_view bytes);
// Converts when every character has a Windows-1252 byte; false otherwise
// (and `out` is then unspecified).
bool Windows1252FromUtf8(std::string_view utf8, std::string& out);
bool IsAscii(std::string_view text);

// Simple case folding of the letters that have one (Latin, Greek, Cyrillic,
// Armenian, Georgian, and the fullwidth forms), for comparing texts without
// regard to letter case. Other characters are kept as they are.
char32_t FoldCodePoint(char32_t codePoint);

}  // namespace velmora
