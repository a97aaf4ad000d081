#pragma once

// Registers the project file type (.velm) with the desktop so that opening
// a project starts the designer with its path. Linux: an XDG MIME type and a
// .desktop entry in the user's data folder, rewritten only when they
// differ. Windows: the current user's classes key. Failures are swallowed:
// the designer works without the association.

#include <QString>

namespace velmora {

inline constexpr const char* kProjectMimeType = "application/x-velmora";

struct AssociationWrites {
  bool mimeType = false;  // the MIME type file was (re)written
  bool entry = false;     // the .desktop entry was (re)written
};

// `programPath` is the full path of the designer's executable.
AssociationWrites RegisterFileAssociation(const QString& programPath);

// The texts written on Linux, and where.
QString MimeTypeFilePath();
QString DesktopEntryFilePath();
QString MimeTypeText();
QString DesktopEntryText(const QString& programPath);

}  // namespace velmora
