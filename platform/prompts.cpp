#include "platform/prompts.h"

#include <QColorDialog>
#include <QFileDialog>

#include "platform/picture_dialog.h"

namespace velmora {

namespace {

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
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
  }
  QString SaveFile(QWidget* parent, const QString& title, const QString& folder,
                   const QString& filter) override {
    return QFileDialog::getSaveFileName(parent, title, folder, filter);
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
