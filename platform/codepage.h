#pragma once

// The files' single-byte code page (Windows-1252) meets the GUI's text here
// and nowhere else. File paths are not code page text: they travel as the
// file system's own bytes.

#include <QString>
#include <string>
#include <string_view>

namespace velmora {

// Decodes Windows-1252 bytes; the five unassigned bytes map to the
// control characters of the same value, so every byte reads back.
QString FromCodePage(std::string_view bytes);
// Encodes into Windows-1252; characters the code page lacks become "?".
std::string ToCodePage(const QString& text);
// Whether every character of `text` has a Windows-1252 byte.
bool FitsCodePage(const QString& text);

// Paths as the file system names them.
std::string ToNativePath(const QString& path);
QString FromNativePath(std::string_view path);

// The text of an error raised by the core: paths in it are the file
// system's bytes (UTF-8 here), values are code page bytes.
QString FromErrorText(std::string_view text);

}  // namespace velmora
