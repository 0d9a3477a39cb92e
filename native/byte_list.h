#pragma once
#include <string_view>

#include "native/field_text.h"

namespace varnelo {

// "{65,214,208}" for the bytes 41 D6 D0; "{}" for none.
FieldText bytesToByteList(const ByteBuffer& bytes);

// Drops the first byte, splits the rest at commas (a comma after a code page
// 936 lead byte is part of its character) and turns every piece into a byte.
ByteBuffer byteListToBytes(const FieldText& text);

// One piece of a byte list: full-width forms normalised, then a decimal
// integer read with 32-bit wrapping; its low eight bits.
unsigned char decimalTextToByte(std::string_view piece);

}  // namespace varnelo
