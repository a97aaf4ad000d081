#pragma once

// Builds the seven property pages into the page control, in tab order:
// Script, Item General, Normal, Mouse Over, Clicked, Submenu, Path.

#include <QHash>
#include <QString>
#include <array>

class QLabel;
class QTabWidget;
class QWidget;

namespace velmora {

class ColorPanel;

struct BuiltPages {
  // Every control of the pages by its object name.
  QHash<QString, QWidget*> controls;
  // The text and background colours of a state page and the contrast
  // hint between them.
  struct StateColours {
    QLabel* contrast = nullptr;
    ColorPanel* text = nullptr;
    ColorPanel* background = nullptr;
  };
  std::array<StateColours, 3> states{};
  // The Path page's body, where menu-wide settings outside the binding
  // table (the page style) join.
  QWidget* pathBody = nullptr;
};

BuiltPages BuildPropertyPages(QTabWidget* tabs);

// The access keys of the main menu, which no page control may take.
inline constexpr const char* kMenuBarKeys = "FEVISOH";

}  // namespace velmora
