#pragma once

// The document's change reports as Qt signals, for the parts of the window
// that follow the design (the design tree, the pages, the live preview,
// crash recovery). The detailed signals come first, then the summaries.

#include <QObject>

#include "document/applet_agent.h"

namespace velmora {

class DocumentNotifier : public QObject, public DesignObserver {
  Q_OBJECT

 public:
  // Follows `doc` until destroyed; `doc` must outlive it.
  explicit DocumentNotifier(TvornAppletAgent& doc, QObject* parent = nullptr);
  ~DocumentNotifier() override;

  void ItemsInserted(int first, int count) override;
  void ItemsRemoved(int first, int count) override;
  void ItemsMoved(int first, int count, int distance) override;
  void ValuesChanged(const std::vector<ValueSlot>& changed) override;
  void ExtensionsChanged() override;
  void DesignReset() override;

 signals:
  // As the observer calls of the same meaning report them.
  void Inserted(int first, int count);
  void Removed(int first, int count);
  void Moved(int first, int count, int distance);
  void ValuesReplaced(const std::vector<ValueSlot>& changed);
  void ExtensionsReplaced();
  void Reset();
  // Any change of the design.
  void Changed();
  // Items came, went or moved, or another design came.
  void StructureChanged();

 private:
  TvornAppletAgent& doc_;
};

}  // namespace velmora
