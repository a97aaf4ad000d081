#pragma once

// Answers the designer's questions and dialogs from a script, recording
// every question asked, so tests drive the real window without modal boxes.

#include <QColor>
#include <QList>
#include <QQueue>
#include <QString>

#include "platform/prompts.h"

namespace velmora::test {

struct AskedMessage {
  QMessageBox::Icon icon;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
};

class ScriptedPrompts final : public Prompts {
 public:
  ScriptedPrompts() { InstallPrompts(this); }
  ~ScriptedPrompts() override { InstallPrompts(nullptr); }

  // Answers, used in order; a message with no scripted answer gets its
  // default button, a dialog with no scripted answer is cancelled.
  QQueue<QMessageBox::StandardButton> messageAnswers;
  QQueue<QString> fileAnswers;  // open, save, folder and picture dialogs alike
  QQueue<QColor> colorAnswers;
  QQueue<int> choiceAnswers;  // the chosen item's index; -1 declines

  QList<AskedMessage> messages;   // every message shown
  QStringList fileDialogFilters;  // the filter of every file dialog shown
  int colorDialogs = 0;
  struct Choice {
    QString text;
    QStringList items;
  };
  QList<Choice> choices;  // every choice offered

  QMessageBox::StandardButton Message(QWidget*, QMessageBox::Icon icon, const QString& title,
                                      const QString& text, QMessageBox::StandardButtons buttons,
                                      QMessageBox::StandardButton defaultButton) override {
    messages.append({icon, title, text, buttons});
    return messageAnswers.isEmpty() ? defaultButton : messageAnswers.dequeue();
  }
  QString OpenFile(QWidget*, const QString&, const QString&, const QString& filter) override {
    return NextFile(filter);
  }
  QString SaveFile(QWidget*, const QString&, const QString&, const QString& filter) override {
    return NextFile(filter);
  }
  QString ChooseFolder(QWidget*, const QString&, const QString&) override { return NextFile(QString()); }
  QString OpenPicture(QWidget*, const QString&, const QString& filter) override { return NextFile(filter); }
  int ChooseItem(QWidget*, const QString&, const QString& text, const QStringList& items, const QString&,
                 const QString&) override {
    choices.append({text, items});
    return choiceAnswers.isEmpty() ? -1 : choiceAnswers.dequeue();
  }
  QColor PickColor(QWidget*, const QColor&) override {
    ++colorDialogs;
    return colorAnswers.isEmpty() ? QColor() : colorAnswers.dequeue();
  }

 private:
  QString NextFile(const QString& filter) {
    fileDialogFilters.append(filter);
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
  }
};

}  // namespace velmora::test
