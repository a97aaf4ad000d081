#include "generator/site_region.h"

#include <algorithm>

#include "document/errors.h"

namespace velmora {

namespace {

size_t LineOf(std::string_view page, size_t at) {
  return 1 +
         static_cast<size_t>(std::count(page.begin(), page.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

[[noreturn]] void Refuse(const std::string& pageName, std::string_view page, size_t at,
                         const std::string& problem) {
  throw ValueError(pageName + ", line " + std::to_string(LineOf(page, at)) + ": " + problem);
}

// UTF-16 and UTF-32 pages: a byte-order mark, or ASCII with zero bytes
// between the letters at the start.
bool IsWideEncoding(std::string_view page) {
  if (page.starts_with("\xFF\xFE") || page.starts_with("\xFE\xFF")) return true;
  if (page.starts_with(std::string_view("\0\0\xFE\xFF", 4))) return true;
  const size_t probe = std::min<size_t>(page.size(), 64);
  size_t zeros = 0;
  for (size_t i = 0; i < probe; ++i) zeros += page[i] == '\0';
  return probe >= 4 && zeros * 4 >= probe;
}

std::string LineEndOf(std::string_view page, size_t from) {
  // The line end nearest after the marker; a page of one line takes LF.
  size_t at = page.find('\n', from);
  if (at == std::string_view::npos) at = page.find('\n');
  if (at == std::string_view::npos) return "\n";
  return at > 0 && page[at - 1] == '\r' ? "\r\n" : "\n";
}

std::string IndentBefore(std::string_view page, size_t marker) {
  size_t start = marker;
  while (start > 0 && (page[start - 1] == ' ' || page[start - 1] == '\t')) --start;
  if (start > 0 && page[start - 1] != '\n' && page[start - 1] != '\r') return "";
  return std::string(page.substr(start, marker - start));
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsEmptyElement(std::string_view name) {
  return name == "link" || name == "meta" || name == "img" || name == "br" || name == "hr" || name == "input";
}

// One start tag's inside ("link href=x rel=stylesheet") written as XML.
std::string XmlStartTag(std::string_view tag) {
  size_t at = 0;
  auto skipBlanks = [&] {
    while (at < tag.size() && IsBlank(tag[at])) ++at;
  };
  auto takeUntil = [&](auto stop) {
    const size_t from = at;
    while (at < tag.size() && !stop(tag[at])) ++at;
    return tag.substr(from, at - from);
  };
  const std::string_view name = takeUntil([](char c) { return IsBlank(c) || c == '/'; });
  std::string out = "<" + std::string(name);
  for (skipBlanks(); at < tag.size() && tag[at] != '/'; skipBlanks()) {
    const std::string_view attribute = takeUntil([](char c) { return IsBlank(c) || c == '=' || c == '/'; });
    std::string_view value = attribute;  // a bare attribute's XML value is its name
    if (at < tag.size() && tag[at] == '=') {
      ++at;
      if (at < tag.size() && (tag[at] == '"' || tag[at] == '\'')) {
        const char quote = tag[at++];
        value = takeUntil([quote](char c) { return c == quote; });
        ++at;
      } else {
        value = takeUntil([](char c) { return IsBlank(c); });
      }
    }
    out += " " + std::string(attribute) + "=\"" + std::string(value) + "\"";
  }
  return out + (IsEmptyElement(name) ? "/>" : ">");
}

}  // namespace

std::string XmlSyntax(std::string_view code) {
  std::string out;
  size_t at = 0;
  while (at < code.size()) {
    const size_t open = code.find('<', at);
    const size_t close = code.find('>', open);
    if (open == std::string_view::npos || close == std::string_view::npos) break;
    out += code.substr(at, open - at);
    const std::string_view tag = code.substr(open + 1, close - open - 1);
    // Our code holds no comments or scripts, and escapes ">" in values.
    if (tag.empty() || tag[0] == '/' || tag[0] == '!') {
      out += code.substr(open, close + 1 - open);
    } else {
      out += XmlStartTag(tag);
    }
    at = close + 1;
  }
  if (at < code.size()) out += code.substr(at);
  return out;
}

MenuRegion FindMenuRegion(std::string_view page, const std::string& pageName) {
  if (IsWideEncoding(page)) {
    throw ValueError(pageName +
                     ": the page is UTF-16 or UTF-32 encoded; save it as UTF-8 or a one-byte "
                     "encoding to give it a menu");
  }
  const size_t open = page.find(kMenuRegionOpen);
  const size_t close = page.find(kMenuRegionClose);
  MenuRegion region;
  if (open == std::string_view::npos && close == std::string_view::npos) return region;
  if (open == std::string_view::npos || close < open) {
    Refuse(pageName, page, close,
           "the closing marker " + std::string(kMenuRegionClose) + " stands before any opening marker " +
               std::string(kMenuRegionOpen));
  }
  const size_t begin = open + kMenuRegionOpen.size();
  if (close == std::string_view::npos) {
    Refuse(pageName, page, open,
           "the opening marker " + std::string(kMenuRegionOpen) + " has no closing marker " +
               std::string(kMenuRegionClose) + " after it");
  }
  const size_t secondOpen = page.find(kMenuRegionOpen, begin);
  if (secondOpen < close) {
    Refuse(pageName, page, secondOpen,
           "a second opening marker " + std::string(kMenuRegionOpen) +
               " before the closing marker of the first");
  }
  const size_t after = close + kMenuRegionClose.size();
  const size_t again = std::min(page.find(kMenuRegionOpen, after), page.find(kMenuRegionClose, after));
  if (again != std::string_view::npos) {
    Refuse(pageName, page, again, "a second menu region; a page holds one menu region");
  }
  region.found = true;
  region.begin = begin;
  region.end = close;
  region.lineEnd = LineEndOf(page, begin);
  region.indent = IndentBefore(page, open);
  return region;
}

std::string RegionText(std::string_view code, const MenuRegion& region) {
  std::string out = region.lineEnd;
  out.reserve(code.size() + code.size() / 8);
  constexpr std::string_view kCodeLineEnd = "\r\n";
  size_t at = 0;
  while (at < code.size()) {
    size_t end = code.find(kCodeLineEnd, at);
    if (end == std::string_view::npos) end = code.size();
    out += region.indent;
    out += code.substr(at, end - at);
    out += region.lineEnd;
    at = end + kCodeLineEnd.size();
  }
  out += region.indent;
  return out;
}

std::string PageWithRegion(std::string_view page, const MenuRegion& region, std::string_view regionText) {
  std::string out;
  out.reserve(page.size() - (region.end - region.begin) + regionText.size());
  out += page.substr(0, region.begin);
  out += regionText;
  out += page.substr(region.end);
  return out;
}

}  // namespace velmora
