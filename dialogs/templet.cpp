#include "dialogs/templet.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/template_catalog.h"
#include "document/errors.h"
#include "platform/codepage.h"
#include "platform/settings.h"
#ifdef VELMORA_WEBENGINE
#include "document/file_io.h"
#include "generator/generate.h"
#include "generator/preview.h"
#include "platform/preview_view.h"
#endif

namespace velmora {

namespace {

#ifdef VELMORA_WEBENGINE
// Draws a template's menu, or says why it cannot.
void ShowTemplate(PreviewView* preview, const QString& programFolder, const QString& path) {
  const std::string folder = ToNativePath(programFolder);
  TvornAppletAgent doc(folder);
  ItemTree tree;
  try {
    const ReadResult result = doc.LoadProject(ToNativePath(path), tree);
    if (result.outcome != ReadOutcome::Loaded) {
      preview->ShowNotice(QStringLiteral("This file is not a design that can be shown."));
      return;
    }
    if (doc.ItemCount() == 0) {
      preview->ShowNotice(QStringLiteral("This template has no items."));
      return;
    }
    const MenuTexts texts = GenerateMenuTexts(doc, tree, "menu1");
    const std::vector<std::string> names = ImageNames(doc);
    preview->ShowContent(MenuContent(texts, doc.RuntimeFiles, folder, FolderOf(ToNativePath(path)),
                                     {names.begin(), names.end()}));
  } catch (const std::exception& error) {
    preview->ShowNotice("This template cannot be drawn:\n\n" + FromErrorText(error.what()));
  }
}
#endif

}  // namespace

QString TemplatesFolder(const QString& programFolder) {
  return QDir(programFolder).filePath(QStringLiteral("templates"));
}

QString EnsureTemplatesFolder(const QString& programFolder) {
  const QString folder = TemplatesFolder(programFolder);
  if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
    throw Error("Cannot create " + QDir::toNativeSeparators(folder).toStdString());
  }
  return folder;
}

TfrmTemplet::TfrmTemplet(const QString& programFolder, Actions actions, QWidget* parent)
    : QDialog(parent),
      folder_(EnsureTemplatesFolder(programFolder)),
      actions_(std::move(actions)),
      programFolder_(programFolder) {
  setObjectName(QStringLiteral("frmTemplet"));
  setWindowTitle(QStringLiteral("Template"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint);

  auto* layout = new QVBoxLayout(this);
  auto* hint = new QLabel(
      QStringLiteral("Click OK to open selected template or cancel to create a new project."), this);
  hint->setWordWrap(true);
  layout->addWidget(hint);

  TempletList_ = new QListWidget(this);
  TempletList_->setObjectName(QStringLiteral("TempletList"));
  TempletList_->setSelectionMode(QAbstractItemView::SingleSelection);
  TempletList_->setToolTip(QDir::toNativeSeparators(folder_));
  const QStringList names =
      QDir(folder_).entryList({QStringLiteral("*.velm")}, QDir::Files | QDir::Readable, QDir::Name);
  // Each template by its catalogued title, else by its file name.
  TempletList_->setAccessibleName(QStringLiteral("Templates"));
  const QHash<QString, TemplateEntry> catalog = ReadTemplateCatalog(programFolder);
  for (const QString& name : names) {
    const QString title = catalog.value(name).title;
    auto* entry = new QListWidgetItem(title.isEmpty() ? name : title, TempletList_);
    entry->setData(Qt::UserRole, name);
    entry->setToolTip(name);
  }
  connect(TempletList_, &QListWidget::itemDoubleClicked, this, &TfrmTemplet::TempletListDblClick);
  connect(TempletList_, &QListWidget::itemSelectionChanged, this, &TfrmTemplet::SelectionChanged);

  // The selected template beside the list: its description and its menu.
  auto* body = new QHBoxLayout;
  body->addWidget(TempletList_, 1);
  auto* shown = new QVBoxLayout;
  description_ = new QLabel(this);
  description_->setObjectName(QStringLiteral("lblTemplateDescription"));
  description_->setWordWrap(true);
  description_->setTextFormat(Qt::PlainText);
  description_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  shown->addWidget(description_);
#ifdef VELMORA_WEBENGINE
  if (PreviewView::CanShow()) {
    preview_ = new PreviewView(this);
    preview_->setMinimumSize(420, 240);
    shown->addWidget(preview_, 1);
  }
#endif
  if (!preview_) shown->addStretch();
  body->addLayout(shown, preview_ ? 3 : 2);
  layout->addLayout(body, 1);

  chckbxDontShow_ = new QCheckBox(QStringLiteral("Do not show this dialog again."), this);
  chckbxDontShow_->setObjectName(QStringLiteral("chckbxDontShow"));
  // Written on every click, so the choice holds even when the chooser is
  // then cancelled.
  connect(chckbxDontShow_, &QCheckBox::clicked, this,
          [](bool ticked) { WriteBoolSetting(QString::fromLatin1(kShowTempletsDialogSetting), !ticked); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(chckbxDontShow_);
  buttons->addStretch();
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("BitBtn1"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &TfrmTemplet::BitBtn1Click);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("BitBtn2"));
  connect(cancel, &QPushButton::clicked, this, &TfrmTemplet::reject);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  // A fixed dialog: wide enough for the menu beside the list.
  if (preview_) {
    setFixedSize(820, 440);
  } else {
    setFixedSize(560, 320);
  }

  ok_->setEnabled(false);
  if (TempletList_->count() > 0) TempletList_->setCurrentRow(0);
}

void TfrmTemplet::SelectionChanged() {
  const QString path = SelectedTemplate();
  ok_->setEnabled(!path.isEmpty());
  if (path.isEmpty()) {
    description_->clear();
    return;
  }
  const QString name = QFileInfo(path).fileName();
  const TemplateEntry entry = ReadTemplateCatalog(programFolder_).value(name);
  description_->setText(entry.title.isEmpty() ? name : entry.title + "\n" + entry.description);
#ifdef VELMORA_WEBENGINE
  if (preview_) ShowTemplate(preview_, programFolder_, path);
#endif
}

QString TfrmTemplet::SelectedTemplate() const {
  const auto selected = TempletList_->selectedItems();
  return selected.isEmpty() ? QString()
                            : QDir(folder_).filePath(selected.front()->data(Qt::UserRole).toString());
}

void TfrmTemplet::showEvent(QShowEvent* event) {
  const bool show = ReadBoolSetting(QString::fromLatin1(kShowTempletsDialogSetting), true, false);
  chckbxDontShow_->setChecked(!show);
  QDialog::showEvent(event);
}

// The chooser closes before the action runs, so the action's own questions
// appear over the designer rather than over the chooser.
void TfrmTemplet::OpenAndClose(const QString& path) {
  accept();
  if (!path.isEmpty() && actions_.openProject) actions_.openProject(path);
}

void TfrmTemplet::BitBtn1Click() {
  OpenAndClose(SelectedTemplate());
}

void TfrmTemplet::TempletListDblClick() {
  // A double click beside the entries selects nothing: the chooser stays.
  const QString path = SelectedTemplate();
  if (!path.isEmpty()) OpenAndClose(path);
}

void TfrmTemplet::reject() {
  QDialog::reject();
  if (actions_.newDesign) actions_.newDesign();
}

}  // namespace velmora
