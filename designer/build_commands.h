#pragma once

// The Script menu's commands over the window's design: Build HTML, Preview
// and Publish, and the web browser setting. The page of the last build is
// kept for Preview when the code window shows only the code to paste.

#include <string>

namespace velmora {

class DesignSession;

class BuildCommands {
 public:
  explicit BuildCommands(DesignSession& session) : session_(session) {}

  // Stores the pages and generates the page text into the code window;
  // false when it refused (only the root in the tree).
  bool BuildHtmlCode();
  void BuildHtml();
  void Preview();
  void Publish();
  void WebBrowser();

 private:
  DesignSession& session_;
  // The page of the last build when the code window shows only the code to
  // paste (HTML5 style); empty when the window shows the whole page.
  std::string builtPage_;
};

}  // namespace velmora
