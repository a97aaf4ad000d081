#pragma once

// File > Import from Web Page: a new design from the navigation list of an
// existing page, with the save prompt, preview clean-up, tree rebuild and
// window state of Import Menu Structure.

namespace velmora {

class DesignSession;
class FileCommands;

inline constexpr const char* kWebPageFilesFilter =
    "Web Pages (*.html;*.htm)|*.html;*.htm|All Files (*.*)|*.*";

// Runs the command, asking first as `files` does before a file replaces
// the design; errors raise (the caller shows them).
void ImportFromWebPage(DesignSession& session, FileCommands& files);

}  // namespace velmora
