#include "platform/prompts.h"

#include <QColorDialog>
#include <QFileDialog>

#include "platform/picture_dialog.h"

namespace velmora {

namespace {

// Opens large enough to show the name, size, type and date columns.
QString RunFileDialog(QWidget* parent, const QString& title, const QString& folder, const QString& filter,
                      QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, title, folder, filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.resize(kFileDialogSize);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

class QtPrompts final : public Prompts {
 public:
  QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons buttons,
                                      QMessageBox::StandardButton defaultButton) override {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
  }
  QString OpenFile(QWidget* parent, const QString& title, const QString& folder,
                   const QString& filter) override {
    return RunFileDialog(parent, title, folder, filter, QFileDialog::AcceptOpen);
  }
  QString SaveFile(QWidget* parent, const QString& title, const QString& folder,
                   const QString& filter) override {
    return RunFileDialog(parent, title, folder, filter, QFileDialog::AcceptSave);
  }
  QString ChooseFolder(QWidget* parent, const QString& title, const QString& folder) override {
    return QFileDialog::getExistingDirectory(parent, title, folder);
  }
  QString OpenPicture(QWidget* parent, const QString& folder, const QString& filter) override {
    return PictureDialog::GetOpenPicture(parent, folder, filter);
  }
  QColor PickColor(QWidget* parent, const QColor& initial) override {
    return QColorDialog::getColor(initial, parent);
  }
};

Prompts* installed = nullptr;

}  // namespace

Prompts& CurrentPrompts() {
  static QtPrompts qtPrompts;
  return installed ? *installed : qtPrompts;
}

void InstallPrompts(Prompts* prompts) {
  installed = prompts;
}

}  // namespace velmora
