#pragma once

// The address the link button writes for a file chosen on this computer.

#include <QString>

namespace velmora {

// `file` relative to the project's folder when it lies inside it (the
// published page sits there); else, when it lies inside the Path page's
// local root (`localRoot`, a folder or a "file:" address), that root as
// written followed by the rest of the path, which the Path page's link
// conversion turns into the web address; else the file's "file:" address.
// Every part is percent-encoded as an address needs ("#", "?", "%",
// blanks, non-ASCII letters). `projectFile` is empty for an untitled design.
QString PickedLinkAddress(const QString& file, const QString& projectFile, const QString& localRoot);

}  // namespace velmora
