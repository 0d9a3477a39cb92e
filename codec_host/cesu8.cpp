#include "codec_host/cesu8.h"

namespace varnelo {

size_t cesu8Length(const char16_t* units, size_t count) {
  size_t length = 0;
  for (size_t i = 0; i < count; ++i) length += units[i] < 0x80 ? 1 : units[i] < 0x800 ? 2 : 3;
  return length;
}

void writeCesu8(const char16_t* units, size_t count, char* out) {
  for (size_t i = 0; i < count; ++i) {
    char16_t u = units[i];
    if (u < 0x80) {
      *out++ = static_cast<char>(u);
    } else if (u < 0x800) {
      *out++ = static_cast<char>(0xC0 | (u >> 6));
      *out++ = static_cast<char>(0x80 | (u & 0x3F));
    } else {
      *out++ = static_cast<char>(0xE0 | (u >> 12));
      *out++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (u & 0x3F));
    }
  }
}

std::string utf16ToCesu8(std::u16string_view units) {
  std::string bytes(cesu8Length(units.data(), units.size()), '\0');
  writeCesu8(units.data(), units.size(), bytes.data());
  return bytes;
}

std::u16string cesu8ToUtf16(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    auto lead = static_cast<unsigned char>(bytes[i]);
    int trail = lead < 0x80 ? 0 : lead >= 0xC0 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2
              : lead >= 0xF0 && lead < 0xF8 ? 3 : -1;
    char32_t value = trail == 0 ? lead : trail == 1 ? lead & 0x1F : trail == 2 ? lead & 0x0F : lead & 0x07;
    bool valid = trail >= 0 && i + trail < bytes.size();
    for (int k = 1; valid && k <= trail; ++k) {
      auto next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      value = (value << 6) | (next & 0x3F);
    }
    if (!valid || value > 0x10FFFF) {
      units += u'\uFFFD';
      ++i;
      continue;
    }
    if (value >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(value);
    }
    i += trail + 1;
  }
  return units;
}

}  // namespace varnelo
