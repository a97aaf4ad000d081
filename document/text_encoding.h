#pragma once

// The document's text and the rest of the world: UTF-8 text from the GUI,
// an importer or a terminal, and the file system's names. A classic design
// holds Windows-1252 bytes; a design that needs a character the code page
// lacks is switched to UTF-8 once, converting every value, so nothing is
// lost. Names of files pass through FileSystemName and DocumentNameOfFile
// and nowhere else.

#include <string>
#include <string_view>

#include "document/applet_agent.h"

namespace velmora {

// UTF-8 of a value stored in `encoding`.
std::string TextToUtf8(std::string_view text, TextEncoding encoding);
// Whether storing a UTF-8 text into a design in `encoding` switches the
// design to UTF-8 (ToDocumentText).
bool NeedsUtf8(std::string_view utf8, TextEncoding encoding);
// The bytes of a UTF-8 text in `encoding`, as ToDocumentText stores them
// into a design that needs no switch; a text `encoding` cannot hold stays
// as it is.
std::string EncodedText(std::string_view utf8, TextEncoding encoding);

// Converts every value of a classic design to UTF-8 and marks it so; a
// UTF-8 design is left as it is. True when the design was switched.
bool SwitchToUtf8(TvornAppletAgent& doc);

// The document's bytes for a UTF-8 text, switching a classic design to
// UTF-8 first when the code page cannot hold the text. Invalid UTF-8 in
// `utf8` is kept byte for byte as code page text in a classic design and
// replaced by U+FFFD in a UTF-8 design.
std::string ToDocumentText(TvornAppletAgent& doc, std::string_view utf8);

// The status line's words for a design that was switched to UTF-8.
inline constexpr const char* kSwitchedToUtf8Message =
    "This design now holds text in UTF-8; the next save marks its files so.";

// The file system's name for a file name or path held in the document's
// text. File system names are UTF-8 here (a Windows build opens them
// through the wide-character API from the same UTF-8).
std::string FileSystemName(std::string_view text, TextEncoding encoding);
// The document's text for a file system name; a classic design that cannot
// hold the name is switched to UTF-8 first.
std::string DocumentNameOfFile(TvornAppletAgent& doc, std::string_view fileSystemName);

}  // namespace velmora
