#include "generator/prepare.h"

#include <algorithm>
#include <vector>

#include "document/errors.h"
#include "document/text.h"
#include "document/unicode.h"

namespace velmora {

namespace {

// The folded characters of `text`, and where each starts in it (one more
// entry: the end).
void FoldedCharacters(std::string_view text, std::vector<char32_t>& folded, std::vector<size_t>* starts) {
  for (size_t at = 0; at < text.size();) {
    if (starts) starts->push_back(at);
    folded.push_back(FoldCodePoint(NextCodePoint(text, at)));
  }
  if (starts) starts->push_back(text.size());
}

// The same replacement over UTF-8, comparing whole characters: folding may
// change a character's length, so matches are found among characters and
// mapped back to bytes.
std::string ReplaceAllIgnoringCaseUtf8(std::string_view text, std::string_view from, std::string_view to) {
  std::vector<char32_t> folded, pattern;
  std::vector<size_t> starts;
  FoldedCharacters(text, folded, &starts);
  FoldedCharacters(from, pattern, nullptr);
  std::string out;
  size_t copied = 0;
  for (auto at = folded.begin();;) {
    at = std::search(at, folded.end(), pattern.begin(), pattern.end());
    if (at == folded.end()) break;
    const auto first = static_cast<size_t>(at - folded.begin());
    out.append(text.substr(copied, starts[first] - copied));
    out.append(to);
    at += static_cast<std::ptrdiff_t>(pattern.size());
    copied = starts[first + pattern.size()];
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace

std::string ReplaceAllIgnoringCase(std::string_view text, std::string_view from, std::string_view to,
                                   TextEncoding encoding) {
  if (from.empty()) return std::string(text);
  if (encoding == TextEncoding::Utf8) return ReplaceAllIgnoringCaseUtf8(text, from, to);
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
      item[ILink] = toLocal ? ReplaceAllIgnoringCase(item[ILink], remote, local, doc.Encoding)
                            : ReplaceAllIgnoringCase(item[ILink], local, remote, doc.Encoding);
    }
  }
}

}  // namespace velmora
