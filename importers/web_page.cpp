#include "importers/web_page.h"

#include <gumbo.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <memory>

#include "document/file_io.h"
#include "document/text.h"
#include "document/unicode.h"
#include "importers/css_selector.h"
#include "importers/gumbo_dom.h"
#include "importers/list_candidates.h"
#include "importers/nesting_scan.h"
#include "importers/page_encoding.h"
#include "importers/web_text.h"

namespace velmora {

using web::AttributeOf;
using web::PageEncoding;
using web::Step;
using web::TagOf;

namespace {

// The parser's memory: handed out from large blocks and released all at
// once with the page. The parser makes many small allocations and would
// free most of them one by one with its tree.
class ParserArena {
 public:
  static void* Allocate(void* arena, size_t size) { return static_cast<ParserArena*>(arena)->Take(size); }
  static void Release(void*, void*) {}

 private:
  static constexpr size_t kBlock = 1 << 20;

  void* Take(size_t size) {
    size = (size + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1);
    if (size > kBlock / 4)
      return large_.emplace_back(std::make_unique_for_overwrite<std::byte[]>(size)).get();
    if (blocks_.empty() || used_ + size > kBlock) {
      blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(kBlock));
      used_ = 0;
    }
    void* at = blocks_.back().get() + used_;
    used_ += size;
    return at;
  }

  std::vector<std::unique_ptr<std::byte[]>> blocks_;  // the last one is being filled
  std::vector<std::unique_ptr<std::byte[]>> large_;
  size_t used_ = 0;
};

// Browsers look for a page's encoding declaration in its first 1024 bytes
// before they read it, and change to an encoding declared later.
constexpr size_t kDeclarationReach = 1024;

// What a page's <meta> elements declare: browsers pass over a label they
// do not know and take the next declaration.
struct Declaration {
  const PageEncoding* encoding = nullptr;  // the first one browsers know
  std::string unknownLabel;                // the first one they do not
};

Declaration DeclaredEncoding(const GumboNode* root) {
  Declaration declaration;
  web::WalkBelow(root, [&](const GumboNode* node) {
    if (!web::IsElement(node) || web::IsUnseen(node)) return Step::Skip;
    if (TagOf(node) != GUMBO_TAG_META) return Step::Enter;
    std::string charset;
    if (const char* value = AttributeOf(node, "charset")) {
      charset = value;
    } else if (const char* equiv = AttributeOf(node, "http-equiv");
               equiv && ToLowerAscii(web::TrimAscii(equiv)) == "content-type") {
      if (const char* content = AttributeOf(node, "content")) charset = web::CharsetOfContentType(content);
    }
    if (charset.empty()) return Step::Skip;
    declaration.encoding = web::EncodingForDeclaration(charset);
    if (!declaration.encoding && declaration.unknownLabel.empty()) declaration.unknownLabel = charset;
    return declaration.encoding ? Step::Stop : Step::Skip;
  });
  return declaration;
}

std::string LanguageOf(const GumboNode* root) {
  std::string language;
  web::WalkBelow(root, [&](const GumboNode* node) {
    if (TagOf(node) == GUMBO_TAG_HTML) language = web::TrimmedAttribute(node, "lang");
    return Step::Stop;
  });
  return language;
}

}  // namespace

struct WebPage::Parsed {
  std::string text;  // UTF-8; the parser's nodes point into it
  ParserArena arena;
  GumboOutput* output = nullptr;

  explicit Parsed(std::string utf8) : text(std::move(utf8)) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &ParserArena::Allocate;
    options.deallocator = &ParserArena::Release;
    options.userdata = &arena;
    options.max_errors = 0;  // the import never reports the page's own faults
    output = gumbo_parse_with_options(&options, text.data(), text.size());
  }
  const GumboNode* Root() const { return output->document; }
};

WebPage WebPage::Read(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (!error && size > kLargestImportedPage) {
    throw ImportError(path + ": the page is larger than " + std::to_string(kLargestImportedPage >> 20) +
                      " MB, more than an import reads; nothing was imported");
  }
  return WebPage(ReadWholeFile(path), path);
}

WebPage::WebPage(std::string_view bytes, std::string sourceName) : sourceName_(std::move(sourceName)) {
  if (bytes.size() > kLargestImportedPage) {
    throw ImportError(sourceName_ + ": the page is larger than " +
                      std::to_string(kLargestImportedPage >> 20) +
                      " MB, more than an import reads; nothing was imported");
  }
  Decode(bytes);
  language_ = LanguageOf(parsed_->Root());

  std::vector<WebMenuList> found = web::FindCandidates(parsed_->Root());
  int best = -1;
  for (size_t k = 0; k < found.size(); ++k) {
    if (!found[k].hidden && (best < 0 || found[k].score > found[static_cast<size_t>(best)].score))
      best = static_cast<int>(k);
  }
  if (best >= 0) {
    lists_.push_back(std::move(found[static_cast<size_t>(best)]));
    found.erase(found.begin() + best);
    default_ = 0;
  }
  std::move(found.begin(), found.end(), std::back_inserter(lists_));
}

void WebPage::Decode(std::string_view bytes) {
  size_t markLength = 0;
  const PageEncoding* encoding = web::EncodingFromByteOrderMark(bytes, markLength);
  bytes.remove_prefix(markLength);
  bool settled = encoding != nullptr;  // a byte-order mark is never overruled
  std::string unknownLabel;            // declared, but no browser knows it
  if (!encoding) {
    // A <meta> declaration is plain ASCII whatever the encoding.
    Declaration early = DeclaredEncoding(Parsed(std::string(bytes.substr(0, kDeclarationReach))).Root());
    encoding = early.encoding;
    unknownLabel = std::move(early.unknownLabel);
    settled = encoding != nullptr;
  }
  // What the user is told of an encoding the page did not settle.
  const auto guessNote = [&](const PageEncoding& readAs) {
    const std::string as = "it was read as " + std::string(readAs.name);
    return unknownLabel.empty() ? "the page declares no encoding; " + as
                                : "the page declares the encoding \"" + web::ForMessage(unknownLabel) +
                                      "\", which browsers do not know; " + as;
  };
  bool noted = false;
  if (!encoding) {
    const bool utf8 = IsValidUtf8(bytes);
    encoding = utf8 ? &web::Utf8Encoding() : &web::DetectEncoding(bytes);
    noted = !utf8 || !unknownLabel.empty();
    if (noted) notes_.push_back(guessNote(*encoding));
  }
  const auto refuseReplacement = [&](const PageEncoding& declared) {
    if (web::IsReplacement(declared)) {
      throw ImportError(
          sourceName_ +
          ": the page declares an encoding whose text browsers do not show; nothing was imported");
    }
  };
  const auto parse = [&](const PageEncoding& chosen) {
    refuseReplacement(chosen);
    std::string text = web::DecodeToUtf8(bytes, chosen);
    if (web::NestsDeeperThan(text, web::kDeepestPageNesting)) {
      throw ImportError(sourceName_ + ": the page nests its elements deeper than " +
                        std::to_string(web::kDeepestPageNesting) +
                        " levels, as no browser shows it; nothing was imported");
    }
    parsed_ = std::make_unique<Parsed>(std::move(text));
    encodingName_ = chosen.name;
  };
  parse(*encoding);
  if (settled) return;
  // A declaration past the first 1024 bytes: the page is read again in it.
  const PageEncoding* declared = DeclaredEncoding(parsed_->Root()).encoding;
  if (!declared) return;
  if (noted) notes_.pop_back();  // the page does declare one, if late
  if (!unknownLabel.empty()) notes_.push_back(guessNote(*declared));
  if (!(*declared == *encoding)) parse(*declared);
}

WebPage::~WebPage() = default;
WebPage::WebPage(WebPage&&) noexcept = default;
WebPage& WebPage::operator=(WebPage&&) noexcept = default;

int WebPage::DefaultList() const {
  return default_;
}

const WebMenuList& WebPage::ChosenList() const {
  if (default_ < 0 && !lists_.empty()) {
    throw ImportError("no visible navigation list found in " + sourceName_ +
                      "; its hidden lists can be picked (--list shows them)");
  }
  if (default_ < 0) throw ImportError("no navigation list found in " + sourceName_);
  return lists_[static_cast<size_t>(default_)];
}

const WebMenuList& WebPage::PickedList(int number) const {
  if (number < 1 || number > static_cast<int>(lists_.size())) {
    throw ImportError("there is no list " + std::to_string(number) + " in " + sourceName_ + " (it offers " +
                      std::to_string(lists_.size()) + "; --list shows them)");
  }
  return lists_[static_cast<size_t>(number - 1)];
}

WebMenuList WebPage::SelectedList(std::string_view selector) const {
  std::string problem;
  const web::SimpleSelector parsedSelector = web::SimpleSelector::Parse(selector, problem);
  const std::string shown = web::ForMessage(selector);
  if (!problem.empty()) throw ImportError("the selector \"" + shown + "\" cannot be used: " + problem);
  std::vector<const GumboNode*> matches = parsedSelector.MatchesBelow(parsed_->Root());
  std::string id = parsedSelector.LoneId();
  if (matches.empty() && !parsedSelector.LoneName().empty()) {
    // A bare name no element has names an id, as --select always took.
    id = parsedSelector.LoneName();
    matches = web::SimpleSelector::Parse("#" + id, problem).MatchesBelow(parsed_->Root());
  }
  const std::string what =
      id.empty() ? "the selector \"" + shown + "\"" : "the id \"" + web::ForMessage(id) + "\"";
  if (matches.empty()) {
    throw ImportError((id.empty() ? "no element matches " : "no element with ") + what + " in " +
                      sourceName_);
  }
  for (const GumboNode* element : matches) {
    WebMenuList menu = web::CandidateAt(element);
    if (!menu.items.empty()) return menu;
  }
  throw ImportError((id.empty() ? "the elements " + what + " matches" : "the element with " + what) + " in " +
                    sourceName_ + " hold" + (id.empty() ? "" : "s") + " no list with items");
}

std::vector<std::string> WebMenuList::FirstCaptions(size_t count) const {
  std::vector<std::string> captions;
  for (const WebMenuItem& item : items) {
    if (captions.size() == count) break;
    if (item.level == 0) captions.push_back(item.caption);
  }
  return captions;
}

int WebMenuList::Depth() const {
  int depth = 0;
  for (const WebMenuItem& item : items) depth = std::max(depth, item.level + 1);
  return depth;
}

}  // namespace velmora
