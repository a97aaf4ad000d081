#include "dialogs/GlobalPropertiesChange.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace velmora {

namespace {

enum class GeneralGroup { ItemGeneral, LeftIcon, Image, RightIcon, Submenu };

struct GeneralFieldBox {
  const char* name;
  const char* caption;
  GeneralGroup group;
  ItemField field;
};

// The order is the order of the mask positions 0 to 32.
const GeneralFieldBox kGeneralFieldBoxes[] = {
    {"chchbxText", "Text", GeneralGroup::ItemGeneral, ICaption},
    {"chchbxAlign", "Align", GeneralGroup::ItemGeneral, ITextAlign},
    {"chchbxWrap", "Wrap", GeneralGroup::ItemGeneral, ITextWrap},
    {"chchbxTextPaddingLeft", "Padding Left", GeneralGroup::ItemGeneral, IPaddingLeft},
    {"chchbxTextPaddingRight", "Padding Right", GeneralGroup::ItemGeneral, IPaddingRight},
    {"chchbxTextPaddingTop", "Padding Top", GeneralGroup::ItemGeneral, IPaddingTop},
    {"chchbxTextPaddingBottom", "Padding Bottom", GeneralGroup::ItemGeneral, IPaddingBottom},
    {"chchbxURL", "URL", GeneralGroup::ItemGeneral, ILink},
    {"chchbxTarget", "Target", GeneralGroup::ItemGeneral, ITarget},
    {"chchbxStatusBarMsg", "Status Bar Msg", GeneralGroup::ItemGeneral, IStatusBarMsg},
    {"chchbxTooltip", "Tooltip", GeneralGroup::ItemGeneral, IToolTip},
    {"chchbxDisable", "Disable", GeneralGroup::ItemGeneral, DisableItem},
    {"chchbxWidth", "Width", GeneralGroup::ItemGeneral, IWidth},
    {"chchbxHeight", "Height", GeneralGroup::ItemGeneral, IHeight},
    {"chckbxLeftIconNormal", "Normal", GeneralGroup::LeftIcon, ILeftIconUrl},
    {"chckbxLeftIconOver", "Over", GeneralGroup::LeftIcon, IOverLeftIconUrl},
    {"chckbxLeftIconClicked", "Clicked", GeneralGroup::LeftIcon, IClickedLeftIconUrl},
    {"chckbxLeftIconWidth", "Width", GeneralGroup::LeftIcon, ILeftIconWidth},
    {"chckbxLeftIconHeight", "Height", GeneralGroup::LeftIcon, ILeftIconHeight},
    {"chckbxImageNormal", "Normal", GeneralGroup::Image, IImageUrl},
    {"chckbxImageOver", "Over", GeneralGroup::Image, IOverImageUrl},
    {"chckbxImageClicked", "Clicked", GeneralGroup::Image, IClickedImageUrl},
    {"chckbxImageWidth", "Width", GeneralGroup::Image, IImageWidth},
    {"chckbxImageHeight", "Height", GeneralGroup::Image, IImageHeight},
    {"chckbxRightIconNormal", "Normal", GeneralGroup::RightIcon, IRightIconUrl},
    {"chckbxRightIconOver", "Over", GeneralGroup::RightIcon, IOverRightIconUrl},
    {"chckbxRightIconClicked", "Clicked", GeneralGroup::RightIcon, IClickedRightIconUrl},
    {"chckbxRightIconWidth", "Width", GeneralGroup::RightIcon, IRightIconWidth},
    {"chckbxRightIconHeight", "Height", GeneralGroup::RightIcon, IRightIconHeight},
    {"chckbxOffsetX", "Offset X", GeneralGroup::Submenu, ISubmenuOffsetX},
    {"chckbxOffsetY", "Offset Y", GeneralGroup::Submenu, ISubmenuOffsetY},
    {"chckbxType", "Type", GeneralGroup::Submenu, ISubmenuDirection},
    {"chckbxItemGap", "Item Gap", GeneralGroup::Submenu, ISubmenuItemGap},
};

enum class StateGroup { Title, BorderTop, BorderRight, BorderBottom, BorderLeft, Background };

struct StateFieldBox {
  const char* name;
  const char* caption;
  StateGroup group;
};

// Position k stands for field (block start + k) of every ticked state.
const StateFieldBox kStateFieldBoxes[kStateBlockSize] = {
    {"chchbxFontName", "Font", StateGroup::Title},
    {"chchbxFontSize", "Size", StateGroup::Title},
    {"chchbxFontBold", "Bold", StateGroup::Title},
    {"chchbxFontItalic", "Italic", StateGroup::Title},
    {"chchbxBrdClrTop", "Border Color", StateGroup::BorderTop},
    {"chchbxBrdWidthTop", "Border Width", StateGroup::BorderTop},
    {"chchbxBrdStyleTop", "Border Style", StateGroup::BorderTop},
    {"chchbxBrdClrRight", "Border Color", StateGroup::BorderRight},
    {"chchbxBrdWidthRight", "Border Width", StateGroup::BorderRight},
    {"chchbxBrdStyleRight", "Border Style", StateGroup::BorderRight},
    {"chchbxBrdClrBottom", "Border Color", StateGroup::BorderBottom},
    {"chchbxBrdWidthBottom", "Border Width", StateGroup::BorderBottom},
    {"chchbxBrdStyleBottom", "Border Style", StateGroup::BorderBottom},
    {"chchbxBrdClrLeft", "Border Color", StateGroup::BorderLeft},
    {"chchbxBrdWidthLeft", "Border Width", StateGroup::BorderLeft},
    {"chchbxBrdStyleLeft", "Border Style", StateGroup::BorderLeft},
    {"chckbxBGCursor", "Cursor", StateGroup::Background},
    {"chchbxFontColor", "Color", StateGroup::Title},
    {"chckbxBGColor", "Color", StateGroup::Background},
    {"chckbxBGImage", "Image", StateGroup::Background},
};

struct StateBox {
  const char* name;
  const char* caption;
  ItemField blockStart;
};
const StateBox kStateBoxes[3] = {
    {"chchbxNormal", "Normal", IFontFamilyNormal},
    {"chchbxMouseOver", "Mouse Over", IFontFamilyOver},
    {"chchbxClicked", "Clicked", IFontFamilyClicked},
};

// A node's item index, kept on the node.
constexpr int kItemIndexRole = Qt::UserRole + 1;

// The marks are the nodes' check states: Space toggles the current node's
// (as screen readers expect of a check box); a click toggles through the
// press handler alone, so the check box under the pointer does not toggle
// a second time.
class MarkDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
    if (event->type() != QEvent::KeyPress) return false;
    return QStyledItemDelegate::editorEvent(event, model, option, index);
  }
};

// Boxes repeat their captions across groups ("Border Color" in four rows),
// so each is named with its group for screen readers: "Top: Border Color".
QCheckBox* AddBox(QWidget* parent, const char* name, const char* caption, const QString& group = {}) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  QString where = group;
  if (where.isEmpty()) {
    if (const auto* groupBox = qobject_cast<const QGroupBox*>(parent)) where = groupBox->title();
  }
  where.replace("&&", "&").remove(QStringLiteral(" Tab"));
  if (!where.isEmpty()) box->setAccessibleName(where + ": " + box->text());
  return box;
}

// Every node of the tree in pre-order, the root first.
std::vector<QTreeWidgetItem*> PreOrder(const QTreeWidget& tree) {
  std::vector<QTreeWidgetItem*> nodes;
  std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* node) {
    nodes.push_back(node);
    for (int i = 0; i < node->childCount(); ++i) walk(node->child(i));
  };
  for (int i = 0; i < tree.topLevelItemCount(); ++i) walk(tree.topLevelItem(i));
  return nodes;
}

}  // namespace

void CopyMarkedFields(TvornAppletAgent& doc, int sourceIndex, const std::vector<bool>& marks,
                      const CopyMask& mask) {
  if (sourceIndex < 0 || sourceIndex >= doc.ItemCount()) return;
  const TStringArray source = TvornAppletAgent::ItemToStrings(doc.GetItem(sourceIndex));
  const int count = std::min(static_cast<int>(marks.size()), doc.ItemCount());
  for (int d = 0; d < count; ++d) {
    if (!marks[static_cast<size_t>(d)]) continue;
    TStringArray target = TvornAppletAgent::ItemToStrings(doc.GetItem(d));
    for (size_t k = 0; k < target.size() && k < mask.size(); ++k) {
      if (mask[k]) target[k] = source[k];
    }
    doc.SetItem(d, TvornAppletAgent::StringsToItem(target, doc.FileVersion));
  }
}

TfrmGlobalPropertiesChange::TfrmGlobalPropertiesChange(TvornAppletAgent& doc, const QTreeWidget& designTree,
                                                       Hooks hooks, QWidget* parent)
    : QDialog(parent), doc_(doc), designTree_(designTree), hooks_(std::move(hooks)) {
  setObjectName(QStringLiteral("frmGlobalPropertiesChange"));
  setWindowTitle(QStringLiteral("Batch Properties Changer"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);

  auto* layout = new QHBoxLayout(this);

  auto* treeColumn = new QVBoxLayout;
  treeColumn->addWidget(new QLabel(QStringLiteral("Copy to the marked items:"), this));
  trvwPropertiesChange_ = new QTreeWidget(this);
  trvwPropertiesChange_->setObjectName(QStringLiteral("trvwPropertiesChange"));
  trvwPropertiesChange_->setHeaderHidden(true);
  trvwPropertiesChange_->setIndentation(19);
  trvwPropertiesChange_->setMinimumWidth(170);
  trvwPropertiesChange_->setAccessibleName(QStringLiteral("Items to copy to"));
  // Moving through the tree with the keys marks nothing; a click or Space does.
  trvwPropertiesChange_->setSelectionMode(QAbstractItemView::NoSelection);
  trvwPropertiesChange_->setItemDelegate(new MarkDelegate(trvwPropertiesChange_));
  connect(trvwPropertiesChange_, &QTreeWidget::itemPressed, this,
          &TfrmGlobalPropertiesChange::trvwPropertiesChangeChange);
  connect(trvwPropertiesChange_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node) {
    const QVariant index = node->data(0, kItemIndexRole);
    const size_t item = index.toULongLong();
    if (index.isValid() && item < itemMarks_.size()) itemMarks_[item] = node->checkState(0) == Qt::Checked;
  });
  treeColumn->addWidget(trvwPropertiesChange_, 1);
  auto* treeButtons = new QHBoxLayout;
  auto* btnSelectAllItems = new QPushButton(QStringLiteral("Select All"), this);
  btnSelectAllItems->setObjectName(QStringLiteral("btnSelectAllItems"));
  btnSelectAllItems->setAccessibleName(QStringLiteral("Select all items"));
  connect(btnSelectAllItems, &QPushButton::clicked, this, [this] { SetAllMarks(true); });
  auto* btnSelectNoneItems = new QPushButton(QStringLiteral("Select None"), this);
  btnSelectNoneItems->setObjectName(QStringLiteral("btnSelectNoneItems"));
  btnSelectNoneItems->setAccessibleName(QStringLiteral("Select no items"));
  connect(btnSelectNoneItems, &QPushButton::clicked, this, [this] { SetAllMarks(false); });
  treeButtons->addWidget(btnSelectAllItems);
  treeButtons->addWidget(btnSelectNoneItems);
  treeColumn->addLayout(treeButtons);
  layout->addLayout(treeColumn);

  auto* groups = new QWidget(this);
  BuildPropertyGroups(groups);
  layout->addWidget(groups, 1);
}

void TfrmGlobalPropertiesChange::BuildPropertyGroups(QWidget* host) {
  auto* column = new QVBoxLayout(host);
  column->setContentsMargins(0, 0, 0, 0);

  // General fields: Item General, the three image rows and Submenu.
  auto* generalRow = new QHBoxLayout;
  auto* itemGeneral = new QGroupBox(QStringLiteral("Item General Tab"), host);
  auto* itemGeneralGrid = new QGridLayout(itemGeneral);
  auto* imageTab = new QGroupBox(QStringLiteral("Image Tab"), host);
  auto* imageRow = new QHBoxLayout(imageTab);
  QVBoxLayout* imageColumns[3];
  const char* imageCaptions[3] = {"Left Icon", "Image", "Right Icon"};
  for (int i = 0; i < 3; ++i) {
    auto* box = new QGroupBox(QString::fromLatin1(imageCaptions[i]), imageTab);
    imageColumns[i] = new QVBoxLayout(box);
    imageRow->addWidget(box);
  }
  auto* submenu = new QGroupBox(QStringLiteral("Submenu Tab"), host);
  auto* submenuColumn = new QVBoxLayout(submenu);
  int itemGeneralCount = 0;
  for (const auto& entry : kGeneralFieldBoxes) {
    QCheckBox* box = nullptr;
    switch (entry.group) {
      case GeneralGroup::ItemGeneral:
        box = AddBox(itemGeneral, entry.name, entry.caption);
        // Two columns, filled top to bottom.
        itemGeneralGrid->addWidget(box, itemGeneralCount % 7, itemGeneralCount / 7);
        ++itemGeneralCount;
        break;
      case GeneralGroup::LeftIcon:
      case GeneralGroup::Image:
      case GeneralGroup::RightIcon: {
        const int column = static_cast<int>(entry.group) - static_cast<int>(GeneralGroup::LeftIcon);
        box = AddBox(imageColumns[column]->parentWidget(), entry.name, entry.caption);
        imageColumns[column]->addWidget(box);
        break;
      }
      case GeneralGroup::Submenu:
        box = AddBox(submenu, entry.name, entry.caption);
        submenuColumn->addWidget(box);
        break;
    }
    generalFieldBoxes_.push_back(box);
  }
  for (auto* imageColumn : imageColumns) imageColumn->addStretch();
  submenuColumn->addStretch();
  generalRow->addWidget(itemGeneral);
  generalRow->addWidget(imageTab);
  column->addLayout(generalRow);

  // State fields and the states they apply to.
  auto* stateRow = new QHBoxLayout;
  auto* stateGroup = new QGroupBox(QStringLiteral("Normal, Mouse Over && Clicked Tabs"), host);
  auto* stateGroupRow = new QHBoxLayout(stateGroup);
  auto* title = new QGroupBox(QStringLiteral("Title"), stateGroup);
  auto* titleColumn = new QVBoxLayout(title);
  auto* border = new QGroupBox(QStringLiteral("Border"), stateGroup);
  auto* borderGrid = new QGridLayout(border);
  auto* background = new QGroupBox(QStringLiteral("Background && Cursor"), stateGroup);
  auto* backgroundColumn = new QVBoxLayout(background);
  const char* borderRows[4] = {"Top", "Right", "Bottom", "Left"};
  for (int row = 0; row < 4; ++row) {
    borderGrid->addWidget(new QLabel(QString::fromLatin1(borderRows[row]), border), row, 0);
  }
  int borderCount = 0;
  for (const auto& entry : kStateFieldBoxes) {
    QCheckBox* box = nullptr;
    switch (entry.group) {
      case StateGroup::Title:
        box = AddBox(title, entry.name, entry.caption);
        titleColumn->addWidget(box);
        break;
      case StateGroup::Background:
        box = AddBox(background, entry.name, entry.caption);
        backgroundColumn->addWidget(box);
        break;
      default:
        box = AddBox(
            border, entry.name, entry.caption,
            "Border " +
                QString::fromLatin1(
                    borderRows[static_cast<int>(entry.group) - static_cast<int>(StateGroup::BorderTop)]));
        borderGrid->addWidget(box, static_cast<int>(entry.group) - static_cast<int>(StateGroup::BorderTop),
                              1 + borderCount % 3);
        ++borderCount;
        break;
    }
    stateFieldBoxes_.push_back(box);
  }
  auto* titleAndBackground = new QVBoxLayout;
  titleAndBackground->addWidget(title);
  titleAndBackground->addWidget(background);
  stateGroupRow->addLayout(titleAndBackground);
  stateGroupRow->addWidget(border, 1);
  stateRow->addWidget(stateGroup, 1);

  auto* status = new QGroupBox(QStringLiteral("Status"), host);
  auto* statusColumn = new QVBoxLayout(status);
  for (size_t i = 0; i < stateBoxes_.size(); ++i) {
    stateBoxes_[i] = AddBox(status, kStateBoxes[i].name, kStateBoxes[i].caption);
    statusColumn->addWidget(stateBoxes_[i]);
  }
  statusColumn->addStretch();
  auto* spdbtnStatusHelp = new QToolButton(status);
  spdbtnStatusHelp->setObjectName(QStringLiteral("spdbtnStatusHelp"));
  spdbtnStatusHelp->setText(QStringLiteral("?"));
  spdbtnStatusHelp->setToolTip(QStringLiteral("Help on the batch properties changer"));
  spdbtnStatusHelp->setAccessibleName(QStringLiteral("Help: Batch Properties Changer"));
  spdbtnStatusHelp->setProperty("tag", kHelpTag);
  connect(spdbtnStatusHelp, &QToolButton::clicked, this, [this] {
    if (hooks_.showHelp) hooks_.showHelp(kHelpTag);
  });
  statusColumn->addWidget(spdbtnStatusHelp, 0, Qt::AlignRight);
  // Submenu beside the state groups keeps the dialog about as wide as the designer.
  auto* sideColumn = new QVBoxLayout;
  sideColumn->addWidget(submenu);
  sideColumn->addWidget(status);
  stateRow->addLayout(sideColumn);
  column->addLayout(stateRow);
  column->addStretch();

  auto* buttons = new QHBoxLayout;
  auto* btnSelectAll = new QPushButton(QStringLiteral("Select All"), host);
  btnSelectAll->setObjectName(QStringLiteral("btnSelectAll"));
  btnSelectAll->setAccessibleName(QStringLiteral("Select all state properties"));
  btnSelectAll->setToolTip(QStringLiteral("Tick every property of the Normal, Mouse Over and Clicked tabs"));
  connect(btnSelectAll, &QPushButton::clicked, this, [this] {
    for (auto* box : stateFieldBoxes_) box->setChecked(true);
  });
  auto* btnSelectNone = new QPushButton(QStringLiteral("Select None"), host);
  btnSelectNone->setObjectName(QStringLiteral("btnSelectNone"));
  btnSelectNone->setAccessibleName(QStringLiteral("Select no properties"));
  btnSelectNone->setToolTip(QStringLiteral("Untick every property"));
  connect(btnSelectNone, &QPushButton::clicked, this, [this] {
    for (auto* box : stateFieldBoxes_) box->setChecked(false);
    for (auto* box : generalFieldBoxes_) box->setChecked(false);
  });
  auto* btnOK = new QPushButton(QStringLiteral("OK"), host);
  btnOK->setObjectName(QStringLiteral("btnOK"));
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &TfrmGlobalPropertiesChange::btnOKClick);
  auto* btnCancel = new QPushButton(QStringLiteral("Cancel"), host);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(btnSelectAll);
  buttons->addWidget(btnSelectNone);
  buttons->addStretch();
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  column->addLayout(buttons);
}

void TfrmGlobalPropertiesChange::showEvent(QShowEvent* event) {
  CopyDesignTree();
  QDialog::showEvent(event);
}

void TfrmGlobalPropertiesChange::CopyDesignTree() {
  togglingMark_ = true;
  trvwPropertiesChange_->clear();
  for (int i = 0; i < designTree_.topLevelItemCount(); ++i) {
    trvwPropertiesChange_->addTopLevelItem(designTree_.topLevelItem(i)->clone());
  }
  trvwPropertiesChange_->expandAll();
  const auto nodes = PreOrder(*trvwPropertiesChange_);
  itemMarks_.assign(nodes.empty() ? 0 : nodes.size() - 1, false);
  // The root keeps its designer image and has no mark; items show an
  // unticked one.
  if (!nodes.empty()) nodes.front()->setFlags(nodes.front()->flags() & ~Qt::ItemIsUserCheckable);
  for (size_t i = 1; i < nodes.size(); ++i) {
    nodes[i]->setIcon(0, QIcon());
    nodes[i]->setData(0, kItemIndexRole, static_cast<qulonglong>(i - 1));
    nodes[i]->setFlags(nodes[i]->flags() | Qt::ItemIsUserCheckable);
    nodes[i]->setCheckState(0, Qt::Unchecked);
  }
  trvwPropertiesChange_->setCurrentItem(nullptr);
  togglingMark_ = false;
}

void TfrmGlobalPropertiesChange::trvwPropertiesChangeChange(QTreeWidgetItem* node) {
  if (togglingMark_ || !node || !node->data(0, kItemIndexRole).isValid()) return;  // the root
  SetMark(node, node->checkState(0) != Qt::Checked);
}

void TfrmGlobalPropertiesChange::SetMark(QTreeWidgetItem* node, bool marked) {
  // The check state alone is kept; itemChanged copies it into the marks.
  node->setCheckState(0, marked ? Qt::Checked : Qt::Unchecked);
}

void TfrmGlobalPropertiesChange::SetAllMarks(bool marked) {
  const auto nodes = PreOrder(*trvwPropertiesChange_);
  for (size_t i = 1; i < nodes.size(); ++i) SetMark(nodes[i], marked);
}

void TfrmGlobalPropertiesChange::TickState(int state) {
  if (state >= 0 && state < static_cast<int>(stateBoxes_.size()))
    stateBoxes_[static_cast<size_t>(state)]->setChecked(true);
}

CopyMask TfrmGlobalPropertiesChange::BuildCopyMask() const {
  CopyMask mask{};
  for (size_t i = 0; i < generalFieldBoxes_.size(); ++i) {
    if (generalFieldBoxes_[i]->isChecked()) mask[static_cast<size_t>(kGeneralFieldBoxes[i].field)] = true;
  }
  for (size_t s = 0; s < stateBoxes_.size(); ++s) {
    if (!stateBoxes_[s]->isChecked()) continue;
    for (size_t k = 0; k < stateFieldBoxes_.size(); ++k) {
      if (stateFieldBoxes_[k]->isChecked()) mask[static_cast<size_t>(kStateBoxes[s].blockStart) + k] = true;
    }
  }
  return mask;
}

void TfrmGlobalPropertiesChange::btnOKClick() {
  if (copier_) {
    copier_(SourceItemIndex, itemMarks_, BuildCopyMask());
  } else {
    CopyMarkedFields(doc_, SourceItemIndex, itemMarks_, BuildCopyMask());
  }
  if (hooks_.markModified) hooks_.markModified();
  accept();
}

}  // namespace velmora
