#include "dialogs/WebMenuChooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#ifdef VELMORA_WEBENGINE
#include "platform/preview_scheme.h"
#include "platform/preview_view.h"
#endif

namespace velmora {

namespace {

constexpr char kPlainLook[] = "(plain look)";

}  // namespace

TfrmWebMenuChooser::TfrmWebMenuChooser(const QString& pageName, const QList<WebMenuChoice>& choices,
                                       int preselected, const QStringList& templates,
                                       const QString& chosenTemplate, const QString& pageLanguage,
                                       QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmWebMenuChooser");
  setWindowTitle("Import from Web Page");

  lblPrompt = new QLabel(
      choices.size() == 1
          ? QStringLiteral("The page %1 holds one list of links. Choose the look of the menu:")
                .arg(QFileInfo(pageName).fileName())
          : QStringLiteral("The page %1 holds %2 lists of links, the likeliest menu first. Choose the one to "
                           "import as the menu:")
                .arg(QFileInfo(pageName).fileName(), QString::number(choices.size())),
      this);
  lblPrompt->setObjectName("lblPrompt");
  lblPrompt->setWordWrap(true);

  lstbxMenuLists = new QListWidget(this);
  lstbxMenuLists->setObjectName("lstbxMenuLists");
  lstbxMenuLists->setAlternatingRowColors(true);
  lstbxMenuLists->setWordWrap(true);
  lstbxMenuLists->setSpacing(3);
  for (const WebMenuChoice& choice : choices) {
    auto* row = new QListWidgetItem(RowText(choice), lstbxMenuLists);
    row->setToolTip(choice.where);
  }
  if (preselected >= 0 && preselected < lstbxMenuLists->count()) lstbxMenuLists->setCurrentRow(preselected);
  lblPrompt->setBuddy(lstbxMenuLists);

  cmbTemplate = new QComboBox(this);
  cmbTemplate->setObjectName("cmbTemplate");
  cmbTemplate->addItem(QString::fromLatin1(kPlainLook));
  cmbTemplate->addItems(templates);
  cmbTemplate->setCurrentIndex(std::max(0, cmbTemplate->findText(chosenTemplate)));
  auto* lookRow = new QFormLayout;
  lookRow->addRow(QStringLiteral("&Template:"), cmbTemplate);
  chckbxModernPage =
      new QCheckBox(pageLanguage.isEmpty()
                        ? QStringLiteral("&Modern page output")
                        : QStringLiteral("&Modern page output in the page's language (%1)").arg(pageLanguage),
                    this);
  chckbxModernPage->setObjectName("chckbxModernPage");
  lookRow->addRow(chckbxModernPage);

  auto* buttons = new QDialogButtonBox(this);
  btnOK = buttons->addButton(QDialogButtonBox::Ok);
  btnOK->setObjectName("btnOK");
  btnCancel = buttons->addButton(QDialogButtonBox::Cancel);
  btnCancel->setObjectName("btnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(lstbxMenuLists, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(lstbxMenuLists, &QListWidget::currentRowChanged, this, [this](int row) {
    btnOK->setEnabled(row >= 0);
    Draw();
  });
  connect(cmbTemplate, &QComboBox::currentIndexChanged, this, [this] { Draw(); });
  btnOK->setEnabled(lstbxMenuLists->currentRow() >= 0);

  auto* choose = new QVBoxLayout;
  choose->addWidget(lblPrompt);
  choose->addWidget(lstbxMenuLists, 1);
  choose->addLayout(lookRow);
  auto* body = new QHBoxLayout;
  body->addLayout(choose, 2);
#ifdef VELMORA_WEBENGINE
  if (PreviewView::CanShow()) {
    preview_ = new PreviewView(this);
    preview_->setObjectName("previewWebMenu");
    preview_->setMinimumSize(420, 300);
    // A menu bar keeps a size that reads at this width.
    preview_->SetPageWidth(PreviewView::kTabletWidth);
    body->addWidget(preview_, 3);
  }
#endif
  // Without a list to propose (all are hidden) none is made current, as the
  // list would make its first row current when it took the focus.
  if (lstbxMenuLists->currentRow() < 0) cmbTemplate->setFocus();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addWidget(buttons);
  resize(preview_ ? 980 : 560, preview_ ? 480 : 400);
}

void TfrmWebMenuChooser::SetDrawer(Drawer drawer) {
  drawer_ = std::move(drawer);
  Draw();
}

void TfrmWebMenuChooser::Draw() {
  if (preview_ && drawer_ && ChosenIndex() >= 0) drawer_(preview_, ChosenIndex(), ChosenTemplate());
}

int TfrmWebMenuChooser::ChosenIndex() const {
  return lstbxMenuLists->currentRow();
}

QString TfrmWebMenuChooser::ChosenTemplate() const {
  return cmbTemplate->currentIndex() <= 0 ? QString() : cmbTemplate->currentText();
}

bool TfrmWebMenuChooser::ModernPage() const {
  return chckbxModernPage->isChecked();
}

QString TfrmWebMenuChooser::RowText(const WebMenuChoice& choice) {
  // One pass: a caption holding "%2" stays as the page has it.
  return QStringLiteral("%1  (%2 %3, %4 %5%6)\n%7")
      .arg(choice.firstCaptions.join(QStringLiteral(", ")), QString::number(choice.itemCount),
           choice.itemCount == 1 ? QStringLiteral("item") : QStringLiteral("items"),
           QString::number(choice.depth),
           choice.depth == 1 ? QStringLiteral("level") : QStringLiteral("levels"),
           choice.hidden ? QStringLiteral(", hidden") : QString(), choice.where);
}

}  // namespace velmora
