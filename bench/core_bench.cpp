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

std::string BenchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("velmora-bench-") + name)).string();
}

void SaveProject(benchmark::State& state) {
  TvornAppletAgent doc;
  ItemTree tree;
  MakeSyntheticDesign(doc, tree, static_cast<int>(state.range(0)), 1);
  for (auto& item : doc.Items) item = TvornAppletAgent::MakeDefaultItem(), item[ILevel] = "0";
  const std::string path = BenchFile("save.velm");
  for (auto _ : state) doc.SaveProject(path);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void RawWrite(benchmark::State& state) {
  TvornAppletAgent doc;
  ItemTree tree;
  MakeSyntheticDesign(doc, tree, static_cast<int>(state.range(0)), 1);
  for (auto& item : doc.Items) item = TvornAppletAgent::MakeDefaultItem(), item[ILevel] = "0";
  const std::string path = BenchFile("raw.velm");
  doc.SaveProject(path);
  const std::string bytes = ReadWholeFile(path);
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void LoadProject(benchmark::State& state) {
  TvornAppletAgent doc;
  ItemTree tree;
  MakeSyntheticDesign(doc, tree, static_cast<int>(state.range(0)), 1);
  for (auto& item : doc.Items) item = TvornAppletAgent::MakeDefaultItem(), item[ILevel] = "0";
  const std::string path = BenchFile("load.velm");
  doc.SaveProject(path);
  for (auto _ : state) benchmark::DoNotOptimize(doc.LoadProject(path, tree));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}

void RawRead(benchmark::State& state) {
  TvornAppletAgent doc;
  ItemTree tree;
  MakeSyntheticDesign(doc, tree, static_cast<int>(state.range(0)), 1);
  for (auto& item : doc.Items) item = TvornAppletAgent::MakeDefaultItem(), item[ILevel] = "0";
  const std::string path = BenchFile("rawread.velm");
  doc.SaveProject(path);
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
