// Expansion speed (MB/s of output) and compression ratio on a skin-like
// archive of about 500 KB, for the compressor's cheapest-path parse and for
// plain greedy matching in the same run.
#include <benchmark/benchmark.h>

#include "bench/skin_packages/SkinBenchData.h"
#include "framework/Streams.h"
#include "skin/packages/Lzh.h"
#include "skin/packages/SkinReader.h"

namespace {

struct Fixture {
  Fixture() {
    MakeSkinLikeArchive(writer);
    archive = writer.Build();
    optimal = writer.BuildCompressed(TLzhMatching::lmOptimal);
    greedy = writer.BuildCompressed(TLzhMatching::lmGreedy);
  }
  TSkinArchiveWriter writer;
  std::vector<std::uint8_t> archive, optimal, greedy;
};

const Fixture& Data() {
  static const Fixture fixture;
  return fixture;
}

void SetRatioCounters(benchmark::State& state, const std::vector<std::uint8_t>& packed) {
  const Fixture& d = Data();
  state.counters["archive_bytes"] = static_cast<double>(d.archive.size());
  state.counters["packed_bytes"] = static_cast<double>(packed.size());
  state.counters["ratio"] =
      static_cast<double>(d.archive.size()) / static_cast<double>(packed.size());
  state.counters["greedy_bytes"] = static_cast<double>(d.greedy.size());
  state.counters["members"] = d.writer.Count();
}

void Expand(benchmark::State& state, const std::vector<std::uint8_t>& packed) {
  const Fixture& d = Data();
  const auto bits = std::span(packed).subspan(4);
  for (auto _ : state) {
    std::vector<std::uint8_t> out =
        TLZH::ExpandBytes(static_cast<std::int32_t>(d.archive.size()), bits);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(d.archive.size()));
  SetRatioCounters(state, packed);
}

void BM_ExpandOptimalStream(benchmark::State& state) {
  Expand(state, Data().optimal);
}
void BM_ExpandGreedyStream(benchmark::State& state) {
  Expand(state, Data().greedy);
}

// The whole load as the skin data component does it: expand and index.
void BM_LoadPackage(benchmark::State& state) {
  const Fixture& d = Data();
  for (auto _ : state) {
    TBytesStream compressed(d.optimal);
    TSkinReader reader;
    if (!reader.Load(compressed)) state.SkipWithError("package refused");
    benchmark::DoNotOptimize(reader.EntryCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(d.archive.size()));
}

void Compress(benchmark::State& state, TLzhMatching matching) {
  const Fixture& d = Data();
  std::vector<std::uint8_t> packed;
  for (auto _ : state) {
    packed = TLzhCompressor(matching).Compress(d.archive);
    benchmark::DoNotOptimize(packed.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(d.archive.size()));
  SetRatioCounters(state, packed);
}

void BM_CompressOptimal(benchmark::State& state) {
  Compress(state, TLzhMatching::lmOptimal);
}
void BM_CompressGreedy(benchmark::State& state) {
  Compress(state, TLzhMatching::lmGreedy);
}

}  // namespace

BENCHMARK(BM_ExpandOptimalStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandGreedyStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPackage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressOptimal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressGreedy)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
