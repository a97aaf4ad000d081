#include "designer/picked_link.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace velmora {

namespace {

// The path below `folder`, or nothing when `file` is not inside it.
QString PathInside(const QString& file, const QString& folder) {
  if (folder.isEmpty()) return {};
  const QString relative = QDir(QDir::cleanPath(folder)).relativeFilePath(file);
  if (relative.isEmpty() || relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")) ||
      QDir::isAbsolutePath(relative)) {
    return {};
  }
  return relative;
}

QString EncodedPath(const QString& relative) {
  QUrl url;
  // "a:b.html" would read as an address of the scheme "a".
  url.setPath(relative.section('/', 0, 0).contains(':') ? "./" + relative : relative, QUrl::DecodedMode);
  return url.toString(QUrl::FullyEncoded);
}

// The local root as a folder: a "file:" address or a path.
QString RootFolder(const QString& localRoot) {
  const QString root = localRoot.trimmed();
  if (root.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) return QUrl(root).toLocalFile();
  return root;
}

}  // namespace

QString PickedLinkAddress(const QString& file, const QString& projectFile, const QString& localRoot) {
  const QString absolute = QFileInfo(file).absoluteFilePath();
  if (!projectFile.isEmpty()) {
    const QString relative = PathInside(absolute, QFileInfo(projectFile).absolutePath());
    if (!relative.isEmpty()) return EncodedPath(relative);
  }
  const QString folder = RootFolder(localRoot);
  if (QDir::isAbsolutePath(folder)) {
    const QString relative = PathInside(absolute, folder);
    if (!relative.isEmpty()) {
      QString root = localRoot.trimmed();
      if (!root.endsWith('/') && !root.endsWith('\\')) root += '/';
      return root + EncodedPath(relative);
    }
  }
  return QUrl::fromLocalFile(absolute).toString(QUrl::FullyEncoded);
}

}  // namespace velmora
