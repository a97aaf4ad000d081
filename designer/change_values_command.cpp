#include "designer/change_values_command.h"

#include <QRegularExpression>
#include <algorithm>

#include "designer/item_editor.h"
#include "document/text_encoding.h"

namespace velmora {

namespace {

// Names that read better than the field's own.
struct FieldName {
  bool menuWide;
  int field;
  const char* name;
};
constexpr FieldName kFieldNames[] = {
    {false, ILink, "URL"},
    {false, IToolTip, "Tooltip"},
    {false, IStatusBarMsg, "Status Bar Message"},
    {false, DisableItem, "Disable Item"},
    {false, ITextWrap, "Wrap"},
    {true, pInternalUse_RootDir_Local, "Local Root Directory"},
    {true, pInternalUse_RootDir_Remote, "Web Root Directory"},
    {true, pInternalUse_RootDir_Local_Checked, "Path Conversion"},
    {true, pOpenSlideType, "Sliding Open"},
    {true, pCloseSlideType, "Sliding Close"},
    {true, pOpenTransitionCustomFilter, "Open Effect"},
    {true, pCloseTransitionCustomFilter, "Close Effect"},
};

// "IBorderTopWidthOver" reads "Border Top Width".
QString WordsOf(std::string_view fieldName) {
  QString name = QString::fromLatin1(fieldName.data(), static_cast<int>(fieldName.size())).mid(1);
  for (const char* state : {"Normal", "Over", "Clicked"}) {
    if (name.endsWith(QLatin1String(state)) && name.size() > static_cast<int>(strlen(state)))
      name.chop(static_cast<int>(strlen(state)));
  }
  if (name.startsWith("Over") || name.startsWith("Clicked")) name = name.mid(name.startsWith("Over") ? 4 : 7);
  if (name.startsWith("FontFamily")) return "Font";
  name.replace(QRegularExpression("([a-z])([A-Z])"), "\\1 \\2");
  return name.replace("Url", "Image");
}

}  // namespace

QString ChangeValuesCommand::NameOf(ValueSlot slot) {
  const bool menuWide = slot.item == kMenuWide;
  if (!menuWide && slot.field == ICaption) return "Rename Item";
  for (const FieldName& known : kFieldNames) {
    if (known.menuWide == menuWide && known.field == slot.field) return "Change " + QString(known.name);
  }
  const std::string_view field = menuWide ? kAppletFieldNames.at(static_cast<size_t>(slot.field))
                                          : kItemFieldNames.at(static_cast<size_t>(slot.field));
  return "Change " + WordsOf(field);
}

ChangeValuesCommand::ChangeValuesCommand(ItemEditor& editor, std::vector<ValueChange> changes,
                                         const QString& text, bool fromPages, int typingSession,
                                         bool switchesToUtf8)
    : editor_(editor),
      changes_(std::move(changes)),
      typingSession_(typingSession),
      done_(!fromPages),
      switchesToUtf8_(switchesToUtf8) {
  setText(text);
}

ChangeValuesCommand::ChangeValuesCommand(ItemEditor& editor, FormatExtensions extensions, const QString& text,
                                         bool fromPages, int typingSession)
    : ChangeValuesCommand(editor, std::vector<ValueChange>{}, text, fromPages, typingSession) {
  extensions_ = std::move(extensions);
}

void ChangeValuesCommand::Swap(bool reloadPages) {
  editor_.SwapValues(changes_, extensions_ ? &*extensions_ : nullptr, reloadPages);
}

void ChangeValuesCommand::redo() {
  if (switchesToUtf8_) {
    converted_ = SwitchToUtf8Undoably(editor_.Document());
    if (!done_) editor_.Document().Status().SetHint(kSwitchedToUtf8Message);
  }
  // Values the pages made are not loaded back into them while typing.
  Swap(done_);
  done_ = true;
}

void ChangeValuesCommand::undo() {
  Swap(true);
  if (switchesToUtf8_) UndoSwitchToUtf8(editor_.Document(), converted_);
}

bool ChangeValuesCommand::SameSlots(const ChangeValuesCommand& other) const {
  if (extensions_.has_value() != other.extensions_.has_value()) return false;
  return std::equal(changes_.begin(), changes_.end(), other.changes_.begin(), other.changes_.end(),
                    [](const ValueChange& a, const ValueChange& b) { return a.slot == b.slot; });
}

bool ChangeValuesCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const ChangeValuesCommand*>(other);
  // A step that switches the design to UTF-8 starts afresh: the values this
  // one keeps are in the design's former encoding.
  if (typingSession_ < 0 || next->typingSession_ != typingSession_ || next->switchesToUtf8_ ||
      !SameSlots(*next))
    return false;
  // This step keeps the values from before the first keystroke; the design
  // already holds the latest.
  const TvornAppletAgent& doc = editor_.Document();
  setObsolete(std::all_of(changes_.begin(), changes_.end(),
                          [&doc](const ValueChange& c) { return ValueAt(doc, c.slot) == c.value; }) &&
              (!extensions_ || *extensions_ == doc.Extensions) && !switchesToUtf8_);
  return true;
}

RevealTarget ChangeValuesCommand::Target(bool) const {
  if (extensions_) return {0, kPageStyleField};
  if (changes_.empty()) return {};
  const ValueSlot slot = changes_.front().slot;
  return {slot.item + 1, slot.field};
}

}  // namespace velmora
