#include "designer/document_notifier.h"

namespace velmora {

DocumentNotifier::DocumentNotifier(TvornAppletAgent& doc, QObject* parent) : QObject(parent), doc_(doc) {
  doc_.AddObserver(this);
}

DocumentNotifier::~DocumentNotifier() {
  doc_.RemoveObserver(this);
}

void DocumentNotifier::ItemsInserted(int, int) {
  emit StructureChanged();
  emit Changed();
}

void DocumentNotifier::ItemsRemoved(int, int) {
  emit StructureChanged();
  emit Changed();
}

void DocumentNotifier::ItemsMoved(int, int, int) {
  emit StructureChanged();
  emit Changed();
}

void DocumentNotifier::ValuesChanged(const std::vector<ValueSlot>&) {
  emit Changed();
}

void DocumentNotifier::ExtensionsChanged() {
  emit Changed();
}

void DocumentNotifier::DesignReset() {
  emit StructureChanged();
  emit Changed();
}

}  // namespace velmora
