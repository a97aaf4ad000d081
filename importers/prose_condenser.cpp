#include "importers/prose_condenser.h"

#include <array>
#include <cstdint>

#include "document/text.h"
#include "importers/gumbo_dom.h"
#include "importers/web_text.h"

namespace velmora::web {

namespace {

// Shorter runs are copied: a mark is three bytes.
constexpr size_t kShortestRun = 8;

constexpr std::array<std::string_view, 9> kRawTextElements = {
    "script", "style", "xmp", "iframe", "noembed", "noframes", "noscript", "textarea", "title"};

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiAlphanumeric(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9');
}

bool IsListName(std::string_view name) {
  return name == "ul" || name == "ol" || name == "menu";
}

// Whether a numeric character reference anywhere in the page could stand
// for the mark character.
bool RefersToMark(std::string_view page) {
  for (size_t at = page.find("&#"); at != std::string_view::npos; at = page.find("&#", at + 2)) {
    size_t i = at + 2;
    const bool hex = i < page.size() && (page[i] == 'x' || page[i] == 'X');
    if (hex) ++i;
    uint32_t value = 0;
    for (; i < page.size(); ++i) {
      const char c = page[i];
      int digit;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) {
        digit = (c | 0x20) - 'a' + 10;
      } else {
        break;
      }
      value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
      if (value > 0x10FFFF) value = 0x110000;  // stays out of range
    }
    if (value == 0xE000) return true;
  }
  return false;
}

// Reads a page's markup the way the HTML5 tokenizer does, closely enough to
// tell prose from tags, comments and raw text; where it errs, the check of
// the parsed tree finds the mark out of place.
class Condenser {
 public:
  explicit Condenser(std::string_view page) : in_(page) { out_.reserve(page.size() / 2); }

  CondensedPage Run() {
    while (at_ < in_.size()) {
      Prose(NextMarkupOrReference());
      if (at_ == in_.size()) break;
      if (in_[at_] == '&') {
        CopyUpTo(ReferenceEnd(at_ + 1));
      } else {
        Markup();
      }
    }
    return {std::move(out_), marks_};
  }

 private:
  std::string_view in_;
  size_t at_ = 0;
  std::string out_;
  size_t marks_ = 0;
  int listDepth_ = 0;

  char At(size_t i) const { return i < in_.size() ? in_[i] : '\0'; }

  // Where the next "<" or "&" is, or the page's end.
  size_t NextMarkupOrReference() const {
    const size_t tag = std::min(in_.find('<', at_), in_.size());
    return std::min(in_.substr(0, tag).find('&', at_), tag);
  }

  void CopyUpTo(size_t end) {
    end = std::min(end, in_.size());
    out_.append(in_.substr(at_, end - at_));
    at_ = end;
  }

  void Prose(size_t end) {
    const std::string_view run = in_.substr(at_, end - at_);
    bool worth = listDepth_ == 0 && run.size() >= kShortestRun;
    bool spaceOnly = true;
    for (size_t i = 0; worth && i < run.size(); ++i) {
      if (run[i] == '\0') worth = false;  // the parser drops it in some places
      if (!IsAsciiSpace(run[i])) spaceOnly = false;
    }
    if (!worth || spaceOnly) return CopyUpTo(end);
    out_ += kProseMark;
    ++marks_;
    at_ = end;
  }

  // Past a character reference: generous, as copying more is always safe.
  size_t ReferenceEnd(size_t i) const {
    if (At(i) == '#') ++i;
    while (IsAsciiAlphanumeric(At(i))) ++i;
    return At(i) == ';' ? i + 1 : i;
  }

  // Past the next ">" at or after `from`.
  size_t PastClose(size_t from) const {
    const size_t close = in_.find('>', from);
    return close == std::string_view::npos ? in_.size() : close + 1;
  }

  // Past the ">" of a tag whose name ends at `i`, over its attributes,
  // quoted values included.
  size_t TagEnd(size_t i) const {
    while (i < in_.size()) {
      const char c = in_[i];
      if (c == '>') return i + 1;
      if (IsAsciiSpace(c) || c == '/') {
        ++i;
        continue;
      }
      ++i;  // a name may start with "="
      while (i < in_.size() && !IsAsciiSpace(in_[i]) && in_[i] != '/' && in_[i] != '>' && in_[i] != '=') ++i;
      while (IsAsciiSpace(At(i))) ++i;
      if (At(i) != '=') continue;
      ++i;
      while (IsAsciiSpace(At(i))) ++i;
      if (At(i) == '"' || At(i) == '\'') {
        const size_t quote = in_.find(in_[i], i + 1);
        if (quote == std::string_view::npos) return in_.size();
        i = quote + 1;
      } else {
        while (i < in_.size() && !IsAsciiSpace(in_[i]) && in_[i] != '>') ++i;
      }
    }
    return in_.size();
  }

  // Past the end of a comment whose "<!--" ends at `i`.
  size_t CommentEnd(size_t i) const {
    if (At(i) == '>') return i + 1;
    if (At(i) == '-' && At(i + 1) == '>') return i + 2;
    for (size_t dashes = in_.find("--", i); dashes != std::string_view::npos;
         dashes = in_.find("--", dashes + 1)) {
      size_t j = dashes + 2;
      while (At(j) == '-') ++j;
      if (At(j) == '>') return j + 1;
      if (At(j) == '!' && At(j + 1) == '>') return j + 2;
    }
    return in_.size();
  }

  // Where the end tag of a raw text element starts, or the page's end.
  size_t RawTextEnd(std::string_view name) const {
    for (size_t at = in_.find("</", at_); at != std::string_view::npos; at = in_.find("</", at + 2)) {
      const size_t after = at + 2 + name.size();
      if (after > in_.size() || ToLowerAscii(in_.substr(at + 2, name.size())) != name) continue;
      const char next = At(after);
      if (IsAsciiSpace(next) || next == '/' || next == '>') return at;
    }
    return in_.size();
  }

  std::string TagName(size_t from) const {
    size_t end = from;
    while (end < in_.size() && !IsAsciiSpace(in_[end]) && in_[end] != '/' && in_[end] != '>') ++end;
    return ToLowerAscii(in_.substr(from, end - from));
  }

  void Markup() {
    const char next = At(at_ + 1);
    if (next == '!') {
      if (in_.substr(at_, 4) == "<!--") return CopyUpTo(CommentEnd(at_ + 4));
      // Character data in SVG or MathML runs to "]]>"; elsewhere the parser
      // ends it at the first ">", and copying further is safe.
      if (in_.substr(at_, 9) == "<![CDATA[")
        return CopyUpTo(std::min(in_.find("]]>", at_ + 9), in_.size()) + 3);
      return CopyUpTo(PastClose(at_));  // doctype or bogus comment
    }
    if (next == '?') return CopyUpTo(PastClose(at_));
    if (next == '/') {
      const char first = At(at_ + 2);
      if (first == '>') return CopyUpTo(at_ + 3);
      if (!IsAsciiLetter(first)) return CopyUpTo(PastClose(at_));
      const std::string name = TagName(at_ + 2);
      if (IsListName(name) && listDepth_ > 0) --listDepth_;
      return CopyUpTo(TagEnd(at_ + 2 + name.size()));
    }
    if (!IsAsciiLetter(next)) return CopyUpTo(at_ + 1);  // a "<" in text
    const std::string name = TagName(at_ + 1);
    CopyUpTo(TagEnd(at_ + 1 + name.size()));
    if (IsListName(name)) ++listDepth_;
    if (name == "plaintext") return CopyUpTo(in_.size());
    for (std::string_view raw : kRawTextElements) {
      if (name == raw) return CopyUpTo(RawTextEnd(raw));
    }
  }
};

bool HoldsRawText(const GumboNode* node) {
  if (!IsElement(node)) return false;
  const std::string_view name = gumbo_normalized_tagname(TagOf(node));
  if (name == "plaintext") return true;
  for (std::string_view raw : kRawTextElements) {
    if (name == raw) return true;
  }
  return false;
}

size_t CountMarks(std::string_view text) {
  size_t count = 0;
  for (size_t at = text.find(kProseMark); at != std::string_view::npos;
       at = text.find(kProseMark, at + kProseMark.size())) {
    ++count;
  }
  return count;
}

}  // namespace

std::optional<CondensedPage> CondenseProse(std::string_view page) {
  if (page.find(kProseMark) != std::string_view::npos || RefersToMark(page)) return std::nullopt;
  CondensedPage condensed = Condenser(page).Run();
  if (condensed.marks == 0) return std::nullopt;
  return condensed;
}

bool MarksAllInProse(const GumboNode* root, size_t marks) {
  size_t found = 0;
  int closedOff = 0;  // depth of lists and raw text elements around the node
  WalkBelow(
      root,
      [&](const GumboNode* node) {
        // The parser joins character data and the text after it into one
        // text node: marks there were not read as prose.
        if (node->type == GUMBO_NODE_TEXT && closedOff == 0 &&
            std::string_view(node->v.text.original_text.data, node->v.text.original_text.length)
                    .find("<![CDATA[") == std::string_view::npos) {
          found += CountMarks(node->v.text.text);
        }
        if (!IsElement(node)) return Step::Skip;
        if (IsList(node) || HoldsRawText(node)) ++closedOff;
        return Step::Enter;
      },
      [&](const GumboNode* node) {
        if (IsList(node) || HoldsRawText(node)) --closedOff;
      });
  return found == marks;
}

}  // namespace velmora::web
