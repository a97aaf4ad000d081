#pragma once

// The document's text meets the GUI's text here and nowhere else. A design
// holds Windows-1252 bytes or, once it needs more, UTF-8 bytes (its
// Encoding); the core converts between the two. File paths are not
// document text: they travel as the file system's own bytes.

#include <QString>
#include <string>
#include <string_view>

#include "document/applet_agent.h"

namespace velmora {

// Decodes Windows-1252 bytes; the five unassigned bytes map to the
// control characters of the same value, so every byte reads back.
QString FromCodePage(std::string_view bytes);
// Encodes into Windows-1252; characters the code page lacks become "?".
std::string ToCodePage(const QString& text);
// Whether every character of `text` has a Windows-1252 byte.
bool FitsCodePage(const QString& text);

// A value of a document stored in `encoding`.
QString FromDocumentText(std::string_view bytes, TextEncoding encoding);
// The document's bytes for `text`. A classic design that cannot hold the
// text is switched to UTF-8 first (every value converted, nothing lost).
std::string ToDocumentText(TvornAppletAgent& doc, const QString& text);
// The bytes of `text` in `encoding`, never switching a design; for a text
// a classic design cannot hold, see NeedsUtf8.
std::string ToDocumentText(const QString& text, TextEncoding encoding);
bool NeedsUtf8(const QString& text, TextEncoding encoding);

// Paths as the file system names them.
std::string ToNativePath(const QString& path);
QString FromNativePath(std::string_view path);

// The text of an error raised by the core: paths in it are the file
// system's bytes (UTF-8 here), values are document text.
QString FromErrorText(std::string_view text);

}  // namespace velmora
