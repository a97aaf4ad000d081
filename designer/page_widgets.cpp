#include "designer/page_widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

#include "designer/icons.h"

namespace velmora {

HelpGroupBox::HelpGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

void HelpGroupBox::SetHelpButton(QToolButton* button) {
  help_ = button;
  help_->setParent(this);
  // The button covers the frame line it sits on.
  help_->setAutoFillBackground(true);
  help_->raise();
}

void HelpGroupBox::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  if (help_) help_->move(width() - help_->width() - 6, 0);
}

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
  setFixedSize(48, 20);
  SetColor(Qt::white);
}

void ColorPanel::SetColor(const QColor& color) {
  color_ = color;
  QPalette shown = palette();
  shown.setColor(QPalette::Window, color);
  setPalette(shown);
  emit colorChanged();
}

void SuggestingCombo::showPopup() {
  if (suggestions_) {
    // The typed text stays; only the list changes.
    const QSignalBlocker quiet(this);
    const QString text = currentText();
    clear();
    addItems(suggestions_());
    setEditText(text);
  }
  QComboBox::showPopup();
}

void ColorPanel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QFrame::mousePressEvent(event);
}

QSpinBox* PageBuilder::Spin(const QString& name) const {
  auto* spin = new QSpinBox(page_);
  spin->setObjectName(name);
  spin->setRange(kSpinMinimum, kSpinMaximum);
  spin->setValue(0);
  spin->setFixedWidth(72);
  return spin;
}

QComboBox* PageBuilder::List(const QString& name, const QStringList& choices) const {
  auto* list = new QComboBox(page_);
  list->setObjectName(name);
  list->addItems(choices);
  list->setMaxVisibleItems(15);
  // Sized for about nine characters rather than the longest entry, so the
  // border lists fit side by side; the drop-down shows every name whole.
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(9);
  return list;
}

QComboBox* PageBuilder::EditableCombo(const QString& name, const QStringList& suggestions) const {
  auto* combo = new QComboBox(page_);
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  // The text stays exactly as typed: no completion from the suggestions.
  combo->setCompleter(nullptr);
  combo->addItems(suggestions);
  combo->setEditText(QString());
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(8);
  return combo;
}

SuggestingCombo* PageBuilder::ImageCombo(const QString& name) const {
  auto* combo = new SuggestingCombo(page_);
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(8);
  return combo;
}

QLineEdit* PageBuilder::Edit(const QString& name) const {
  auto* edit = new QLineEdit(page_);
  edit->setObjectName(name);
  return edit;
}

ColorPanel* PageBuilder::Panel(const QString& name) const {
  auto* panel = new ColorPanel(page_);
  panel->setObjectName(name);
  return panel;
}

QToolButton* PageBuilder::Toggle(const QString& name, const QString& glyph, bool bold) const {
  auto* button = new QToolButton(page_);
  button->setObjectName(name);
  button->setCheckable(true);
  button->setText(glyph);
  QFont font = button->font();
  font.setBold(bold);
  font.setItalic(!bold);
  font.setFamily(QStringLiteral("Serif"));
  button->setFont(font);
  button->setFixedSize(24, 24);
  return button;
}

QToolButton* PageBuilder::Chooser(const QString& name) const {
  auto* button = new QToolButton(page_);
  button->setObjectName(name);
  button->setText(QStringLiteral("..."));
  button->setFixedSize(24, 22);
  return button;
}

QToolButton* PageBuilder::HelpButton(const QString& name, int tag) const {
  auto* button = new QToolButton(page_);
  button->setObjectName(name);
  button->setProperty(kTagProperty, tag);
  button->setIcon(ToolBarIcon(ToolIcon::Help));
  button->setIconSize(QSize(14, 14));
  button->setAutoRaise(true);
  button->setFixedSize(20, 20);
  return button;
}

QPushButton* PageBuilder::BatchButton(const QString& name) const {
  auto* button = new QPushButton(QStringLiteral("Batch Properties Changer"), page_);
  button->setObjectName(name);
  return button;
}

QGroupBox* PageBuilder::Group(const QString& title, const QString& helpName, int helpTag) const {
  auto* group = new HelpGroupBox(title, page_);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  grid->setColumnStretch(1, 1);
  if (!helpName.isEmpty()) group->SetHelpButton(HelpButton(helpName, helpTag));
  return group;
}

QGridLayout* PageBuilder::Grid(const QGroupBox* group) {
  return static_cast<QGridLayout*>(group->layout());
}

void PageBuilder::Row(QGroupBox* group, const QString& label, QWidget* control, QWidget* extra) const {
  QGridLayout* grid = Grid(group);
  const int row = grid->rowCount() == 1 && !grid->itemAtPosition(0, 1) ? 0 : grid->rowCount();
  if (!label.isEmpty()) {
    auto* caption = new QLabel(label, page_);
    caption->setBuddy(control);
    grid->addWidget(caption, row, 0);
  }
  // Fixed-width controls and lists keep their width; edits fill the row
  // up to an extra control.
  const auto* list = qobject_cast<QComboBox*>(control);
  const bool keepsWidth = control->maximumWidth() < QWIDGETSIZE_MAX || (list && !list->isEditable());
  grid->addWidget(control, row, 1, 1, extra ? 1 : 2, keepsWidth ? Qt::AlignLeft : Qt::Alignment());
  if (extra) grid->addWidget(extra, row, 2);
}

}  // namespace velmora
