#include "generator/contrast.h"

#include <algorithm>
#include <cmath>

#include "generator/vocabularies.h"

namespace velmora {

namespace {

// One sRGB channel (0-255) to linear light.
double Linear(unsigned channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(std::string_view storedColour) {
  // HexToColor gives the screen order: red in the low byte.
  const ScreenColor c = HexToColor(storedColour);
  return 0.2126 * Linear(c & 0xFF) + 0.7152 * Linear((c >> 8) & 0xFF) + 0.0722 * Linear((c >> 16) & 0xFF);
}

double ContrastRatio(std::string_view storedColourA, std::string_view storedColourB) {
  const double a = RelativeLuminance(storedColourA), b = RelativeLuminance(storedColourB);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace velmora
