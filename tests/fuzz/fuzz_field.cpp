// One conversion direction of one field, chosen by VARNELO_FUZZ_TARGET
// ("9-encode", "17-decode", ...). Beyond not crashing, a result must be a valid
// field text, a second call must give the same result, and the encoders that
// promise it must decode back to the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/field_registry.h"
#include "native/codepage936.h"

namespace varnelo {
namespace {

struct Target {
  const ConversionField* row = nullptr;
  bool encode = true;
};

Target target;

// Fields whose encoding of any text that code page 936 holds decodes back to it.
bool roundTrips(int field) {
  switch (field) {
    case 2: case 3: case 7: case 8: case 9: case 11: case 12: case 13: case 17: case 18:
      return true;
    default:
      return false;
  }
}

bool isPlainCodePage936(const FieldText& text) {
  return encodeCp936(decodeCp936(text)) == text && decodeCp936(text).find(u'\uFFFD') == std::u16string::npos;
}

[[noreturn]] void fail(const char* what, const FieldText& input, const FieldText& output) {
  std::fprintf(stderr, "%s\ninput (%zu bytes), output (%zu bytes)\n", what, input.size(), output.size());
  std::abort();
}

}  // namespace
}  // namespace varnelo

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  using namespace varnelo;
  const char* name = std::getenv("VARNELO_FUZZ_TARGET");
  int field = 0;
  char direction[16] = {};
  if (!name || std::sscanf(name, "%d-%15s", &field, direction) != 2 || field < 2 || field > FIELD_COUNT) {
    std::fprintf(stderr, "Set VARNELO_FUZZ_TARGET to FIELD-encode or FIELD-decode, FIELD 2 to 18.\n");
    std::exit(2);
  }
  target.row = &fieldRow(field);
  target.encode = std::string(direction) == "encode";
  if (!target.encode && !target.row->decode.exists()) {
    std::fprintf(stderr, "Field %d has no decode.\n", field);
    std::exit(2);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnelo;
  const FieldText input = asFieldText(std::string(reinterpret_cast<const char*>(data), size));
  const Conversion& conversion = target.encode ? target.row->encode : target.row->decode;

  const FieldText output = runConversion(conversion, input);
  if (output.find('\0') != std::string::npos) fail("result holds a NUL byte", input, output);
  if (runConversion(conversion, input) != output) fail("a second call gave another result", input, output);

  if (target.encode && roundTrips(target.row->number) && isPlainCodePage936(input)) {
    const FieldText back = runConversion(target.row->decode, output);
    if (back != input) fail("the encoding does not decode back to the text", input, back);
  }
  return 0;
}
