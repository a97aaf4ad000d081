// Undo and redo of one step of each kind on a large design: every step is
// done and taken back once per iteration (the time is for both).

#include <benchmark/benchmark.h>

#include "document/item_edits.h"
#include "synthetic_design.h"

namespace velmora::bench {
namespace {

TvornAppletAgent& LargeDesign(int items) {
  static TvornAppletAgent doc;
  if (doc.ItemCount() != items) {
    ItemTree tree;
    MakeSyntheticDesign(doc, tree, items, 50);
  }
  return doc;
}

// Taking out and putting back a run of `range(1)` items from the front,
// where the most items shift (Delete and its undo; Insert the other way).
void TakeAndPutBack(benchmark::State& state) {
  TvornAppletAgent& doc = LargeDesign(static_cast<int>(state.range(0)));
  const int count = static_cast<int>(state.range(1));
  for (auto _ : state) {
    std::vector<TItemData> taken = TakeItems(doc, 0, count);
    PutItems(doc, 0, taken);
  }
}

// A subtree of half the design moved past the other half and back.
void MoveAndBack(benchmark::State& state) {
  TvornAppletAgent& doc = LargeDesign(static_cast<int>(state.range(0)));
  const int half = doc.ItemCount() / 2;
  const BlockMove move{half, doc.ItemCount() - half, half};
  for (auto _ : state) {
    move.Apply(doc);
    move.Inverse().Apply(doc);
  }
}

// One value of one item (a page edit), or one field of every item (a
// batch change marking them all).
void SwapAndBack(benchmark::State& state) {
  TvornAppletAgent& doc = LargeDesign(static_cast<int>(state.range(0)));
  const bool everyItem = state.range(1) != 0;
  std::vector<ValueChange> changes;
  for (int i = everyItem ? 0 : doc.ItemCount() / 2; i < doc.ItemCount(); ++i) {
    changes.push_back({{i, IColorOver}, "123456"});
    if (!everyItem) break;
  }
  for (auto _ : state) {
    SwapValues(doc, changes);
    SwapValues(doc, changes);
  }
  state.counters["kept_bytes"] = static_cast<double>(changes.size() * sizeof(ValueChange));
}

BENCHMARK(TakeAndPutBack)->Args({10000, 1})->Args({10000, 5000})->Unit(benchmark::kMillisecond);
BENCHMARK(MoveAndBack)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(SwapAndBack)->Args({1000, 0})->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench

BENCHMARK_MAIN();
