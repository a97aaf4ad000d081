#pragma once

// Walks the lines of a tagged text file the way both readers need:
// "read a line" fails at the end of the file, "seek" reads until a line
// equals a tag exactly.

#include <string>
#include <string_view>
#include <vector>

#include "document/applet_agent.h"
#include "document/text.h"

namespace velmora {

class LineReader {
 public:
  explicit LineReader(std::string_view content) : lines_(SplitLines(content)) {}

  // Moves to the next line; false at the end of the file.
  bool Read() {
    if (next_ >= lines_.size()) return false;
    current_ = lines_[next_++];
    return true;
  }
  // Reads until the current line is `tag`; false at the end of the file.
  bool Seek(std::string_view tag) {
    while (current_ != tag) {
      if (!Read()) return false;
    }
    return true;
  }
  std::string_view Line() const { return current_; }
  size_t LinesLeft() const { return lines_.size() - next_; }
  // 1-based number of the current line.
  int LineNumber() const { return static_cast<int>(next_); }

 private:
  std::vector<std::string_view> lines_;
  size_t next_ = 0;
  std::string_view current_;
};

// The outcome for a file that ends before the tag a reader expected.
inline ReadResult TruncatedAt(const LineReader& reader, const std::string& expected) {
  return {ReadOutcome::Truncated, 0,
          "the file ends at line " + std::to_string(reader.LineNumber()) + " before \"" + expected + "\""};
}

}  // namespace velmora
