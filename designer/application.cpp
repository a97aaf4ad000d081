#include "designer/application.h"

#include <QApplication>

#include "designer/icons.h"

namespace velmora {

void ConfigureApplication() {
  QApplication::setApplicationName("Velmora");
  QApplication::setOrganizationName("Vorn");
  QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace velmora
