#pragma once

// The simple CSS selectors the web page import takes to name a list: a
// type, #id and .class, compounds of these ("ul.menu#main") and the
// descendant combinator ("nav .menu").

#include <gumbo.h>

#include <string>
#include <string_view>
#include <vector>

namespace velmora::web {

class SimpleSelector {
 public:
  // ImportError-free parse: `problem` tells what is not read, else empty.
  static SimpleSelector Parse(std::string_view text, std::string& problem);

  bool Matches(const GumboNode* element) const;
  // Every element below `root` it matches, in document order.
  std::vector<const GumboNode*> MatchesBelow(const GumboNode* root) const;

  // The id when the selector is just "#id"; empty otherwise.
  std::string LoneId() const;
  // The name as written when the selector is just one bare name ("menu").
  std::string LoneName() const;

 private:
  struct Compound {
    std::string type;  // lower case; empty for any
    std::string typeAsWritten;
    std::string id;
    std::vector<std::string> classes;
  };
  static bool CompoundMatches(const Compound& compound, const GumboNode* element);

  std::vector<Compound> compounds_;  // outermost first
};

}  // namespace velmora::web
