// Record queues: adding records, and the keyed get at growing queue sizes.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/data/Queue.h"

namespace {

// The layout of the slider switch record: three 32-bit numbers and a
// reference slot, keyed by the third number.
struct Row {
  std::int32_t check;
  std::int32_t image;
  std::int32_t region;
  std::uint32_t reference;
};
constexpr std::array<std::uint8_t, 60> kRowDescriptor = {
    0x16, 0x00, 0x10, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x3C, 0x00, 0x00, 0x00,
    0x06, 0x02, 'D', 'W', 'F', 'E', 'Q', 0x00,
    0x06, 0x02, 'D', 'W', 'I', 'M', 'A', 'G', 'E', 'F', 'E', 'Q', 0x00,
    0x06, 0x02, 'D', 'W', 'R', 'E', 'G', 'I', 'O', 'N', 'F', 'E', 'Q', 0x00,
    0x0F, 0x02, 'T', 'H', 'E', 'F', 'I', 'E', 'L', 'D', 0x00,
};
constexpr std::int32_t kRegionKey[] = {3, 0};

Row& Buffer(runtime::Handle queue) { return *static_cast<Row*>(runtime::QueueBuffer(queue)); }

// A queue of `count` rows with region numbers 0, 7, 14, ... and its key index built.
runtime::Handle FilledQueue(std::int64_t count) {
  const runtime::Handle queue = runtime::NewQueue(kRowDescriptor);
  runtime::GetRecordByKey(queue, kRegionKey);  // builds the index, so adds keep it
  for (std::int64_t i = 0; i < count; ++i) {
    Buffer(queue) = Row{static_cast<std::int32_t>(i), 0, static_cast<std::int32_t>(i * 7), 0};
    runtime::AddRecord(queue);
  }
  return queue;
}

// Time per record of filling a queue of `range(0)` records, index kept.
void BM_AddRecord(benchmark::State& state) {
  for (auto _ : state) {
    const runtime::Handle queue = FilledQueue(state.range(0));
    benchmark::DoNotOptimize(runtime::RecordCount(queue));
    state.PauseTiming();
    runtime::DisposeQueue(queue);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One keyed get by region in a queue of `range(0)` records, keys visited in a
// scattered order so that the caches do not flatter the larger queues.
void BM_GetRecordByKey(benchmark::State& state) {
  const std::int64_t count = state.range(0);
  const runtime::Handle queue = FilledQueue(count);
  std::vector<std::int32_t> regions;
  std::uint32_t mix = 12345;
  for (int i = 0; i < 4096; ++i) {
    mix = mix * 1664525u + 1013904223u;
    regions.push_back(static_cast<std::int32_t>(mix % static_cast<std::uint32_t>(count)) * 7);
  }
  std::size_t next = 0;
  for (auto _ : state) {
    Buffer(queue).region = regions[next++ & 4095];
    runtime::GetRecordByKey(queue, kRegionKey);
    if (runtime::ErrorCode() != 0) state.SkipWithError("a stored key was not found");
    benchmark::DoNotOptimize(Buffer(queue).check);
  }
  state.SetItemsProcessed(state.iterations());
  runtime::DisposeQueue(queue);
}

BENCHMARK(BM_AddRecord)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetRecordByKey)->Arg(10)->Arg(1000)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
