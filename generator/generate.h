#pragma once

// Ties the generators together: the page, the configuration script and the
// stylesheet of a design.

#include <array>
#include <string>
#include <vector>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "generator/page_style.h"

namespace velmora {

// The page that loads the three scripts and holds the menu's container.
std::string PageText(const std::array<std::string, 3>& runtimeFiles, const std::string& menuBaseName);

// The classic page's loading code (stylesheet, configuration script,
// runtime, each named after `filesPrefix`) and, last, the menu's container.
std::vector<std::string> ClassicMenuCode(const std::array<std::string, 3>& runtimeFiles,
                                         const std::string& menuBaseName, const std::string& filesPrefix);

// Sets the names of the generated configuration script and stylesheet in
// the document's script list, as every generation does first.
void NameGeneratedFiles(TvornAppletAgent& doc);

// The three generated texts of a design.
struct MenuTexts {
  std::string stylesheet;
  std::string script;
  std::string page;
  // What the user should know about the output (links the HTML5 page's list
  // shows as text); generation went ahead.
  std::vector<std::string> warnings;
};

// Completes the document from the tree and assigns the style classes, as
// every generation does, and returns the texts without writing anything.
// Everything a generator refuses is refused here. The page style is the
// design's unless `options` names one.
MenuTexts GenerateMenuTexts(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                            const PageOptions& options = {});

// Completes the document from the tree, assigns the style classes, writes
// the stylesheet and the configuration script into the program folder and
// the page to `pagePath`. Returns the generation's warnings.
std::vector<std::string> GenerateMenuFiles(TvornAppletAgent& doc, const DesignTree& tree,
                                           const std::string& menuBaseName, const std::string& pagePath,
                                           const PageOptions& options = {});

// The page text that Build HTML shows: generates with the page written to a
// temporary file, which is read back and removed. The generation's warnings
// go to `warnings` when given.
std::string BuildPageText(TvornAppletAgent& doc, const DesignTree& tree, const std::string& menuBaseName,
                          const PageOptions& options = {}, std::vector<std::string>* warnings = nullptr);

// The code Build HTML shows for `pageText`, a page built from `doc` with
// `options`: the whole classic page, or the HTML5 page's code to paste (the
// loading block with its comments and the container with its list).
std::string CodeToPaste(const TvornAppletAgent& doc, const PageOptions& options, const std::string& pageText);

}  // namespace velmora
