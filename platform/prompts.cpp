#include "platform/prompts.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/installable.h"
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

int RunChoiceDialog(QWidget* parent, const QString& title, const QString& text, const QStringList& items,
                    const QString& accept, const QString& decline) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(text, &dialog);
  label->setWordWrap(true);
  layout->addWidget(label);
  auto* list = new QListWidget(&dialog);
  list->addItems(items);
  list->setCurrentRow(0);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(accept, QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(decline, QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  dialog.resize(560, 320);
  if (dialog.exec() != QDialog::Accepted) return -1;
  return list->currentRow();
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
  int ChooseItem(QWidget* parent, const QString& title, const QString& text, const QStringList& items,
                 const QString& accept, const QString& decline) override {
    return RunChoiceDialog(parent, title, text, items, accept, decline);
  }
};

}  // namespace

Prompts& CurrentPrompts() {
  return CurrentService<Prompts, QtPrompts>();
}

void InstallPrompts(Prompts* prompts) {
  InstallService(prompts);
}

}  // namespace velmora
