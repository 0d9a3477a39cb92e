#include "app/field_display.h"

#include "native/codepage936.h"

namespace varnelo {

std::u16string fieldTextToDisplay(const FieldText& text) {
  std::u16string decoded = decodeCp936KeepingBytes(text);
  std::u16string shown;
  shown.reserve(decoded.size());
  for (size_t i = 0; i < decoded.size(); ++i) {
    if (decoded[i] == u'\r') {
      shown += u'\n';
      if (i + 1 < decoded.size() && decoded[i + 1] == u'\n') ++i;
    } else {
      shown += decoded[i];
    }
  }
  return shown;
}

FieldText displayToFieldText(std::u16string_view shown) {
  std::u16string withBreaks;
  withBreaks.reserve(shown.size() + shown.size() / 16);
  for (char16_t unit : shown) {
    if (unit == u'\n' || unit == u'\u2028' || unit == u'\u2029')
      withBreaks += u"\r\n";
    else
      withBreaks += unit;
  }
  return asFieldText(encodeCp936KeepingBytes(withBreaks));
}

}  // namespace varnelo
