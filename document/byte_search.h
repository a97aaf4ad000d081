#pragma once

// Fast searches over file text: field separators and line breaks. Loading a
// large design reads every line once, so these look at 64 bytes at a time on
// processors with AVX-512BW and at 16 bytes on other x86-64 processors.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

// Records where each of the first `want` separators starts; returns how many
// were found. Separators are found left to right without overlap, as
// repeated finds would find them.
int FindSeparators(std::string_view text, uint32_t* starts, int want);

// Where separator `n` (counting from 0) of the line starting at `from`
// starts, or npos when the line ends first.
size_t NthSeparatorInLine(std::string_view text, size_t from, int n);

// What reading a stored line needs, found in one pass over the line that
// starts at `from`: where its first separator, its separator `n` and the
// separator after that start, and where its first CR or LF is. Each is
// npos when the line has none.
struct LineMarks {
  size_t first;
  size_t nth;
  size_t afterNth;
  size_t lineBreak;
};
LineMarks SearchLine(std::string_view text, size_t from, int n);

// Where the first CR or LF at or after `from` is, or npos.
size_t FindLineBreak(std::string_view text, size_t from);

// Lets the searches use the 64-byte blocks where the processor has them
// (the default), or keeps them to 16 bytes, so both can be tested; returns
// whether the 64-byte blocks are now in use.
bool UseWideSearches(bool allowed);

}  // namespace velmora
