#pragma once

#include <QString>

namespace velmora {

// A local path as a "file:" address: on a drive path every "\" becomes "/"
// and every ":" "|" behind "file:///"; an absolute path of this system keeps
// its slashes ("file:///home/a.htm").
QString LocalFileUrl(const QString& path);

}  // namespace velmora
