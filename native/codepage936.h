#pragma once
#include <string>
#include <string_view>

#include "native/field_text.h"

namespace varnelo {

// The one code page 936 layer: the widgets, the script host and the code page
// fields all convert through these functions.

// Code page 936 bytes to UTF-16 units; a byte that starts no valid character
// becomes U+FFFD.
std::u16string decodeCp936(std::string_view bytes);

// UTF-16 units to code page 936; a character the code page lacks, and every
// lone surrogate, becomes "?".
std::string encodeCp936(std::u16string_view units);

// As decodeCp936, but every byte that starts no valid character becomes its
// own placeholder character, so that raw bytes can be shown and edited.
std::u16string decodeCp936KeepingBytes(std::string_view bytes);

// As encodeCp936, but placeholder characters turn back into their bytes.
std::string encodeCp936KeepingBytes(std::u16string_view units);

// The placeholder that stands for a raw byte 0x80 to 0xFF (a private-use
// character that code page 936 has no mapping for).
constexpr char16_t RAW_BYTE_PLACEHOLDER_BASE = 0xF780;
constexpr char16_t rawBytePlaceholder(unsigned char byte) {
  return static_cast<char16_t>(RAW_BYTE_PLACEHOLDER_BASE + (byte - 0x80));
}

// Field 15 and field 18's UTF-8 step.
FieldText gbkToUtf8(const FieldText& text);
// Malformed UTF-8 becomes U+FFFD, then "?".
FieldText utf8ToGbk(const FieldText& text);

// Field 16: the bytes read as UTF-16LE (a last odd byte ignored), composed
// where a base character and its marks have one precomposed form, in code
// page 936, cut at the first NUL byte.
FieldText utf16leBytesToGbk(const ByteBuffer& bytes);
// The text's UTF-16LE bytes followed by the two bytes of a terminating U+0000;
// the empty text gives no bytes at all.
ByteBuffer gbkToUtf16leBytes(const FieldText& text);

}  // namespace varnelo
