#include "generator/site_links.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace velmora {

namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

std::string PercentEncoded(std::string_view name) {
  std::string out;
  for (const char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (IsUnreserved(b)) {
      out += c;
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", b);
      out += escape;
    }
  }
  return out;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool IsIndexName(std::string_view name) {
  return name == "index.html" || name == "index.htm";
}

}  // namespace

bool HasUrlScheme(std::string_view link) {
  for (size_t i = 0; i < link.size(); ++i) {
    const char c = link[i];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c == ':') return i > 0;
    if (letter) continue;
    if (i == 0 || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')) return false;
  }
  return false;
}

PagePlace::PagePlace(const std::string& publishedFolder, const std::string& page) {
  auto segments = [](const fs::path& path) {
    std::vector<Segment> out;
    for (const auto& part : path.relative_path()) {
      const std::string name = part.string();
      if (!name.empty()) out.push_back({name, PercentEncoded(name)});
    }
    return out;
  };
  const fs::path pagePath(page);
  published_ = segments(fs::path(publishedFolder));
  pageFolder_ = segments(pagePath.parent_path());
  atPublishedFolder_ =
      pagePath.parent_path().lexically_normal() == fs::path(publishedFolder).lexically_normal();
  for (const Segment& s : pageFolder_) pageKey_.push_back(s.name);
  const std::string name = pagePath.filename().string();
  pageKey_.push_back(IsIndexName(name) ? "" : name);

  size_t common = 0;
  while (common < published_.size() && common < pageFolder_.size() &&
         published_[common].name == pageFolder_[common].name)
    ++common;
  std::string prefix;
  for (size_t k = common; k < pageFolder_.size(); ++k) prefix += "../";
  for (size_t k = common; k < published_.size(); ++k) prefix += published_[k].text + "/";
  filesPrefix_ = prefix.empty() ? "./" : prefix;
}

bool PagePlace::Resolve(std::string_view link, Target& target) const {
  if (link.empty() || HasUrlScheme(link) || link[0] == '/' || link[0] == '\\' || link[0] == '#' ||
      link[0] == '?')
    return false;
  const size_t cut = link.find_first_of("?#");
  const std::string_view path = link.substr(0, cut);
  target.rest = cut == std::string_view::npos ? "" : std::string(link.substr(cut));
  target.folders = published_;
  size_t at = 0;
  while (true) {
    const size_t slash = path.find('/', at);
    const std::string_view part = path.substr(at, slash == std::string_view::npos ? path.npos : slash - at);
    const bool isLast = slash == std::string_view::npos;
    if (part == "..") {
      if (!target.folders.empty()) target.folders.pop_back();
    } else if (isLast && part != ".") {
      target.last = std::string(part);
    } else if (!part.empty() && part != ".") {
      target.folders.push_back({PercentDecoded(part), std::string(part)});
    }
    if (isLast) break;
    at = slash + 1;
  }
  return true;
}

std::string PagePlace::Rebase(std::string_view link) const {
  Target target;
  if (atPublishedFolder_ || !Resolve(link, target)) return std::string(link);
  size_t common = 0;
  while (common < target.folders.size() && common < pageFolder_.size() &&
         target.folders[common].name == pageFolder_[common].name)
    ++common;
  std::string out;
  for (size_t k = common; k < pageFolder_.size(); ++k) out += "../";
  for (size_t k = common; k < target.folders.size(); ++k) out += target.folders[k].text + "/";
  out += target.last;
  if (out.empty()) out = "./";
  return out + target.rest;
}

bool PagePlace::IsCurrentPage(std::string_view link) const {
  Target target;
  if (pageKey_.empty() || !Resolve(link, target)) return false;
  std::vector<std::string> key;
  for (const Segment& s : target.folders) key.push_back(s.name);
  const std::string last = PercentDecoded(target.last);
  key.push_back(IsIndexName(last) ? "" : last);
  return key == pageKey_;
}

}  // namespace velmora
