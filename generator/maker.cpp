#include "generator/maker.h"

#include "document/text.h"

namespace velmora {

void AppendMakerComment(std::string& out) {
  for (const char* line : {"/*", kProductLine, kCopyrightLine, kProductPage, kSupportPage, "*/"}) {
    AppendLine(out, line);
  }
}

void AppendMakerMark(std::string& out) {
  AppendLine(out, std::string("/* ") + kProductLine + " */");
}

}  // namespace velmora
