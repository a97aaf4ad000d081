#pragma once

// Walks the lines of a tagged text file the way both readers need:
// "read a line" fails at the end of the file, "seek" reads until a line
// equals a tag exactly.

#include <string>
#include <string_view>
#include <vector>

#include "document/applet_agent.h"
#include "document/byte_search.h"
#include "document/text.h"

namespace velmora {

class LineReader {
 public:
  explicit LineReader(std::string_view content) : content_(content) {}

  // Moves to the next line; false at the end of the file.
  bool Read() {
    if (at_ >= content_.size()) return false;
    current_ = NextLine(content_, at_);
    ++lineNumber_;
    return true;
  }
  // Reads the next line like Read, with the separators SearchLine finds
  // in it (positions counted from the line's start).
  bool ReadMarking(int n, LineMarks& marks) {
    if (at_ >= content_.size()) return false;
    const size_t start = at_;
    marks = SearchLine(content_, start, n);
    current_ = LineEndingAt(content_, at_, marks.lineBreak);
    ++lineNumber_;
    const auto fromLine = [start](size_t& mark) {
      mark = mark == std::string_view::npos ? mark : mark - start;
    };
    fromLine(marks.first);
    fromLine(marks.nth);
    fromLine(marks.afterNth);
    fromLine(marks.lineBreak);
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
  // Bytes after the current line.
  size_t BytesLeft() const { return content_.size() - at_; }
  // 1-based number of the current line.
  int LineNumber() const { return lineNumber_; }

 private:
  std::string_view content_;
  size_t at_ = 0;
  int lineNumber_ = 0;
  std::string_view current_;
};

// The outcome for a file that ends before the tag a reader expected.
inline ReadResult TruncatedAt(const LineReader& reader, const std::string& expected) {
  return {ReadOutcome::Truncated, 0,
          "the file ends at line " + std::to_string(reader.LineNumber()) + " before \"" + expected + "\""};
}

}  // namespace velmora
