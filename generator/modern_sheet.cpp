#include "generator/modern_sheet.h"

#include <algorithm>
#include <vector>

#include "document/text.h"
#include "generator/maker.h"
#include "generator/vocabularies.h"

namespace velmora {

namespace {

using Declarations = std::vector<std::string>;

// "window-inset" is no border style to a browser: the modern page says
// "inset" at once, so the runtime need not fetch its stylesheets again.
std::string BorderSide(const TItemStyle& e, int colour) {
  const auto& v = e.values;
  const std::string style = BorderStyleName(v[colour + 2]);
  return CssPixels(v[colour + 1]) + " " + (style == "window-inset" ? "inset" : style) + " " +
         CssColor(v[colour]);
}

Declarations DeclarationsOf(const TItemStyle& e, TextEncoding encoding) {
  const auto& v = e.values;
  Declarations out = {"font-family:" + CssText(v[kFontFamily], encoding),
                      "font-size:" + CssPixels(v[kFontSize]), "font-weight:" + v[kFontWeight],
                      "font-style:" + v[kFontStyle]};
  constexpr std::pair<const char*, int> kSides[] = {{"top", kBorderTopColor},
                                                    {"right", kBorderRightColor},
                                                    {"bottom", kBorderBottomColor},
                                                    {"left", kBorderLeftColor}};
  const std::string top = BorderSide(e, kBorderTopColor);
  if (std::all_of(std::begin(kSides), std::end(kSides),
                  [&](const auto& side) { return BorderSide(e, side.second) == top; })) {
    out.push_back("border:" + top);
  } else {
    for (const auto& [side, colour] : kSides)
      out.push_back(std::string("border-") + side + ":" + BorderSide(e, colour));
  }
  // "hand" is no cursor to a browser: the runtime's pointer stands.
  if (const std::string cursor = CursorName(v[kCursor]); cursor != "hand") out.push_back("cursor:" + cursor);
  out.push_back("color:" + CssColor(v[kColor]));
  const std::string image = BackgroundImageValue(v[kBackgroundImage], encoding);
  if (image == "none") {
    out.push_back("background:" + CssColor(v[kBackgroundColor]));
  } else {
    out.push_back("background-color:" + CssColor(v[kBackgroundColor]));
    out.push_back("background-image:" + image);
  }
  return out;
}

std::string Rule(const std::string& selectors, const Declarations& declarations) {
  std::string out = selectors + "{";
  for (size_t k = 0; k < declarations.size(); ++k) out += (k ? ";" : "") + declarations[k];
  return out + "}";
}

}  // namespace

std::string ModernStylesheetText(const StyleTable& table, TextEncoding encoding, const ModernSheet& modern) {
  std::string out;
  AppendMakerMark(out);
  const auto& entries = table.Entries();
  std::vector<Declarations> looks;
  std::vector<std::string> selectors;
  for (const TItemStyle& e : entries) {
    looks.push_back(DeclarationsOf(e, encoding));
    selectors.push_back("." + e.className + (e.className == modern.barClass ? "," + modern.barEntries : ""));
  }
  // What every look declares alike is said once.
  Declarations shared;
  if (looks.size() > 1) {
    for (const std::string& d : looks.front()) {
      if (std::all_of(looks.begin(), looks.end(),
                      [&](const Declarations& l) { return std::find(l.begin(), l.end(), d) != l.end(); }))
        shared.push_back(d);
    }
  }
  if (!shared.empty()) {
    std::string all;
    for (const std::string& s : selectors) all += (all.empty() ? "" : ",") + s;
    AppendLine(out, Rule(all, shared));
  }
  for (size_t k = 0; k < looks.size(); ++k) {
    Declarations own;
    for (const std::string& d : looks[k])
      if (std::find(shared.begin(), shared.end(), d) == shared.end()) own.push_back(d);
    if (!own.empty()) AppendLine(out, Rule(selectors[k], own));
  }
  return out;
}

}  // namespace velmora
