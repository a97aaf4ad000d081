#pragma once

// Every modal question, message box and file, colour or picture dialog of
// the designer goes through this interface. QtPrompts shows Qt's dialogs;
// tests install a scripted implementation, so the real window can be driven
// with no modal box blocking it.

#include <QColor>
#include <QMessageBox>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace velmora {

// The size the file dialogs open with.
inline constexpr QSize kFileDialogSize(800, 500);

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A message box; returns the button pressed.
  virtual QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                              const QString& text, QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) = 0;
  // File dialogs: `filter` in Qt's form ("Velmora Files (*.velm)"); an
  // empty result means cancelled.
  virtual QString OpenFile(QWidget* parent, const QString& title, const QString& folder,
                           const QString& filter) = 0;
  virtual QString SaveFile(QWidget* parent, const QString& title, const QString& folder,
                           const QString& filter) = 0;
  // A folder dialog; an empty result means cancelled.
  virtual QString ChooseFolder(QWidget* parent, const QString& title, const QString& folder) = 0;
  // The picture dialog, with a preview of the selected GIF or JPEG.
  virtual QString OpenPicture(QWidget* parent, const QString& folder, const QString& filter) = 0;
  // Returns an invalid colour when cancelled.
  virtual QColor PickColor(QWidget* parent, const QColor& initial) = 0;
  // A question answered by choosing one of `items` (the first one is
  // selected) with the `accept` button; -1 when declined.
  virtual int ChooseItem(QWidget* parent, const QString& title, const QString& text, const QStringList& items,
                         const QString& accept, const QString& decline) = 0;
};

// The prompts the program uses; QtPrompts unless a test installed others.
Prompts& CurrentPrompts();
// Installs `prompts` (not owned) for the program; nullptr restores Qt's.
void InstallPrompts(Prompts* prompts);

}  // namespace velmora
