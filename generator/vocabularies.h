#pragma once

// Conversions from stored codes and texts to what the generated files need,
// and between screen colours and their stored text.

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "document/format_extensions.h"

namespace velmora {

// A screen colour laid out as 0x00BBGGRR. The GUI resolves system colours
// before calling.
using ScreenColor = std::uint32_t;

std::string ColorToHex(ScreenColor color);
ScreenColor HexToColor(std::string_view text);

std::string CssColor(std::string_view text);
std::string CssPixels(std::string_view text);
std::string BorderStyleName(std::string_view code);
std::string CursorName(std::string_view code);
// In a UTF-8 design the name's non-ASCII characters are CSS escapes, so the
// stylesheet stays ASCII; a classic design's name is written as stored.
std::string BackgroundImageValue(std::string_view imageName,
                                 TextEncoding encoding = TextEncoding::Windows1252);
// A stored text for a stylesheet by the same rule.
std::string CssText(std::string_view text, TextEncoding encoding);
std::string TransitionFilterText(std::string_view code);

// The designer's choice lists, in code order.
extern const std::string_view kBorderStyles[10];
extern const std::string_view kCursors[25];
extern const std::string_view kTransitionNames[22];

// Local date and time as the menu number reads it.
struct ClockReading {
  int year, month, day, hour, minute, second;
};
using Clock = std::function<ClockReading()>;
ClockReading ReadLocalClock();

// The absolute value of year*month*day*hour*minute*second in wrapping
// 32-bit arithmetic, as decimal text.
std::string MakeMenuNumber(const Clock& clock = ReadLocalClock);

}  // namespace velmora
