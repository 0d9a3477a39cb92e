#include <benchmark/benchmark.h>

#include <string>

#include "bench/mixed_text.h"
#include "native/byte_list.h"
#include "native/chinese_variants.h"
#include "native/codepage936.h"
#include "native/hex_text.h"

namespace varnelo {
namespace {

// Each native conversion applied to the form it reads, made from a mixed
// text of state.range(0) bytes; throughput counts the bytes of that text.
template <typename Convert, typename Prepare>
void runConversion(benchmark::State& state, Prepare prepare, Convert convert) {
  const std::string input = prepare(mixedChineseText(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(convert(input));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

std::string same(const std::string& text) { return text; }
std::string asByteList(const std::string& text) { return bytesToByteList(text); }
std::string asHexText(const std::string& text) { return bytesToHexText(gbkToUtf8(text)); }
std::string asTraditional(const std::string& text) { return toTraditionalChinese(text); }

void BM_BytesToByteList(benchmark::State& state) { runConversion(state, same, bytesToByteList); }
void BM_ByteListToBytes(benchmark::State& state) { runConversion(state, asByteList, byteListToBytes); }
void BM_BytesToHexText(benchmark::State& state) { runConversion(state, gbkToUtf8, bytesToHexText); }
void BM_HexTextToBytes(benchmark::State& state) { runConversion(state, asHexText, hexTextToBytes); }
void BM_ToTraditionalChinese(benchmark::State& state) { runConversion(state, same, toTraditionalChinese); }
void BM_ToSimplifiedChinese(benchmark::State& state) { runConversion(state, asTraditional, toSimplifiedChinese); }

void nativeSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1 << 10)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_BytesToByteList)->Apply(nativeSizes);
BENCHMARK(BM_ByteListToBytes)->Apply(nativeSizes);
BENCHMARK(BM_BytesToHexText)->Apply(nativeSizes);
BENCHMARK(BM_HexTextToBytes)->Apply(nativeSizes);
BENCHMARK(BM_ToTraditionalChinese)->Apply(nativeSizes);
BENCHMARK(BM_ToSimplifiedChinese)->Apply(nativeSizes);

}  // namespace
}  // namespace varnelo
