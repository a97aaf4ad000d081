#pragma once

// The HTML5 page: a standards-mode document with its language, viewport and
// title, the same loading block as the classic page (both scripts deferred),
// and a container whose <nav> already holds the menu as nested lists of
// links. The runtime builds the live menu inside that <nav>; visitors and
// robots without script read the list. The bar's entries have the menu's
// own look and sizes (the common one from rules matching their place, others
// from their classes), so the list looks like the menu bar until the menu
// replaces it. The list is not indented and the body's comments are few: on
// a large menu every byte of an entry counts many times over.

#include <string>
#include <string_view>
#include <vector>

#include "document/applet_agent.h"
#include "document/format_extensions.h"
#include "generator/site_links.h"
#include "generator/styles.h"

namespace velmora {

struct Html5Page {
  std::string text;
  // Items whose links the list shows as text (script and data addresses).
  std::vector<std::string> warnings;
};

// The page of a prepared document (levels, links and class names set), its
// lines ended by LF.
// Refuses (ValueError) a language that is not a language tag.
Html5Page Html5PageText(const TvornAppletAgent& doc, const std::string& menuBaseName,
                        const std::string& language, const std::string& title);

// What a site page's menu region holds for the modern page: the loading
// block (files named from `place`) and the container with its list, item
// links rebased for `place` and the links to the page itself marked as the
// current page. Lines end in CR LF.
Html5Page Html5MenuCode(const TvornAppletAgent& doc, const std::string& menuBaseName, const PagePlace& place);

// The modern page's files end their lines in LF alone, as the web's files
// do: CR LF becomes LF (texts in them are escaped, so every CR LF is a line end).
std::string WithLineFeeds(std::string text);

// The code to paste into a page of one's own, taken from an HTML5 page made
// by Html5PageText: the body's content, from the comments that say where to
// paste through the container with its list. Refuses (ValueError) a text that
// is not such a page.
std::string Html5PasteCode(std::string_view page);

// What the modern page's stylesheet adds to the class rules: the bar's
// entries with the common look carry no classes and take that look by their
// place in the list.
ModernSheet Html5SheetOf(const TvornAppletAgent& doc, const std::string& menuBaseName);

// Rules appended to the stylesheet for the list: the layout of the bar and
// one rule per distinct item size, and submenus folded away while script
// runs, so the list takes the bar's place without a jump.
std::string Html5ListStyles(const TvornAppletAgent& doc, const std::string& menuBaseName);

// Each item's depth in the page's list: its level, kept at least 0 and at
// most one below the item before it.
std::vector<int> ListLevels(const TvornAppletAgent& doc);

// Text for HTML content and quoted attribute values: "&", "<", ">", the two
// quotes and control characters replaced, and everything above ASCII written
// as character references, so the page is ASCII. `encoding` tells how the
// bytes stand for characters.
std::string EscapeHtml(std::string_view text, TextEncoding encoding = TextEncoding::Windows1252);

// A link that runs script or carries its own content ("javascript:",
// "vbscript:", "data:"), in the forms browsers still accept: any letter case,
// leading blanks and controls, tabs and line breaks inside.
bool IsScriptOrDataLink(std::string_view link);

}  // namespace velmora
