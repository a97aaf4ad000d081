#include "designer/page_layouts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "designer/page_bindings.h"
#include "designer/page_widgets.h"
#include "generator/vocabularies.h"

namespace velmora {

namespace {

template <size_t N>
QStringList Choices(const std::string_view (&names)[N]) {
  QStringList list;
  for (std::string_view name : names)
    list << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
  return list;
}

QWidget* NewPage(QTabWidget* tabs, const char* name, const QString& caption) {
  auto* page = new QWidget(tabs);
  page->setObjectName(name);
  tabs->addTab(page, caption);
  return page;
}

// Two side-by-side columns of groups.
struct Columns {
  QVBoxLayout* left;
  QVBoxLayout* right;
};

Columns TwoColumns(QVBoxLayout* page, int leftShare = 1, int rightShare = 1) {
  auto* row = new QHBoxLayout;
  row->setSpacing(8);
  Columns columns{new QVBoxLayout, new QVBoxLayout};
  row->addLayout(columns.left, leftShare);
  row->addLayout(columns.right, rightShare);
  page->addLayout(row);
  return columns;
}

QVBoxLayout* PageLayout(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  return layout;
}

void AddBatchButton(QVBoxLayout* layout, const PageBuilder& make, const char* name) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(make.BatchButton(name));
  layout->addLayout(row);
}

void BuildScriptPage(QTabWidget* tabs) {
  QWidget* page = NewPage(tabs, "tbshtScript", "Script");
  const PageBuilder make(page);
  QVBoxLayout* layout = PageLayout(page);

  QGroupBox* menu = make.Group("Menu", "spdbtnHelpScriptMenu", 1);
  make.Row(menu, "Type", make.List("cmbx_pMainMenuDirection", {"Vertical", "Horizontal"}));
  make.Row(menu, "Item Gap", make.Spin("spnedt_pMainMenuItemGap"));
  layout->addWidget(menu);

  const struct {
    const char* title;
    const char* help;
    int tag;
    const char* check;
    const char* checkCaption;
    const char* delay;
    const char* duration;
    const char* effect;
  } slides[] = {
      {"Slide Open", "spdbtnHelpScriptSlideOpen", 2, "chckbx_pOpenSlideType", "Enable Sliding Open",
       "spnedt_pOpenDelay", "spnedt_pSlidingOpenDuration", "cmbx_pOpenTransitionCustomFilter"},
      {"Slide Close", "spdbtnHelpScriptSlideClose", 3, "chckbx_pCloseSlideType", "Enable Sliding Close",
       "spnedt_pCloseDelay", "spnedt_pSlidingCloseDuration", "cmbx_pCloseTransitionCustomFilter"},
  };
  auto* row = new QHBoxLayout;
  for (const auto& slide : slides) {
    QGroupBox* group = make.Group(slide.title, slide.help, slide.tag);
    auto* enable = new QCheckBox(slide.checkCaption, page);
    enable->setObjectName(slide.check);
    make.Row(group, "", enable);
    make.Row(group, "Delay", make.Spin(slide.delay));
    make.Row(group, "Duration", make.Spin(slide.duration));
    make.Row(group, "Effect", make.List(slide.effect, Choices(kTransitionNames)));
    row->addWidget(group, 1);
  }
  layout->addLayout(row);
  layout->addStretch();
}

void BuildPathPage(QTabWidget* tabs) {
  QWidget* page = NewPage(tabs, "tbshtPath", "Path");
  const PageBuilder make(page);
  QVBoxLayout* layout = PageLayout(page);
  QGroupBox* group = make.Group("Path Replacement for Publishing", "spdbtnHelpPath", 4);
  QGridLayout* grid = PageBuilder::Grid(group);
  auto* explanation = new QLabel(
      "If item's URL contains either local or web path you specified here, one path will be replaced by "
      "another depending on the choice below. Local path will be replaced by web path for uploading if you "
      "need to upload the menu to web server to test or publish. ",
      page);
  explanation->setWordWrap(true);
  grid->addWidget(explanation, 0, 0, 1, 3);

  const struct {
    const char* label;
    const char* edit;
    const char* example;
  } roots[] = {
      {"Root Directory for Local Computer", "edtpInternalUse_RootDir_Local",
       "Example: file:///home/me/public_html/"},
      {"Root Directory for Web Server", "edtpInternalUse_RootDir_Remote", "Example: http://www.example.com/"},
  };
  int row = 1;
  for (const auto& root : roots) {
    grid->addWidget(new QLabel(root.label, page), row++, 0, 1, 3);
    grid->addWidget(make.Edit(root.edit), row++, 0, 1, 3);
    auto* example = new QLabel(root.example, page);
    example->setEnabled(false);
    grid->addWidget(example, row++, 0, 1, 3);
  }
  auto* local = new QRadioButton("Test on Local Computer (Convert to Local Path)", page);
  local->setObjectName("rdbtnpInternalUse_RootDir_Local_Checked");
  auto* remote = new QRadioButton("Upload to Web Server (Convert to Web Path)", page);
  remote->setObjectName("rdbtnpInternalUse_RootDir_Local_Checked2");
  grid->addWidget(local, row++, 0, 1, 3);
  grid->addWidget(remote, row++, 0, 1, 3);
  layout->addWidget(group);
  layout->addStretch();
}

void BuildItemGeneralPage(QTabWidget* tabs) {
  QWidget* page = NewPage(tabs, "tbshtItemGeneral", "Item General");
  const PageBuilder make(page);
  QVBoxLayout* layout = PageLayout(page);
  const Columns columns = TwoColumns(layout);

  QGroupBox* text = make.Group("Text Item", "spdbtnHelpTextItem", 5);
  make.Row(text, "Text", make.Edit("edt_ICaption"));
  make.Row(text, "Align", make.List("cmbx_ITextAlign", {"left", "center", "right"}));
  make.Row(text, "Warp", make.List("cmbx_ITextWrap", {"no", "yes"}));
  columns.left->addWidget(text);

  QGroupBox* padding = make.Group("Text Padding");
  QGridLayout* paddingGrid = PageBuilder::Grid(padding);
  const char* sides[][2] = {{"Left", "spnedt_IPaddingLeft"},
                            {"Right", "spnedt_IPaddingRight"},
                            {"Top", "spnedt_IPaddingTop"},
                            {"Bottom", "spnedt_IPaddingBottom"}};
  for (int k = 0; k < 4; ++k) {
    paddingGrid->addWidget(new QLabel(sides[k][0], page), k / 2, (k % 2) * 2);
    paddingGrid->addWidget(make.Spin(sides[k][1]), k / 2, (k % 2) * 2 + 1, Qt::AlignLeft);
  }
  paddingGrid->setColumnStretch(1, 1);
  paddingGrid->setColumnStretch(3, 1);
  columns.left->addWidget(padding);

  QGroupBox* link = make.Group("Link", "spdbtnHelpLink", 7);
  make.Row(link, "URL",
           make.EditableCombo("cmbx_ILink", {"http://", "mailto://", "javascript:", "ftp://", "news://"}),
           make.Chooser("spdbtnItURL"));
  make.Row(link, "Target",
           make.EditableCombo("cmbx_ITarget", {"_self", "_blank", "_parent", "_top", "_search", "_media"}));
  columns.left->addWidget(link);

  QGroupBox* info = make.Group("Info", "spdbtnHelpInfo", 9);
  make.Row(info, "Tooltip", make.Edit("edt_IToolTip"));
  make.Row(info, "Status Bar Msg", make.Edit("edt_IStatusBarMsg"));
  columns.left->addWidget(info);
  columns.left->addStretch();

  QGroupBox* size = make.Group("Size", "spdbtnHelpSize", 8);
  QGridLayout* sizeGrid = PageBuilder::Grid(size);
  const char* parts[][3] = {{"Item", "spnedt_IWidth", "spnedt_IHeight"},
                            {"Left Image", "spnedt_ILeftIconWidth", "spnedt_ILeftIconHeight"},
                            {"Right Image", "spnedt_IRightIconWidth", "spnedt_IRightIconHeight"}};
  for (int k = 0; k < 3; ++k) {
    auto* part = new QGroupBox(parts[k][0], page);
    auto* partRow = new QHBoxLayout(part);
    partRow->setContentsMargins(6, 2, 6, 4);
    partRow->addWidget(new QLabel("Width", page));
    partRow->addWidget(make.Spin(parts[k][1]));
    partRow->addStretch();
    partRow->addWidget(new QLabel("Height", page));
    partRow->addWidget(make.Spin(parts[k][2]));
    sizeGrid->addWidget(part, k, 0, 1, 4);
  }
  columns.right->addWidget(size);

  QGroupBox* image = make.Group("Image Item", "spdbtnHelpImageItem", 6);
  make.Row(image, "Normal", make.ImageCombo("cmbx_IImageUrl"), make.Chooser("spdbtnItemImageNormal"));
  make.Row(image, "Over", make.ImageCombo("cmbx_IOverImageUrl"), make.Chooser("spdbtnItemImageOver"));
  make.Row(image, "Clicked", make.ImageCombo("cmbx_IClickedImageUrl"),
           make.Chooser("spdbtnItemImageClicked"));
  columns.right->addWidget(image);

  auto* disable = new QHBoxLayout;
  auto* check = new QCheckBox("Disable this item", page);
  check->setObjectName("chckbx_DisableItem");
  disable->addWidget(check);
  disable->addWidget(make.HelpButton("spdbtnHelpDisable", 10));
  disable->addStretch();
  columns.right->addLayout(disable);
  columns.right->addStretch();
  AddBatchButton(columns.right, make, kBatchButtons[0]);
}

void BuildStatePage(QTabWidget* tabs, int state) {
  static const char* const kSheets[] = {"tbshtItemNormal", "tbshtItemOver", "tbshtItemClicked"};
  static const char* const kCaptions[] = {"Normal", "Mouse Over", "Clicked"};
  static const char* const kPrefixes[] = {"", "Over", "Clicked"};
  const QString s = kStateNames[static_cast<size_t>(state)];
  const QString prefix = kPrefixes[state];
  QWidget* page = NewPage(tabs, kSheets[state], kCaptions[state]);
  const PageBuilder make(page);
  QVBoxLayout* layout = PageLayout(page);
  // The four border sides need the wider column.
  const Columns columns = TwoColumns(layout, 2, 3);

  QGroupBox* caption = make.Group("Caption", "spdbtnHelpCaption" + s, 11);
  make.Row(caption, "Font", make.Edit("edt_IFontFamily" + s));
  auto* looks = new QWidget(page);
  auto* looksRow = new QHBoxLayout(looks);
  looksRow->setContentsMargins(0, 0, 0, 0);
  looksRow->addWidget(make.Toggle("spdbtn_IFontWeight" + s, "B", true));
  looksRow->addWidget(make.Toggle("spdbtn_IFontStyle" + s, "I", false));
  looksRow->addStretch();
  make.Row(caption, "Size", make.Spin("spnedt_IFontSize" + s), looks);
  // The text colour, and beside it how well it stands out from the
  // background colour (filled by ContrastHint).
  auto* colorRow = new QWidget(page);
  auto* colorLayout = new QHBoxLayout(colorRow);
  colorLayout->setContentsMargins(0, 0, 0, 0);
  colorLayout->addWidget(make.Panel("pnl_IColor" + s));
  auto* contrast = new QLabel(page);
  contrast->setObjectName("lbl_Contrast" + s);
  colorLayout->addWidget(contrast);
  colorLayout->addStretch();
  make.Row(caption, "Color", colorRow);
  // Across the page, so the font list shows whole.
  layout->insertWidget(0, caption);

  QGroupBox* imageCursor = make.Group("Image && Cursor", "spdbtnHelpImageCursor" + s, 12);
  QComboBox* cursor = make.List("cmbx_ICursor" + s, Choices(kCursors));
  make.Row(imageCursor, "Cursor", cursor);
  if (state == 0) {
    // The normal state's cursor is not edited here; its value passes
    // through. Its row keeps its place, so the three state pages line up.
    QWidget* label = PageBuilder::Grid(imageCursor)->itemAtPosition(0, 0)->widget();
    for (QWidget* hidden : {static_cast<QWidget*>(cursor), label}) {
      QSizePolicy policy = hidden->sizePolicy();
      policy.setRetainSizeWhenHidden(true);
      hidden->setSizePolicy(policy);
      hidden->hide();
    }
  }
  make.Row(imageCursor, "BG", make.ImageCombo("cmbx_IBackgroundImage" + s),
           make.Chooser("spdbtnItemBGImage" + s));
  make.Row(imageCursor, "Color", make.Panel("pnl_IBackgroundColor" + s));
  make.Row(imageCursor, "Left", make.ImageCombo("cmbx_I" + prefix + "LeftIconUrl"),
           make.Chooser("spdbtnItemLeftIcon" + s));
  make.Row(imageCursor, "Right", make.ImageCombo("cmbx_I" + prefix + "RightIconUrl"),
           make.Chooser("spdbtnItemRightIcon" + s));
  columns.left->addWidget(imageCursor);
  columns.left->addStretch();

  QGroupBox* border = make.Group("Border");
  QGridLayout* borderGrid = PageBuilder::Grid(border);
  const char* const kSides[] = {"Left", "Top", "Right", "Bottom"};
  for (int k = 0; k < 4; ++k) {
    const QString side = kSides[k];
    QGroupBox* part = make.Group(side, "spdbtnHelpBorder" + side + s, 13);
    make.Row(part, "Width", make.Spin("spnedt_IBorder" + side + "Width" + s));
    make.Row(part, "Style", make.List("cmbx_IBorder" + side + "Style" + s, Choices(kBorderStyles)));
    make.Row(part, "Color", make.Panel("pnl_IBorder" + side + "Color" + s));
    borderGrid->addWidget(part, k / 2, k % 2);
  }
  borderGrid->setColumnStretch(1, 1);
  columns.right->addWidget(border);
  columns.right->addStretch();
  AddBatchButton(columns.right, make, kBatchButtons[static_cast<size_t>(state) + 1]);
}

void BuildSubmenuPage(QTabWidget* tabs) {
  QWidget* page = NewPage(tabs, "tbshtSubmenu", "Submenu");
  const PageBuilder make(page);
  QVBoxLayout* layout = PageLayout(page);
  QGroupBox* position = make.Group("Position", "spdbtnHelpSubmenuPosition", 14);
  make.Row(position, "Offset X", make.Spin("spnedt_ISubmenuOffsetX"));
  make.Row(position, "Offset Y", make.Spin("spnedt_ISubmenuOffsetY"));
  layout->addWidget(position);
  QGroupBox* type = make.Group("Type", "spdbtnHelpSubmenuType", 15);
  make.Row(type, "Type", make.List("cmbx_ISubmenuDirection", {"Vertical", "Horizontal"}));
  layout->addWidget(type);
  QGroupBox* gap = make.Group("Gap", "spdbtnHelpSubmenuGap", 16);
  make.Row(gap, "Item Gap", make.Spin("spnedt_ISubmenuItemGap"));
  layout->addWidget(gap);
  layout->addStretch();
  AddBatchButton(layout, make, kBatchButtons[4]);
}

// Gives the label column of every group on a page one width, so the
// fields of the page share one left edge.
void AlignLabelColumns(QWidget* page) {
  const auto groups = page->findChildren<HelpGroupBox*>(Qt::FindDirectChildrenOnly);
  int widest = 0;
  for (const HelpGroupBox* group : groups) {
    const QGridLayout* grid = PageBuilder::Grid(group);
    for (int row = 0; row < grid->rowCount(); ++row) {
      const QLayoutItem* cell = grid->itemAtPosition(row, 0);
      if (const auto* label = cell ? qobject_cast<const QLabel*>(cell->widget()) : nullptr)
        widest = std::max(widest, label->sizeHint().width());
    }
  }
  for (HelpGroupBox* group : groups) PageBuilder::Grid(group)->setColumnMinimumWidth(0, widest);
}

}  // namespace

void BuildPropertyPages(QTabWidget* tabs) {
  BuildScriptPage(tabs);
  BuildItemGeneralPage(tabs);
  for (int state = 0; state < 3; ++state) BuildStatePage(tabs, state);
  BuildSubmenuPage(tabs);
  BuildPathPage(tabs);
  for (int page = 0; page < tabs->count(); ++page) AlignLabelColumns(tabs->widget(page));
}

}  // namespace velmora
