#pragma once

#include <string>

namespace velmora::cli {

// Hands a file to the desktop's default handler (xdg-open, or the program
// named by VELMORA_OPEN_COMMAND) without waiting for it. False when no
// program could be started.
bool OpenWithDefaultHandler(const std::string& path);

}  // namespace velmora::cli
