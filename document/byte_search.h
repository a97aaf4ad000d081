#pragma once

// Fast searches over file text: field separators and line breaks. Loading a
// large design reads every line once, so these look at 16 bytes at a time
// where the processor allows it.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// Records where each of the first `want` separators starts; returns how many
// were found. Separators are found left to right without overlap, as
// repeated finds would find them.
int FindSeparators(std::string_view text, uint32_t* starts, int want);

// Value `k` (counting from 0) of a stored line: the text before separator
// k and after the one before it. A value without its separator is empty.
std::string_view ValueOfLine(std::string_view line, int k);
// The value that starts after the separator at `separatorAt` (npos: none).
std::string_view ValueAfterSeparator(std::string_view line, size_t separatorAt);

// Where separator `n` (counting from 0) of the line starting at `from`
// starts, or npos when the line ends first.
size_t NthSeparatorInLine(std::string_view text, size_t from, int n);

// Where the first CR or LF at or after `from` is, or npos.
size_t FindLineBreak(std::string_view text, size_t from);

}  // namespace velmora
