#pragma once
#include <string>
#include <string_view>

namespace varnelo {

// The script engine holds strings as CESU-8: every UTF-16 unit on its own,
// surrogates as three bytes each and U+0000 as a zero byte.
std::string utf16ToCesu8(std::u16string_view units);

// The inverse; also reads four-byte UTF-8 as a surrogate pair. A byte that
// starts no valid sequence, and a value above U+10FFFF, becomes U+FFFD.
std::u16string cesu8ToUtf16(std::string_view bytes);

// Bytes that utf16ToCesu8 writes for these units, without writing them.
size_t cesu8Length(const char16_t* units, size_t count);
// Writes the CESU-8 bytes of the units to out, which holds cesu8Length bytes.
void writeCesu8(const char16_t* units, size_t count, char* out);

}  // namespace varnelo
