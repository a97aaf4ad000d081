#pragma once

// The character encodings of web pages as browsers read them: every
// encoding of the WHATWG Encoding Standard by its labels, decoded through
// iconv; a detector for pages that declare none.

#include <string>
#include <string_view>

namespace velmora::web {

struct PageEncoding {
  std::string_view name;       // as the Encoding Standard names it: "Shift_JIS"
  std::string_view iconvName;  // empty where decoded here
  std::string_view labels;     // lower case, separated by spaces

  bool IsUtf8() const { return name == "UTF-8"; }
  bool IsUtf16() const { return name.starts_with("UTF-16"); }
  bool operator==(const PageEncoding& other) const { return name == other.name; }
};

const PageEncoding& Utf8Encoding();
const PageEncoding& Windows1252Encoding();

// The encoding a label names (any case, white space around); nullptr for
// a label browsers do not know.
const PageEncoding* EncodingForLabel(std::string_view label);
// The encoding a <meta> declaration gives: as the label, but UTF-16
// means UTF-8 and x-user-defined windows-1252 (a page that can be read
// for its <meta> is not UTF-16).
const PageEncoding* EncodingForDeclaration(std::string_view label);
// The encoding meant by browsers to show nothing of the page
// ("iso-2022-kr", "hz-gb-2312" ...): their text could hide markup.
bool IsReplacement(const PageEncoding& encoding);

// The encoding a byte-order mark at the start names; `markLength`
// receives the mark's length. nullptr when there is none.
const PageEncoding* EncodingFromByteOrderMark(std::string_view bytes, size_t& markLength);

// The charset named in a Content-Type value ("text/html; charset=utf-8");
// empty when it names none.
std::string CharsetOfContentType(std::string_view content);

// The text as UTF-8; bytes the encoding does not define become U+FFFD.
std::string DecodeToUtf8(std::string_view bytes, const PageEncoding& encoding);

// The encoding a detector finds most likely for undeclared bytes;
// windows-1252 when it finds none.
const PageEncoding& DetectEncoding(std::string_view bytes);

}  // namespace velmora::web
