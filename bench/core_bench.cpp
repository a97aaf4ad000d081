// Saving and loading projects beside writing and reading the same bytes raw,
// and a subtree move as the design tree performs it.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "document/file_io.h"
#include "synthetic_design.h"

namespace velmora::bench {
namespace {

// A saved project of `items` default top-level items; returns its path.
std::string SavedDefaultProject(int items, const char* name) {
  TvornAppletAgent doc;
  ItemTree tree;
  MakeSyntheticDesign(doc, tree, items, 1);
  for (auto& item : doc.Items) item = TvornAppletAgent::MakeDefaultItem(), item[ILevel] = "0";
  const std::string path =
      (std::filesystem::temp_directory_path() / (std::string("velmora-bench-") + name)).string();
  doc.SaveProject(path);
  return path;
}

void SaveProject(benchmark::State& state) {
  const std::string path = SavedDefaultProject(static_cast<int>(state.range(0)), "save.velm");
  TvornAppletAgent doc;
  ItemTree tree;
  doc.LoadProject(path, tree);
  for (auto _ : state) doc.SaveProject(path);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void RawWrite(benchmark::State& state) {
  const std::string path = SavedDefaultProject(static_cast<int>(state.range(0)), "raw.velm");
  const std::string bytes = ReadWholeFile(path);
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void LoadProject(benchmark::State& state) {
  const std::string path = SavedDefaultProject(static_cast<int>(state.range(0)), "load.velm");
  TvornAppletAgent doc;
  ItemTree tree;
  for (auto _ : state) benchmark::DoNotOptimize(doc.LoadProject(path, tree));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void RawRead(benchmark::State& state) {
  const std::string path = SavedDefaultProject(static_cast<int>(state.range(0)), "rawread.velm");
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeFile(path));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

// A 1,000-item block moved above the 1,000-item block before it.
void SubtreeMove(benchmark::State& state) {
  TvornAppletAgent doc;
  ItemTree tree;
  MakeSyntheticDesign(doc, tree, 2000, 30);
  for (auto _ : state) doc.MoveBlockUp(1000, 1000, 1000);
}

BENCHMARK(SaveProject)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RawWrite)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadProject)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(RawRead)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SubtreeMove)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench

BENCHMARK_MAIN();
