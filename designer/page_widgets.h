#pragma once

// The controls of the property pages, made with their names, ranges and
// looks in one place, and a grid helper for the label-control rows of a
// group.

#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace velmora {

inline constexpr int kSpinMinimum = -9999;
inline constexpr int kSpinMaximum = 9999;
// Help buttons carry their topic's tag under this property.
inline constexpr const char* kTagProperty = "Tag";

// A colour field: a button showing the colour as a swatch and as #RRGGBB;
// a click, Space or Enter asks for another. Screen readers read the colour
// as its value.
class ColorPanel : public QPushButton {
  Q_OBJECT

 public:
  explicit ColorPanel(QWidget* parent = nullptr);
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  // "#RRGGBB", as the field shows it.
  QString HexText() const;

 signals:
  void colorChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QColor color_;
};

// Sets the name a screen reader gives `control`; an editable combo box's
// text part takes the same name.
void SetAccessibleName(QWidget* control, const QString& name);

// Gives every label with a buddy and every check box, radio button and push
// button under `page` an access key: a letter of its text not yet taken on
// the page nor in `taken`. Texts that already carry one keep it.
void GiveAccessKeys(QWidget* page, const QString& taken);

// An editable combo box whose list is asked for each time it opens, so it
// offers what the design holds at that moment.
class SuggestingCombo : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;
  void SetSuggestions(std::function<QStringList()> suggestions) { suggestions_ = std::move(suggestions); }
  void showPopup() override;

 private:
  std::function<QStringList()> suggestions_;
};

// A group box that can carry a help button at the right end of its title
// line.
class HelpGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  HelpGroupBox(const QString& title, QWidget* parent);
  void SetHelpButton(QToolButton* button);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* help_ = nullptr;
};

// Makes the page controls, all children of `page`.
// Every control made is entered under its object name in `registry`.
class PageBuilder {
 public:
  PageBuilder(QWidget* page, QHash<QString, QWidget*>& registry) : page_(page), registry_(registry) {}

  QSpinBox* Spin(const QString& name) const;
  QComboBox* List(const QString& name, const QStringList& choices) const;
  QComboBox* EditableCombo(const QString& name, const QStringList& suggestions = {}) const;
  // An image name field, whose list offers the names the design uses.
  SuggestingCombo* ImageCombo(const QString& name) const;
  QLineEdit* Edit(const QString& name) const;
  ColorPanel* Panel(const QString& name) const;
  QToolButton* Toggle(const QString& name, const QString& glyph, bool bold) const;
  QToolButton* Chooser(const QString& name) const;
  // Named "Help: <subject>" for screen readers.
  QToolButton* HelpButton(const QString& name, int tag, const QString& subject) const;
  QPushButton* BatchButton(const QString& name) const;
  QCheckBox* Check(const QString& name, const QString& caption) const;
  QRadioButton* Radio(const QString& name, const QString& caption) const;
  // Gives `widget` its object name and enters it.
  template <typename Widget>
  Widget* Register(Widget* widget, const QString& name) const {
    widget->setObjectName(name);
    registry_.insert(name, widget);
    return widget;
  }

  // A group box with a grid; with a help button in its title line when
  // `helpName` is given, named after `helpSubject` (the title by default).
  QGroupBox* Group(const QString& title, const QString& helpName = {}, int helpTag = 0,
                   const QString& helpSubject = {}) const;
  static QGridLayout* Grid(const QGroupBox* group);
  // Adds "label  control [extra]" as the next row of the group's grid. The
  // label is the control's buddy; the control is named `name`, or after
  // the label; a "..." chooser as extra is named "Choose <name>...".
  void Row(QGroupBox* group, const QString& label, QWidget* control, QWidget* extra = nullptr,
           const QString& name = {}) const;
  // A label that is the buddy of `control` and names it `name`.
  QLabel* Label(const QString& text, QWidget* control, const QString& name) const;
  // An example value under `field`, in normal text (a disabled label
  // reads too faint and is announced as unavailable); it also describes
  // the field to screen readers.
  QLabel* Example(const QString& text, QWidget* field) const;

 private:
  QWidget* page_;
  QHash<QString, QWidget*>& registry_;
};

}  // namespace velmora
