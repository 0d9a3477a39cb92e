#pragma once
#include <string>
#include <string_view>

namespace varnelo {

// The content of a field: code page 936 bytes with CR LF line breaks and no NUL byte.
using FieldText = std::string;

// Arbitrary bytes with their length; may hold NUL bytes.
using ByteBuffer = std::string;

// A conversion result as field text: its bytes up to the first NUL byte.
inline FieldText asFieldText(std::string_view bytes) {
  return FieldText(bytes.substr(0, bytes.find('\0')));
}

}  // namespace varnelo
