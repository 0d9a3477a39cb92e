// The widgets' code page 936 layer: any field text shown in a widget and read
// back unedited gives the same bytes, line breaks aside.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/field_display.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnelo;
  FieldText text = asFieldText(std::string(reinterpret_cast<const char*>(data), size));
  // A widget knows one kind of line break: make every break CR LF first.
  FieldText normalized;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      normalized += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      normalized += text[i];
    }
  }
  if (displayToFieldText(fieldTextToDisplay(normalized)) != normalized) {
    std::fprintf(stderr, "bytes changed on their way through a widget (%zu bytes)\n", normalized.size());
    std::abort();
  }
  return 0;
}
