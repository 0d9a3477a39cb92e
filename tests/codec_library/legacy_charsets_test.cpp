// Shift_JIS, EUC-JP, ISO-2022-JP and ISO-8859-1 through the real script host,
// checked against ICU's converters of the same names. Bytes go in and out as
// hexadecimal escapes (escapeToEscapedBytes, unescapeFromEscapedBytes). Field
// texts are code page 936 bytes: "\xA4\xA2\xA4\xA4" is あい.

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <cstdio>
#include <optional>
#include <string>

#include "codec_host/codec_host.h"
#include "tests/codec_library/library_harness.h"

namespace varnelo {
namespace {

using namespace std::string_literals;

std::u16string hexEscapes(const std::string& bytes) {
  std::u16string escaped;
  for (unsigned char byte : bytes) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "\\x%02X", byte);
    escaped.append(digits, digits + 4);
  }
  return escaped;
}

std::optional<std::u16string> libraryRead(const char* charset, const std::string& bytes) {
  std::string name(charset);
  return libraryHarness().runUnits("unescapeFromEscapedBytes", hexEscapes(bytes), u"16",
                                   std::u16string(name.begin(), name.end()));
}

// The bytes the library writes for the text, as hexadecimal escapes.
std::optional<std::u16string> libraryWrite(const char* charset, const std::u16string& text) {
  std::string name(charset);
  return libraryHarness().runUnits("escapeToEscapedBytes", text, u"16",
                                   std::u16string(name.begin(), name.end()));
}

// ICU skipping what it cannot read.
std::u16string icuRead(const char* charset, const std::string& bytes) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(charset, &error);
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_SKIP, nullptr, nullptr, nullptr, &error);
  std::u16string units(bytes.size() + 1, u'\0');
  int32_t length = ucnv_toUChars(converter, units.data(), static_cast<int32_t>(units.size()),
                                 bytes.data(), static_cast<int32_t>(bytes.size()), &error);
  ucnv_close(converter);
  EXPECT_TRUE(U_SUCCESS(error)) << u_errorName(error);
  units.resize(length);
  return units;
}

// ICU writing "?" for what the charset lacks.
std::string icuWrite(const char* charset, const std::u16string& text) {
  UErrorCode error = U_ZERO_ERROR;
  UConverter* converter = ucnv_open(charset, &error);
  ucnv_setSubstChars(converter, "?", 1, &error);
  std::string bytes(text.size() * 8 + 8, '\0');
  int32_t length = ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()),
                                   text.data(), static_cast<int32_t>(text.size()), &error);
  ucnv_close(converter);
  EXPECT_TRUE(U_SUCCESS(error)) << u_errorName(error);
  bytes.resize(length);
  return bytes;
}

enum class Direction {
  BOTH,        // the text is written as the bytes, and the bytes read as the text
  READ_ONLY,   // bytes that hold more than the text, or other than it
  WRITE_ONLY,  // a text the charset lacks: "?" in its place
};

struct Row {
  const char* charset;
  const char* name;
  std::u16string text;
  std::string bytes;
  Direction direction;
};

TEST(LegacyCharsets, ConvertAsIcuDoes) {
  using enum Direction;
  const Row rows[] = {
      {"Shift_JIS", "hiragana", u"\u3042\u3044", "\x82\xA0\x82\xA2", BOTH},
      {"Shift_JIS", "kanji", u"\u4E2D\u6587", "\x92\x86\x95\xB6", BOTH},
      {"Shift_JIS", "half-width katakana", u"\uFF71\uFF9F", "\xB1\xDF", BOTH},
      {"Shift_JIS", "ASCII, backslash and tilde as such", u"A~\\ ", "A~\\ ", BOTH},
      {"Shift_JIS", "in two cells, written from the first", u"\u2252\u2235\uFFE2",
       "\x81\xE0\x81\xE6\x81\xCA", BOTH},
      {"Shift_JIS", "lead byte before a non-trail byte", u" A", "\x81 A", READ_ONLY},
      {"Shift_JIS", "pair of an empty row", u"A", "\x85\x40" "A", READ_ONLY},
      {"Shift_JIS", "bytes of no character", u"A", "\x80\xA0\xFD\xFF" "A", READ_ONLY},
      {"Shift_JIS", "lead byte at the end", u"A", "A\x82", READ_ONLY},
      {"Shift_JIS", "lacking", u"\u00E9\u00A5\xD842\xDFB7", "???", WRITE_ONLY},

      {"EUC-JP", "hiragana", u"\u3042\u3044", "\xA4\xA2\xA4\xA4", BOTH},
      {"EUC-JP", "kanji", u"\u4E2D\u6587", "\xC3\xE6\xCA\xB8", BOTH},
      {"EUC-JP", "half-width katakana", u"\uFF71\uFF9F", "\x8E\xB1\x8E\xDF", BOTH},
      {"EUC-JP", "ASCII", u"A~\\ ", "A~\\ ", BOTH},
      {"EUC-JP", "lead byte before ASCII", u"A", "\xA4" "A", READ_ONLY},
      {"EUC-JP", "0x8E before no katakana byte", u"A", "\x8E" "A", READ_ONLY},
      {"EUC-JP", "pair of an empty row", u"A", "\xA9\xA1" "A", READ_ONLY},
      {"EUC-JP", "byte of no character", u"A", "\xFF" "A", READ_ONLY},
      {"EUC-JP", "lacking", u"\uAC00\u00A5", "??", WRITE_ONLY},

      {"ISO-2022-JP", "hiragana", u"\u3042\u3044", "\x1B$B$\"$$\x1B(B", BOTH},
      {"ISO-2022-JP", "kanji", u"\u4E2D\u6587", "\x1B$BCfJ8\x1B(B", BOTH},
      {"ISO-2022-JP", "ASCII", u"A~\\ ", "A~\\ ", BOTH},
      {"ISO-2022-JP", "Roman for yen and overline", u"\u00A5\u203E", "\x1B(J\\~\x1B(B", BOTH},
      {"ISO-2022-JP", "lines end in ASCII", u"A\u3042\r\n\u3044",
       "A\x1B$B$\"\x1B(B\r\n\x1B$B$$\x1B(B", BOTH},
      {"ISO-2022-JP", "half-width katakana read", u"\uFF71\uFF9F", "\x1B(I1_\x1B(B", READ_ONLY},
      {"ISO-2022-JP", "older JIS X 0208 escape", u"\u3042", "\x1B$@$\"\x1B(B", READ_ONLY},
      {"ISO-2022-JP", "line break returns to ASCII", u"\u3042\r\n$\"", "\x1B$B$\"\r\n$\"\x1B(B",
       READ_ONLY},
      {"ISO-2022-JP", "but not from Roman", u"\u00A5\r\u00A5", "\x1B(J\\\r\\\x1B(B", READ_ONLY},
      {"ISO-2022-JP", "unknown escape skipped whole", u"$\"", "\x1B$A$\"\x1B(B", READ_ONLY},
      {"ISO-2022-JP", "eight-bit byte", u"AB", "A\xB1" "B", READ_ONLY},
      {"ISO-2022-JP", "half a pair", u"A", "\x1B$B$\x1B(B" "A", READ_ONLY},
      {"ISO-2022-JP", "lacking, half-width katakana too", u"\u00E9\uFF71", "??", WRITE_ONLY},

      {"ISO-8859-1", "Latin-1", u"caf\u00E9 \u0080\u00FF", "caf\xE9 \x80\xFF", BOTH},
      {"ISO-8859-1", "lacking", u"\u3042\u4E2D\uFF71\u0100", "????", WRITE_ONLY},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.charset << ": " << row.name);
    if (row.direction != WRITE_ONLY) {
      EXPECT_EQ(icuRead(row.charset, row.bytes), row.text);
      EXPECT_EQ(libraryRead(row.charset, row.bytes), row.text);
    }
    if (row.direction != READ_ONLY) {
      EXPECT_EQ(icuWrite(row.charset, row.text), row.bytes);
      EXPECT_EQ(libraryWrite(row.charset, row.text), hexEscapes(row.bytes));
    }
  }
}

// The two bytes of a JIS X 0208 cell, row and column counted from 0.
std::string cellBytes(const std::string& charset, int row, int column) {
  if (charset == "Shift_JIS") {
    int trail = row % 2 == 1 ? column + 0x9F : column + (column < 63 ? 0x40 : 0x41);
    return {static_cast<char>((row >> 1) + (row < 62 ? 0x81 : 0xC1)), static_cast<char>(trail)};
  }
  int offset = charset == "EUC-JP" ? 0xA1 : 0x21;
  return {static_cast<char>(row + offset), static_cast<char>(column + offset)};
}

std::string bytesOf(const std::u16string& hexEscapes) {
  std::string bytes;
  for (size_t i = 0; i + 4 <= hexEscapes.size(); i += 4) {
    std::string digits(hexEscapes.begin() + i + 2, hexEscapes.begin() + i + 4);
    bytes += static_cast<char>(std::stoi(digits, nullptr, 16));
  }
  return bytes;
}

// Every cell of the 94 rows of 94 is read as ICU reads it, and every character
// read is written so that ICU reads it back the same.
TEST(LegacyCharsets, EveryCellReadsAndWritesAsIcuDoes) {
  for (const char* charset : {"Shift_JIS", "EUC-JP", "ISO-2022-JP"}) {
    SCOPED_TRACE(charset);
    std::string bytes = charset == "ISO-2022-JP"s ? "\x1B$B" : "";
    for (int row = 0; row < 94; ++row) {
      for (int column = 0; column < 94; ++column) bytes += cellBytes(charset, row, column);
    }
    const std::u16string characters = icuRead(charset, bytes);
    // JIS X 0208, and the extensions ICU reads in rows 13 and 89-92.
    EXPECT_GT(characters.size(), 6879u);
    EXPECT_EQ(libraryRead(charset, bytes), characters);
    std::optional<std::u16string> written = libraryWrite(charset, characters);
    ASSERT_TRUE(written);
    EXPECT_EQ(icuRead(charset, bytesOf(*written)), characters);
  }
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) everyByte += static_cast<char>(byte);
  EXPECT_EQ(libraryRead("ISO-8859-1", everyByte), icuRead("ISO-8859-1", everyByte));
  EXPECT_EQ(libraryWrite("ISO-8859-1", icuRead("ISO-8859-1", everyByte)), hexEscapes(everyByte));
}

// The quoted-printable and URL decoders hand on NaN ("=ZZ"), negative numbers
// ("=-1"), -0 ("=-0") and units above 255 (a character typed among the
// escapes); none is a byte, and none breaks the character around it.
TEST(LegacyCharsets, ValuesThatAreNoBytesAreSkipped) {
  EXPECT_EQ(evaluateInLibrary("convertBytesToUnicodeCodePoints("
                              "[0x82, NaN, 0xA0, -1, 256, -0, 0.5, 0x41], 'Shift_JIS')"),
            "[12354,65]");
  const struct {
    const char* entry;
    std::u16string text;
    const char16_t* charset;
    std::u16string expected;
  } calls[] = {
      {"unescapeFromUrl", u"%82%ZZ%A0%-0%-1", u"Shift_JIS", u"\u3042"},
      {"unescapeFromQuotedPrintable", u"=A4\u3042=A2=-0", u"EUC-JP", u"\u3042"},
      {"unescapeFromQuotedPrintable", u"caf=E9=-0=-F", u"ISO-8859-1", u"caf\u00E9"},
      {"unescapeFromUrl", u"%1B$B%-1$\"%1B(B", u"ISO-2022-JP", u"\u3042"},
  };
  for (const auto& call : calls) {
    EXPECT_EQ(libraryHarness().runUnits(call.entry, call.text, call.charset, u""), call.expected)
        << call.entry << " in " << testing::PrintToString(std::u16string(call.charset));
  }
}

// Not checked against ICU: its converters read more than these charsets hold
// (user-defined and IBM rows, JIS X 0212, C1 controls) and swap some ASCII
// control bytes.
TEST(LegacyCharsets, ReadOnlyWhatTheCharsetHolds) {
  const struct {
    const char* charset;
    const char* name;
    std::string bytes;
    std::u16string text;
  } rows[] = {
      {"Shift_JIS", "0x7F is DEL and no trail byte", "\x81\x7F" "A", u"\x7F" "A"},
      {"Shift_JIS", "user-defined rows", "\xF0\x40" "A", u"A"},
      {"Shift_JIS", "IBM rows", "\xFA\x40" "A", u"A"},
      {"EUC-JP", "JIS X 0212, three bytes together", "\x8F\xB0\xA1" "A", u"A"},
      {"EUC-JP", "C1 control", "\x80" "A", u"A"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(libraryRead(row.charset, row.bytes), row.text) << row.charset << ": " << row.name;
  }
}

TEST(LegacyCharsets, EveryByteCodecTakesThem) {
  const struct {
    const char* entry;
    std::u16string text;
    const char16_t* charset;
    std::u16string expected;
  } calls[] = {
      {"escapeToBase64", u"\u3042\u3044", u"Shift_JIS", u"gqCCog=="},
      {"unescapeFromBase64", u"gqCCog==", u"shift_jis", u"\u3042\u3044"},
      {"escapeToQuotedPrintable", u"\u3042\uFF71", u"EUC-JP", u"=A4=A2=8E=B1"},
      {"unescapeFromQuotedPrintable", u"=A4=A2=8E=B1", u"euc_jp", u"\u3042\uFF71"},
      {"escapeToUrl", u"\u3042", u"ISO-2022-JP", u"%1B%24B%24%22%1B%28B"},
      {"unescapeFromUrl", u"%1B%24B%24%22%1B%28B", u"iso2022jp", u"\u3042"},
      {"escapeToUrl", u"caf\u00E9", u"ISO-8859-1", u"caf%E9"},
      {"unescapeFromBase64", u"Y2Fm6Q==", u"latin1", u""},  // no such entry
  };
  for (const auto& call : calls) {
    EXPECT_EQ(libraryHarness().runUnits(call.entry, call.text, call.charset, u""), call.expected)
        << call.entry << " in " << testing::PrintToString(std::u16string(call.charset));
  }
}

TEST(LegacyCharsets, MimeWordsInThemFillField1) {
  const struct {
    const char* input;
    FieldText expected;
  } cases[] = {
      {"=?UTF-8?B?44GC?= =?Shift_JIS?B?gqCCog==?=", "\xA4\xA2\xA4\xA2\xA4\xA4"},
      {"=?ISO-2022-JP?B?GyRCJCIkJBsoQg==?=", "\xA4\xA2\xA4\xA4"},
      {"=?euc-jp?Q?=A4=A2?= x", "\xA4\xA2 x"},
      {"=?iso-8859-1?Q?caf=E9?=", "caf\xA8\xA6"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runCodec("unescapeFromMime", c.input, "mime-b", ""), c.expected) << c.input;
  }
  EXPECT_EQ(runCodec("escapeToMime", "\xA4\xA2\xA4\xA4", "base64", "Shift_JIS"),
            "=?Shift_JIS?B?gqCCog==?=");
}

}  // namespace
}  // namespace varnelo
