#pragma once
#include <cstdio>
#include <string>

#include "codec_host/codec_host.h"
#include "codec_library/codec_library_source.h"

namespace varnelo {

// The codec library, with its map script, plus one test-only entry point,
// `evaluate`, that runs an expression in a fresh environment and returns it as
// a string; with it tests reach the library's inner functions through the real
// script host. Values that lists hold (NaN, -0) are written so they can be
// told apart.
inline CodecHost& libraryHarness() {
  static CodecHost host(std::string(CODEC_LIBRARY_SOURCE) + R"js(
function showValue(v) {
  if (typeof v === 'number' && v === 0 && 1 / v < 0) return '-0';
  if (v instanceof Array) {
    var parts = [];
    for (var i = 0; i < v.length; i++) parts.push(showValue(v[i]));
    return '[' + parts.join(',') + ']';
  }
  return String(v);
}
function evaluate(expression) { return showValue(eval(expression)); }
)js",
                        {CODEC_MAP_SOURCE,
                         {std::begin(CODEC_MAP_GLOBALS), std::end(CODEC_MAP_GLOBALS)}});
  return host;
}

// The value of an ASCII library expression, e.g.
// "convertStringToUnicodeCodePoints('\\u3042')" gives "[12354]"; a unit above
// 0x7F in the result is written "\\uXXXX"; "<failed>" when it throws.
inline std::string evaluateInLibrary(const std::string& expression) {
  std::u16string units(expression.begin(), expression.end());
  auto result = libraryHarness().runUnits("evaluate", units, u"", u"");
  if (!result) return "<failed>";
  std::string shown;
  for (char16_t unit : *result) {
    if (unit < 0x80) {
      shown += static_cast<char>(unit);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
      shown += escaped;
    }
  }
  return shown;
}

}  // namespace varnelo
