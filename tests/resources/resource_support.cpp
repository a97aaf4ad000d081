#include "resource_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <stdexcept>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace velmora::test {

ScratchFolder::ScratchFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = fs::temp_directory_path() / ("velmora-res-" + std::to_string(random()));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
  throw std::runtime_error("no temporary folder could be made");
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

namespace {

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

CommandResult RunCli(const std::vector<std::string>& args) {
  ScratchFolder streams;
  std::string command = ShellQuoted(VELMORA_CLI);
  for (const std::string& arg : args) command += " " + ShellQuoted(arg);
  command += " >" + ShellQuoted(streams / "out") + " 2>" + ShellQuoted(streams / "err") + " </dev/null";
  const int raw = std::system(command.c_str());
  CommandResult result;
  result.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadFile(streams / "out");
  result.err = ReadFile(streams / "err");
  return result;
}

std::string MakeProgramFolder(const ScratchFolder& scratch) {
  const std::string home = scratch / "home";
  fs::create_directory(home);
  fs::copy_file(kProgramDir + "/jsmenu0.js", home + "/jsmenu0.js");
  return home;
}

namespace {

// The start tags of an HTML text; text that only shows markup is written
// with "&lt;" and so never counts.
std::vector<std::string> TagsOf(const std::string& html) {
  static const std::regex tag(R"re(<[A-Za-z][^>]*>)re");
  std::vector<std::string> tags;
  for (std::sregex_iterator it(html.begin(), html.end(), tag), end; it != end; ++it)
    tags.push_back(it->str());
  return tags;
}

// Values of the attributes that match `names` in the start tags of `html`.
std::vector<std::string> AttributeValues(const std::string& html, const std::regex& names) {
  std::vector<std::string> values;
  for (const std::string& tag : TagsOf(html)) {
    for (std::sregex_iterator it(tag.begin(), tag.end(), names), end; it != end; ++it) {
      const std::smatch& m = *it;
      values.push_back(m[1].matched ? m[1].str() : m[2].matched ? m[2].str() : m[3].str());
    }
  }
  return values;
}

}  // namespace

std::vector<std::string> LinksOf(const std::string& html) {
  static const std::regex links(R"re(\s(?:href|src)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re",
                                std::regex::icase);
  return AttributeValues(html, links);
}

std::set<std::string> AnchorsOf(const std::string& html) {
  static const std::regex anchors(R"re(\s(?:name|id)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re",
                                  std::regex::icase);
  const std::vector<std::string> values = AttributeValues(html, anchors);
  return {values.begin(), values.end()};
}

bool HoldsMenuContainer(const std::string& page, const std::string& menuName) {
  const std::string id = menuName + "div";
  return page.find("<div id=" + id + "></div>") != std::string::npos ||
         page.find("<div id=\"" + id + "\">\n<nav aria-label=") != std::string::npos;
}

}  // namespace velmora::test
