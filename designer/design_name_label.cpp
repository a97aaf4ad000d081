#include "designer/design_name_label.h"

#include <QFileInfo>

#include "designer/main_form.h"

namespace velmora {

DesignNameLabel::DesignNameLabel(TMainForm& form, QWidget* parent) : QLabel(parent), form_(form) {
  setObjectName("stctxtDesign");
  connect(&form, &TMainForm::ModifiedChanged, this, &DesignNameLabel::Refresh);
  connect(&form, &TMainForm::ProjectFileChanged, this, &DesignNameLabel::Refresh);
  Refresh();
}

void DesignNameLabel::Refresh() {
  const QString& path = form_.ProjectFile();
  const QString name = path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(path).fileName();
  setText(form_.IsModified() ? name + kModifiedMark : name);
  setToolTip(path.isEmpty() ? QStringLiteral("This design has not been saved to a file yet")
                            : QFileInfo(path).absoluteFilePath());
}

QSize DesignNameLabel::minimumSizeHint() const {
  return {0, QLabel::minimumSizeHint().height()};
}

}  // namespace velmora
