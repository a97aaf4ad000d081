#include "designer/local_file_url.h"

namespace velmora {

QString LocalFileUrl(const QString& path) {
  // An absolute path of this system already reads as an address path.
  if (path.startsWith('/')) return "file://" + path;
  QString address = path;
  address.replace('\\', '/');
  address.replace(':', '|');
  return "file:///" + address;
}

}  // namespace velmora
