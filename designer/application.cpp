#include "designer/application.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include "designer/focus_ring_style.h"
#include "designer/icons.h"

namespace velmora {

void ConfigureApplication() {
  QApplication::setApplicationName("Velmora");
  QApplication::setOrganizationName("Vorn");
  QApplication::setWindowIcon(ProgramIcon());
  // The platform's style, with focus rings that keep 3:1 contrast.
  if (!dynamic_cast<FocusRingStyle*>(QApplication::style()))
    QApplication::setStyle(new FocusRingStyle(QStyleFactory::create(QApplication::style()->name())));
}

}  // namespace velmora
