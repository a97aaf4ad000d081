#include "platform/picture_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include "platform/prompts.h"

namespace velmora {

QString PictureDialog::GetOpenPicture(QWidget* parent, const QString& folder, const QString& filter) {
  // Qt's own dialog, so the preview label can sit inside its layout.
  QFileDialog dialog(parent, QObject::tr("Open Picture"), folder, filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.resize(kFileDialogSize.width() + 170, kFileDialogSize.height());
  auto* preview = new QLabel(&dialog);
  preview->setObjectName("lblPicturePreview");
  preview->setFixedSize(160, 160);
  preview->setAlignment(Qt::AlignCenter);
  preview->setFrameShape(QFrame::StyledPanel);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
  }
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
    QPixmap picture(path);
    if (picture.isNull()) {
      preview->clear();
      return;
    }
    preview->setPixmap(picture.scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace velmora
