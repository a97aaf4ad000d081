#include "generator/html5_page.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

#include "document/errors.h"
#include "document/text.h"
#include "document/text_encoding.h"
#include "document/unicode.h"
#include "generator/maker.h"
#include "generator/page_style.h"

namespace velmora {

namespace {

// An item's box as the runtime lays it out: width, least height, padding
// and alignment, with the runtime's defaults for empty values.
struct Geometry {
  int width, height, left, right, top, bottom, align;
  auto operator<=>(const Geometry&) const = default;
};

int NumberOr(std::string_view text, int fallback) {
  int value = fallback;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() ? value : fallback;
}

Geometry GeometryOf(const TItemData& item) {
  auto at = [&item](ItemField f, int fallback) { return NumberOr(item[f], fallback); };
  return {at(IWidth, 150),    at(IHeight, 20),       at(IPaddingLeft, 4), at(IPaddingRight, 10),
          at(IPaddingTop, 0), at(IPaddingBottom, 0), at(ITextAlign, 0)};
}

// The distinct boxes in order of first use, and each item's box number.
struct ListGeometry {
  std::vector<Geometry> boxes;
  std::vector<size_t> boxOfItem;
};

ListGeometry GeometryOfItems(const TvornAppletAgent& doc) {
  ListGeometry out;
  std::map<Geometry, size_t> seen;
  for (const TItemData& item : doc.Items) {
    const auto [at, added] = seen.try_emplace(GeometryOf(item), out.boxes.size());
    if (added) out.boxes.push_back(at->first);
    out.boxOfItem.push_back(at->second);
  }
  return out;
}

std::string BoxClass(const std::string& menuBaseName, size_t box) {
  return menuBaseName + "box" + std::to_string(box + 1);
}

std::string Px(int value) {
  return value <= 0 ? "0" : std::to_string(value) + "px";
}

// The look most of the bar's entries share, its class and box: those entries are
// written without classes and the two rules style them by their place in the list.
struct BarLook {
  std::string normalClass;
  size_t box = 0;
};

std::optional<BarLook> CommonBarLook(const TvornAppletAgent& doc, const ListGeometry& geometry) {
  std::map<std::pair<std::string, size_t>, int> counts;
  std::optional<BarLook> best;
  int most = 0;
  const std::vector<int> levels = ListLevels(doc);
  for (size_t i = 0; i < doc.Items.size(); ++i) {
    if (levels[i] > 0) continue;
    const std::pair<std::string, size_t> look{std::string(doc.Items[i][IClassNormal]), geometry.boxOfItem[i]};
    if (const int n = ++counts[look]; n > most) {
      most = n;
      best = BarLook{look.first, look.second};
    }
  }
  return best;
}

// A bar wider than any screen becomes the Menu button as soon as the runtime runs; until
// then the entries past a row of the widest screen would only be laid out, at length on a
// long bar, to be taken away. Their place (from 1) in the bar, 0 when all fit.
constexpr int kWidestScreen = 3840;

size_t FirstEntryPastWidestScreen(const TvornAppletAgent& doc, const ListGeometry& geometry, int gap) {
  const std::vector<int> levels = ListLevels(doc);
  long long left = 0;
  size_t place = 0;
  for (size_t i = 0; i < doc.Items.size(); ++i) {
    if (levels[i] > 0) continue;
    ++place;
    if (left >= kWidestScreen) return place;
    left += std::max(0, geometry.boxes[geometry.boxOfItem[i]].width) + std::max(0, gap);
  }
  return 0;
}

std::string PlainBarEntries(const std::string& menuBaseName) {
  const std::string entry = "#" + menuBaseName + "div>nav>ul>li>";
  return entry + "a:not([class])," + entry + "span:not([class])";
}

// An HTML5 page starts with its doctype; its body holds the code to paste
// between a blank line after its opening tag and one before its closing
// tag. Every text in the code is escaped, so neither tag can appear inside.
constexpr const char* kDoctype = "<!DOCTYPE html>";
constexpr const char* kBodyOpen = "<body>";
constexpr const char* kBodyClose = "</body>";

bool IsAsciiSpaceOrControl(unsigned char b) {
  return b <= 0x20 || b == 0x7F;
}

}  // namespace

std::string EscapeHtml(std::string_view text, TextEncoding encoding) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const auto b = static_cast<unsigned char>(text[at]);
    if (b >= 0x80) {
      const char32_t code =
          encoding == TextEncoding::Utf8 ? NextCodePoint(text, at) : Windows1252ToCodePoint(text[at++]);
      char ref[16];
      std::snprintf(ref, sizeof ref, "&#x%X;", static_cast<unsigned>(code));
      out += ref;
      continue;
    }
    ++at;
    switch (b) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        // Line breaks and controls have no place in a caption or an attribute.
        out += IsAsciiSpaceOrControl(b) ? ' ' : static_cast<char>(b);
    }
  }
  return out;
}

bool IsScriptOrDataLink(std::string_view link) {
  // Browsers skip leading blanks and controls and drop tabs and line breaks
  // anywhere before reading the scheme.
  std::string scheme;
  size_t i = 0;
  while (i < link.size() && IsAsciiSpaceOrControl(static_cast<unsigned char>(link[i]))) ++i;
  for (; i < link.size() && link[i] != ':'; ++i) {
    const char c = link[i];
    if (c == '\t' || c == '\n' || c == '\r') continue;
    scheme += c;
  }
  if (i == link.size()) return false;
  scheme = ToLowerAscii(scheme);
  return scheme == "javascript" || scheme == "vbscript" || scheme == "data";
}

std::string Html5ListStyles(const TvornAppletAgent& doc, const std::string& menuBaseName) {
  const std::string nav = "#" + menuBaseName + "div>nav";
  const bool horizontal = doc.AppletData[pMainMenuDirection] != "0";
  const int gap = NumberOr(doc.AppletData[pMainMenuItemGap], 1);
  std::string out;
  AppendLine(out, nav + ">ul{display:flex;" + (horizontal ? "" : "flex-direction:column;") +
                      "flex-wrap:wrap;align-items:flex-start;gap:" + Px(gap) + ";margin:0;padding:0}");
  AppendLine(out, nav + " ul ul{margin:0;padding:0}");
  AppendLine(out, nav + " ul ul ul{padding-left:12px}");
  AppendLine(out, nav + " li{list-style:none;margin:0;padding:0}");
  AppendLine(out, nav + " li>a," + nav + " li>span{display:flex;align-items:center;box-sizing:border-box;" +
                      "text-decoration:none;overflow:hidden}");
  // While script runs the menu replaces the list: only the bar shows.
  AppendLine(out, "@media (scripting:enabled){" + nav + " ul ul{display:none}}");
  const ListGeometry geometry = GeometryOfItems(doc);
  if (const size_t past = FirstEntryPastWidestScreen(doc, geometry, gap); horizontal && past > 0) {
    AppendLine(out, "@media (scripting:enabled){" + nav + ">ul>li:nth-child(n+" + std::to_string(past) +
                        "){display:none}}");
  }
  const std::optional<BarLook> common = CommonBarLook(doc, geometry);
  constexpr const char* kJustify[] = {"", ";justify-content:center", ";justify-content:flex-end"};
  for (size_t k = 0; k < geometry.boxes.size(); ++k) {
    const Geometry& g = geometry.boxes[k];
    const char* justify = kJustify[g.align >= 0 && g.align <= 2 ? g.align : 0];
    const std::string also = common && common->box == k ? "," + PlainBarEntries(menuBaseName) : std::string();
    AppendLine(out, "." + BoxClass(menuBaseName, k) + also + "{width:" + Px(g.width) +
                        ";min-height:" + Px(g.height) + ";padding:" + Px(g.top) + " " + Px(g.right) + " " +
                        Px(g.bottom) + " " + Px(g.left) + justify + "}");
  }
  return out;
}

namespace {

// One list entry: a link, or text for a disabled item, an item without a
// link, and one whose link would run script.
std::string Entry(const TItemData& item, int index, const std::string& classes, TextEncoding encoding,
                  const PagePlace& place, std::vector<std::string>& warnings) {
  const std::string caption = EscapeHtml(item[ICaption], encoding);
  const std::string link = Trim(item[ILink]);
  std::string attributes = classes.empty() ? "" : " class=\"" + classes + "\"";
  if (!Trim(item[IToolTip]).empty()) attributes += " title=\"" + EscapeHtml(item[IToolTip], encoding) + "\"";
  if (item[DisableItem] == "0")
    return "<span" + attributes + " aria-disabled=\"true\">" + caption + "</span>";
  if (IsScriptOrDataLink(link)) {
    warnings.push_back(DescribeItem(index, item[ICaption]) + ": its link \"" + link +
                       "\" runs script or holds data, so the page's list shows the item as text");
    return "<span" + attributes + ">" + caption + "</span>";
  }
  if (link.empty()) return "<span" + attributes + ">" + caption + "</span>";
  const std::string target = Trim(item[ITarget]);
  if (!target.empty() && ToLowerAscii(target) != "_self")
    attributes += " target=\"" + EscapeHtml(target, encoding) + "\"";
  // The page's own name is the file system's; a classic design's link is code page text.
  if (place.IsCurrentPage(FileSystemName(link, encoding))) attributes += " aria-current=\"page\"";
  return "<a href=\"" + EscapeHtml(place.Rebase(link), encoding) + "\"" + attributes + ">" + caption + "</a>";
}

// The loading block's three lines: stylesheet, configuration, runtime.
std::string LoadingCode(const std::array<std::string, 3>& files, const std::string& prefix) {
  std::string out;
  AppendLine(out, "<link href=\"" + EscapeHtml(prefix + files[2]) + "\" rel=\"stylesheet\">");
  AppendLine(out, "<script src=\"" + EscapeHtml(prefix + files[1]) + "\" defer></script>");
  AppendLine(out, "<script src=\"" + EscapeHtml(prefix + files[0]) + "\" defer></script>");
  return out;
}

// The container with the menu as nested lists, links as seen from `place`.
std::string Container(const TvornAppletAgent& doc, const std::string& menuBaseName, const PagePlace& place,
                      std::vector<std::string>& warnings) {
  std::string out;
  auto line = [&out](const std::string& text) { AppendLine(out, text); };
  line("<div id=\"" + menuBaseName + "div\">");
  line("<nav aria-label=\"Menu\">");
  line("<ul>");
  // Nested lists by level: a deeper item opens a list inside the entry
  // before it, a shallower one closes the lists in between.
  const ListGeometry geometry = GeometryOfItems(doc);
  const std::optional<BarLook> common = CommonBarLook(doc, geometry);
  const std::vector<int> levels = ListLevels(doc);
  // No indentation: on a large menu it would be a good part of the page.
  int previous = -1;
  for (int i = 0; i < doc.ItemCount(); ++i) {
    const TItemData& item = doc.Items[static_cast<size_t>(i)];
    const int level = levels[static_cast<size_t>(i)];
    if (previous >= 0 && level > previous) {
      out += kLineEnd;
      line("<ul>");
    } else if (previous >= 0) {
      line("</li>");
      for (int k = previous; k > level; --k) {
        line("</ul>");
        line("</li>");
      }
    }
    // Only the bar shows before the menu stands: its entries carry the bar's look and
    // sizes (the common one by their place), deeper ones stay plain, which keeps large
    // pages small and quick to read.
    const size_t box = geometry.boxOfItem[static_cast<size_t>(i)];
    const bool plain =
        level > 0 || (common && common->normalClass == item[IClassNormal] && common->box == box);
    const std::string classes =
        plain ? std::string() : EscapeHtml(item[IClassNormal]) + " " + BoxClass(menuBaseName, box);
    out += "<li>" + Entry(item, i, classes, doc.Encoding, place, warnings);
    previous = level;
  }
  if (previous >= 0) {
    line("</li>");
    for (int k = previous; k > 0; --k) {
      line("</ul>");
      line("</li>");
    }
  }
  for (const char* text : {"</ul>", "</nav>", "</div>"}) line(text);
  return out;
}

}  // namespace

ModernSheet Html5SheetOf(const TvornAppletAgent& doc, const std::string& menuBaseName) {
  const std::optional<BarLook> common = CommonBarLook(doc, GeometryOfItems(doc));
  return {common ? common->normalClass : std::string(), PlainBarEntries(menuBaseName)};
}

std::vector<int> ListLevels(const TvornAppletAgent& doc) {
  std::vector<int> levels;
  levels.reserve(doc.Items.size());
  int previous = -1;
  for (const TItemData& item : doc.Items) {
    previous = std::clamp(NumberOr(item[ILevel], 0), 0, previous + 1);
    levels.push_back(previous);
  }
  return levels;
}

std::string WithLineFeeds(std::string text) {
  size_t to = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
    text[to++] = text[at];
  }
  text.resize(to);
  return text;
}

Html5Page Html5PageText(const TvornAppletAgent& doc, const std::string& menuBaseName,
                        const std::string& language, const std::string& title) {
  if (!IsLanguageTag(language)) {
    throw ValueError("Cannot generate the page: the page language \"" + language +
                     "\" is not a language tag such as en, de or pt-BR.");
  }
  Html5Page page;
  std::string& out = page.text;
  auto line = [&out](const std::string& text) { AppendLine(out, text); };
  const auto& files = doc.RuntimeFiles;
  for (const std::string& text : {
           std::string(kDoctype),
           "<html lang=\"" + EscapeHtml(language) + "\">",
           std::string("<head>"),
           std::string("<meta charset=\"utf-8\">"),
           std::string("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
           // Titles come from file names, which are UTF-8 on most systems.
           "<title>" +
               EscapeHtml(title.empty() ? "Menu" : title,
                          IsValidUtf8(title) ? TextEncoding::Utf8 : TextEncoding::Windows1252) +
               "</title>",
           std::string("</head>"),
           std::string(kBodyOpen),
           std::string(),
           // The body is what a user pastes into every page: it names its maker and
           // marks the loading block, and leaves out our notices and instructions.
           std::string("<!-- ") + kProductLine + " -->",
           std::string("<!-- BEGIN -->"),
       }) {
    line(text);
  }
  const PagePlace published;
  out += LoadingCode(files, published.FilesPrefix());
  line("<!-- END -->");
  out += Container(doc, menuBaseName, published, page.warnings);
  for (const char* text : {"", kBodyClose, "</html>"}) line(text);
  page.text = WithLineFeeds(std::move(page.text));
  return page;
}

Html5Page Html5MenuCode(const TvornAppletAgent& doc, const std::string& menuBaseName,
                        const PagePlace& place) {
  Html5Page code;
  code.text = LoadingCode(doc.RuntimeFiles, place.FilesPrefix());
  code.text += Container(doc, menuBaseName, place, code.warnings);
  return code;
}

std::string Html5PasteCode(std::string_view page) {
  // The page's own line ends: LF as published, CR LF as older pages have them.
  const std::string_view eol = page.find("\r\n") == std::string_view::npos ? "\n" : "\r\n";
  const std::string open = std::string(kBodyOpen) + std::string(eol) + std::string(eol);
  const std::string close = std::string(eol) + std::string(eol) + std::string(kBodyClose);
  const size_t from = page.find(open);
  const size_t to = page.rfind(close);
  if (!page.starts_with(kDoctype) || from == std::string_view::npos || to == std::string_view::npos ||
      to < from + open.size()) {
    throw ValueError("The text is not an HTML5 menu page: its body holds no code to paste.");
  }
  // The last line of the code keeps its line end.
  const size_t begin = from + open.size();
  return std::string(page.substr(begin, to + eol.size() - begin));
}

}  // namespace velmora
