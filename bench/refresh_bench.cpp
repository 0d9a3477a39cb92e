#include <benchmark/benchmark.h>

#include <string>

#include "app/field_rules.h"
#include "app/memory_window.h"
#include "bench/mixed_text.h"
#include "codec_host/codec_host.h"

namespace varnelo {
namespace {

void BM_RunCodecShortText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(runCodec("escapeToUtf16", "Varnelo"));
}
BENCHMARK(BM_RunCodecShortText)->Unit(benchmark::kMillisecond);

// One key release in field 1: all seventeen converter fields recomputed.
void BM_RefreshAllFields(benchmark::State& state) {
  MemoryWindow window;
  FieldRules rules(window);
  window.connect(rules);
  window.setFieldText(PLAIN_TEXT_FIELD, mixedChineseText(state.range(0)));
  for (auto _ : state) rules.onKeyReleased(PLAIN_TEXT_FIELD);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RefreshAllFields)->Arg(1 << 10)->Arg(64 << 10)->Unit(benchmark::kMillisecond);
// What a large paste costs: seconds to minutes, so measured once.
BENCHMARK(BM_RefreshAllFields)->Arg(1 << 20)->Arg(10 << 20)->Iterations(1)->Unit(benchmark::kSecond);

// A key release in a converter field holding the form of a mixed text:
// its decode into field 1, then the other sixteen fields recomputed.
void BM_DecodeAndRefresh(benchmark::State& state) {
  const ConversionField& row = fieldRow(static_cast<int>(state.range(0)));
  MemoryWindow window;
  FieldRules rules(window);
  window.connect(rules);
  window.focus(row.number);
  window.userEdits(row.number, runConversion(row.encode, mixedChineseText(state.range(1))));
  state.SetLabel(row.sourceKey);
  for (auto _ : state) rules.onKeyReleased(row.number);
  state.SetBytesProcessed(state.iterations() * state.range(1));
}
BENCHMARK(BM_DecodeAndRefresh)
    ->ArgsProduct({{2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, {64 << 10, 1 << 20}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// Each converter field's encode alone.
void BM_EncodeField(benchmark::State& state) {
  const ConversionField& row = fieldRow(static_cast<int>(state.range(0)));
  FieldText text = mixedChineseText(state.range(1));
  state.SetLabel(row.sourceKey);
  for (auto _ : state) benchmark::DoNotOptimize(runConversion(row.encode, text));
  state.SetBytesProcessed(state.iterations() * state.range(1));
}
BENCHMARK(BM_EncodeField)
    ->ArgsProduct({benchmark::CreateDenseRange(2, 18, 1), {1 << 10, 64 << 10, 1 << 20}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnelo
