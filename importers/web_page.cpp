#include "importers/web_page.h"

#include <gumbo.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>

#include "document/file_io.h"
#include "document/text.h"
#include "importers/gumbo_dom.h"
#include "importers/nav_lists.h"
#include "importers/page_encoding.h"
#include "importers/prose_condenser.h"
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

  void Clear() {
    blocks_.clear();
    large_.clear();
    used_ = 0;
  }

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

// A page must declare its encoding within its first 1024 bytes, as
// browsers look for it there.
constexpr size_t kDeclarationReach = 1024;

// The charset the first <meta> element declaring one names; empty if none.
std::string DeclaredCharset(const GumboNode* root) {
  std::string charset;
  web::WalkBelow(root, [&](const GumboNode* node) {
    if (!web::IsElement(node)) return Step::Skip;
    if (TagOf(node) != GUMBO_TAG_META) return Step::Enter;
    if (const char* value = AttributeOf(node, "charset")) {
      charset = value;
    } else if (const char* equiv = AttributeOf(node, "http-equiv");
               equiv && ToLowerAscii(web::TrimAscii(equiv)) == "content-type") {
      if (const char* content = AttributeOf(node, "content")) charset = web::CharsetOfContentType(content);
    }
    return charset.empty() ? Step::Skip : Step::Stop;
  });
  return charset;
}

}  // namespace

struct WebPage::Parsed {
  std::string text;  // UTF-8; the parser's nodes point into it
  ParserArena arena;
  GumboOutput* output = nullptr;

  Parsed(std::string_view utf8, ProseReading prose) {
    if (prose == ProseReading::Condensed) {
      if (std::optional<web::CondensedPage> condensed = web::CondenseProse(utf8)) {
        text = std::move(condensed->text);
        Parse();
        if (web::MarksAllInProse(Root(), condensed->marks)) return;
        arena.Clear();
      }
    }
    text = utf8;
    Parse();
  }
  const GumboNode* Root() const { return output->document; }

 private:
  void Parse() {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &ParserArena::Allocate;
    options.deallocator = &ParserArena::Release;
    options.userdata = &arena;
    options.max_errors = 0;  // the import never reports the page's own faults
    output = gumbo_parse_with_options(&options, text.data(), text.size());
  }
};

WebPage WebPage::Read(const std::string& path, WebPageScope scope) {
  return WebPage(ReadWholeFile(path), path, scope);
}

WebPage::WebPage(std::string_view bytes, std::string sourceName, WebPageScope scope, ProseReading prose)
    : sourceName_(std::move(sourceName)) {
  size_t markLength = 0;
  std::optional<PageEncoding> encoding = web::EncodingFromByteOrderMark(bytes, markLength);
  bytes.remove_prefix(markLength);
  if (!encoding) {
    // A <meta> declaration is plain ASCII whatever the encoding.
    const std::string charset =
        DeclaredCharset(Parsed(bytes.substr(0, kDeclarationReach), ProseReading::AsWritten).Root());
    encoding = charset.empty() ? PageEncoding::Utf8 : web::EncodingFromLabel(charset);
    if (!encoding) {
      throw ImportError(sourceName_ + ": the page is written in the encoding \"" + charset +
                        "\", which cannot be imported (UTF-8, UTF-16 and Windows-1252 can)");
    }
  }
  std::string decoded;
  if (*encoding != PageEncoding::Utf8) decoded = web::DecodeToUtf8(bytes, *encoding);
  const std::string_view text = *encoding == PageEncoding::Utf8 ? bytes : std::string_view(decoded);

  parsed_ = std::make_unique<Parsed>(text, prose);
  const std::vector<web::TopLevelList> found = web::FindTopLevelLists(parsed_->Root());
  // Reads the lists in order, keeping those with items, until `enough`.
  auto read = [&](bool navigationOnly, size_t enough) {
    for (const web::TopLevelList& list : found) {
      if (lists_.size() == enough) return;
      if ((navigationOnly && !list.inNav) || list.links < (list.inNav ? 1 : 2)) continue;
      WebMenuList items = web::ReadList(list.node);
      if (!items.items.empty()) lists_.push_back(std::move(items));
    }
  };
  if (scope == WebPageScope::AllLists) {
    read(false, found.size());
  } else {
    read(true, 1);
    if (lists_.empty()) read(false, 1);
  }
}

WebPage::~WebPage() = default;
WebPage::WebPage(WebPage&&) noexcept = default;
WebPage& WebPage::operator=(WebPage&&) noexcept = default;

int WebPage::DefaultList() const {
  for (size_t k = 0; k < lists_.size(); ++k) {
    if (lists_[k].inNav) return static_cast<int>(k);
  }
  return lists_.empty() ? -1 : 0;
}

const WebMenuList& WebPage::ChosenList() const {
  const int chosen = DefaultList();
  if (chosen < 0) throw ImportError("no navigation list found in " + sourceName_);
  return lists_[static_cast<size_t>(chosen)];
}

WebMenuList WebPage::ListWithId(std::string_view id) const {
  const GumboNode* element = web::FindElementById(parsed_->output->document, id);
  if (!element) throw ImportError("no element with the id \"" + std::string(id) + "\" in " + sourceName_);
  const GumboNode* list = web::ListAtOrIn(element);
  WebMenuList result;
  if (list) result = web::ReadList(list);
  if (result.items.empty()) {
    throw ImportError("the element with the id \"" + std::string(id) + "\" in " + sourceName_ +
                      " holds no list with items");
  }
  return result;
}

std::vector<std::string> WebMenuList::FirstCaptions(size_t count) const {
  std::vector<std::string> captions;
  for (const WebMenuItem& item : items) {
    if (captions.size() == count) break;
    if (item.level == 0) captions.push_back(item.caption);
  }
  return captions;
}

}  // namespace velmora
