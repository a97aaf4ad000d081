// Document commands: importing and exporting the bare menu structure.

#include "designer/commands_support.h"
#include "designer/main_form.h"
#include "document/file_io.h"
#include "platform/codepage.h"
#include "platform/dialog_filter.h"
#include "platform/prompts.h"

namespace velmora {

void TMainForm::ImportMenuStructure1Click() {
  if (!AskToSaveChanges()) return;
  // The preview folder is emptied only once a file was chosen and read, so
  // a cancelled or refused import keeps the open design's images.
  const QString path = CurrentPrompts().OpenFile(this, QStringLiteral("Import Menu Structure"),
                                                 DialogFolder(*this), DialogFilter(kStructureFilesFilter));
  if (path.isEmpty()) return;
  const std::string nativePath = ToNativePath(path);
  const ReadResult result =
      RebuildTreeWith([&](DesignTree& tree) { return Document().ImportStructure(nativePath, tree); });
  if (!ReportReadResult(*this, result, path, kWrongStructureMessage)) return;
  // The window stays bound to its project file: a later Save overwrites it.
  ShowReadDesign(*this, FolderOf(nativePath));
}

void TMainForm::ExportMenuStructure1Click() {
  // The file holds what the pages show.
  StorePages();
  QString path = CurrentPrompts().SaveFile(this, QStringLiteral("Export Menu Structure"), DialogFolder(*this),
                                           DialogFilter(kStructureFilesFilter));
  if (path.isEmpty()) return;
  if (path.right(4).toLower() != QLatin1String(".gms")) path += QLatin1String(".gms");
  Document().ExportStructure(ToNativePath(path), Tree());
}

}  // namespace velmora
