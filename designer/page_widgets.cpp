#include "designer/page_widgets.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
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

namespace {

// Reads a colour field as a button whose value is its colour.
class ColorPanelAccessible : public QAccessibleWidget {
 public:
  explicit ColorPanelAccessible(ColorPanel* panel) : QAccessibleWidget(panel, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return static_cast<const ColorPanel*>(widget())->HexText();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction()) static_cast<ColorPanel*>(widget())->click();
  }
};

QAccessibleInterface* ColorPanelInterface(const QString& className, QObject* object) {
  if (className != QLatin1String(ColorPanel::staticMetaObject.className())) return nullptr;
  return new ColorPanelAccessible(static_cast<ColorPanel*>(object));
}

}  // namespace

ColorPanel::ColorPanel(QWidget* parent) : QPushButton(parent) {
  static const bool registered = [] {
    QAccessible::installFactory(ColorPanelInterface);
    return true;
  }();
  Q_UNUSED(registered);
  setCursor(Qt::PointingHandCursor);
  setAutoDefault(false);
  setIconSize(QSize(18, 12));
  SetColor(Qt::white);
}

QString ColorPanel::HexText() const {
  return color_.name(QColor::HexRgb).toUpper();
}

void ColorPanel::SetColor(const QColor& color) {
  color_ = color;
  QPixmap swatch(iconSize() * devicePixelRatioF());
  swatch.setDevicePixelRatio(devicePixelRatioF());
  swatch.fill(color);
  QPainter frame(&swatch);
  frame.setPen(QColor(0x55, 0x55, 0x55));
  frame.drawRect(QRectF(0, 0, iconSize().width() - 1, iconSize().height() - 1));
  frame.end();
  setIcon(QIcon(swatch));
  setText(HexText());
  emit colorChanged();
}

void ColorPanel::keyPressEvent(QKeyEvent* event) {
  // Enter opens the dialog as Space does (a push button in a window takes
  // only Space).
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void SetAccessibleName(QWidget* control, const QString& name) {
  control->setAccessibleName(name);
  if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit())
    combo->lineEdit()->setAccessibleName(name);
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

QSpinBox* PageBuilder::Spin(const QString& name) const {
  auto* spin = Register(new QSpinBox(page_), name);
  spin->setRange(kSpinMinimum, kSpinMaximum);
  spin->setValue(0);
  spin->setFixedWidth(72);
  return spin;
}

QComboBox* PageBuilder::List(const QString& name, const QStringList& choices) const {
  auto* list = Register(new QComboBox(page_), name);
  list->addItems(choices);
  list->setMaxVisibleItems(15);
  // Sized for about nine characters rather than the longest entry, so the
  // border lists fit side by side; the drop-down shows every name whole.
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(9);
  return list;
}

QComboBox* PageBuilder::EditableCombo(const QString& name, const QStringList& suggestions) const {
  auto* combo = Register(new QComboBox(page_), name);
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
  auto* combo = Register(new SuggestingCombo(page_), name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(8);
  return combo;
}

QLineEdit* PageBuilder::Edit(const QString& name) const {
  auto* edit = Register(new QLineEdit(page_), name);
  return edit;
}

ColorPanel* PageBuilder::Panel(const QString& name) const {
  auto* panel = Register(new ColorPanel(page_), name);
  return panel;
}

QToolButton* PageBuilder::Toggle(const QString& name, const QString& glyph, bool bold) const {
  auto* button = Register(new QToolButton(page_), name);
  button->setCheckable(true);
  button->setText(glyph);
  QFont font = button->font();
  font.setBold(bold);
  font.setItalic(!bold);
  font.setFamily(QStringLiteral("Serif"));
  button->setFont(font);
  button->setFixedSize(24, 24);
  const QString spoken = bold ? QStringLiteral("Bold") : QStringLiteral("Italic");
  button->setAccessibleName(spoken);
  button->setToolTip(spoken);
  return button;
}

QToolButton* PageBuilder::Chooser(const QString& name) const {
  auto* button = Register(new QToolButton(page_), name);
  button->setText(QStringLiteral("..."));
  button->setFixedSize(24, 22);
  return button;
}

QToolButton* PageBuilder::HelpButton(const QString& name, int tag, const QString& subject) const {
  auto* button = Register(new QToolButton(page_), name);
  button->setAccessibleName("Help: " + subject);
  button->setToolTip("Help: " + subject);
  button->setProperty(kTagProperty, tag);
  button->setIcon(ToolBarIcon(ToolIcon::Help));
  button->setIconSize(QSize(14, 14));
  button->setAutoRaise(true);
  button->setFixedSize(20, 20);
  return button;
}

QPushButton* PageBuilder::BatchButton(const QString& name) const {
  return Register(new QPushButton(QStringLiteral("Batch Properties Changer"), page_), name);
}

QCheckBox* PageBuilder::Check(const QString& name, const QString& caption) const {
  return Register(new QCheckBox(caption, page_), name);
}

QRadioButton* PageBuilder::Radio(const QString& name, const QString& caption) const {
  return Register(new QRadioButton(caption, page_), name);
}

QGroupBox* PageBuilder::Group(const QString& title, const QString& helpName, int helpTag,
                              const QString& helpSubject) const {
  auto* group = new HelpGroupBox(title, page_);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);
  grid->setColumnStretch(1, 1);
  if (!helpName.isEmpty()) {
    const QString subject = helpSubject.isEmpty() ? QString(title).replace("&&", "&") : helpSubject;
    group->SetHelpButton(HelpButton(helpName, helpTag, subject));
  }
  return group;
}

QGridLayout* PageBuilder::Grid(const QGroupBox* group) {
  return static_cast<QGridLayout*>(group->layout());
}

QLabel* PageBuilder::Label(const QString& text, QWidget* control, const QString& name) const {
  auto* label = new QLabel(text, page_);
  label->setBuddy(control);
  SetAccessibleName(control, name);
  return label;
}

QLabel* PageBuilder::Example(const QString& text, QWidget* field) const {
  auto* example = new QLabel(text, page_);
  example->setWordWrap(true);
  field->setAccessibleDescription(text);
  return example;
}

void PageBuilder::Row(QGroupBox* group, const QString& label, QWidget* control, QWidget* extra,
                      const QString& name) const {
  QGridLayout* grid = Grid(group);
  const int row = grid->rowCount() == 1 && !grid->itemAtPosition(0, 1) ? 0 : grid->rowCount();
  const QString shownName = name.isEmpty() ? label : name;
  if (!label.isEmpty()) {
    grid->addWidget(Label(label, control, shownName), row, 0);
  } else if (!name.isEmpty()) {
    SetAccessibleName(control, name);
  }
  auto* chooser = qobject_cast<QToolButton*>(extra);
  if (chooser && chooser->text() == QLatin1String("...")) {
    chooser->setAccessibleName("Choose " + shownName + "...");
    chooser->setToolTip(chooser->accessibleName());
  }
  // Fixed-width controls and lists keep their width; edits fill the row
  // up to an extra control.
  const auto* list = qobject_cast<QComboBox*>(control);
  const bool keepsWidth = control->maximumWidth() < QWIDGETSIZE_MAX || (list && !list->isEditable());
  grid->addWidget(control, row, 1, 1, extra ? 1 : 2, keepsWidth ? Qt::AlignLeft : Qt::Alignment());
  if (extra) {
    grid->addWidget(extra, row, 2);
    // A chooser follows its field, whichever was made first.
    if (extra->focusPolicy() & Qt::TabFocus) QWidget::setTabOrder(control, extra);
  }
}

namespace {

QString TextWithKey(const QString& text, QString& taken) {
  if (text.contains('&')) {
    const int at = text.indexOf(QRegularExpression("&[^&]"));
    if (at >= 0) taken += text.at(at + 1).toUpper();
    return text;
  }
  // Word starts first, then any letter.
  QList<int> order;
  for (int k = 0; k < text.size(); ++k) {
    if (text.at(k).isLetterOrNumber() && (k == 0 || !text.at(k - 1).isLetterOrNumber())) order << k;
  }
  for (int k = 0; k < text.size(); ++k) {
    if (text.at(k).isLetterOrNumber() && !order.contains(k)) order << k;
  }
  for (int k : order) {
    const QChar key = text.at(k).toUpper();
    if (key.unicode() > 127 || taken.contains(key)) continue;
    taken += key;
    return text.left(k) + '&' + text.mid(k);
  }
  return text;
}

}  // namespace

void GiveAccessKeys(QWidget* page, const QString& taken) {
  QString used = taken.toUpper();
  QList<QLabel*> labels;
  QList<QAbstractButton*> buttons;
  for (QLabel* label : page->findChildren<QLabel*>()) {
    if (label->buddy()) labels << label;
  }
  for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
    if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button) ||
        (qobject_cast<QPushButton*>(button) && !qobject_cast<ColorPanel*>(button)))
      buttons << button;
  }
  // Keys already given are taken before any new one is chosen.
  for (QLabel* label : labels) TextWithKey(label->text().contains('&') ? label->text() : QString(), used);
  for (QAbstractButton* button : buttons)
    TextWithKey(button->text().contains('&') ? button->text() : QString(), used);
  for (QLabel* label : labels) label->setText(TextWithKey(label->text(), used));
  for (QAbstractButton* button : buttons) button->setText(TextWithKey(button->text(), used));
}

}  // namespace velmora
