#include "designer/neighbour_look.h"

#include <QAction>
#include <QMenu>

#include "platform/settings.h"

namespace velmora {

namespace {

constexpr const char* kSetting = "NewItemsCopyNeighbourLook";

}  // namespace

QAction* AddNeighbourLookEntry(QMenu* optionMenu) {
  QAction* entry = optionMenu->addAction(QStringLiteral("New Items Copy Their &Neighbour's Look"));
  entry->setObjectName(QStringLiteral("NeighbourLook1"));
  entry->setCheckable(true);
  entry->setChecked(NewItemsCopyNeighbourLook());
  QObject::connect(entry, &QAction::toggled, entry,
                   [](bool on) { WriteBoolSetting(QString::fromLatin1(kSetting), on); });
  return entry;
}

bool NewItemsCopyNeighbourLook() {
  return ReadBoolSetting(QString::fromLatin1(kSetting), true, true);
}

}  // namespace velmora
