#include "generator/vocabularies.h"

#include <cctype>
#include <cstdio>

#include "document/errors.h"
#include "document/text.h"
#include "document/unicode.h"

namespace velmora {

const std::string_view kBorderStyles[10] = {"none",   "dotted", "dashed", "solid",        "double",
                                            "groove", "ridge",  "inset",  "window-inset", "outset"};

const std::string_view kCursors[25] = {
    "auto",      "crosshair",  "default",  "hand",         "help",       "move",     "pointer",
    "text",      "wait",       "N-resize", "NE-resize",    "NW-resize",  "S-resize", "SE-resize",
    "SW-resize", "E-resize",   "W-resize", "all-scroll",   "col-resize", "no-drop",  "not-allowed",
    "progress",  "row-resize", "url(uri)", "vertical-text"};

const std::string_view kTransitionNames[22] = {
    "None",  "Fade",    "Circle", "Circle 2", "Cross",  "Cross 2", "Diamond",  "Diamond 2",
    "Plus",  "Plus 2",  "Square", "Square 2", "Star",   "Star 2",  "Pixelate", "Dissolve",
    "Wheel", "Wheel 2", "Wipe",   "Wipe 2",   "Wipe 3", "Wipe 4"};

namespace {

constexpr std::string_view kFilterTexts[22] = {
    "",
    "progid:DXImageTransform.Microsoft.Fade()",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=CIRCLE)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=CIRCLE,motion=in)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=CROSS)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=CROSS,motion=in)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=DIAMOND)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=DIAMOND,motion=in)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=PLUS)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=PLUS,motion=in)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=SQUARE)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=SQUARE,motion=in)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=STAR)",
    "progid:DXImageTransform.Microsoft.Iris(irisStyle=STAR,motion=in)",
    "progid:DXImageTransform.Microsoft.Pixelate(MaxSquare=20)",
    "progid:DXImageTransform.Microsoft.RandomDissolve()",
    "progid:DXImageTransform.Microsoft.Wheel(spokes=2)",
    "progid:DXImageTransform.Microsoft.Wheel(spokes=8)",
    "progid:DXImageTransform.Microsoft.Wipe(GradientSize=1.0,wipeStyle=0)",
    "progid:DXImageTransform.Microsoft.Wipe(GradientSize=1.0,wipeStyle=0,motion=reverse)",
    "progid:DXImageTransform.Microsoft.Wipe(GradientSize=1.0,wipeStyle=1)",
    "progid:DXImageTransform.Microsoft.Wipe(GradientSize=1.0,wipeStyle=1,motion=reverse)",
};

// The table entry for a code; an out-of-range code gives `fallback`.
template <size_t N>
std::string Lookup(const std::string_view (&table)[N], std::string_view code, std::string_view fallback,
                   const char* what) {
  const int k = StrictToInt(code, what);
  return std::string(k >= 0 && static_cast<size_t>(k) < N ? table[k] : fallback);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string ColorToHex(ScreenColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", color & 0xFFu, (color >> 8) & 0xFFu,
                (color >> 16) & 0xFFu);
  return text;
}

ScreenColor HexToColor(std::string_view text) {
  // Pairs 5-6, 3-4, 1-2 (blue, green, red) of at most six characters; a pair
  // beyond the end of a shorter text is empty.
  const std::string_view digits = text.substr(0, 6);
  auto pair = [&](size_t at) { return at < digits.size() ? digits.substr(at, 2) : std::string_view(); };
  const std::string number = std::string(pair(4)) + std::string(pair(2)) + std::string(pair(0));
  ScreenColor value = 0;
  for (char c : number) {
    const int d = HexDigit(c);
    if (d < 0) throw NumberError(std::string(text), "colour");
    value = value * 16 + static_cast<ScreenColor>(d);
  }
  return value;
}

std::string CssColor(std::string_view text) {
  return "#" + std::string(text);
}

std::string CssPixels(std::string_view text) {
  return std::string(text) + "px";
}

std::string BorderStyleName(std::string_view code) {
  return Lookup(kBorderStyles, code, "solid", "border style");
}

std::string CursorName(std::string_view code) {
  return Lookup(kCursors, code, "default", "cursor");
}

std::string TransitionFilterText(std::string_view code) {
  return Lookup(kFilterTexts, code, "", "transition");
}

std::string CssText(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::Windows1252 || IsAscii(text)) return std::string(text);
  std::string out;
  for (size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      out += text[at++];
      continue;
    }
    char32_t code = NextCodePoint(text, at);
    if (code >= 0xDC80 && code <= 0xDCFF) code = 0xFFFD;  // a broken byte
    char escaped[12];
    std::snprintf(escaped, sizeof escaped, "\\%X", static_cast<unsigned>(code));
    out += escaped;
    // An escape ends at the first character that is not a hex digit; a
    // space ends it otherwise and belongs to the escape.
    if (at < text.size() && (std::isxdigit(static_cast<unsigned char>(text[at])) || text[at] == ' '))
      out += ' ';
  }
  return out;
}

std::string BackgroundImageValue(std::string_view imageName, TextEncoding encoding) {
  if (Trim(imageName).empty()) return "none";
  return "url(./" + CssText(imageName, encoding) + ")";
}

ClockReading ReadLocalClock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string MakeMenuNumber(const Clock& clock) {
  const ClockReading t = clock();
  std::uint32_t product = 1;
  for (int factor : {t.year, t.month, t.day, t.hour, t.minute, t.second}) {
    product *= static_cast<std::uint32_t>(factor);
  }
  const std::int64_t wrapped = static_cast<std::int32_t>(product);
  return std::to_string(wrapped < 0 ? -wrapped : wrapped);
}

}  // namespace velmora
