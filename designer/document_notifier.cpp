#include "designer/document_notifier.h"

namespace velmora {

DocumentNotifier::DocumentNotifier(TvornAppletAgent& doc, QObject* parent) : QObject(parent), doc_(doc) {
  doc_.AddObserver(this);
}

DocumentNotifier::~DocumentNotifier() {
  doc_.RemoveObserver(this);
}

void DocumentNotifier::ItemsInserted(int first, int count) {
  emit Inserted(first, count);
  emit StructureChanged();
  emit Changed();
}

void DocumentNotifier::ItemsRemoved(int first, int count) {
  emit Removed(first, count);
  emit StructureChanged();
  emit Changed();
}

void DocumentNotifier::ItemsMoved(int first, int count, int distance) {
  emit Moved(first, count, distance);
  emit StructureChanged();
  emit Changed();
}

void DocumentNotifier::ValuesChanged(const std::vector<ValueSlot>& changed) {
  emit ValuesReplaced(changed);
  emit Changed();
}

void DocumentNotifier::ExtensionsChanged() {
  emit ExtensionsReplaced();
  emit Changed();
}

void DocumentNotifier::DesignReset() {
  emit Reset();
  emit StructureChanged();
  emit Changed();
}

}  // namespace velmora
