#pragma once

// The <Format_Extensions> block: the one place where the project and
// structure formats grow. It stands right after "</Product_Version>", one
// Key=Value per line; readers of the classic format skip it because it lies
// between a closing tag and the next opening tag. Keys we do not know are
// kept and written back unchanged, and the block is written only when it
// holds a key, so a classic design stays byte for byte what it was.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

class LineReader;

// How the document's values are stored as bytes. A file without the block
// is Windows-1252; "Text_Encoding=UTF-8" marks a UTF-8 file.
enum class TextEncoding { Windows1252, Utf8 };

inline constexpr std::string_view kExtensionsOpenTag = "<Format_Extensions>";
inline constexpr std::string_view kExtensionsCloseTag = "</Format_Extensions>";
inline constexpr std::string_view kTextEncodingKey = "Text_Encoding";
inline constexpr std::string_view kUtf8Name = "UTF-8";

class FormatExtensions {
 public:
  // "" when the key is absent.
  std::string Value(std::string_view key) const;
  bool Has(std::string_view key) const;
  // An existing key keeps its place; a new key is appended.
  void Set(std::string_view key, std::string_view value);
  void Remove(std::string_view key);
  void Clear() { entries_.clear(); }
  bool Empty() const { return entries_.empty(); }
  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

  bool operator==(const FormatExtensions&) const = default;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

// What a file's block says: the text encoding, and every other key in order.
struct FileFormat {
  TextEncoding encoding = TextEncoding::Windows1252;
  FormatExtensions extensions;
};

// The block's lines, each ended by CR LF: "Text_Encoding=UTF-8" first when
// `encoding` is UTF-8, then the other keys in order. Nothing at all when
// there is no key to write.
std::string FormatExtensionsBlock(TextEncoding encoding, const FormatExtensions& extensions);

// Reads on from the current line until `nextTag`, taking the block when it
// stands on the way. False when the file ends first (like LineReader::Seek).
// Throws FormatError naming `sourceName` and the line for a block that is
// not closed before `nextTag`, a line that is not Key=Value, or an encoding
// we cannot read.
bool SeekPastExtensions(LineReader& reader, std::string_view nextTag, const std::string& sourceName,
                        FileFormat& format);

}  // namespace velmora
