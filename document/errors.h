#pragma once

// Errors raised by document and generator operations. Front ends catch
// `Error` and show what() to the user.

#include <stdexcept>
#include <string>

namespace velmora {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file could not be created, opened, read, written or replaced.
class FileError : public Error {
 public:
  FileError(std::string path, std::string problem)
      : Error(path + ": " + problem), path_(std::move(path)), problem_(std::move(problem)) {}
  const std::string& path() const { return path_; }
  const std::string& problem() const { return problem_; }

 private:
  std::string path_;
  std::string problem_;
};

// A text that had to be a decimal (or hexadecimal) number was not.
class NumberError : public Error {
 public:
  NumberError(std::string text, const std::string& where)
      : Error("'" + text + "' is not a valid integer value" + (where.empty() ? "" : " (" + where + ")")),
        text_(std::move(text)) {}
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// A file that says it follows the format but breaks it; the message names
// the file and the line.
class FormatError : public Error {
 public:
  using Error::Error;
};

// A value that cannot be written without corrupting the output.
class ValueError : public Error {
 public:
  using Error::Error;
};

}  // namespace velmora
