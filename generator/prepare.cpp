#include "generator/prepare.h"

#include "document/errors.h"
#include "document/text.h"

namespace velmora {

std::string ReplaceAllIgnoringCase(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  const std::string lowerText = FoldCase1252(text);
  const std::string lowerFrom = FoldCase1252(from);
  std::string out;
  size_t start = 0;
  for (size_t at; (at = lowerText.find(lowerFrom, start)) != std::string::npos; start = at + from.size()) {
    out.append(text.substr(start, at - start));
    out.append(to);
  }
  out.append(text.substr(start));
  return out;
}

void PrepareItems(TvornAppletAgent& doc, const DesignTree& tree) {
  const int nodes = tree.NodeCount();
  if (nodes - 1 != doc.ItemCount()) {
    throw Error("The design tree holds " + std::to_string(nodes - 1) + " items but the document holds " +
                std::to_string(doc.ItemCount()) + ".");
  }
  const TAppletData& menu = doc.AppletData;
  const std::string local(menu[pInternalUse_RootDir_Local]);
  const std::string remote(menu[pInternalUse_RootDir_Remote]);
  const bool convertLinks = !Trim(local).empty() && !Trim(remote).empty();
  const bool toLocal = menu[pInternalUse_RootDir_Local_Checked] == "1";

  for (int node = 1; node < nodes; ++node) {
    TItemData& item = doc.Items[static_cast<size_t>(node - 1)];
    item[ILevel] = std::to_string(tree.Depth(node) - 1);
    const int parent = tree.Parent(node);
    item[IParentIndex] = std::to_string(parent == 0 ? -1 : parent - 1);
    item[IReserved38] = "0";
    if (convertLinks) {
      item[ILink] = toLocal ? ReplaceAllIgnoringCase(item[ILink], remote, local)
                            : ReplaceAllIgnoringCase(item[ILink], local, remote);
    }
  }
}

}  // namespace velmora
