#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/codec_library/library_harness.h"

namespace varnelo {
namespace {

using namespace std::string_literals;

// One call of an entry point with base and charset, and the exact units it
// returns; nothing when the call fails.
struct Call {
  const char* entry;
  std::u16string text;
  std::u16string base;
  std::u16string charset;
  std::optional<std::u16string> expected;
};

void expectCalls(const Call* begin, const Call* end) {
  for (const Call* call = begin; call != end; ++call) {
    SCOPED_TRACE(testing::Message() << call->entry << " of " << testing::PrintToString(call->text)
                                    << " with " << testing::PrintToString(call->base) << ", "
                                    << testing::PrintToString(call->charset));
    EXPECT_EQ(libraryHarness().runUnits(call->entry, call->text, call->base, call->charset),
              call->expected);
  }
}

template <size_t N>
void expectCalls(const Call (&calls)[N]) {
  expectCalls(calls, calls + N);
}

TEST(CharsetRegistry, NamesAreUpperCasedWithoutHyphensAndLowLines) {
  const struct {
    const char* name;
    const char* normalised;
  } rows[] = {
      {"UTF-8", "UTF8"},         {"utf-8", "UTF8"},
      {"utf_8", "UTF8"},         {"Utf8", "UTF8"},
      {"Shift_JIS", "SHIFTJIS"}, {"iso-8859_1", "ISO88591"},
      {"utf 8.x", "UTF 8.X"},    {"-_-", ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(evaluateInLibrary(std::string("normalizeEncodingName('") + row.name + "')"),
              row.normalised)
        << row.name;
  }
  EXPECT_EQ(evaluateInLibrary("normalizeEncodingName(undefined)"), "<failed>");
}

TEST(CharsetRegistry, HoldsUtf8AndFourLegacyCharsets) {
  EXPECT_EQ(evaluateInLibrary("(function () { var names = [];"
                              " for (var name in OUTPUT_CONVERTERS) names.push(name);"
                              " for (name in INPUT_CONVERTERS) names.push(name);"
                              " return names.join(' '); })()"),
            "UTF8 ISO2022JP ISO88591 SHIFTJIS EUCJP UTF8 ISO2022JP ISO88591 SHIFTJIS EUCJP");
  EXPECT_EQ(evaluateInLibrary("convertUnicodeCodePointsToBytes([0x3042], 'utf_8')"),
            "[227,129,130]");
  EXPECT_EQ(evaluateInLibrary("convertBytesToUnicodeCodePoints([227, 129, 130], 'Utf8')"),
            "[12354]");
  for (const char* name : {"GBK", "SJIS", "UTF-16", "toString", "__proto__", "hasOwnProperty"}) {
    EXPECT_EQ(
        evaluateInLibrary(std::string("convertUnicodeCodePointsToBytes([65], '") + name + "')"),
        "[]")
        << name;
    EXPECT_EQ(
        evaluateInLibrary(std::string("convertBytesToUnicodeCodePoints([65], '") + name + "')"),
        "[]")
        << name;
  }
  // Each spelling reaches its own converters: "\u3042" and its bytes there.
  const struct {
    const char* name;
    const char* bytes;
    const char* read;
  } legacy[] = {
      {"Shift_JIS", "[130,160]", "[12354]"},
      {"euc-jp", "[164,162]", "[12354]"},
      {"ISO-2022-JP", "[27,36,66,36,34,27,40,66]", "[12354]"},
      {"ISO_8859-1", "[63]", "[63]"},
      {"iso88591", "[63]", "[63]"},
  };
  for (const auto& charset : legacy) {
    EXPECT_EQ(evaluateInLibrary(std::string("convertUnicodeCodePointsToBytes([0x3042], '") +
                                charset.name + "')"),
              charset.bytes)
        << charset.name;
    EXPECT_EQ(evaluateInLibrary(std::string("convertBytesToUnicodeCodePoints(") + charset.bytes +
                                ", '" + charset.name + "')"),
              charset.read)
        << charset.name;
    EXPECT_EQ(evaluateInLibrary(std::string("convertBytesToUnicodeCodePoints([], '") + charset.name +
                                "')"),
              "[]")
        << charset.name;
  }
}

TEST(EscapedBytes, WritesEveryByteInTheBase) {
  expectCalls({
      {"escapeToEscapedBytes", u"", u"16", u"UTF-8", u""},
      {"escapeToEscapedBytes", u"", u"8", u"UTF-8", u""},
      {"escapeToEscapedBytes", u"A", u"16", u"UTF-8", uR"(\x41)"},
      {"escapeToEscapedBytes", u"A", u"8", u"UTF-8", uR"(\101)"},
      {"escapeToEscapedBytes", u"a\r\n", u"8", u"UTF-8", uR"(\141\015\012)"},
      {"escapeToEscapedBytes", u"\r\n", u"16", u"UTF-8", uR"(\x0D\x0A)"},
      {"escapeToEscapedBytes", u"\u3042\u3044", u"16", u"UTF-8", uR"(\xE3\x81\x82\xE3\x81\x84)"},
      {"escapeToEscapedBytes", u"\u3042\u3044", u"8", u"utf-8", uR"(\343\201\202\343\201\204)"},
      {"escapeToEscapedBytes", u"\0\uffff"s, u"16", u"utf_8", uR"(\x00\xEF\xBF\xBF)"},
      {"escapeToEscapedBytes", u"\0\uffff"s, u"8", u"UTF8", uR"(\000\357\277\277)"},
      {"escapeToEscapedBytes", u"\xD840\xDC0B", u"16", u"UTF-8", uR"(\xF0\xA0\x80\x8B)"},
      {"escapeToEscapedBytes",
       u"\xD800"
       u"AB",
       u"16", u"UTF-8", uR"(\x42)"},
      {"escapeToEscapedBytes", u"\u3042", u"16", u"GBK", u""},
      {"escapeToEscapedBytes", u"\u3042", u"8", u"Shift_JIS", uR"(\202\240)"},
      {"escapeToEscapedBytes", u"", u"16", u"euc-jp", u""},
  });
}

TEST(EscapedBytes, ReadsHexadecimalEscapesOfEightBits) {
  expectCalls({
      {"unescapeFromEscapedBytes", uR"(\xE3\x81\x82\xE3\x81\x84)", u"16", u"UTF-8",
       u"\u3042\u3044"},
      {"unescapeFromEscapedBytes", uR"(\xe3\x81\x82)", u"16", u"UTF-8", u"\u3042"},
      {"unescapeFromEscapedBytes", uR"(abc\x41)", u"16", u"UTF-8", u"A"},
      {"unescapeFromEscapedBytes", uR"(\x41zz\x42)", u"16", u"UTF-8", u"AB"},
      {"unescapeFromEscapedBytes", uR"(\x41G)", u"16", u"UTF-8", u"A"},
      // The digits run on: 0x41B is no byte.
      {"unescapeFromEscapedBytes", uR"(\x41B)", u"16", u"UTF-8", u""},
      {"unescapeFromEscapedBytes", uR"(\X41)", u"16", u"UTF-8", u""},
      {"unescapeFromEscapedBytes", uR"(\x 41\x0x42\\x43)", u"16", u"UTF-8", u"ABC"},
      {"unescapeFromEscapedBytes", uR"(\x4)", u"16", u"UTF-8", u"\x0004"},
      {"unescapeFromEscapedBytes", uR"(\x-1\x100\xFF\x41)", u"16", u"UTF-8", u"A"},
      {"unescapeFromEscapedBytes", uR"(\x-0\x41)", u"16", u"UTF-8", u"\0A"s},
      {"unescapeFromEscapedBytes", uR"(\343\201\202)", u"16", u"UTF-8", u""},
      {"unescapeFromEscapedBytes", uR"(\xE3\x81)", u"16", u"UTF-8", u""},
      {"unescapeFromEscapedBytes", uR"(\xC3\xA9\x80\x41)", u"16", u"UTF-8", u"\u00e9A"},
  });
}

TEST(EscapedBytes, ReadsOctalEscapesOfEightBits) {
  expectCalls({
      {"unescapeFromEscapedBytes", uR"(\343\201\202\343\201\204)", u"8", u"UTF-8", u"\u3042\u3044"},
      {"unescapeFromEscapedBytes", uR"(\101\102)", u"8", u"UTF-8", u"AB"},
      {"unescapeFromEscapedBytes", uR"(\400\101)", u"8", u"UTF-8", u"A"},
      {"unescapeFromEscapedBytes", uR"(\1011)", u"8", u"UTF-8", u""},
      {"unescapeFromEscapedBytes", uR"(\101abc\1028)", u"8", u"UTF-8", u"AB"},
      {"unescapeFromEscapedBytes", uR"(\\101)", u"8", u"UTF-8", u"A"},
      {"unescapeFromEscapedBytes", uR"(\xE3\x81\x82)", u"8", u"UTF-8", u""},
      {"unescapeFromEscapedBytes", uR"(\000\101)", u"8", u"UTF-8", u"\0A"s},
  });
}

TEST(EscapedBytes, ReadsThroughTheRegistry) {
  expectCalls({
      {"unescapeFromEscapedBytes", uR"(\x41)", u"16", u"utf_8", u"A"},
      {"unescapeFromEscapedBytes", uR"(\x41)", u"16", u"GBK", u""},
      {"unescapeFromEscapedBytes", uR"(\x41\x82\xA0)", u"16", u"Shift_JIS", u"A\u3042"},
      {"unescapeFromEscapedBytes", uR"(\033\044\102\044\042\033\050\102)", u"8", u"ISO-2022-JP",
       u"\u3042"},
      {"unescapeFromEscapedBytes", uR"(\351)", u"8", u"ISO_8859-1", u"\u00e9"},
  });
}

TEST(EscapedBytes, FieldTexts) {
  const FieldText plain = "A\xD6\xD0\xA4\xA2";  // A中あ
  EXPECT_EQ(runCodec("escapeToEscapedBytes", plain, "16", "UTF-8"),
            "\\x41\\xE4\\xB8\\xAD\\xE3\\x81\\x82");
  EXPECT_EQ(runCodec("escapeToEscapedBytes", plain, "8", "UTF-8"),
            "\\101\\344\\270\\255\\343\\201\\202");
  for (const char* base : {"16", "8"}) {
    EXPECT_EQ(runCodec("unescapeFromEscapedBytes",
                       runCodec("escapeToEscapedBytes", plain, base, "UTF-8"), base, "UTF-8"),
              plain)
        << base;
  }
  // A zero byte ends the field text; a legacy charset converts both ways.
  EXPECT_EQ(runCodec("unescapeFromEscapedBytes", "\\000\\101", "8", "UTF-8"), "");
  EXPECT_EQ(runCodec("unescapeFromEscapedBytes", "\\101\\000\\102", "8", "UTF-8"), "A");
  EXPECT_EQ(runCodec("escapeToEscapedBytes", plain, "16", "Shift_JIS"),
            "\\x41\\x92\\x86\\x82\\xA0");
  EXPECT_EQ(runCodec("unescapeFromEscapedBytes", "\\x41\\x92\\x86\\x82\\xA0", "16", "Shift_JIS"),
            plain);
  EXPECT_EQ(runCodec("escapeToEscapedBytes", plain, "16", "GBK"), "");
}

}  // namespace
}  // namespace varnelo
