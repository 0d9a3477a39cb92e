#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "tests/codec_library/library_harness.h"

namespace varnelo {
namespace {

// A library expression and the value the harness shows for it.
struct Evaluation {
  const char* expression;
  const char* expected;
};

void expectEvaluations(const Evaluation* begin, const Evaluation* end) {
  for (const Evaluation* row = begin; row != end; ++row) {
    EXPECT_EQ(evaluateInLibrary(row->expression), row->expected) << row->expression;
  }
}

template <size_t N>
void expectEvaluations(const Evaluation (&rows)[N]) {
  expectEvaluations(rows, rows + N);
}

// The UTF-16 units of the string an expression gives, in upper-case hex.
std::string unitsOf(const std::string& expression) {
  return evaluateInLibrary(
      "(function (s) { var units = [];"
      " for (var i = 0; i < s.length; i++)"
      " units.push(s.charCodeAt(i).toString(16).toUpperCase());"
      " return units; })(" +
      expression + ")");
}

TEST(UnicodeCore, StringToCodePointsPairsSurrogatesAndDropsBrokenPairs) {
  expectEvaluations({
      {R"(convertStringToUnicodeCodePoints(''))", "[]"},
      {R"(convertStringToUnicodeCodePoints('\u3042\u3044'))", "[12354,12356]"},
      {R"(convertStringToUnicodeCodePoints('\uD840\uDC0B'))", "[131083]"},
      {R"(convertStringToUnicodeCodePoints('\uDBFF\uDFFFA'))", "[1114111,65]"},
      // A high surrogate takes the unit after it down with it.
      {R"(convertStringToUnicodeCodePoints('\uD800AB'))", "[66]"},
      {R"(convertStringToUnicodeCodePoints('\uD800\uD800\uDC00'))", "[56320]"},
      {R"(convertStringToUnicodeCodePoints('\uDC00A'))", "[56320,65]"},
      {R"(convertStringToUnicodeCodePoints('A\uD800'))", "[65]"},
      {R"(convertStringToUnicodeCodePoints('\u0000'))", "[0]"},
  });
}

TEST(UnicodeCore, Utf8BytesToCodePointsSkipsWhatIsNoSequence) {
  expectEvaluations({
      {"convertUtf8BytesToUnicodeCodePoints([])", "[]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xE3, 0x81, 0x82, 0xE3, 0x81, 0x84])",
       "[12354,12356]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xF0, 0xA0, 0x80, 0x8B])", "[131083]"},
      {"convertUtf8BytesToUnicodeCodePoints([0x41, 0xFF, 0x42])", "[65,66]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xFF, 0x41])", "[65]"},
      {"convertUtf8BytesToUnicodeCodePoints([0x41, NaN, 0x42])", "[65,66]"},
      {"convertUtf8BytesToUnicodeCodePoints([0x41, 0x100, 0x42])", "[65,66]"},
      // Skipped values leave the sequence in progress alone.
      {"convertUtf8BytesToUnicodeCodePoints([0xE3, 0x100, 0x81, NaN, 0xF8, 0x82])", "[12354]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xE3, 0x81])", "[]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xE3, 0x41])", "[65]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xE3, 0x81, 0xC3, 0xA9])", "[233]"},
      {"convertUtf8BytesToUnicodeCodePoints([0x81, 0x41])", "[65]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xC3, 0xA9, 0x80])", "[233]"},
      // Nothing is validated beyond the arithmetic.
      {"convertUtf8BytesToUnicodeCodePoints([0xC0, 0x80])", "[0]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xED, 0xA0, 0x80])", "[55296]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xF4, 0x90, 0x80, 0x80])", "[1114112]"},
      {"convertUtf8BytesToUnicodeCodePoints([0xF7, 0xBF, 0xBF, 0xBF])", "[2097151]"},
      // Below 0x80 a value is its own code point; -128 & 0xC0 is 0x80, a
      // continuation byte, and with no sequence to continue it is skipped.
      {"convertUtf8BytesToUnicodeCodePoints([-1, 0x41])", "[-1,65]"},
      {"convertUtf8BytesToUnicodeCodePoints([-0, 0x41])", "[-0,65]"},
      {"convertUtf8BytesToUnicodeCodePoints([-128, 0x41])", "[65]"},
  });
}

TEST(UnicodeCore, CodePointsToUtf8BytesByRangeOfTheValue) {
  expectEvaluations({
      {"convertUnicodeCodePointsToUtf8Bytes([0x3042, 0x3044])", "[227,129,130,227,129,132]"},
      {"convertUnicodeCodePointsToUtf8Bytes([0x7F, 0x80])", "[127,194,128]"},
      {"convertUnicodeCodePointsToUtf8Bytes([0x7FF, 0x800])", "[223,191,224,160,128]"},
      {"convertUnicodeCodePointsToUtf8Bytes([0xFFFF, 0x10000])", "[239,191,191,240,144,128,128]"},
      {"convertUnicodeCodePointsToUtf8Bytes([0x2000B])", "[240,160,128,139]"},
      {"convertUnicodeCodePointsToUtf8Bytes([0xD800])", "[237,160,128]"},
      {"convertUnicodeCodePointsToUtf8Bytes([0x1FFFFF])", "[247,191,191,191]"},
      {"convertUnicodeCodePointsToUtf8Bytes([0x41, 0x200000, NaN, 0x42])", "[65,66]"},
      {"convertUnicodeCodePointsToUtf8Bytes([-1])", "[-1]"},
  });
}

TEST(UnicodeCore, CodePointsToUtf16KeepTheHighValueFractional) {
  expectEvaluations({
      {"convertUnicodeCodePointsToUtf16Codes([0x41, 0x2000B])", "[65,55360.0107421875,56331]"},
      {"convertUnicodeCodePointsToUtf16Codes([-1, -0, NaN])", "[-1,-0,NaN,NaN]"},
  });
}

TEST(UnicodeCore, CodePointsToStringWrapsEveryValueIntoUnits) {
  const struct {
    const char* list;
    const char* units;
  } rows[] = {
      {"[0x41, 0xFFFF]", "[41,FFFF]"},
      {"[0x10000]", "[D800,DC00]"},
      {"[0x2000B]", "[D840,DC0B]"},
      {"[0x10FFFF]", "[DBFF,DFFF]"},
      {"[0x110000]", "[DC00,DC00]"},
      {"[4294967295]", "[D7BF,DFFF]"},
      {"[-1]", "[FFFF]"},
      {"[-65536, -65537]", "[0,FFFF]"},
      {"[-0]", "[0]"},
      {"[NaN]", "[0,0]"},
      {"[Infinity]", "[0,0]"},
      {"[65.9]", "[41]"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(unitsOf(std::string("convertUnicodeCodePointsToString(") + row.list + ")"), row.units)
        << row.list;
  }
}

TEST(UnicodeCore, LongListsBecomeStringsWhole) {
  // 3 * 8192 + 5 code points, the last one a pair.
  EXPECT_EQ(
      evaluateInLibrary("(function () { var list = [];"
                        " for (var i = 0; i < 24580; i++) list.push(0x41 + i % 26);"
                        " list.push(0x2000B);"
                        " var s = convertUnicodeCodePointsToString(list);"
                        " return [s.length, s.charCodeAt(8191), s.charCodeAt(8192),"
                        " s.charCodeAt(24579), s.charCodeAt(24580), s.charCodeAt(24581)]; })()"),
      "[24582,66,67,74,55360,56331]");
}

TEST(UnicodeCore, JoinStringsKeepsEveryPieceInOrderAcrossBlocks) {
  EXPECT_EQ(evaluateInLibrary("(function () { var parts = [];"
                              " for (var i = 0; i < 3 * 4096 + 3; i++) parts.push(String(i));"
                              " return [joinStrings(parts) === parts.join(''), joinStrings(['x', 'y']),"
                              " joinStrings([])]; })()"),
            "[true,xy,]");
}

TEST(UnicodeCore, FormatNumberTakesTheRadixAsTextAndPadsToAMinimumWidth) {
  expectEvaluations({
      {"formatNumber(255, 16, 2)", "FF"},
      {"formatNumber(255, '8', 3)", "377"},
      {"formatNumber(5, '16', 2)", "05"},
      {"formatNumber(0, '16', 4)", "0000"},
      {"formatNumber(0x1234, 16, 2)", "1234"},
      {"formatNumber(1114111, '10', 0)", "1114111"},
  });
}

TEST(UnicodeCore, ParseIntegerReadsTheLeadingNumber) {
  expectEvaluations({
      {"parseInteger('3042', '16')", "12354"},
      {"parseInteger('4abc', '16')", "19132"},
      {"parseInteger('41g', '16')", "65"},
      {"parseInteger('0x41', '16')", "65"},
      {"parseInteger('0X41', 16)", "65"},
      {"parseInteger('-0x41', '16')", "-65"},
      {"parseInteger('+41', '16')", "65"},
      {"parseInteger('-0', '16')", "-0"},
      {"parseInteger('', '16')", "NaN"},
      {"parseInteger('G', '16')", "NaN"},
      {"parseInteger('0x', '16')", "NaN"},
      {"parseInteger('- 41', '16')", "NaN"},
      {"parseInteger('--41', '16')", "NaN"},
      {"parseInteger('0x41', '10')", "0"},
      {"parseInteger('65.9', '10')", "65"},
      {"parseInteger('1e3', '10')", "1"},
      {"parseInteger('0x41', '8')", "0"},
      {"parseInteger('0178', '8')", "15"},
      {"parseInteger('12', '8.9')", "10"},
      {"parseInteger(new Array(400).join('f'), '16')", "Infinity"},
      {"parseInteger('-' + new Array(400).join('9'), '10')", "-Infinity"},
  });
}

TEST(UnicodeCore, ParseIntegerSkipsOnlySpaceSeparatorsAndLineBreaks) {
  expectEvaluations({
      {R"(parseInteger(' 3042', '16'))", "12354"},
      {R"(parseInteger('\t\n\v\f\r \u00A0\u1680\u2000\u200A\u2028\u2029\u202F\u205F\u3000-41', '16'))",
       "-65"},
      {R"(parseInteger('\uFEFF41', '16'))", "NaN"},
      {R"(parseInteger(' \u3000\uFEFF41', '16'))", "NaN"},
      {R"(parseInteger('\u180E41', '16'))", "NaN"},
      {R"(parseInteger('\u200B41', '16'))", "NaN"},
      {R"(parseInteger('\u008541', '16'))", "NaN"},
  });
}

TEST(UnicodeCore, ParseIntegerExactlyRoundsHalfwayRunsToEven) {
  expectEvaluations({
      {"parseIntegerExactly('9007199254740993', '10')", "9007199254740992"},
      {"parseIntegerExactly('-9007199254740993', '10')", "-9007199254740992"},
      {"parseIntegerExactly('9007199254740995', '10')", "9007199254740996"},
      {"parseIntegerExactly('20000000000001', '16')", "9007199254740992"},
      {"parseIntegerExactly('0x20000000000001;', '16')", "9007199254740992"},
      {"parseIntegerExactly(' +000020000000000003', '16')", "9007199254740996"},
      {"parseIntegerExactly('9007199254740993', '0')", "9007199254740992"},
      {"parseIntegerExactly('0x20000000000001', '0')", "9007199254740992"},
      // (2^54 - 1) * 2^970 lies halfway between the largest Number and 2^1024.
      {"parseIntegerExactly('fffffffffffffc' + new Array(243).join('0'), '16')", "Infinity"},
      {"parseIntegerExactly('fffffffffffffb' + new Array(243).join('0'), '16') === "
       "Number.MAX_VALUE",
       "true"},
      {"parseIntegerExactly('-0', '10')", "-0"},
      {R"(parseIntegerExactly('\uFEFF9007199254740993', '10'))", "NaN"},
  });
}

std::string writeInRadix(unsigned __int128 value, int radix) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789abcdef"[value % radix]);
    value /= radix;
  } while (value != 0);
  return digits;
}

// Random runs of digits, half of them halfway between two Numbers, against
// the C library's correctly rounded strtod.
TEST(UnicodeCore, ParseIntegerExactlyAgreesWithCorrectRounding) {
  std::mt19937_64 random(20180420);
  std::string rows;
  for (int n = 0; n < 600; ++n) {
    const int radix = n % 2 ? 16 : 10;
    std::string digits;
    if (n % 4 < 2) {
      digits.resize(1 + random() % 40);
      for (char& digit : digits) digit = "0123456789abcdef"[random() % radix];
    } else {
      // 53 bits of mantissa, then a single 1 bit.
      const unsigned __int128 mantissa = (uint64_t{1} << 52) | (random() >> 12);
      digits = writeInRadix(((mantissa << 1) | 1) << (random() % 40), radix);
    }
    int exponent = 0;
    const std::string written = radix == 16 ? "0x" + digits : digits;
    const double fraction = std::frexp(std::strtod(written.c_str(), nullptr), &exponent);
    const auto mantissa = static_cast<long long>(std::ldexp(fraction, 53));
    rows += "['" + digits + "','" + std::to_string(radix) + "'," + std::to_string(mantissa) + "," +
            std::to_string(exponent - 53) + "],";
  }
  EXPECT_EQ(evaluateInLibrary(
                "(function () { var rows = [" + rows +
                "], wrong = [];"
                " for (var i = 0; i < rows.length; i++) {"
                "   var row = rows[i];"
                "   if (parseIntegerExactly(row[0], row[1]) !== row[2] * Math.pow(2, row[3]))"
                "     wrong.push(row[1] + ':' + row[0]);"
                " }"
                " return wrong.join(' '); })()"),
            "");
}

}  // namespace
}  // namespace varnelo
