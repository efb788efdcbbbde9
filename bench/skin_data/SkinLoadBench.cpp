// Loading a skin: from the compressed package as stored to ready skin
// objects. The subject is the largest of the program's own skins (made by
// the build); the complete test skin of the unit tests runs beside it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/Streams.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/SkinReader.h"
#include "tests/native/skin_data/TestSkin.h"

namespace {

// The largest package in the build's skins folder.
const std::vector<std::uint8_t>& LargestSkin(std::string* name = nullptr) {
  static std::string largest_name;
  static const std::vector<std::uint8_t> bytes = [] {
    std::filesystem::path largest;
    std::uintmax_t size = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TONMILL_SKINS_DIR)) {
      if (entry.path().extension() == ".skn" && entry.file_size() > size) {
        size = entry.file_size();
        largest = entry.path();
      }
    }
    largest_name = largest.filename().string();
    TMemoryStream file;
    file.LoadFromFile(largest.string());
    return std::vector<std::uint8_t>(file.Bytes().begin(), file.Bytes().end());
  }();
  if (name) *name = largest_name;
  return bytes;
}

const std::vector<std::uint8_t>& TestSkinPackage() {
  static const std::vector<std::uint8_t> bytes = CompleteTestSkin().Package();
  return bytes;
}

// Expanding and indexing only.
void BM_OpenPackage(benchmark::State& state) {
  std::string name;
  const std::vector<std::uint8_t>& package = LargestSkin(&name);
  for (auto _ : state) {
    TBytesStream stream(package);
    TSkinReader reader;
    benchmark::DoNotOptimize(reader.Load(stream));
  }
  state.SetLabel(name);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * package.size()));
}
BENCHMARK(BM_OpenPackage)->Unit(benchmark::kMillisecond);

// The whole load into a component that exists already (a skin change).
void LoadInto(benchmark::State& state, const std::vector<std::uint8_t>& package) {
  TTestEnvironment env;
  auto data = MakeComponent<TSkinData>(env.Get());
  for (auto _ : state) {
    LoadPackage(*data, package);
    if (data->NotReady()) state.SkipWithError("the skin was not read");
  }
  state.counters["caption_buttons"] = static_cast<double>(data->CaptionButtons().size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * package.size()));
}

void BM_LoadLargestSkin(benchmark::State& state) {
  std::string name;
  const std::vector<std::uint8_t>& package = LargestSkin(&name);
  LoadInto(state, package);
  state.SetLabel(name);
}
BENCHMARK(BM_LoadLargestSkin)->Unit(benchmark::kMillisecond);

void BM_LoadCompleteTestSkin(benchmark::State& state) {
  LoadInto(state, TestSkinPackage());
}
BENCHMARK(BM_LoadCompleteTestSkin)->Unit(benchmark::kMillisecond);

// A new component each time: construction (class-name list, menu glyphs)
// and the load, as at program start.
void BM_CreateAndLoadLargestSkin(benchmark::State& state) {
  const std::vector<std::uint8_t>& package = LargestSkin();
  TTestEnvironment env;
  for (auto _ : state) {
    auto data = MakeComponent<TSkinData>(env.Get());
    LoadPackage(*data, package);
    benchmark::DoNotOptimize(data->NotReady());
  }
}
BENCHMARK(BM_CreateAndLoadLargestSkin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
