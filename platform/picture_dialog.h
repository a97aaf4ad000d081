#pragma once

// An open-file dialog for pictures that previews the selected GIF or JPEG
// beside the file list.

#include <QString>

class QWidget;

namespace velmora {

class PictureDialog {
 public:
  // Empty when cancelled.
  static QString GetOpenPicture(QWidget* parent, const QString& folder, const QString& filter);
};

}  // namespace velmora
