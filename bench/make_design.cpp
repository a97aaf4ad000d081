// Writes a synthetic project file for the publishing benchmark.
// Usage: make_design OUT.velm ITEMS [STYLES]

#include <cstdlib>
#include <iostream>

#include "document/errors.h"
#include "synthetic_design.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: make_design OUT.velm ITEMS [STYLES]\n";
    return 2;
  }
  velmora::TvornAppletAgent doc;
  velmora::ItemTree tree;
  velmora::bench::MakeSyntheticDesign(doc, tree, std::atoi(argv[2]), argc > 3 ? std::atoi(argv[3]) : 1000);
  try {
    doc.SaveProject(argv[1]);
  } catch (const velmora::Error& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
