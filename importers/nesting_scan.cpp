#include "importers/nesting_scan.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "importers/web_text.h"

namespace velmora::web {

namespace {

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsVoid(std::string_view name) {
  return IsOneOf(name, {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "image",
                        "img", "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

// Elements whose content is text up to their own end tag.
bool IsRawText(std::string_view name) {
  return IsOneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"});
}

// Where an end tag stops looking for the element it closes.
bool IsScopeBoundary(std::string_view name) {
  return IsOneOf(name, {"applet", "caption", "html", "table", "td", "th", "marquee", "object", "template",
                        "svg", "math"});
}

// A start tag of this name closes an open element of `closes` names, up to
// the nearest element of `within` names.
struct SiblingRule {
  std::string_view name;
  std::initializer_list<std::string_view> closes;
  std::initializer_list<std::string_view> within;
};
const SiblingRule kSiblingRules[] = {
    {"li", {"li"}, {"ul", "ol", "menu", "table"}},
    {"dt", {"dt", "dd"}, {"dl", "table"}},
    {"dd", {"dt", "dd"}, {"dl", "table"}},
    {"option", {"option"}, {"select", "datalist", "table"}},
    {"optgroup", {"optgroup"}, {"select", "table"}},
    {"optgroup", {"option"}, {"select", "table"}},
    {"td", {"td", "th"}, {"tr", "table"}},
    {"th", {"td", "th"}, {"tr", "table"}},
    {"tr", {"tr"}, {"tbody", "thead", "tfoot", "table"}},
    {"tbody", {"tbody", "thead", "tfoot"}, {"table"}},
    {"thead", {"tbody", "thead", "tfoot"}, {"table"}},
    {"tfoot", {"tbody", "thead", "tfoot"}, {"table"}},
    {"a", {"a"}, {"table", "td", "th", "button"}},
    {"p", {"p"}, {"button", "table", "td", "th"}},
};

// Start tags of blocks that close an open paragraph.
bool ClosesParagraph(std::string_view name) {
  return IsOneOf(name, {"address", "article", "aside",   "blockquote", "center",     "details", "dialog",
                        "dir",     "div",     "dl",      "fieldset",   "figcaption", "figure",  "footer",
                        "form",    "header",  "hgroup",  "h1",         "h2",         "h3",      "h4",
                        "h5",      "h6",      "hr",      "listing",    "main",       "menu",    "nav",
                        "ol",      "pre",     "section", "summary",    "table",      "ul"});
}

// Formatting elements an end tag closes only when it is the current one
// (elsewhere the parser moves elements about instead of closing them).
bool IsFormatting(std::string_view name) {
  return IsOneOf(name, {"a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small", "strike", "strong",
                        "tt", "u"});
}

class NestingScan {
 public:
  explicit NestingScan(std::string_view html) : html_(html) {}

  bool DeeperThan(size_t limit) {
    while (at_ < html_.size()) {
      const char* lt = static_cast<const char*>(std::memchr(html_.data() + at_, '<', html_.size() - at_));
      if (!lt) break;
      at_ = static_cast<size_t>(lt - html_.data()) + 1;
      if (Starts("!--")) {
        SkipPast("-->", 3);
      } else if (Starts("!") || Starts("?")) {
        SkipPast(">", 1);
      } else if (Starts("/")) {
        ++at_;
        if (IsLetter()) Close(Name());
        SkipPast(">", 0);
      } else if (IsLetter()) {
        const std::string name = Name();
        const bool selfClosing = SkipAttributes();
        if (name == "plaintext") break;  // the rest of the page is text
        Open(name, selfClosing);
        if (open_.size() > limit) return true;
      }
    }
    return false;
  }

 private:
  bool Starts(std::string_view what) const { return html_.substr(at_).starts_with(what); }
  bool IsLetter() const {
    return at_ < html_.size() && ((html_[at_] | 0x20) >= 'a' && (html_[at_] | 0x20) <= 'z');
  }
  void SkipPast(std::string_view end, size_t from) {
    const size_t found = html_.find(end, at_ + from);
    at_ = found == std::string_view::npos ? html_.size() : found + end.size();
  }
  std::string Name() {
    std::string name;
    while (at_ < html_.size() && !IsAsciiSpace(html_[at_]) && html_[at_] != '/' && html_[at_] != '>') {
      const char c = html_[at_++];
      name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c;
    }
    return name;
  }
  // Passes the attributes and the tag's end; whether it ends with "/>".
  bool SkipAttributes() {
    char quote = 0;
    char before = 0;
    for (; at_ < html_.size(); ++at_) {
      const char c = html_[at_];
      if (quote) {
        if (c == quote) quote = 0;
      } else if ((c == '"' || c == '\'') && (before == '=' || IsAsciiSpace(before))) {
        quote = c;
      } else if (c == '>') {
        ++at_;
        return before == '/';
      }
      if (!IsAsciiSpace(c) || quote) before = c;
    }
    return false;
  }

  // The position of the nearest open element named in `names`, searching
  // down to the nearest one of `stops`; npos when none.
  size_t Nearest(std::initializer_list<std::string_view> names,
                 std::initializer_list<std::string_view> stops) const {
    if (std::none_of(names.begin(), names.end(), [&](std::string_view name) { return IsOpen(name); }))
      return std::string_view::npos;
    for (size_t k = open_.size(); k-- > 0;) {
      if (IsOneOf(open_[k], names)) return k;
      if (IsOneOf(open_[k], stops)) break;
    }
    return std::string_view::npos;
  }

  void Open(const std::string& name, bool selfClosing) {
    if (IsVoid(name)) return;
    if (IsRawText(name)) {
      SkipRawText(name);
      return;
    }
    if (selfClosing && foreign_ > 0) return;  // <path/> inside <svg>
    for (const SiblingRule& rule : kSiblingRules) {
      if (rule.name != name) continue;
      if (const size_t at = Nearest(rule.closes, rule.within); at != std::string_view::npos) PopTo(at);
    }
    if (ClosesParagraph(name) && !open_.empty() && open_.back() == "p") PopTo(open_.size() - 1);
    if (IsForeignRoot(name)) ++foreign_;
    ++openCount_[name];
    open_.push_back(name);
  }

  void Close(const std::string& name) {
    if (!IsOpen(name)) return;
    // The end tags of a table's parts close the cells inside them.
    const bool tablePart = IsOneOf(name, {"table", "tbody", "thead", "tfoot", "tr", "td", "th", "caption"});
    for (size_t k = open_.size(); k-- > 0;) {
      if (open_[k] == name) {
        if (IsFormatting(name) && k + 1 != open_.size()) return;
        PopTo(k);
        return;
      }
      if (tablePart ? IsOneOf(open_[k], {"html", "table", "template"}) : IsScopeBoundary(open_[k])) return;
    }
  }

  static bool IsForeignRoot(std::string_view name) { return name == "svg" || name == "math"; }

  // Open elements are counted by name, so that a tag closing nothing does
  // not search the whole stack: a page may nest hundreds of levels deep.
  bool IsOpen(std::string_view name) const {
    const auto found = openCount_.find(name);
    return found != openCount_.end() && found->second > 0;
  }

  void PopTo(size_t size) {
    for (; open_.size() > size; open_.pop_back()) {
      if (IsForeignRoot(open_.back())) --foreign_;
      --openCount_.find(open_.back())->second;
    }
  }

  void SkipRawText(const std::string& name) {
    for (;;) {
      const size_t found = html_.find("</", at_);
      if (found == std::string_view::npos) {
        at_ = html_.size();
        return;
      }
      at_ = found + 2;
      const std::string_view rest = html_.substr(at_, name.size());
      if (rest.size() == name.size() && std::equal(rest.begin(), rest.end(), name.begin(),
                                                   [](char a, char b) { return (a | 0x20) == b; })) {
        at_ += name.size();
        SkipPast(">", 0);
        return;
      }
    }
  }

  std::string_view html_;
  size_t at_ = 0;
  std::vector<std::string> open_;
  std::map<std::string, size_t, std::less<>> openCount_;
  int foreign_ = 0;
};

}  // namespace

bool NestsDeeperThan(std::string_view html, size_t limit) {
  return NestingScan(html).DeeperThan(limit);
}

}  // namespace velmora::web
