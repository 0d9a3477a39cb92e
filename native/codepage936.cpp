#include "native/codepage936.h"

#include <unicode/normalizer2.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <memory>
#include <stdexcept>

namespace varnelo {
namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(const char* name) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(name, &status));
  if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU converter missing: ") + name);
  return converter;
}

// One converter per thread and code page, reset before each use.
UConverter* cp936() {
  thread_local Converter converter = [] {
    Converter c = openConverter("windows-936-2000");
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(c.get(), "?", 1, &status);
    return c;
  }();
  ucnv_reset(converter.get());
  return converter.get();
}

UConverter* utf8() {
  thread_local Converter converter = openConverter("UTF-8");
  ucnv_reset(converter.get());
  return converter.get();
}

enum class BadBytes { Replace, KeepAsPlaceholders };

// Replaces a sequence that decodes to no character with U+FFFD, or with one
// placeholder per byte.
void onUndecodable(const void* context, UConverterToUnicodeArgs* args, const char* bytes,
                   int32_t length, UConverterCallbackReason reason, UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;
  *status = U_ZERO_ERROR;
  if (*static_cast<const BadBytes*>(context) == BadBytes::Replace) {
    UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
    return;
  }
  for (int32_t i = 0; i < length; ++i) {
    auto byte = static_cast<unsigned char>(bytes[i]);
    UChar unit = byte < 0x80 ? static_cast<UChar>(byte) : rawBytePlaceholder(byte);
    ucnv_cbToUWriteUChars(args, &unit, 1, 0, status);
  }
}

std::u16string decode(UConverter* converter, std::string_view bytes, BadBytes badBytes) {
  static constexpr BadBytes REPLACE = BadBytes::Replace, KEEP = BadBytes::KeepAsPlaceholders;
  UErrorCode callbackStatus = U_ZERO_ERROR;
  ucnv_setToUCallBack(converter, onUndecodable, badBytes == BadBytes::Replace ? &REPLACE : &KEEP,
                      nullptr, nullptr, &callbackStatus);
  std::u16string units(bytes.size() + 1, u'\0');
  const char* source = bytes.data();
  UChar* target = reinterpret_cast<UChar*>(units.data());
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(converter, &target, target + units.size(), &source, source + bytes.size(),
                 nullptr, true, &status);
  units.resize(target - reinterpret_cast<UChar*>(units.data()));
  return units;
}

std::string encode(UConverter* converter, std::u16string_view units) {
  std::string bytes(units.size() * 4 + 4, '\0');
  const UChar* source = reinterpret_cast<const UChar*>(units.data());
  char* target = bytes.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_fromUnicode(converter, &target, target + bytes.size(), &source, source + units.size(),
                   nullptr, true, &status);
  bytes.resize(target - bytes.data());
  return bytes;
}

bool isRawBytePlaceholder(char16_t unit) {
  return unit >= RAW_BYTE_PLACEHOLDER_BASE && unit < RAW_BYTE_PLACEHOLDER_BASE + 0x80;
}

// Composes each run of a base character and its marks where a precomposed
// form exists; a character standing alone is left as it is, so singletons such
// as compatibility ideographs keep the code page 936 bytes they have.
std::u16string composeMarks(std::u16string_view units) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return std::u16string(units);
  std::u16string composed;
  composed.reserve(units.size());
  size_t start = 0;
  while (start < units.size()) {
    size_t end = start;
    int points = 0;
    do {
      UChar32 c;
      U16_NEXT(units.data(), end, units.size(), c);
      ++points;
      if (end < units.size()) {
        size_t peek = end;
        UChar32 next;
        U16_NEXT(units.data(), peek, units.size(), next);
        if (nfc->hasBoundaryBefore(next)) break;
      }
    } while (end < units.size());
    std::u16string_view segment = units.substr(start, end - start);
    if (points > 1) {
      icu::UnicodeString normalized =
          nfc->normalize(icu::UnicodeString(false, segment.data(), segment.size()), status);
      if (U_FAILURE(status)) return std::u16string(units);
      composed.append(normalized.getBuffer(), normalized.length());
    } else {
      composed.append(segment);
    }
    start = end;
  }
  return composed;
}

}  // namespace

std::u16string decodeCp936(std::string_view bytes) {
  return decode(cp936(), bytes, BadBytes::Replace);
}

std::u16string decodeCp936KeepingBytes(std::string_view bytes) {
  return decode(cp936(), bytes, BadBytes::KeepAsPlaceholders);
}

std::string encodeCp936(std::u16string_view units) { return encode(cp936(), units); }

std::string encodeCp936KeepingBytes(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  size_t start = 0;
  for (size_t i = 0; i <= units.size(); ++i) {
    if (i < units.size() && !isRawBytePlaceholder(units[i])) continue;
    bytes += encodeCp936(units.substr(start, i - start));
    if (i < units.size()) bytes += static_cast<char>(0x80 + (units[i] - RAW_BYTE_PLACEHOLDER_BASE));
    start = i + 1;
  }
  return bytes;
}

FieldText gbkToUtf8(const FieldText& text) {
  return asFieldText(encode(utf8(), decodeCp936(text)));
}

FieldText utf8ToGbk(const FieldText& text) {
  return asFieldText(encodeCp936(decode(utf8(), text, BadBytes::Replace)));
}

FieldText utf16leBytesToGbk(const ByteBuffer& bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i)
    units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return asFieldText(encodeCp936(composeMarks(units)));
}

ByteBuffer gbkToUtf16leBytes(const FieldText& text) {
  if (text.empty()) return {};
  ByteBuffer bytes;
  std::u16string units = decodeCp936(text);
  bytes.reserve(units.size() * 2 + 2);
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  bytes.append(2, '\0');
  return bytes;
}

}  // namespace varnelo
