#pragma once

// A web page read for its navigation: decoded as a browser decodes it,
// parsed with an HTML5 parser, with the lists of links that can become a
// menu, the likeliest first.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "importers/web_menu.h"

namespace velmora {

class WebPage {
 public:
  // Reads a page file. FileError when it cannot be read; ImportError when
  // it is too large, too deeply nested, or in an encoding browsers do not
  // show.
  static WebPage Read(const std::string& path);
  // `sourceName` names the page in messages.
  WebPage(std::string_view bytes, std::string sourceName);
  ~WebPage();
  WebPage(WebPage&&) noexcept;
  WebPage& operator=(WebPage&&) noexcept;

  const std::string& SourceName() const { return sourceName_; }
  // The encoding the page was read in, as the Encoding Standard names it.
  const std::string& EncodingName() const { return encodingName_; }
  // The language the page's <html lang> names; empty when none.
  const std::string& Language() const { return language_; }
  // What the reader had to guess or mend on the whole page (an encoding
  // found by detection ...), for the user.
  const std::vector<std::string>& Notes() const { return notes_; }

  // The lists that can become a menu: the default (the list a person would
  // take) first, then the others in document order. Lists not inside
  // another list holding a link (two outside a <nav>); the lists of one
  // <nav> or role="navigation" element make one menu.
  const std::vector<WebMenuList>& Lists() const { return lists_; }
  // 0 when the page offers a visible list, else -1.
  int DefaultList() const;
  // The default list; ImportError "no navigation list found in PAGE".
  const WebMenuList& ChosenList() const;
  // The list numbered `number` (from 1) in Lists(); ImportError when none.
  const WebMenuList& PickedList(int number) const;
  // The menu the first element `selector` matches gives (a simple CSS
  // selector; a lone name no element has is taken as an id): the element
  // itself when a list, the lists of a <nav> joined, else the first list
  // in it. ImportError when no element matches or none holds a list.
  WebMenuList SelectedList(std::string_view selector) const;

 private:
  struct Parsed;

  void Decode(std::string_view bytes);

  std::string sourceName_;
  std::string encodingName_;
  std::string language_;
  std::vector<std::string> notes_;
  std::unique_ptr<Parsed> parsed_;
  std::vector<WebMenuList> lists_;
  int default_ = -1;
};

}  // namespace velmora
