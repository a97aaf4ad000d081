// Feeds arbitrary bytes to one of the two file readers. Whatever the input,
// a reader either loads a document that stays in step with its tree or
// leaves the old document untouched; it never crashes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/applet_agent.h"
#include "document/errors.h"

#ifndef VELMORA_FUZZ_STRUCTURE
#define VELMORA_FUZZ_STRUCTURE 0
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string content(reinterpret_cast<const char*>(data), size);
  velmora::TvornAppletAgent doc;
  doc.ResetDocument();
  velmora::ItemTree tree;
  try {
    const velmora::ReadResult result = VELMORA_FUZZ_STRUCTURE ? doc.ImportStructureText(content, "fuzz", tree)
                                                              : doc.LoadProjectText(content, "fuzz", tree);
    if (result.outcome != velmora::ReadOutcome::Loaded && doc.ItemCount() != 0) std::abort();
  } catch (const velmora::NumberError&) {
    if (doc.ItemCount() != 0) std::abort();  // a bad level must leave the document as it was
  } catch (const velmora::FormatError&) {
    // broken text in a file marked UTF-8, or a broken block: refused the same way
    if (doc.ItemCount() != 0 || doc.Encoding != velmora::TextEncoding::Windows1252) std::abort();
  }
  if (tree.NodeCount() != doc.ItemCount() + 1) std::abort();
  for (int node = 1; node < tree.NodeCount(); ++node) {
    if (std::to_string(tree.Depth(node) - 1) != doc.Items[static_cast<size_t>(node - 1)][velmora::ILevel] &&
        tree.Depth(node) - 1 != std::stoi(doc.Items[static_cast<size_t>(node - 1)][velmora::ILevel])) {
      std::abort();
    }
  }
  return 0;
}
