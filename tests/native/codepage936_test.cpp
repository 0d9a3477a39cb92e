#include "native/codepage936.h"

#include <gtest/gtest.h>
#include "tests/table_test.h"

namespace varnelo {
namespace {


FieldText utf16leOfText(const FieldText& text) { return gbkToUtf16leBytes(text); }

const ConversionCase CASES[] = {
    {"ChineseToUtf8", gbkToUtf8, "\xD6\xD0", "\xE4\xB8\xAD"},
    {"MixedToUtf8", gbkToUtf8, "A\xD6\xD0", "A\xE4\xB8\xAD"},
    {"EmptyToUtf8", gbkToUtf8, "", ""},
    {"LoneLeadByteToUtf8IsReplacementCharacter", gbkToUtf8, "A\x81", "A\xEF\xBF\xBD"},
    {"Utf8ToChinese", utf8ToGbk, "\xE4\xB8\xAD", "\xD6\xD0"},
    {"MalformedUtf8BecomesQuestionMarks", utf8ToGbk, "\xD6\xD0", "??"},
    {"TruncatedUtf8", utf8ToGbk, "A\xE4\xB8", "A?"},
    {"Utf8OutsideCodePage", utf8ToGbk, "\xEA\xB0\x80", "?"},  // U+AC00
    {"Utf8NoBreakSpace", utf8ToGbk, "\xC2\xA0", "?"},
    {"Utf16leUnitIsChinese", utf16leBytesToGbk, "-N", "\xD6\xD0"},
    {"Utf16leOddByteIgnored", utf16leBytesToGbk, "-N!", "\xD6\xD0"},
    {"Utf16leUnitOutsideCodePage", utf16leBytesToGbk, "\xD6\xD0", "?"},
    {"Utf16leSingleByteIsEmpty", utf16leBytesToGbk, "A", ""},
    {"Utf16leLoneSurrogate", utf16leBytesToGbk, std::string("\x00\xD8\x41\x00", 4), "?A"},
    {"Utf16leCutAtZeroUnit", utf16leBytesToGbk, std::string("A\x00\x00\x00" "B\x00", 6), "A"},
    // e followed by a combining acute accent is composed to U+00E9, which code page 936 has.
    {"Utf16leComposesMarks", utf16leBytesToGbk, std::string("e\x00\x01\x03", 4), "\xA8\xA6"},
    {"TextToUtf16le", utf16leOfText, "\xD6\xD0", std::string("-N\x00\x00", 4)},
    {"AsciiToUtf16le", utf16leOfText, "AB", std::string("A\x00" "B\x00\x00\x00", 6)},
    {"EmptyToUtf16le", utf16leOfText, "", ""},
};

using CodePageConversion = ConversionTable;

TEST_P(CodePageConversion, GivesExactBytes) {
  EXPECT_EQ(GetParam().convert(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, CodePageConversion, testing::ValuesIn(CASES),
                         RowName{});

TEST(CodePage936, BytesThatAreNotCodePage936SurviveAsPlaceholders) {
  // A lead byte before a space, then the UTF-8 of "中" read as code page 936:
  // a valid pair and a lone 0xAD at the end.
  const std::string bytes = "\x81 \r\n\xE4\xB8\xAD";
  std::u16string shown = decodeCp936KeepingBytes(bytes);
  EXPECT_EQ(shown, (std::u16string{rawBytePlaceholder(0x81), u' ', u'\r', u'\n', u'\u6D93',
                                   rawBytePlaceholder(0xAD)}));
  EXPECT_EQ(encodeCp936KeepingBytes(shown), bytes);
  EXPECT_EQ(decodeCp936(bytes), u"\uFFFD \r\n\u6D93\uFFFD");
}

TEST(CodePage936, PlaceholdersAreNotCodePage936Characters) {
  for (int byte = 0x80; byte <= 0xFF; ++byte)
    EXPECT_EQ(encodeCp936(std::u16string(1, rawBytePlaceholder(byte))), "?") << byte;
}

}  // namespace
}  // namespace varnelo
