// Run: build/bench/engine_bench  (a Release or RelWithDebInfo build)
#include <benchmark/benchmark.h>

#include <limits>
#include <random>
#include <string>

#include "bench/reference_pool.h"
#include "engine/candidate_pool.h"
#include "engine/draw_batch.h"
#include "engine/draw_record.h"
#include "engine/random.h"
#include "tests/support/control_model.h"

namespace tavrilo {
namespace {

// A record of `items` distinct numbers between lo and hi, as the program writes it.
std::string MakeRecord(int items, std::int64_t lo, std::int64_t hi) {
  std::mt19937_64 gen(42);
  std::uniform_int_distribution<std::int64_t> pick(lo, hi);
  std::string record;
  for (int i = 0; i < items; ++i) record = AppendDrawn(record, static_cast<std::int32_t>(pick(gen)));
  return record;
}

// One number drawn from the full 32-bit range with repeats forbidden, against 10,000 items.
void BM_DrawFullRangeAgainst10kRecord(benchmark::State& state) {
  const std::string record = MakeRecord(10000, INT32_MIN, INT32_MAX);
  for ([[maybe_unused]] auto _ : state) {
    const CandidatePool pool = BuildCandidatePool(record, INT32_MIN, INT32_MAX, true);
    benchmark::DoNotOptimize(pool.At(static_cast<std::uint64_t>(RandomBetween(1, static_cast<std::int64_t>(pool.Size())))));
  }
}
BENCHMARK(BM_DrawFullRangeAgainst10kRecord)->Unit(benchmark::kMillisecond);

// Range 1 ... 100,000 against a 1,000-item record: the real pool and the listing.
void BM_PoolRange100kRecord1k(benchmark::State& state) {
  const std::string record = MakeRecord(1000, 1, 100000);
  for ([[maybe_unused]] auto _ : state) {
    const CandidatePool pool = BuildCandidatePool(record, 1, 100000, true);
    benchmark::DoNotOptimize(pool.At(pool.Size() / 2));
  }
}
BENCHMARK(BM_PoolRange100kRecord1k)->Unit(benchmark::kMicrosecond);

void BM_ReferencePoolRange100kRecord1k(benchmark::State& state) {
  const std::string record = MakeRecord(1000, 1, 100000);
  for ([[maybe_unused]] auto _ : state) {
    const auto pool = reference::ListCandidates(record, 1, 100000, true);
    benchmark::DoNotOptimize(pool[pool.size() / 2]);
  }
}
BENCHMARK(BM_ReferencePoolRange100kRecord1k)->Unit(benchmark::kMillisecond)->Iterations(3);

// A batch with the effect off against the in-memory window, with the record's limit lifted
// so that every requested number is drawn. Argument: numbers; second: repeats forbidden.
void BM_QuietBatch(benchmark::State& state) {
  const auto numbers = std::to_string(state.range(0));
  for ([[maybe_unused]] auto _ : state) {
    testing::ControlModel model;
    model.Type(ControlId::编辑框1, "1");
    model.Type(ControlId::编辑框2, "2000000000");
    model.Type(ControlId::编辑框5, numbers);
    model.SetChecked(ControlId::选择框1, state.range(1) != 0);
    model.SetChecked(ControlId::选择框2, false);
    HandleDrawClick(model, std::numeric_limits<std::size_t>::max());
    benchmark::DoNotOptimize(model.Text(ControlId::编辑框3).size());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_QuietBatch)
    ->ArgsProduct({{100000, 1000000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The largest count the field takes, repeats allowed, effect off, with the program's own limit.
void BM_LargestCountWithRecordLimit(benchmark::State& state) {
  for ([[maybe_unused]] auto _ : state) {
    testing::ControlModel model;
    model.Type(ControlId::编辑框5, "2147483647");
    model.SetChecked(ControlId::选择框1, false);
    model.SetChecked(ControlId::选择框2, false);
    HandleDrawClick(model);
    benchmark::DoNotOptimize(model.Text(ControlId::编辑框3).size());
  }
}
BENCHMARK(BM_LargestCountWithRecordLimit)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrilo
