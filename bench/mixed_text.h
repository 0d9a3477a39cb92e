#pragma once
#include <cstddef>

#include "native/field_text.h"

namespace varnelo {

// Mixed Chinese and ASCII text in code page 936, exactly `bytes` long.
inline FieldText mixedChineseText(size_t bytes) {
  const FieldText unit = "Varnelo \xD6\xD0\xB9\xFA\xBA\xBA\xD7\xD6 text, \xB1\xE0\xC2\xEB 123\r\n";
  FieldText text;
  text.reserve(bytes);
  while (text.size() + unit.size() <= bytes) text += unit;
  text.append(bytes - text.size(), 'a');
  return text;
}

}  // namespace varnelo
