#pragma once

// Small text helpers shared by the readers, writers and generators.

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr std::string_view kSeparator = "#$@";
inline constexpr std::string_view kLineEnd = "\r\n";

// Appends a line and its CR LF, as every file the program writes ends lines.
inline void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

// Field k (counting from 1) of `text`, each field ended by `delimiter`.
// A field without its trailing delimiter, and every later one, is empty.
std::string ExtractField(std::string_view text, int k, std::string_view delimiter);

// Splits a field line into exactly `count` fields by the same rule as
// ExtractField, in one pass.
std::vector<std::string> SplitFields(std::string_view line, int count,
                                     std::string_view delimiter = kSeparator);

// The same split straight into `count` existing fields.
void SplitFieldsInto(std::string_view line, std::string* fields, int count,
                     std::string_view delimiter = kSeparator);

// Strict decimal conversion: an optional sign and digits, nothing else,
// within 32 bits. Throws NumberError naming the text and `where`.
int StrictToInt(std::string_view text, std::string_view where = {});
bool IsDecimalInteger(std::string_view text);

std::string Trim(std::string_view text);
std::string ToLowerAscii(std::string_view text);
// Lower case for comparing texts in the files' single-byte code page
// (Windows-1252): ASCII and the accented letters fold alike. Byte lengths
// are kept, so positions in the folded text are positions in the original.
std::string FoldCase1252(std::string_view text);

// Splits file content into lines ended by CR LF, LF or CR. A last line
// without a line end still counts.
std::vector<std::string_view> SplitLines(std::string_view content);
// The line starting at `at`, moving `at` past its line end.
std::string_view NextLine(std::string_view content, size_t& at);
// The same, for a caller that already knows where the line's CR or LF is
// (npos: the line runs to the end).
std::string_view LineEndingAt(std::string_view content, size_t& at, size_t lineBreak);

}  // namespace velmora
