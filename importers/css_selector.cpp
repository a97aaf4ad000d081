#include "importers/css_selector.h"

#include "document/text.h"
#include "importers/gumbo_dom.h"
#include "importers/web_text.h"

namespace velmora::web {

namespace {

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

std::string ElementName(const GumboNode* element) {
  if (TagOf(element) != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(TagOf(element));
  GumboStringPiece name = element->v.element.original_tag;
  if (!name.data) return {};
  gumbo_tag_from_original_text(&name);
  return ToLowerAscii(std::string_view(name.data, name.length));
}

}  // namespace

SimpleSelector SimpleSelector::Parse(std::string_view text, std::string& problem) {
  SimpleSelector selector;
  problem.clear();
  text = TrimAscii(text);
  if (text.empty()) {
    problem = "the selector is empty";
    return selector;
  }
  size_t i = 0;
  const auto name = [&] {
    const size_t start = i;
    while (i < text.size() && IsNameCharacter(text[i])) ++i;
    return std::string(text.substr(start, i - start));
  };
  while (i < text.size()) {
    Compound& compound = selector.compounds_.emplace_back();
    if (text[i] == '*') {
      ++i;
    } else if (IsNameCharacter(text[i])) {
      compound.typeAsWritten = name();
      compound.type = ToLowerAscii(compound.typeAsWritten);
    }
    while (i < text.size() && (text[i] == '#' || text[i] == '.')) {
      const char kind = text[i++];
      std::string value = name();
      if (value.empty()) {
        problem = std::string("\"") + kind + "\" needs a name after it";
        return selector;
      }
      if (kind == '#') {
        compound.id = std::move(value);
      } else {
        compound.classes.push_back(std::move(value));
      }
    }
    if (i < text.size() && !IsAsciiSpace(text[i])) {
      problem = "\"" + ForMessage(text.substr(i, 1)) +
                "\" is not read here (a selector takes types, #id, .class and descendants)";
      return selector;
    }
    while (i < text.size() && IsAsciiSpace(text[i])) ++i;
  }
  return selector;
}

bool SimpleSelector::CompoundMatches(const Compound& compound, const GumboNode* element) {
  if (!IsElement(element)) return false;
  if (!compound.type.empty() && ElementName(element) != compound.type) return false;
  if (!compound.id.empty()) {
    const char* id = AttributeOf(element, "id");
    if (!id || compound.id != id) return false;
  }
  for (const std::string& name : compound.classes) {
    if (!HasClass(element, name)) return false;
  }
  return true;
}

bool SimpleSelector::Matches(const GumboNode* element) const {
  if (compounds_.empty() || !CompoundMatches(compounds_.back(), element)) return false;
  // Each compound before the last matches some ancestor, innermost first;
  // taking the nearest ancestor that matches never misses a match.
  size_t next = compounds_.size() - 1;
  for (const GumboNode* up = element->parent; up && next > 0; up = up->parent) {
    if (CompoundMatches(compounds_[next - 1], up)) --next;
  }
  return next == 0;
}

std::vector<const GumboNode*> SimpleSelector::MatchesBelow(const GumboNode* root) const {
  std::vector<const GumboNode*> found;
  WalkBelow(root, [&](const GumboNode* node) {
    if (!IsElement(node)) return Step::Skip;
    if (Matches(node)) found.push_back(node);
    return Step::Enter;
  });
  return found;
}

std::string SimpleSelector::LoneId() const {
  if (compounds_.size() != 1) return {};
  const Compound& only = compounds_.front();
  return only.type.empty() && only.classes.empty() ? only.id : std::string();
}

std::string SimpleSelector::LoneName() const {
  if (compounds_.size() != 1) return {};
  const Compound& only = compounds_.front();
  return only.id.empty() && only.classes.empty() ? only.typeAsWritten : std::string();
}

}  // namespace velmora::web
