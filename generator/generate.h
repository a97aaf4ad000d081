#pragma once

// Ties the generators together: the page, the configuration script and the
// stylesheet of a design.

#include <array>
#include <string>

#include "document/applet_agent.h"
#include "document/design_tree.h"

namespace velmora {

// The page that loads the three scripts and holds the menu's container.
std::string PageText(const std::array<std::string, 3>& runtimeFiles, const std::string& menuBaseName);

// Sets the names of the generated configuration script and stylesheet in
// the document's script list, as every generation does first.
void NameGeneratedFiles(TvornAppletAgent& doc);

// The three generated texts of a design.
struct MenuTexts {
  std::string stylesheet;
  std::string script;
  std::string page;
};

// Completes the document from the tree and assigns the style classes, as
// every generation does, and returns the texts without writing anything.
// Everything a generator refuses is refused here.
MenuTexts GenerateMenuTexts(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName);

// Completes the document from the tree, assigns the style classes, writes
// the stylesheet and the configuration script into the program folder and
// the page to `pagePath`.
void GenerateMenuFiles(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                       const std::string& pagePath);

// The page text that Build HTML shows: generates with the page written to a
// temporary file, which is read back and removed.
std::string BuildPageText(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName);

}  // namespace velmora
