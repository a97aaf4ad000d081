#pragma once

// Where a site page stands against the published menu: how it reaches the
// published files, how a menu link written for the published page reaches
// the same target from the page's folder, and which links lead to the page
// itself. Paths are compared as the file system names them; links are URL
// paths whose %-escapes stand for those names.

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

class PagePlace {
 public:
  // The published page's place: links stay as they are and none is current.
  PagePlace() = default;
  // `publishedFolder` and `page` are absolute, normalised paths.
  PagePlace(const std::string& publishedFolder, const std::string& page);

  // Written before a published file's name: "./", "../../", ...
  const std::string& FilesPrefix() const { return filesPrefix_; }
  // The link rewritten to reach the same target from the page's folder.
  // Absolute links, links from the site's root, and links made of a query
  // or a fragment alone are returned as they are.
  std::string Rebase(std::string_view link) const;
  // Whether the link leads to the page itself: the same path, whatever the
  // query and fragment; "folder/", "folder/index.html" and
  // "folder/index.htm" name one page.
  bool IsCurrentPage(std::string_view link) const;

 private:
  struct Segment {
    std::string name;  // as the file system has it
    std::string text;  // as a link writes it
  };
  struct Target {
    std::vector<Segment> folders;  // from the file system's root
    std::string last;              // the file name as written; "" for a folder
    std::string rest;              // query and fragment
  };
  bool Resolve(std::string_view link, Target& target) const;

  std::string filesPrefix_ = "./";
  bool atPublishedFolder_ = true;
  std::vector<Segment> published_;
  std::vector<Segment> pageFolder_;
  std::vector<std::string> pageKey_;
};

// A link with a scheme ("https:", "mailto:", ...).
bool HasUrlScheme(std::string_view link);

}  // namespace velmora
