#pragma once

// The character encoding of a web page: its byte-order mark, else the
// charset its <meta> element declares, else UTF-8. Pages are turned into
// UTF-8 before they are parsed.

#include <optional>
#include <string>
#include <string_view>

namespace velmora::web {

enum class PageEncoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

// The encoding a byte-order mark at the start names; `markLength` receives
// the mark's length.
std::optional<PageEncoding> EncodingFromByteOrderMark(std::string_view bytes, size_t& markLength);

// The encoding of a charset label as pages write it ("utf-8", "ISO-8859-1",
// "windows-1252" ...). A <meta> element cannot make a page UTF-16, so those
// labels mean UTF-8. Nothing for encodings the import does not read.
std::optional<PageEncoding> EncodingFromLabel(std::string_view label);

// The charset named in a Content-Type value ("text/html; charset=utf-8");
// empty when it names none.
std::string CharsetOfContentType(std::string_view content);

// The page's text as UTF-8 (without a byte-order mark).
std::string DecodeToUtf8(std::string_view bytes, PageEncoding encoding);

}  // namespace velmora::web
