#pragma once

// The controls of the property pages, made with their names, ranges and
// looks in one place, and a grid helper for the label-control rows of a
// group.

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace velmora {

inline constexpr int kSpinMinimum = -9999;
inline constexpr int kSpinMaximum = 9999;
// Help buttons carry their topic's tag under this property.
inline constexpr const char* kTagProperty = "Tag";

// A panel showing a colour; clicking it asks for another.
class ColorPanel : public QFrame {
  Q_OBJECT

 public:
  explicit ColorPanel(QWidget* parent = nullptr);
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);

 signals:
  void clicked();
  void colorChanged();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor color_;
};

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
class PageBuilder {
 public:
  explicit PageBuilder(QWidget* page) : page_(page) {}

  QSpinBox* Spin(const QString& name) const;
  QComboBox* List(const QString& name, const QStringList& choices) const;
  QComboBox* EditableCombo(const QString& name, const QStringList& suggestions = {}) const;
  // An image name field, whose list offers the names the design uses.
  SuggestingCombo* ImageCombo(const QString& name) const;
  QLineEdit* Edit(const QString& name) const;
  ColorPanel* Panel(const QString& name) const;
  QToolButton* Toggle(const QString& name, const QString& glyph, bool bold) const;
  QToolButton* Chooser(const QString& name) const;
  QToolButton* HelpButton(const QString& name, int tag) const;
  QPushButton* BatchButton(const QString& name) const;

  // A group box with a grid; with a help button in its title line when
  // `helpName` is given.
  QGroupBox* Group(const QString& title, const QString& helpName = {}, int helpTag = 0) const;
  static QGridLayout* Grid(const QGroupBox* group);
  // Adds "label  control [extra]" as the next row of the group's grid.
  void Row(QGroupBox* group, const QString& label, QWidget* control, QWidget* extra = nullptr) const;

 private:
  QWidget* page_;
};

}  // namespace velmora
