// Feeds arbitrary bytes to the web page import as a page, in whatever
// encoding they declare or the detector finds. Whatever the input, the
// page is refused as a whole, or every list it offers either becomes a
// design whose tree is in step and whose values a project file can store,
// or is refused with the document left as it was; the import never
// crashes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "document/applet_agent.h"
#include "document/text.h"
#include "document/unicode.h"
#include "importers/web_menu_import.h"
#include "importers/web_page.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<velmora::WebPage> page;
  try {
    page.emplace(bytes, "fuzz.html");
  } catch (const velmora::ImportError&) {
    return 0;  // refused: nested too deeply, or text browsers do not show
  }
  Check(page->DefaultList() < static_cast<int>(page->Lists().size()));
  // The default is a list a visitor sees.
  if (page->DefaultList() >= 0) Check(!page->ChosenList().hidden);
  // A selector finds a list or says why not.
  for (const char* selector : {"nav", "ul li", ".menu", "#main"}) {
    try {
      Check(!page->SelectedList(selector).items.empty());
    } catch (const velmora::ImportError&) {
    }
  }
  for (const velmora::WebMenuList& list : page->Lists()) {
    velmora::TvornAppletAgent doc;
    doc.ResetDocument();
    velmora::ItemTree tree;
    try {
      velmora::ImportWebMenu(list, page->SourceName(), doc, tree);
    } catch (const velmora::ImportError&) {
      Check(doc.ItemCount() == 0 && tree.NodeCount() == 1);
      continue;
    }
    Check(list.refusal.empty() && !list.items.empty());
    Check(doc.ItemCount() == static_cast<int>(list.items.size()) &&
          doc.ItemCount() <= velmora::kMostImportedItems);
    Check(tree.NodeCount() == doc.ItemCount() + 1);
    for (int node = 1; node < tree.NodeCount(); ++node) {
      const velmora::TItemData& item = doc.Items[static_cast<size_t>(node - 1)];
      Check(tree.Depth(node) - 1 == velmora::StrictToInt(item[velmora::ILevel]));
      Check(tree.Depth(node) <= velmora::kMostImportedLevels);
      for (velmora::ItemField field :
           {velmora::ICaption, velmora::ILink, velmora::ITarget, velmora::IToolTip}) {
        velmora::CheckStorableValue(item[field], "fuzz", "field");  // throws, and so fails, on a bad value
        Check(doc.Encoding == velmora::TextEncoding::Windows1252 || velmora::IsValidUtf8(item[field]));
      }
      Check(!item[velmora::ICaption].empty());
    }
  }
  return 0;
}
