#include <benchmark/benchmark.h>

#include <string>

#include "app/field_rules.h"
#include "app/memory_window.h"
#include "codec_host/codec_host.h"

namespace varnelo {
namespace {

// Mixed Chinese and ASCII text in code page 936, about `bytes` long.
FieldText mixedText(size_t bytes) {
  const FieldText unit = "Varnelo \xD6\xD0\xCE\xC4 text, \xB1\xE0\xC2\xEB 123\r\n";
  FieldText text;
  while (text.size() + unit.size() <= bytes) text += unit;
  text.append(bytes - text.size(), 'a');
  return text;
}

void BM_RunCodecShortText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(runCodec("escapeToUtf16", "Varnelo"));
}
BENCHMARK(BM_RunCodecShortText)->Unit(benchmark::kMillisecond);

// One key release in field 1: all seventeen converter fields recomputed.
void BM_RefreshAllFields(benchmark::State& state) {
  MemoryWindow window;
  FieldRules rules(window);
  window.connect(rules);
  window.setFieldText(PLAIN_TEXT_FIELD, mixedText(state.range(0)));
  for (auto _ : state) rules.onKeyReleased(PLAIN_TEXT_FIELD);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RefreshAllFields)->Arg(1 << 10)->Arg(64 << 10)->Unit(benchmark::kMillisecond);

// Each converter field's encode alone.
void BM_EncodeField(benchmark::State& state) {
  const ConversionField& row = fieldRow(static_cast<int>(state.range(0)));
  FieldText text = mixedText(state.range(1));
  state.SetLabel(row.sourceKey);
  for (auto _ : state) benchmark::DoNotOptimize(runConversion(row.encode, text));
  state.SetBytesProcessed(state.iterations() * state.range(1));
}
BENCHMARK(BM_EncodeField)
    ->ArgsProduct({benchmark::CreateDenseRange(2, 18, 1), {1 << 10, 64 << 10}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnelo
