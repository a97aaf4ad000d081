#include "designer/page_style_controls.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "designer/page_layouts.h"
#include "designer/page_widgets.h"
#include "generator/page_style.h"

namespace velmora {

PageStyleControls::PageStyleControls(QMenu* optionMenu, QWidget* path) : QObject(optionMenu) {
  modern_ = optionMenu->addAction("&Modern Page Output");
  modern_->setObjectName("ModernPageOutput1");
  modern_->setCheckable(true);
  modern_->setStatusTip("Publish an HTML5 page whose menu is also a list of links that works without script");

  auto* group = new QGroupBox("Modern Page Output", path);
  group->setObjectName("grpbxModernPage");
  auto* layout = new QVBoxLayout(group);
  QHash<QString, QWidget*> made;
  const PageBuilder make(group, made);
  language_ = make.Edit("edtPageLanguage");
  layout->addWidget(make.Label("Page Language", language_, "Page language"));
  // Letters, digits and hyphens only; the generator checks the whole tag.
  language_->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[A-Za-z0-9]{1,8}(-[A-Za-z0-9]{0,8})*"), language_));
  language_->setEnabled(false);
  layout->addWidget(language_);
  layout->addWidget(
      make.Example("Example: en, de, pt-BR. Used when \"Modern Page Output\" is checked.", language_));
  auto* pathLayout = static_cast<QVBoxLayout*>(path->layout());
  pathLayout->insertWidget(pathLayout->count() - 1, group);  // above the closing stretch
  GiveAccessKeys(path, kMenuBarKeys);

  connect(modern_, &QAction::triggered, this, [this](bool checked) {
    language_->setEnabled(checked);
    emit Changed(false);
  });
  connect(language_, &QLineEdit::textEdited, this, [this] { emit Changed(true); });
}

void PageStyleControls::Store(TvornAppletAgent& doc) const {
  doc.Extensions = StoredInto(std::move(doc.Extensions));
}

FormatExtensions PageStyleControls::StoredInto(FormatExtensions extensions) const {
  StorePageSettings(extensions, {modern_->isChecked() ? PageStyle::Html5 : PageStyle::Classic,
                                 language_->text().trimmed().toStdString()});
  return extensions;
}

void PageStyleControls::Load(const TvornAppletAgent& doc) {
  const PageSettings settings = PageSettingsOf(doc);
  modern_->setChecked(settings.style == PageStyle::Html5);
  language_->setText(QString::fromStdString(settings.language));
  language_->setEnabled(modern_->isChecked());
}

}  // namespace velmora
