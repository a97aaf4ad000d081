#include "designer/property_pages.h"
#include "designer/page_style_controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSet>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

#include "designer/contrast_hint.h"
#include "designer/main_form.h"
#include "designer/page_bindings.h"
#include "designer/page_layouts.h"
#include "designer/page_widgets.h"
#include "designer/separator_guard.h"
#include "designer/undo_history.h"
#include "document/errors.h"
#include "document/text.h"
#include "generator/preview.h"
#include "generator/vocabularies.h"
#include "platform/codepage.h"

namespace velmora {

namespace {

enum Sheet { kScript, kItemGeneral, kNormal, kOver, kClicked, kSubmenu, kPath };

QString TextOf(const QWidget* control) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  return static_cast<const QComboBox*>(control)->currentText();
}

// Sets the text and shows its start, as a long font list reads best.
void SetTextOf(QWidget* control, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(control);
  if (!edit) {
    auto* combo = static_cast<QComboBox*>(control);
    combo->setEditText(text);
    edit = combo->lineEdit();
  } else {
    edit->setText(text);
  }
  if (edit) edit->setCursorPosition(0);
}

// An emptied or half-typed box keeps its last number, which it shows again
// at once, quietly: a -9999 px gap would break the menu, and the restored
// text must not count as an edit after a save.
std::string SpinText(QSpinBox* spin) {
  int value = spin->value();
  const std::string text = Trim(spin->cleanText().toStdString());
  if (!IsDecimalInteger(text)) {
    const QSignalBlocker quiet(spin);
    spin->setValue(value);
  }
  if (IsDecimalInteger(text)) {
    try {
      value = std::clamp(StrictToInt(text), kSpinMinimum, kSpinMaximum);
    } catch (const NumberError&) {
      // Beyond 32 bits: not a number the box can hold.
    }
  }
  return std::to_string(value);
}

ScreenColor ToScreenColor(const QColor& color) {
  return static_cast<ScreenColor>(color.red()) | static_cast<ScreenColor>(color.green()) << 8 |
         static_cast<ScreenColor>(color.blue()) << 16;
}

QColor FromScreenColor(ScreenColor color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

bool HoldsText(const Binding& binding) {
  return binding.conversion == Conversion::Text || binding.conversion == Conversion::TextStoreTrim;
}

std::string StoreValue(const Binding& binding, QWidget* control, TextEncoding encoding) {
  switch (binding.conversion) {
    case Conversion::Spin:
      return SpinText(static_cast<QSpinBox*>(control));
    case Conversion::List:
      return std::to_string(static_cast<const QComboBox*>(control)->currentIndex());
    case Conversion::Text:
    case Conversion::TextStoreTrim:
      return Trim(ToDocumentText(TextOf(control), encoding));
    case Conversion::Color:
      return ColorToHex(ToScreenColor(static_cast<const ColorPanel*>(control)->Color()));
    case Conversion::Toggle:
      return static_cast<const QAbstractButton*>(control)->isChecked() ? binding.storeChecked
                                                                       : binding.storeUnchecked;
  }
  return {};
}

// A value converted from its field text, ready to be shown.
struct LoadValue {
  int number = 0;
  QColor color;
  QString text;
  bool checked = false;
};

LoadValue Convert(const Binding& binding, const std::string& field, const char* recordName,
                  TextEncoding encoding) {
  const std::string where = std::string(recordName) + " field " + binding.control;
  LoadValue value;
  switch (binding.conversion) {
    case Conversion::Spin:
      value.number = std::clamp(StrictToInt(field, where), kSpinMinimum, kSpinMaximum);
      break;
    case Conversion::List:
      value.number = StrictToInt(field, where);
      break;
    case Conversion::Text:
      value.text = FromDocumentText(Trim(field), encoding);
      break;
    case Conversion::TextStoreTrim:
      value.text = FromDocumentText(field, encoding);
      break;
    case Conversion::Color:
      value.color = FromScreenColor(HexToColor(field));
      break;
    case Conversion::Toggle:
      value.checked = field == binding.checkedWhen;
      break;
  }
  return value;
}

void Show(const Binding& binding, QWidget* control, const LoadValue& value) {
  switch (binding.conversion) {
    case Conversion::Spin:
      static_cast<QSpinBox*>(control)->setValue(value.number);
      break;
    case Conversion::List: {
      auto* list = static_cast<QComboBox*>(control);
      list->setCurrentIndex(value.number >= 0 && value.number < list->count() ? value.number : -1);
      break;
    }
    case Conversion::Text:
    case Conversion::TextStoreTrim:
      SetTextOf(control, value.text);
      break;
    case Conversion::Color:
      static_cast<ColorPanel*>(control)->SetColor(value.color);
      break;
    case Conversion::Toggle: {
      auto* button = static_cast<QAbstractButton*>(control);
      // A radio button of a pair can only be cleared with the pairing off.
      const bool exclusive = button->autoExclusive();
      button->setAutoExclusive(false);
      button->setChecked(value.checked);
      button->setAutoExclusive(exclusive);
      break;
    }
  }
}

template <typename Record>
void LoadRecord(const std::vector<std::pair<const Binding*, QWidget*>>& bound, const Record& record,
                const char* recordName, TextEncoding encoding) {
  std::vector<LoadValue> values;
  values.reserve(bound.size());
  for (const auto& [binding, control] : bound)
    values.push_back(Convert(*binding, std::string(record.at(binding->field)), recordName, encoding));
  for (size_t k = 0; k < bound.size(); ++k) Show(*bound[k].first, bound[k].second, values[k]);
}

}  // namespace

PropertyPages::PropertyPages(TMainForm& form, QTabWidget* tabs)
    : form_(form), tabs_(tabs), built_(std::make_unique<BuiltPages>(BuildPropertyPages(tabs_))) {
  menu_ = Bind(MenuBindings());
  item_ = Bind(ItemBindings());
  WireReactions(menu_);
  WireReactions(item_);
  // After the reactions, so an edit they refuse is never recorded.
  WireEdits(menu_, true);
  WireEdits(item_, false);
  WireButtons();
}

PropertyPages::~PropertyPages() = default;

QWidget* PropertyPages::PathPage() const {
  return built_->pathBody;
}

QWidget* PropertyPages::Control(const QString& name) const {
  return built_->controls.value(name);
}

PropertyPages::Bound PropertyPages::Bind(const std::vector<Binding>& bindings) {
  Bound bound;
  for (const Binding& binding : bindings) {
    QWidget* control = Control(QString::fromStdString(binding.control));
    Q_ASSERT_X(control, "PropertyPages", binding.control.c_str());
    if (control) bound.emplace_back(&binding, control);
  }
  return bound;
}

void PropertyPages::WireReactions(const Bound& bound) {
  for (const auto& [binding, control] : bound) {
    if (HoldsText(*binding)) GuardAgainstSeparator(control, QString::fromLatin1(kSeparator));
  }
  for (const auto& [binding, control] : bound) {
    // Every edit is a step of the history, which alone marks the design.
    if (binding->reaction == Reaction::None || binding->reaction == Reaction::Modify) continue;
    QWidget* sender = control;
    std::function<void()> react;
    switch (binding->reaction) {
      case Reaction::Modify:
      case Reaction::ModifyChecked:
        react = [this, sender] { form_.spnedtApWidthChange(sender); };
        break;
      case Reaction::Caption:
        react = [this] { form_.edt_ICaptionChange(); };
        break;
      case Reaction::None:
        break;
    }
    auto guarded = [this, react] { form_.RunGuarded(react); };
    if (auto* spin = qobject_cast<QSpinBox*>(control)) {
      QObject::connect(spin, &QSpinBox::textChanged, spin, guarded);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      QObject::connect(edit, &QLineEdit::textChanged, edit, guarded);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      // An edited text reacts to every change; a list only to the user's choice.
      if (combo->isEditable()) {
        QObject::connect(combo, &QComboBox::editTextChanged, combo, guarded);
      } else {
        QObject::connect(combo, &QComboBox::activated, combo, guarded);
      }
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      QObject::connect(button, &QAbstractButton::clicked, button, guarded);
    }
  }
}

void PropertyPages::WireEdits(const Bound& bound, bool menuWide) {
  for (const auto& [binding, control] : bound) {
    const Binding* bindingOf = binding;
    QWidget* sender = control;
    auto edited = [this, bindingOf, sender, menuWide](bool typing) {
      if (loading_ || !editHandler_) return;
      form_.RunGuarded([&] { editHandler_(*bindingOf, sender, menuWide, typing); });
    };
    auto typed = [edited] { edited(true); };
    auto chosen = [edited] { edited(false); };
    if (auto* spin = qobject_cast<QSpinBox*>(control)) {
      // A box emptied to type a new number changes nothing until it holds one.
      QObject::connect(spin, &QSpinBox::textChanged, spin, [spin, typed] {
        if (IsDecimalInteger(Trim(spin->cleanText().toStdString()))) typed();
      });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      QObject::connect(edit, &QLineEdit::textChanged, edit, typed);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      if (combo->isEditable()) {
        QObject::connect(combo, &QComboBox::editTextChanged, combo, typed);
      } else {
        QObject::connect(combo, &QComboBox::currentIndexChanged, combo, chosen);
      }
    } else if (auto* panel = qobject_cast<ColorPanel*>(control)) {
      QObject::connect(panel, &ColorPanel::colorChanged, panel, chosen);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      // The second button of a radio pair only loads; the first stores both.
      if (binding->storeChecked) QObject::connect(button, &QAbstractButton::toggled, button, chosen);
    }
  }
}

std::string PropertyPages::ValueOf(const Binding& binding, QWidget* control, TextEncoding encoding) const {
  return StoreValue(binding, control, encoding);
}

bool PropertyPages::NeedsUtf8(const Binding& binding, QWidget* control) const {
  return HoldsText(binding) && velmora::NeedsUtf8(TextOf(control), form_.Document().Encoding);
}

void PropertyPages::ShowPageOf(bool menuWide, int field) {
  for (const auto& [binding, control] : menuWide ? menu_ : item_) {
    if (binding->field == field) return ShowPageHolding(control);
  }
}

void PropertyPages::ShowPageHolding(QWidget* control) {
  for (QWidget* page = control; page; page = page->parentWidget()) {
    const int index = tabs_->indexOf(page);
    if (index < 0) continue;
    if (tabs_->isTabVisible(index)) tabs_->setCurrentIndex(index);
    return;
  }
}

void PropertyPages::WireButtons() {
  auto run = [this](std::function<void()> action) { return [this, action] { form_.RunGuarded(action); }; };
  for (QWidget* control : std::as_const(built_->controls)) {
    if (auto* panel = qobject_cast<ColorPanel*>(control)) {
      QObject::connect(panel, &ColorPanel::clicked, panel,
                       run([this, panel] { form_.PickPanelColor(panel); }));
    }
  }
  for (const ImageChooser& chooser : kImageChoosers) {
    auto* button = static_cast<QToolButton*>(Control(chooser.button));
    QObject::connect(button, &QToolButton::clicked, button,
                     run([this, button] { form_.spdbtnItemImageNormalClick(button); }));
  }
  auto* link = static_cast<QToolButton*>(Control("spdbtnItURL"));
  QObject::connect(link, &QToolButton::clicked, link, run([this] { form_.spdbtnItURLClick(); }));
  for (QWidget* control : std::as_const(built_->controls)) {
    auto* button = qobject_cast<QToolButton*>(control);
    if (!button || !button->property(kTagProperty).isValid()) continue;
    QObject::connect(button, &QToolButton::clicked, button,
                     run([this, button] { form_.SpeedButton1Click(button); }));
  }
  for (const BuiltPages::StateColours& colours : built_->states)
    new ContrastHint(colours.contrast, colours.text, colours.background);
  // The image fields offer the names the design already uses.
  for (const ImageChooser& chooser : kImageChoosers) {
    static_cast<SuggestingCombo*>(Control(chooser.edit))->SetSuggestions([this] {
      QStringList names;
      QSet<QString> seen;
      for (const auto& name : ImageNames(form_.Document())) {
        const QString shown = FromCodePage(name);
        if (!seen.contains(shown)) {
          seen.insert(shown);
          names << shown;
        }
      }
      return names;
    });
  }
  for (const char* name : kBatchButtons) {
    auto* button = static_cast<QPushButton*>(Control(name));
    QObject::connect(button, &QPushButton::clicked, button,
                     run([this, button] { form_.btnBatchPropertiesChangerClick(button); }));
  }
}

TAppletData PropertyPages::StoreMenu() const {
  TAppletData data;
  for (const auto& [binding, control] : menu_) {
    if (binding->conversion == Conversion::Toggle && !binding->storeChecked) continue;
    data.at(binding->field) = StoreValue(*binding, control, form_.Document().Encoding);
  }
  return data;
}

TItemData PropertyPages::StoreItem() const {
  return ItemValues();
}

TItemData PropertyPages::ItemValues() const {
  TItemData item;
  for (const auto& [binding, control] : item_)
    item.at(binding->field) = StoreValue(*binding, control, form_.Document().Encoding);
  return item;
}

TItemData PropertyPages::WithItemEdits(TItemData record) const {
  const TItemData now = StoreItem();
  for (const auto& [binding, control] : item_) {
    const int field = binding->field;
    if (now.at(field) != loadedItem_.at(field)) record.at(field) = now.at(field);
  }
  return record;
}

void PropertyPages::LoadMenu(const TAppletData& data) {
  QScopedValueRollback<bool> loading(loading_, true);
  LoadRecord(menu_, data, "menu-wide", form_.Document().Encoding);
}

void PropertyPages::LoadItem(const TItemData& item) {
  QScopedValueRollback<bool> loading(loading_, true);
  LoadRecord(item_, item, "item", form_.Document().Encoding);
  loadedItem_ = ItemValues();
}

void PropertyPages::ShowMenuPages() {
  for (int sheet : {kItemGeneral, kNormal, kOver, kClicked, kSubmenu}) tabs_->setTabVisible(sheet, false);
  for (int sheet : {kScript, kPath}) tabs_->setTabVisible(sheet, true);
  tabs_->setCurrentIndex(kScript);
}

void PropertyPages::ShowItemPages() {
  for (int sheet : {kItemGeneral, kNormal, kOver, kClicked}) tabs_->setTabVisible(sheet, true);
  for (int sheet : {kScript, kPath}) tabs_->setTabVisible(sheet, false);
  tabs_->setCurrentIndex(kItemGeneral);
}

void PropertyPages::SetSubmenuVisible(bool visible) {
  tabs_->setTabVisible(kSubmenu, visible);
}

int PropertyPages::ShownState() const {
  const int sheet = tabs_->currentIndex();
  return sheet >= kNormal && sheet <= kClicked ? sheet - kNormal : -1;
}

// ---- The window's page operations ----

TAppletData TMainForm::MenuPagesRecord() const {
  TAppletData data = pages_->StoreMenu();
  data[pOpenTransitionFlag] = "1";
  data[pCloseTransitionFlag] = "1";
  return data;
}

void TMainForm::StoreMenuPages() {
  Document().SetAppletData(MenuPagesRecord());
  pageStyle_->Store(Document());
}

void TMainForm::LoadMenuPages() {
  pages_->LoadMenu(Document().GetAppletData());
  pageStyle_->Load(Document());
}

TItemData TMainForm::ItemPagesRecord() const {
  TItemData item = pages_->StoreItem();
  item[IImageWidth] = item[IWidth];
  item[IImageHeight] = item[IHeight];
  return item;
}

void TMainForm::StoreItemEdits(int index) {
  if (index < 0 || index >= Document().ItemCount()) return;
  const TItemData stored = Document().GetItem(index);
  TItemData record = pages_->WithItemEdits(stored);
  for (int field : {IWidth, IHeight}) {
    if (record.at(field) != stored.at(field)) record.at(ImageSizeFieldOf(field)) = record.at(field);
  }
  Document().SetItem(index, record);
}

void TMainForm::LoadItemPages(int index) {
  pages_->LoadItem(Document().GetItem(index));
}

void TMainForm::StorePages() {
  StoreMenuPages();
  if (CurrentItemNode) StoreItemEdits(AbsoluteIndex(CurrentItemNode) - 1);
}

}  // namespace velmora
