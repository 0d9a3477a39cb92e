#pragma once
#include <cstdint>
#include <string_view>

#include "native/field_text.h"

namespace varnelo {

// Two upper-case hexadecimal digits per byte: "41E4B8AD".
FieldText bytesToHexText(const ByteBuffer& bytes);

// Spaces removed (code page 936 aware), then every two bytes of text become one
// byte by the digit-value arithmetic, whatever the characters are.
ByteBuffer hexTextToBytes(const FieldText& text);

// The value of up to sixteen digit bytes (a longer text keeps its last 16).
std::int64_t hexTextToInteger(std::string_view text);

}  // namespace varnelo
