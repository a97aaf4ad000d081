#include "generator/config_script.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>

#include "document/errors.h"
#include "document/field_labels.h"
#include "document/text.h"
#include "document/unicode.h"
#include "generator/html5_page.h"
#include "generator/maker.h"
#include "generator/vocabularies.h"

namespace velmora {

namespace {

// How each of the 40 positions of an item line is written.
enum class Kind { Quoted, Bare, Empty };
struct Position {
  Kind kind;
  ItemField field;
};

constexpr Position Q(ItemField f) {
  return {Kind::Quoted, f};
}
constexpr Position B(ItemField f) {
  return {Kind::Bare, f};
}
constexpr Position kNothing = {Kind::Empty, ICaption};

constexpr Position kItemLine[40] = {
    Q(ICaption),
    B(ITextAlign),
    B(ITextWrap),
    B(IPaddingLeft),
    B(IPaddingRight),
    B(IPaddingTop),
    B(IPaddingBottom),
    Q(ILink),
    Q(ITarget),
    Q(IStatusBarMsg),
    Q(IToolTip),
    B(IParentIndex),
    B(DisableItem),
    B(IWidth),
    B(IHeight),
    kNothing,
    kNothing,
    Q(IClassNormal),
    Q(IClassOver),
    Q(IClassClicked),
    Q(ILeftIconUrl),
    Q(IOverLeftIconUrl),
    Q(IClickedLeftIconUrl),
    B(ILeftIconWidth),
    B(ILeftIconHeight),
    Q(IImageUrl),
    Q(IOverImageUrl),
    Q(IClickedImageUrl),
    B(IImageWidth),
    B(IImageHeight),
    Q(IRightIconUrl),
    Q(IOverRightIconUrl),
    Q(IClickedRightIconUrl),
    B(IRightIconWidth),
    B(IRightIconHeight),
    B(ISubmenuOffsetX),
    B(ISubmenuOffsetY),
    B(ISubmenuDirection),
    B(IReserved38),
    B(ISubmenuItemGap),
};

constexpr AppletField kBuilderOpen[] = {pMainMenuDirection,   pMainMenuItemGap, pOpenDelay,
                                        pSlidingOpenDuration, pOpenSlideType,   pOpenTransitionFlag};
constexpr AppletField kBuilderClose[] = {pCloseDelay, pSlidingCloseDuration, pCloseSlideType,
                                         pCloseTransitionFlag};

// `owner` names the record for the error; it is only asked for then.
template <typename Owner>
std::string_view Bare(std::string_view value, const Owner& owner, int field, std::string (*label)(int)) {
  if (!IsBareNumber(value)) {
    throw ValueError("Cannot generate the configuration script: " + std::string(owner()) + ", " +
                     label(field) + " holds \"" + std::string(value) + "\", which is not a whole number.");
  }
  return value;
}

}  // namespace

bool IsMenuBaseName(std::string_view name) {
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (name.empty() || !letter(name[0])) return false;
  for (char c : name) {
    if (!letter(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

bool IsBareNumber(std::string_view text) {
  if (text.empty()) return true;
  if (text[0] == '-') text.remove_prefix(1);
  if (text.empty() || (text[0] == '0' && text.size() > 1)) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

namespace {

// Bytes written as they are: printable ASCII other than the quote, the
// backslash and "<" (which may start "</script>").
constexpr bool IsPlainScriptByte(unsigned char b) {
  return b >= 0x20 && b < 0x7F && b != '\\' && b != '\'' && b != '<';
}

struct PlainScriptBytes {
  bool plain[256];
  constexpr PlainScriptBytes() : plain() {
    for (int b = 0; b < 256; ++b) plain[b] = IsPlainScriptByte(static_cast<unsigned char>(b));
  }
};
constexpr PlainScriptBytes kPlain;

void AppendUnicodeEscape(std::string& out, unsigned code) {
  char escaped[16];
  std::snprintf(escaped, sizeof escaped, "\\u%04X", code);
  out += escaped;
}

}  // namespace

namespace {

// What the modern page's list holds for each item: a lean record leaves
// these positions empty.
constexpr bool InList(ItemField f) {
  return f == ICaption || f == ILink || f == ITarget || f == IToolTip || f == IParentIndex ||
         f == DisableItem;
}

// What the runtime takes for an empty position; a lean record leaves a value
// equal to it out.
std::string_view RuntimeDefault(ItemField f) {
  switch (f) {
    case IPaddingLeft:
      return "4";
    case IPaddingRight:
      return "10";
    case IWidth:
      return "150";
    case IHeight:
      return "20";
    case ILeftIconWidth:
    case ILeftIconHeight:
    case IImageWidth:
    case IImageHeight:
    case IRightIconWidth:
    case IRightIconHeight:
      return "16";
    case ISubmenuItemGap:
      return "1";
    case ITextAlign:
    case ITextWrap:
    case IPaddingTop:
    case IPaddingBottom:
    case ISubmenuOffsetX:
    case ISubmenuOffsetY:
    case ISubmenuDirection:
    case IReserved38:
      return "0";
    default:
      return "";
  }
}

// An item's positions inside "[...]", leaving out those the list holds and
// the runtime's defaults when `lean` (a lean record ends at its last value).
void AppendItemPositions(std::string& out, const TItemData& item, int index, TextEncoding encoding,
                         bool lean) {
  const size_t start = out.size();
  size_t lastValue = out.size();
  for (int p = 0; p < 40; ++p) {
    if (p > 0) out += ',';
    const Position& pos = kItemLine[p];
    if (lean && InList(pos.field)) continue;
    const std::string_view value = item[pos.field];
    if (pos.kind == Kind::Quoted) {
      if (lean && value.empty()) continue;
      out += '\'';
      AppendEscapedScriptString(out, value, encoding);
      out += '\'';
    } else if (pos.kind == Kind::Bare) {
      const std::string_view number = Bare(
          value, [&] { return DescribeItem(index, item[ICaption]); }, pos.field, ItemFieldLabel);
      if (lean && (number.empty() || number == RuntimeDefault(pos.field))) continue;
      out += number;
    }
    lastValue = out.size();
  }
  if (lean) out.resize(std::max(start, lastValue));
}

// The modern page's configuration: the distinct records, and each item's
// record number in list order with its children's numbers in an array
// after it ("[0,[1,1],0]"). When every item has the first record the
// numbers are left out.
void AppendLeanConfiguration(std::string& out, const TvornAppletAgent& doc, const std::string& n) {
  std::map<std::string, size_t> seen;
  std::string records;
  std::string order;
  const std::vector<int> levels = ListLevels(doc);
  int previous = 0;
  for (int i = 0; i < doc.ItemCount(); ++i) {
    std::string record = "[";
    AppendItemPositions(record, doc.Items[static_cast<size_t>(i)], i, doc.Encoding, true);
    record += ']';
    const auto [at, added] = seen.try_emplace(record, seen.size());
    if (added) {
      if (at->second > 0) records += "," + std::string(kLineEnd);
      records += record;
    }
    const int level = levels[static_cast<size_t>(i)];
    if (level > previous) {
      order += ",[";
    } else {
      order.append(static_cast<size_t>(previous - level), ']');
      if (i > 0) order += ',';
    }
    order += std::to_string(at->second);
    previous = level;
  }
  order.append(static_cast<size_t>(previous), ']');
  out += "var " + n + "cfg={r:[" + std::string(kLineEnd) + records + "]";
  if (seen.size() > 1) out += "," + std::string(kLineEnd) + "i:[" + order + "]";
  out += "};" + std::string(kLineEnd);
}

}  // namespace

void AppendEscapedScriptString(std::string& out, std::string_view text, TextEncoding encoding) {
  // The script comes out as plain ASCII, so it parses and shows the text
  // as typed whatever encoding the browser reads the page in.
  size_t i = 0;
  while (i < text.size()) {
    // Runs of plain bytes, the usual case, go in whole.
    size_t run = i;
    while (run < text.size() && kPlain.plain[static_cast<unsigned char>(text[run])]) ++run;
    out.append(text.data() + i, run - i);
    if (run == text.size()) break;
    i = run;
    const char c = text[i];
    const auto b = static_cast<unsigned char>(c);
    char escaped[8];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\'') {
      out += "\\'";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '<') {
      out += text.substr(i + 1, 1) == "/" ? "<\\" : "<";
    } else if (b < 0x20 || b == 0x7F) {
      std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
      out += escaped;
    } else if (encoding == TextEncoding::Windows1252) {
      AppendUnicodeEscape(out, Windows1252ToCodePoint(b));
    } else {
      // A character beyond U+FFFF as its surrogate pair, as script strings
      // count in UTF-16 units.
      char32_t code = NextCodePoint(text, i);
      if (code >= 0xDC80 && code <= 0xDCFF) code = 0xFFFD;  // a broken byte
      if (code >= 0x10000) {
        AppendUnicodeEscape(out, 0xD800 + ((code - 0x10000) >> 10));
        AppendUnicodeEscape(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
      } else {
        AppendUnicodeEscape(out, code);
      }
      continue;
    }
    ++i;
  }
}

std::string EscapeScriptString(std::string_view text, TextEncoding encoding) {
  std::string out;
  out.reserve(text.size());
  AppendEscapedScriptString(out, text, encoding);
  return out;
}

std::string ConfigScriptText(TvornAppletAgent& doc, const std::string& menuBaseName, PageStyle style) {
  const std::string& n = menuBaseName;
  if (!IsMenuBaseName(n)) {
    throw ValueError("Cannot generate the configuration script: the menu name \"" + n +
                     "\" must be a letter followed by letters, digits or \"_\".");
  }
  TAppletData& menu = doc.AppletData;
  menu[pMenuName] = n;
  menu[pMenuCfgName] = n + "cfg";
  menu[pMenuDivName] = n + "div";

  std::string out;
  auto line = [&out](const std::string& text) { AppendLine(out, text); };
  const bool html5 = style == PageStyle::Html5;
  if (html5) {
    AppendMakerMark(out);
  } else {
    AppendMakerComment(out);
  }

  if (html5) {
    // The page's list holds the rest of each item.
    AppendLeanConfiguration(out, doc, n);
  } else {
    out.reserve(out.size() + doc.Items.size() * 320);
    for (int i = 0; i < doc.ItemCount(); ++i) {
      out += "CI";
      out += n;
      out += "([";
      AppendItemPositions(out, doc.Items[static_cast<size_t>(i)], i, doc.Encoding, false);
      out += "]);";
      out += kLineEnd;
    }
  }

  if (html5) {
    // The runtime calls Init of a configuration loaded before it as it
    // starts; the timer covers other menu names and scripts added later. No
    // string for a timer to evaluate.
    line("function Init" + n + "(){");
    line("if(!window.bMac){setTimeout(Init" + n + ",50);return;}");
  } else {
    line("function CI" + n + "(ipa){");
    line("if(!(window." + n + "cfg)){eval('window." + n + "cfg=new Array();');};");
    line(n + "cfg[" + n + "cfg.length]=ipa;};");
    line("function Init" + n + "(){");
    line("if (!window.bMac){setTimeout('Init" + n + "()',350);return;};");
  }

  const std::string owner = "the menu-wide settings";
  // An empty argument would not parse, unlike an empty array position.
  auto bare = [&](AppletField f) {
    if (menu[f].empty()) {
      throw ValueError("Cannot generate the configuration script: " + owner + ", " + AppletFieldLabel(f) +
                       " is empty; it must be a whole number.");
    }
    return std::string(Bare(
               menu[f], [&] { return owner; }, f, AppletFieldLabel)) +
           ",";
  };
  std::string call = "bbae('" + EscapeScriptString(menu[pMenuName]) + "'," + menu[pMenuCfgName].str() + ",'" +
                     EscapeScriptString(menu[pMenuDivName]) + "',";
  for (AppletField f : kBuilderOpen) call += bare(f);
  call += "'" + EscapeScriptString(TransitionFilterText(menu[pOpenTransitionCustomFilter])) + "',";
  for (AppletField f : kBuilderClose) call += bare(f);
  call += "'" + EscapeScriptString(TransitionFilterText(menu[pCloseTransitionCustomFilter])) + "');};";
  line(call);
  line("Init" + n + "();");
  return html5 ? WithLineFeeds(std::move(out)) : out;
}

}  // namespace velmora
