#pragma once

// Builds the seven property pages into the page control, in tab order:
// Script, Item General, Normal, Mouse Over, Clicked, Submenu, Path.

class QTabWidget;

namespace velmora {

void BuildPropertyPages(QTabWidget* tabs);

}  // namespace velmora
