// The script host's string bridge: UTF-16 units survive the engine's CESU-8
// unit for unit, and any bytes read back decode without harm.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "codec_host/cesu8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnelo;
  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  if (cesu8ToUtf16(utf16ToCesu8(units)) != units) {
    std::fprintf(stderr, "units changed crossing the bridge (%zu units)\n", units.size());
    std::abort();
  }
  cesu8ToUtf16(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
