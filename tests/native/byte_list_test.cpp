#include "native/byte_list.h"

#include <gtest/gtest.h>
#include "tests/table_test.h"

namespace varnelo {
namespace {

struct Case {
  const char* name;
  std::string input;
  std::string expected;
};

const Case TO_LIST[] = {
    {"AsciiAndChinese", "A\xD6\xD0", "{65,214,208}"},
    {"Empty", "", "{}"},
    {"ZeroAndExtremes", std::string("\x00\x01\x7F\x80\xFF", 5), "{0,1,127,128,255}"},
    {"LineBreak", "\r\n", "{13,10}"},
};

class BytesToByteList : public testing::TestWithParam<Case> {};

TEST_P(BytesToByteList, GivesExactText) {
  EXPECT_EQ(bytesToByteList(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, BytesToByteList, testing::ValuesIn(TO_LIST),
                         RowName{});

const Case FROM_LIST[] = {
    {"AsciiAndChinese", "{65,214,208}", "A\xD6\xD0"},
    {"EmptyText", "", ""},
    {"OpeningBraceOnly", "{", ""},
    {"EmptyBracesAreOneZeroByte", "{}", std::string(1, '\0')},
    {"SpacesBeforeNumbers", "{ 65, 66 }", "AB"},
    {"PieceStopsAtFirstNonDigit", "{65;66}", "A"},
    {"MissingClosingBrace", "{65,66", "AB"},
    {"TrailingCommaGivesNoLastPiece", "{65,66,", "AB"},
    {"BraceAfterTrailingCommaIsZeroPiece", "{65,66,}", std::string("AB\0", 3)},
    {"EmptyPieceIsZero", "{65,,66}", std::string("A\0B", 3)},
    {"FirstByteDroppedWhateverItIs", "[65,66]", "AB"},
    {"FirstDigitDroppedToo", "65,66", "\x05\x42"},
    // The dropped byte was a lead byte: its trail byte 0xD0 now leads the scan
    // and takes the comma after it into its character.
    {"FirstByteDroppedInsideCharacter", "\xD6\xD0,65,66", std::string("\0B", 2)},
    {"CommaAfterLeadByteIsNoSeparator", "{65\xB1,66,67}", "AC"},
    {"CommaAfterHighLeadBytes", "{1\x80,2,3\xFF,4,5}", "\x01\x03\x05"},
    {"WrappingValues", "{300,-191,-1,256,511}", std::string(",A\xFF\0\xFF", 5)},
    {"FullWidthDigits", "{\xA3\xB6\xA3\xB5}", "A"},
};

class ByteListToBytes : public testing::TestWithParam<Case> {};

TEST_P(ByteListToBytes, GivesExactBytes) {
  EXPECT_EQ(byteListToBytes(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ByteListToBytes, testing::ValuesIn(FROM_LIST),
                         RowName{});

struct PieceCase {
  const char* name;
  std::string piece;
  int expected;
};

const PieceCase PIECES[] = {
    {"Plain", "65", 65},
    {"ClosingBraceIgnored", "12}", 12},
    {"LeadingSpace", " 7", 7},
    {"AllCWhiteSpace", " \t\n\v\f\r9", 9},
    {"Above255Wraps", "300", 44},
    {"MinusOne", "-1", 255},
    {"ExplicitPlus", "+66", 66},
    {"SignTwiceIsNoNumber", "--5", 0},
    {"SpaceAfterSignIsNoNumber", "- 5", 0},
    {"Letters", "abc", 0},
    {"Empty", "", 0},
    {"StopsAtLetter", "6x5", 6},
    // 2^32 + 65, 10 x 2^32 + 1 and -(2^32 - 65), wrapped in 32 bits.
    {"Wraps32Bits", "4294967361", 65},
    {"WrapsRepeatedly", "42949672961", 1},
    {"NegativeWrap", "-4294967231", 65},
    {"FullWidthDigits", "\xA3\xB6\xA3\xB5", 65},
    {"FullWidthMinus", "\xA3\xAD\xA3\xB1", 255},
    {"FullWidthPlus", "\xA3\xAB" "7", 7},
    {"IdeographicSpaceSkipped", "\xA1\xA1" "7", 7},
    {"MixedWidthDigits", "1\xA3\xB2" "3", 123},
    // Full-width "$", "~" and "*" become ASCII signs, which end the number.
    {"FullWidthYenIsDollar", "\xA3\xA4" "5", 0},
    {"WaveDashIsTilde", "\xA1\xAB" "5", 0},
    {"StarIsAsterisk", "\xA1\xEE" "5", 0},
    // Only row 3 from A1: A3 A0 is no full-width form, so its bytes end the number.
    {"RowThreeBelowRange", "\xA3\xA0" "5", 0},
    // A single-byte "A3" before an ASCII digit is no full-width digit.
    {"LeadByteThenAsciiDigit", "\xA3" "5", 0},
    // The pairing goes from the start: B0 A3 is one character, then a lone B5.
    {"PairingFromStart", "\xB0\xA3\xB5", 0},
};

class DecimalTextToByte : public testing::TestWithParam<PieceCase> {};

TEST_P(DecimalTextToByte, GivesExactByte) {
  EXPECT_EQ(decimalTextToByte(GetParam().piece), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DecimalTextToByte, testing::ValuesIn(PIECES),
                         RowName{});

TEST(ByteList, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte <= 255; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(byteListToBytes(bytesToByteList(all)), all);
}

}  // namespace
}  // namespace varnelo
