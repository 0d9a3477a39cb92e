#include "native/hex_text.h"

#include <gtest/gtest.h>

#include <limits>
#include "tests/table_test.h"

namespace varnelo {
namespace {

struct Case {
  const char* name;
  std::string input;
  std::string expected;
};

const Case TO_HEX[] = {
    {"Utf8OfAsciiAndChinese", "A\xE4\xB8\xAD", "41E4B8AD"},
    {"LineFeedKeepsLeadingZero", "\n", "0A"},
    {"ZeroAndFF", std::string("\x00\xFF", 2), "00FF"},
    {"Empty", "", ""},
};

class BytesToHexText : public testing::TestWithParam<Case> {};

TEST_P(BytesToHexText, GivesExactText) {
  EXPECT_EQ(bytesToHexText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, BytesToHexText, testing::ValuesIn(TO_HEX),
                         RowName{});

const Case FROM_HEX[] = {
    {"UpperCase", "41E4B8AD", "A\xE4\xB8\xAD"},
    {"SpacesBetweenPairs", "41 E4 B8 AD", "A\xE4\xB8\xAD"},
    {"SpacesInsidePairs", " 4 1E4B 8AD ", "A\xE4\xB8\xAD"},
    {"LowerCase", "41e4b8ad", "A\xE4\xB8\xAD"},
    {"OddLastDigitIsOneByte", "414", "\x41\x04"},
    {"LetterBeyondF", "4G", "P"},          // 4 x 16 + 16
    {"LastLetter", "zz", "S"},             // 35 x 16 + 35 = 595
    {"NegativeValueWraps", "/1", "\xF1"},  // -1 x 16 + 1 = -15
    {"ZeroByteKept", "410042", std::string("A\0B", 3)},
    {"ZeroPair", "00", std::string(1, '\0')},
    {"OnlySpaces", "   ", ""},
    {"Empty", "", ""},
    // Tabs and line breaks are not removed: they are read as digits (-39, -35, -38).
    {"TabIsADigit", "4\t", "\x19"},
    {"LineBreakIsAPair", "\r\n", "\xAA"},
    // 0xB0 and the space after it are one character, so that space stays:
    // "B0 " gives 89 x 16 - 16, then "41".
    {"SpaceAfterLeadByteStays", "\xB0 41", "\x80\x41"},
    // A double-byte character is split like any two bytes: "4" + D6, then D0 alone.
    {"CharacterSplitAcrossPieces", "4\xD6\xD0", "\xBF\x79"},
    {"HighestByte", "\xFF\xFF", "("},  // 168 x 16 + 168 = 2856
};

class HexTextToBytes : public testing::TestWithParam<Case> {};

TEST_P(HexTextToBytes, GivesExactBytes) {
  EXPECT_EQ(hexTextToBytes(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HexTextToBytes, testing::ValuesIn(FROM_HEX),
                         RowName{});

struct IntegerCase {
  const char* name;
  std::string text;
  std::int64_t expected;
};

const IntegerCase INTEGERS[] = {
    {"Empty", "", 0},
    {"OneDigit", "F", 15},
    {"LowHalfReadUnsigned", "FFFFFFFF", 4294967295},
    {"Largest", "7FFFFFFFFFFFFFFF", std::numeric_limits<std::int64_t>::max()},
    {"HighHalfSigned", "8000000000000000", std::numeric_limits<std::int64_t>::min()},
    {"AllOnes", "FFFFFFFFFFFFFFFF", -1},
    {"LongerTextKeepsLastSixteen", "123456789ABCDEF01", 0x23456789ABCDEF01},
    // 16 x 16^7 is 2^32: it wraps to nothing inside the low half and carries
    // nothing into the high half.
    {"HalfOverflowWrapsWithoutCarry", "G0000000", 0},
    {"CarryLostBetweenHalves", "1G0000000", 4294967296},
    {"LettersWrapInBothHalves", "zzzzzzzzzzzzzzzz", 0x5555555355555553},
    {"HighBytesWrap", "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 0x33333328},
    // Negative digit values: -1 alone is the low half -1, read unsigned.
    {"NegativeDigit", "/", 4294967295},
    {"SpaceIsMinusSixteen", " ", 4294967280},
    {"NegativeDigitsEverywhere", "////////////////", static_cast<std::int64_t>(0xEEEEEEEFEEEEEEEFull)},
};

class HexTextToInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(HexTextToInteger, GivesExactValue) {
  EXPECT_EQ(hexTextToInteger(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HexTextToInteger, testing::ValuesIn(INTEGERS),
                         RowName{});

// Every byte that hexTextToBytes gives is the low eight bits of
// hexTextToInteger of its piece, for every piece without a space.
TEST(HexText, EveryPieceIsTheLowByteOfItsInteger) {
  for (int first = 0; first <= 255; ++first) {
    if (first == ' ') continue;
    const std::string single(1, static_cast<char>(first));
    ASSERT_EQ(hexTextToBytes(single), std::string(1, static_cast<char>(hexTextToInteger(single) & 0xFF)))
        << first;
    for (int second = 0; second <= 255; ++second) {
      if (second == ' ') continue;
      const std::string pair{static_cast<char>(first), static_cast<char>(second)};
      ASSERT_EQ(hexTextToBytes(pair), std::string(1, static_cast<char>(hexTextToInteger(pair) & 0xFF)))
          << first << " " << second;
    }
  }
}

TEST(HexText, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte <= 255; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(hexTextToBytes(bytesToHexText(all)), all);
}

}  // namespace
}  // namespace varnelo
