#pragma once

// A web page read for its navigation: parsed with an HTML5 parser, in the
// encoding its byte-order mark or <meta charset> names (else UTF-8), with
// the lists of links that can become a menu.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "importers/web_menu.h"

namespace velmora {

// Which lists of a page are read: every list (to choose among them), or
// only the list taken without asking.
enum class WebPageScope { AllLists, FirstNavigationList };

// Whether the parser is handed the prose outside the page's lists in short
// (proved not to change what is found) or the page exactly as written.
enum class ProseReading { Condensed, AsWritten };

class WebPage {
 public:
  // Reads a page file. FileError when it cannot be read; ImportError when
  // it declares an encoding the import does not read.
  static WebPage Read(const std::string& path, WebPageScope scope = WebPageScope::AllLists);
  // `sourceName` names the page in messages. With FirstNavigationList,
  // Lists() holds only the list taken without asking.
  WebPage(std::string_view bytes, std::string sourceName, WebPageScope scope = WebPageScope::AllLists,
          ProseReading prose = ProseReading::Condensed);
  ~WebPage();
  WebPage(WebPage&&) noexcept;
  WebPage& operator=(WebPage&&) noexcept;

  const std::string& SourceName() const { return sourceName_; }

  // The lists a visitor sees that can become a menu, in document order:
  // lists not inside another list, holding a link when they are inside a
  // <nav> element, else at least two.
  const std::vector<WebMenuList>& Lists() const { return lists_; }
  // The list taken without asking: the first inside a <nav>, else the
  // first; -1 when the page holds none.
  int DefaultList() const;
  // The default list; ImportError "no navigation list found in PAGE".
  const WebMenuList& ChosenList() const;
  // The list the element with `id` is or holds; ImportError when there is
  // no such element or it holds no list with items.
  WebMenuList ListWithId(std::string_view id) const;

 private:
  struct Parsed;

  std::string sourceName_;
  std::unique_ptr<Parsed> parsed_;
  std::vector<WebMenuList> lists_;
};

}  // namespace velmora
