#include "document/unicode.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "document/errors.h"
#include "document/text.h"

namespace velmora {

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the rest of the code page agrees
// with Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Eight bytes at once: true when one of them is zero or has its top bit set.
bool WordNeedsCare(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  return ((word | ((word - kOnes) & ~word)) & kHighs) != 0;
}

// Length of the well-formed character at `at`, or 0 when it is not one.
size_t CharacterLength(std::string_view text, size_t at) {
  const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(at);
  if (lead == 0) return 0;
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return 0;  // a continuation byte, an overlong two-byte lead, or no lead at all
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (!IsContinuation(byte(at + k))) return 0;
  }
  return length;
}

// One rule of the case folding table: the letters first..last fold by
// `delta`, either all of them or only every other one (the capitals of
// alternating capital/small pairs, which start at `first`).
struct FoldRange {
  char32_t first;
  char32_t last;
  int32_t delta;
  bool pairs;
};

constexpr FoldRange kFoldRanges[] = {
    {0x41, 0x5A, 32, false},
    {0xB5, 0xB5, 0x3BC - 0xB5, false},
    {0xC0, 0xD6, 32, false},
    {0xD8, 0xDE, 32, false},
    {0x100, 0x12E, 1, true},
    {0x132, 0x136, 1, true},
    {0x139, 0x147, 1, true},
    {0x14A, 0x176, 1, true},
    {0x178, 0x178, 0xFF - 0x178, false},
    {0x179, 0x17D, 1, true},
    {0x17F, 0x17F, 's' - 0x17F, false},
    {0x1CD, 0x1DB, 1, true},
    {0x1DE, 0x1EE, 1, true},
    {0x1F8, 0x21E, 1, true},
    {0x222, 0x232, 1, true},
    {0x386, 0x386, 0x3AC - 0x386, false},
    {0x388, 0x38A, 37, false},
    {0x38C, 0x38C, 64, false},
    {0x38E, 0x38F, 63, false},
    {0x391, 0x3A1, 32, false},
    {0x3A3, 0x3AB, 32, false},
    {0x3C2, 0x3C2, 1, false},
    {0x3D8, 0x3EE, 1, true},
    {0x400, 0x40F, 80, false},
    {0x410, 0x42F, 32, false},
    {0x460, 0x480, 1, true},
    {0x48A, 0x4BE, 1, true},
    {0x4C0, 0x4C0, 15, false},
    {0x4C1, 0x4CD, 1, true},
    {0x4D0, 0x52E, 1, true},
    {0x531, 0x556, 48, false},
    {0x10A0, 0x10C5, 0x2D00 - 0x10A0, false},
    {0x10C7, 0x10C7, 0x2D00 - 0x10A0, false},
    {0x10CD, 0x10CD, 0x2D00 - 0x10A0, false},
    {0x1E00, 0x1E94, 1, true},
    {0x1E9E, 0x1E9E, 0xDF - 0x1E9E, false},
    {0x1EA0, 0x1EFE, 1, true},
    {0x2126, 0x2126, 0x3C9 - 0x2126, false},
    {0x212A, 0x212A, 'k' - 0x212A, false},
    {0x212B, 0x212B, 0xE5 - 0x212B, false},
    {0x2160, 0x216F, 16, false},
    {0x24B6, 0x24CF, 26, false},
    {0x2C00, 0x2C2F, 48, false},
    {0xFF21, 0xFF3A, 32, false},
    {0x10400, 0x10427, 40, false},
};

}  // namespace

size_t FindInvalidUtf8(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    if (at + 8 <= text.size()) {
      uint64_t word;
      std::memcpy(&word, text.data() + at, sizeof word);
      if (!WordNeedsCare(word)) {
        at += 8;
        continue;
      }
    }
    const size_t length = CharacterLength(text, at);
    if (length == 0) return at;
    at += length;
  }
  return std::string_view::npos;
}

void CheckUtf8Content(std::string_view content, const std::string& sourceName) {
  const size_t bad = FindInvalidUtf8(content);
  if (bad == std::string_view::npos) return;
  int line = 1;
  size_t lineStart = 0;
  for (size_t at = 0; at < content.size();) {
    NextLine(content, at);
    if (at > bad) break;
    lineStart = at;
    ++line;
  }
  const auto value = static_cast<unsigned char>(content[bad]);
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", value);
  throw FormatError(sourceName + ", line " + std::to_string(line) + ": the file is marked " +
                    std::string("UTF-8 but ") +
                    (value == 0 ? std::string("holds a NUL byte")
                                : "its text is not valid UTF-8 (byte " + std::string(hex) + ")") +
                    " at column " + std::to_string(bad - lineStart + 1) + "; nothing was read.");
}

char32_t NextCodePoint(std::string_view text, size_t& at) {
  const size_t length = CharacterLength(text, at);
  const auto byte = [&text](size_t k) { return static_cast<unsigned char>(text[k]); };
  if (length == 0) {
    const unsigned char broken = byte(at++);
    return broken == 0 ? 0 : 0xDC00 + broken;
  }
  char32_t code = length == 1 ? byte(at) : byte(at) & (0xFF >> (length + 1));
  for (size_t k = 1; k < length; ++k) code = (code << 6) | (byte(at + k) & 0x3F);
  at += length;
  return code;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

char32_t Windows1252ToCodePoint(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

int CodePointToWindows1252(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
  for (size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == code) return static_cast<int>(0x80 + k);
  }
  return -1;
}

std::string Utf8FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char byte : bytes) AppendUtf8(out, Windows1252ToCodePoint(static_cast<unsigned char>(byte)));
  return out;
}

bool Windows1252FromUtf8(std::string_view utf8, std::string& out) {
  out.clear();
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const int byte = CodePointToWindows1252(NextCodePoint(utf8, at));
    if (byte < 0) return false;
    out.push_back(static_cast<char>(byte));
  }
  return true;
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

char32_t FoldCodePoint(char32_t code) {
  for (const FoldRange& range : kFoldRanges) {
    if (code < range.first) break;  // the table is in order
    if (code > range.last) continue;
    if (range.pairs && (code - range.first) % 2 != 0) return code;
    return static_cast<char32_t>(static_cast<int32_t>(code) + range.delta);
  }
  return code;
}

}  // namespace velmora
