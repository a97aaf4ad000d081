#include "document/format_extensions.h"

#include <algorithm>

#include "document/errors.h"
#include "document/line_reader.h"
#include "document/text.h"

namespace velmora {

namespace {

auto FindKey(auto& entries, std::string_view key) {
  return std::find_if(entries.begin(), entries.end(),
                      [key](const auto& entry) { return entry.first == key; });
}

[[noreturn]] void Refuse(const std::string& sourceName, int line, const std::string& problem) {
  throw FormatError(sourceName + ", line " + std::to_string(line) + ": " + problem);
}

TextEncoding EncodingNamed(std::string_view name, const std::string& sourceName, int line) {
  if (name == kUtf8Name) return TextEncoding::Utf8;
  if (name == "Windows-1252") return TextEncoding::Windows1252;
  Refuse(sourceName, line,
         "the text encoding \"" + std::string(name) + "\" cannot be read (only " + std::string(kUtf8Name) +
             " and Windows-1252)");
}

}  // namespace

std::string FormatExtensions::Value(std::string_view key) const {
  const auto entry = FindKey(entries_, key);
  return entry == entries_.end() ? std::string() : entry->second;
}

bool FormatExtensions::Has(std::string_view key) const {
  return FindKey(entries_, key) != entries_.end();
}

void FormatExtensions::Set(std::string_view key, std::string_view value) {
  const auto entry = FindKey(entries_, key);
  if (entry != entries_.end()) {
    entry->second = value;
  } else {
    entries_.emplace_back(key, value);
  }
}

void FormatExtensions::Remove(std::string_view key) {
  const auto entry = FindKey(entries_, key);
  if (entry != entries_.end()) entries_.erase(entry);
}

std::string FormatExtensionsBlock(TextEncoding encoding, const FormatExtensions& extensions) {
  std::string block;
  const auto addEntry = [&block](std::string_view key, std::string_view value) {
    if (block.empty()) AppendLine(block, kExtensionsOpenTag);
    block.append(key).append("=").append(value).append(kLineEnd);
  };
  if (encoding == TextEncoding::Utf8) addEntry(kTextEncodingKey, kUtf8Name);
  for (const auto& [key, value] : extensions.Entries()) {
    if (key != kTextEncodingKey) addEntry(key, value);  // the encoding is written from `encoding` alone
  }
  if (!block.empty()) AppendLine(block, kExtensionsCloseTag);
  return block;
}

bool SeekPastExtensions(LineReader& reader, std::string_view nextTag, const std::string& sourceName,
                        FileFormat& format) {
  bool blockSeen = false;
  while (reader.Line() != nextTag) {
    // Only the first block counts; anything else between the tags is skipped
    // as the classic readers skip it.
    if (reader.Line() == kExtensionsOpenTag && !blockSeen) {
      blockSeen = true;
      const int opened = reader.LineNumber();
      struct Given {
        std::string value;
        int line;
      };
      std::vector<std::pair<std::string, Given>> given;
      for (;;) {
        if (!reader.Read()) return false;
        const std::string_view line = reader.Line();
        if (line == kExtensionsCloseTag) break;
        if (line == nextTag) {
          Refuse(sourceName, opened,
                 "the block " + std::string(kExtensionsOpenTag) + " is not closed before \"" +
                     std::string(nextTag) + "\"");
        }
        const size_t equals = line.find('=');
        if (equals == 0 || equals == std::string_view::npos) {
          Refuse(sourceName, reader.LineNumber(),
                 "\"" + std::string(line) + "\" in " + std::string(kExtensionsOpenTag) +
                     " is not a Key=Value line");
        }
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        // A key given twice must say the same both times: which one a
        // reader took would otherwise decide how the file reads.
        const auto seen = FindKey(given, key);
        if (seen != given.end()) {
          if (seen->second.value != value) {
            Refuse(sourceName, reader.LineNumber(),
                   "the key \"" + std::string(key) + "\" in " + std::string(kExtensionsOpenTag) + " is \"" +
                       std::string(value) + "\" here but \"" + seen->second.value + "\" on line " +
                       std::to_string(seen->second.line));
          }
          continue;
        }
        given.push_back({std::string(key), {std::string(value), reader.LineNumber()}});
        if (key == kTextEncodingKey) {
          format.encoding = EncodingNamed(value, sourceName, reader.LineNumber());
        } else {
          format.extensions.Set(key, value);
        }
      }
    }
    if (!reader.Read()) return false;
  }
  return true;
}

}  // namespace velmora
