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
#include <QScrollArea>
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

// A page scrolls inside the page control, so a small or scaled screen
// shows all of it without the window outgrowing the screen. The scroll
// area carries the page's name; the controls lie on its inner widget.
QWidget* NewPage(QTabWidget* tabs, const char* name, const QString& caption) {
  auto* scroll = new QScrollArea(tabs);
  scroll->setObjectName(name);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);
  auto* page = new QWidget(scroll);
  page->setObjectName(QString::fromLatin1(name) + "Body");
  scroll->setWidget(page);
  tabs->addTab(scroll, caption);
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

void BuildScriptPage(QTabWidget* tabs, BuiltPages& built) {
  QWidget* page = NewPage(tabs, "tbshtScript", "Script");
  const PageBuilder make(page, built.controls);
  QVBoxLayout* layout = PageLayout(page);

  QGroupBox* menu = make.Group("Menu", "spdbtnHelpScriptMenu", 1);
  make.Row(menu, "Type", make.List("cmbx_pMainMenuDirection", {"Vertical", "Horizontal"}), nullptr,
           "Menu type");
  make.Row(menu, "Item Gap", make.Spin("spnedt_pMainMenuItemGap"), nullptr, "Menu item gap");
  layout->addWidget(menu);

  const struct {
    const char* title;
    const char* verb;
    const char* help;
    int tag;
    const char* check;
    const char* checkCaption;
    const char* delay;
    const char* duration;
    const char* effect;
  } slides[] = {
      {"Slide Open", "Open", "spdbtnHelpScriptSlideOpen", 2, "chckbx_pOpenSlideType", "Enable Sliding Open",
       "spnedt_pOpenDelay", "spnedt_pSlidingOpenDuration", "cmbx_pOpenTransitionCustomFilter"},
      {"Slide Close", "Close", "spdbtnHelpScriptSlideClose", 3, "chckbx_pCloseSlideType",
       "Enable Sliding Close", "spnedt_pCloseDelay", "spnedt_pSlidingCloseDuration",
       "cmbx_pCloseTransitionCustomFilter"},
  };
  auto* row = new QHBoxLayout;
  for (const auto& slide : slides) {
    QGroupBox* group = make.Group(slide.title, slide.help, slide.tag);
    make.Row(group, "", make.Check(slide.check, slide.checkCaption));
    const QString verb = slide.verb;
    make.Row(group, "Delay", make.Spin(slide.delay), nullptr, verb + " delay");
    make.Row(group, "Duration", make.Spin(slide.duration), nullptr, verb + " duration");
    make.Row(group, "Effect", make.List(slide.effect, Choices(kTransitionNames)), nullptr, verb + " effect");
    row->addWidget(group, 1);
  }
  layout->addLayout(row);
  layout->addStretch();
}

void BuildPathPage(QTabWidget* tabs, BuiltPages& built) {
  QWidget* page = NewPage(tabs, "tbshtPath", "Path");
  built.pathBody = page;
  const PageBuilder make(page, built.controls);
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
    QLineEdit* edit = make.Edit(root.edit);
    grid->addWidget(make.Label(root.label, edit, root.label), row++, 0, 1, 3);
    grid->addWidget(edit, row++, 0, 1, 3);
    grid->addWidget(make.Example(root.example, edit), row++, 0, 1, 3);
  }
  auto* local =
      make.Radio("rdbtnpInternalUse_RootDir_Local_Checked", "Test on Local Computer (Convert to Local Path)");
  auto* remote =
      make.Radio("rdbtnpInternalUse_RootDir_Local_Checked2", "Upload to Web Server (Convert to Web Path)");
  grid->addWidget(local, row++, 0, 1, 3);
  grid->addWidget(remote, row++, 0, 1, 3);
  layout->addWidget(group);
  layout->addStretch();
}

void BuildItemGeneralPage(QTabWidget* tabs, BuiltPages& built) {
  QWidget* page = NewPage(tabs, "tbshtItemGeneral", "Item General");
  const PageBuilder make(page, built.controls);
  QVBoxLayout* layout = PageLayout(page);
  const Columns columns = TwoColumns(layout);

  QGroupBox* text = make.Group("Text Item", "spdbtnHelpTextItem", 5);
  make.Row(text, "Text", make.Edit("edt_ICaption"));
  make.Row(text, "Align", make.List("cmbx_ITextAlign", {"left", "center", "right"}));
  make.Row(text, "Warp", make.List("cmbx_ITextWrap", {"no", "yes"}), nullptr, "Wrap");
  columns.left->addWidget(text);

  QGroupBox* padding = make.Group("Text Padding");
  QGridLayout* paddingGrid = PageBuilder::Grid(padding);
  const char* sides[][3] = {{"Left", "spnedt_IPaddingLeft", "Padding left"},
                            {"Right", "spnedt_IPaddingRight", "Padding right"},
                            {"Top", "spnedt_IPaddingTop", "Padding top"},
                            {"Bottom", "spnedt_IPaddingBottom", "Padding bottom"}};
  for (int k = 0; k < 4; ++k) {
    QSpinBox* spin = make.Spin(sides[k][1]);
    paddingGrid->addWidget(make.Label(sides[k][0], spin, sides[k][2]), k / 2, (k % 2) * 2);
    paddingGrid->addWidget(spin, k / 2, (k % 2) * 2 + 1, Qt::AlignLeft);
  }
  paddingGrid->setColumnStretch(1, 1);
  paddingGrid->setColumnStretch(3, 1);
  columns.left->addWidget(padding);

  QGroupBox* link = make.Group("Link", "spdbtnHelpLink", 7);
  // Prefixes that make working addresses ("mailto://" and "news://" are refused by mail and news programs).
  make.Row(link, "URL",
           make.EditableCombo("cmbx_ILink",
                              {"https://", "http://", "mailto:", "tel:", "ftp://", "news:", "javascript:"}),
           make.Chooser("spdbtnItURL"));
  make.Row(link, "Target",
           make.EditableCombo("cmbx_ITarget", {"_self", "_blank", "_parent", "_top", "_search", "_media"}));
  columns.left->addWidget(link);

  QGroupBox* info = make.Group("Info", "spdbtnHelpInfo", 9);
  make.Row(info, "Tooltip", make.Edit("edt_IToolTip"));
  make.Row(info, "Status Bar Msg", make.Edit("edt_IStatusBarMsg"), nullptr, "Status bar message");
  columns.left->addWidget(info);
  columns.left->addStretch();

  QGroupBox* size = make.Group("Size", "spdbtnHelpSize", 8);
  QGridLayout* sizeGrid = PageBuilder::Grid(size);
  const char* parts[][4] = {
      {"Item", "spnedt_IWidth", "spnedt_IHeight", "the item"},
      {"Left Image", "spnedt_ILeftIconWidth", "spnedt_ILeftIconHeight", "the left icon"},
      {"Right Image", "spnedt_IRightIconWidth", "spnedt_IRightIconHeight", "the right icon"}};
  for (int k = 0; k < 3; ++k) {
    auto* part = new QGroupBox(parts[k][0], page);
    auto* partRow = new QHBoxLayout(part);
    partRow->setContentsMargins(6, 2, 6, 4);
    const QString whose = parts[k][3];
    QSpinBox* width = make.Spin(parts[k][1]);
    QSpinBox* height = make.Spin(parts[k][2]);
    partRow->addWidget(make.Label("Width", width, "Width of " + whose));
    partRow->addWidget(width);
    partRow->addStretch();
    partRow->addWidget(make.Label("Height", height, "Height of " + whose));
    partRow->addWidget(height);
    sizeGrid->addWidget(part, k, 0, 1, 4);
  }
  columns.right->addWidget(size);

  QGroupBox* image = make.Group("Image Item", "spdbtnHelpImageItem", 6);
  make.Row(image, "Normal", make.ImageCombo("cmbx_IImageUrl"), make.Chooser("spdbtnItemImageNormal"),
           "Normal image");
  make.Row(image, "Over", make.ImageCombo("cmbx_IOverImageUrl"), make.Chooser("spdbtnItemImageOver"),
           "Over image");
  make.Row(image, "Clicked", make.ImageCombo("cmbx_IClickedImageUrl"), make.Chooser("spdbtnItemImageClicked"),
           "Clicked image");
  columns.right->addWidget(image);

  auto* disable = new QHBoxLayout;
  disable->addWidget(make.Check("chckbx_DisableItem", "Disable this item"));
  disable->addWidget(make.HelpButton("spdbtnHelpDisable", 10, "Disable this item"));
  disable->addStretch();
  columns.right->addLayout(disable);
  columns.right->addStretch();
  AddBatchButton(columns.right, make, kBatchButtons[0]);
}

void BuildStatePage(QTabWidget* tabs, BuiltPages& built, int state) {
  static const char* const kSheets[] = {"tbshtItemNormal", "tbshtItemOver", "tbshtItemClicked"};
  static const char* const kCaptions[] = {"Normal", "Mouse Over", "Clicked"};
  static const char* const kPrefixes[] = {"", "Over", "Clicked"};
  const QString s = kStateNames[static_cast<size_t>(state)];
  const QString prefix = kPrefixes[state];
  const QString shownState = kCaptions[state];
  QWidget* page = NewPage(tabs, kSheets[state], kCaptions[state]);
  const PageBuilder make(page, built.controls);
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
  make.Row(caption, "Size", make.Spin("spnedt_IFontSize" + s), looks, "Font size");
  // The text colour, and beside it how well it stands out from the
  // background colour (filled by ContrastHint).
  BuiltPages::StateColours& colours = built.states[static_cast<size_t>(state)];
  colours.contrast = make.Register(new QLabel(page), "lbl_Contrast" + s);
  colours.text = make.Panel("pnl_IColor" + s);
  make.Row(caption, "Color", colours.text, colours.contrast, shownState + " text colour");
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
           make.Chooser("spdbtnItemBGImage" + s), "Background image");
  colours.background = make.Panel("pnl_IBackgroundColor" + s);
  make.Row(imageCursor, "Color", colours.background, nullptr, shownState + " background colour");
  make.Row(imageCursor, "Left", make.ImageCombo("cmbx_I" + prefix + "LeftIconUrl"),
           make.Chooser("spdbtnItemLeftIcon" + s), "Left icon");
  make.Row(imageCursor, "Right", make.ImageCombo("cmbx_I" + prefix + "RightIconUrl"),
           make.Chooser("spdbtnItemRightIcon" + s), "Right icon");
  columns.left->addWidget(imageCursor);
  columns.left->addStretch();

  QGroupBox* border = make.Group("Border");
  QGridLayout* borderGrid = PageBuilder::Grid(border);
  const char* const kSides[] = {"Left", "Top", "Right", "Bottom"};
  for (int k = 0; k < 4; ++k) {
    const QString side = kSides[k];
    const QString whose = side.toLower() + " border";
    QGroupBox* part = make.Group(side, "spdbtnHelpBorder" + side + s, 13, side + " border");
    make.Row(part, "Width", make.Spin("spnedt_IBorder" + side + "Width" + s), nullptr,
             "Width of the " + whose);
    make.Row(part, "Style", make.List("cmbx_IBorder" + side + "Style" + s, Choices(kBorderStyles)), nullptr,
             "Style of the " + whose);
    make.Row(part, "Color", make.Panel("pnl_IBorder" + side + "Color" + s), nullptr,
             shownState + " " + whose + " colour");
    borderGrid->addWidget(part, k / 2, k % 2);
  }
  borderGrid->setColumnStretch(1, 1);
  columns.right->addWidget(border);
  columns.right->addStretch();
  AddBatchButton(columns.right, make, kBatchButtons[static_cast<size_t>(state) + 1]);
}

void BuildSubmenuPage(QTabWidget* tabs, BuiltPages& built) {
  QWidget* page = NewPage(tabs, "tbshtSubmenu", "Submenu");
  const PageBuilder make(page, built.controls);
  QVBoxLayout* layout = PageLayout(page);
  QGroupBox* position = make.Group("Position", "spdbtnHelpSubmenuPosition", 14);
  make.Row(position, "Offset X", make.Spin("spnedt_ISubmenuOffsetX"));
  make.Row(position, "Offset Y", make.Spin("spnedt_ISubmenuOffsetY"));
  layout->addWidget(position);
  QGroupBox* type = make.Group("Type", "spdbtnHelpSubmenuType", 15);
  make.Row(type, "Type", make.List("cmbx_ISubmenuDirection", {"Vertical", "Horizontal"}), nullptr,
           "Submenu type");
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

BuiltPages BuildPropertyPages(QTabWidget* tabs) {
  BuiltPages built;
  BuildScriptPage(tabs, built);
  BuildItemGeneralPage(tabs, built);
  for (int state = 0; state < 3; ++state) BuildStatePage(tabs, built, state);
  BuildSubmenuPage(tabs, built);
  BuildPathPage(tabs, built);
  for (int page = 0; page < tabs->count(); ++page) {
    QWidget* body = static_cast<QScrollArea*>(tabs->widget(page))->widget();
    AlignLabelColumns(body);
    GiveAccessKeys(body, kMenuBarKeys);
  }
  return built;
}

}  // namespace velmora
