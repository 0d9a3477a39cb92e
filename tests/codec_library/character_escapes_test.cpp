#include <gtest/gtest.h>

#include <string>

#include "tests/codec_library/library_harness.h"

namespace varnelo {
namespace {

using namespace std::string_literals;

// One call of an entry point with the text and option, and the exact units it returns.
struct Call {
  const char* entry;
  std::u16string text;
  std::u16string option;
  std::u16string expected;
};

void expectCalls(const Call* begin, const Call* end) {
  for (const Call* call = begin; call != end; ++call) {
    SCOPED_TRACE(testing::Message() << call->entry << " of " << testing::PrintToString(call->text)
                                    << " with " << testing::PrintToString(call->option));
    EXPECT_EQ(libraryHarness().runUnits(call->entry, call->text, call->option, u""),
              call->expected);
  }
}

template <size_t N>
void expectCalls(const Call (&calls)[N]) {
  expectCalls(calls, calls + N);
}

TEST(CharacterEscapes, Utf16EscapesWriteEveryUnit) {
  expectCalls({
      {"escapeToUtf16", u"", u"", u""},
      {"escapeToUtf16", u"A", u"", uR"(\u0041)"},
      {"escapeToUtf16", u"\r\n", u"", uR"(\u000D\u000A)"},
      {"escapeToUtf16", u"\u3042\u3044\u3042", u"", uR"(\u3042\u3044\u3042)"},
      {"escapeToUtf16", u"\u00e9\uffff", u"", uR"(\u00E9\uFFFF)"},
      {"escapeToUtf16", u"\xD840\xDC0B", u"", uR"(\uD840\uDC0B)"},
      {"escapeToUtf16",
       u"\xDC00"
       u"A\xD800",
       u"", uR"(\uDC00\u0041\uD800)"},
      {"escapeToUtf16", u"A\0B"s, u"", uR"(\u0041\u0000\u0042)"},
  });
}

TEST(CharacterEscapes, Utf16EscapesReadWhatParseIntReadsAndKeepSixteenBits) {
  expectCalls({
      {"unescapeFromUtf16", uR"(\u3042\u3044)", u"", u"\u3042\u3044"},
      {"unescapeFromUtf16", uR"(\u41)", u"", u"A"},
      {"unescapeFromUtf16", uR"(\u0x41\u+41\u 41\u004G)", u"", u"AAA\x0004"},
      {"unescapeFromUtf16", u"\\u\u300041", u"", u"A"},
      {"unescapeFromUtf16",
       u"\\u\xFEFF"
       u"41",
       u"", u""},
      // Letters after the digits are digits too.
      {"unescapeFromUtf16", uR"(\u3042abc)", u"", u""},
      {"unescapeFromUtf16", uR"(\u3042 abc)", u"", u"\u3042"},
      {"unescapeFromUtf16", uR"(\u30423044)", u"", u""},
      {"unescapeFromUtf16", uR"(\uFFFF\u10000)", u"", u"\xFFFF"},
      {"unescapeFromUtf16", uR"(x\u0041\\u0042\u)", u"", u"AB"},
      {"unescapeFromUtf16", uR"(\U0041)", u"", u""},
      {"unescapeFromUtf16", uR"(\u)", u"", u""},
      {"unescapeFromUtf16", uR"(\u-1)", u"", u""},
      {"unescapeFromUtf16", uR"(\u-0)", u"", u"\0"s},
      {"unescapeFromUtf16", uR"(\uD840\uDC0B\uDC0B)", u"", u"\xD840\xDC0B\xDC0B"},
  });
}

TEST(CharacterEscapes, Utf32EscapesWriteEveryCodePoint) {
  expectCalls({
      {"escapeToUtf32", u"", u"", u""},
      {"escapeToUtf32", u"A", u"", uR"(\U00000041)"},
      {"escapeToUtf32", u"\u3042\u3044", u"", uR"(\U00003042\U00003044)"},
      {"escapeToUtf32", u"\xD83D\xDE00", u"", uR"(\U0001F600)"},
      {"escapeToUtf32", u"\xDBFF\xDFFF", u"", uR"(\U0010FFFF)"},
      // A broken pair is dropped with the unit after it; a lone low surrogate stays.
      {"escapeToUtf32",
       u"\xD800"
       u"AB\xDC00",
       u"", uR"(\U00000042\U0000DC00)"},
  });
}

TEST(CharacterEscapes, Utf32EscapesKeepThirtyTwoBitsAndWrapAboveTheLastCodePoint) {
  expectCalls({
      {"unescapeFromUtf32", uR"(\U3042)", u"", u"\u3042"},
      {"unescapeFromUtf32", uR"(\U0001F600)", u"", u"\xD83D\xDE00"},
      {"unescapeFromUtf32", uR"(\U0010FFFF)", u"", u"\xDBFF\xDFFF"},
      {"unescapeFromUtf32", uR"(\U00110000)", u"", u"\xDC00\xDC00"},
      {"unescapeFromUtf32", uR"(\UFFFFFFFF)", u"", u"\xD7BF\xDFFF"},
      {"unescapeFromUtf32", uR"(\U100000000)", u"", u""},
      {"unescapeFromUtf32", uR"(\u00003042)", u"", u""},
      {"unescapeFromUtf32", uR"(\U-1\U 0x41)", u"", u"A"},
      {"unescapeFromUtf32", uR"(\U-0)", u"", u"\0"s},
  });
}

TEST(CharacterEscapes, NumRefsWriteDecimalOrHexByTheBaseText) {
  expectCalls({
      {"escapeToNumRef", u"", u"10", u""},
      {"escapeToNumRef", u"A\r\n", u"10", u"&#65;&#13;&#10;"},
      {"escapeToNumRef", u"A\r\n", u"16", u"&#x41;&#xD;&#xA;"},
      {"escapeToNumRef", u"\u3042\u3044\u3042", u"10", u"&#12354;&#12356;&#12354;"},
      {"escapeToNumRef", u"\u3042\u00e9", u"16", u"&#x3042;&#xE9;"},
      {"escapeToNumRef", u"\xD840\xDC0B", u"10", u"&#131083;"},
      {"escapeToNumRef", u"\xD840\xDC0B", u"16", u"&#x2000B;"},
      // Any text that is not the number 10 gives the "x", and toString takes it as the radix.
      {"escapeToNumRef", u"A", u" 10 ", u"&#65;"},
      {"escapeToNumRef", u"A", u"8", u"&#x101;"},
  });
}

TEST(CharacterEscapes, NumRefsReadEveryPieceBeforeASemicolon) {
  expectCalls({
      {"unescapeFromNumRef", u"&#12354;&#12356;", u"10", u"\u3042\u3044"},
      {"unescapeFromNumRef", u"&#x3042;&#x3044;", u"16", u"\u3042\u3044"},
      {"unescapeFromNumRef", u"65;66;", u"10", u"AB"},
      {"unescapeFromNumRef", u"41;42;", u"16", u"AB"},
      {"unescapeFromNumRef", u"&#x3042;", u"10", u"\u0BE2"},
      {"unescapeFromNumRef", u"&#12354;", u"16", u"\xD808\xDF54"},
      {"unescapeFromNumRef", u"&#xabc;", u"16", u"\u0ABC"},
      {"unescapeFromNumRef", u"&#12354", u"10", u""},
      {"unescapeFromNumRef", u"&#12354;abc", u"10", u"\u3042"},
      {"unescapeFromNumRef", u"&#65.9;&#\u300066;", u"10", u"AB"},
  });
}

TEST(CharacterEscapes, NumRefsTestNoValue) {
  expectCalls({
      // What holds no number gives two U+0000 units.
      {"unescapeFromNumRef", u"abc;&#12354;", u"10", u"\0\0\u3042"s},
      {"unescapeFromNumRef", u"&#65;;", u"10", u"A\0\0"s},
      {"unescapeFromNumRef", u"&#12354; &#12356;", u"10", u"\u3042\0\0"s},
      {"unescapeFromNumRef", u"&#X41;", u"16", u"\0\0"s},
      {"unescapeFromNumRef",
       u"&#\xFEFF"
       u"65;",
       u"10", u"\0\0"s},
      {"unescapeFromNumRef", u"&#0;&#-0;", u"10", u"\0\0"s},
      {"unescapeFromNumRef", u"&#-1;&#-65536;&#-65537;", u"10", u"\xFFFF\0\xFFFF"s},
      {"unescapeFromNumRef", u"&#1114112;", u"10", u"\xDC00\xDC00"},
      {"unescapeFromNumRef", u"&#4294967295;", u"10", u"\xD7BF\xDFFF"},
      {"unescapeFromNumRef", u"&#x110000;", u"16", u"\xDC00\xDC00"},
      // 2^53 + 1 lies halfway between 2^53 and 2^53 + 2 and is read as the even 2^53.
      {"unescapeFromNumRef", u"&#9007199254740993;", u"10", u"\xD7C0\xDC00"},
      {"unescapeFromNumRef", u"&#x20000000000001;", u"16", u"\xD7C0\xDC00"},
      {"unescapeFromNumRef", u"&#" + std::u16string(400, u'9') + u";", u"10", u"\0\0"s},
  });
}

TEST(CharacterEscapes, TheEngineEscapeKeepsSixtyNineCharacters) {
  EXPECT_EQ(evaluateInLibrary("(function () { var kept = [];"
                              " for (var unit = 0; unit < 0x10000; unit++) {"
                              "   var s = String.fromCharCode(unit);"
                              "   if (escape(s) === s) kept.push(s);"
                              " }"
                              " return kept.join(''); })()"),
            "*+-./0123456789@ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
  expectCalls({
      {"escape", u"a b\r\n~\u00e9", u"", u"a%20b%0D%0A%7E%E9"},
      {"escape", u"@*_+-./", u"", u"@*_+-./"},
      {"escape", u"\u3042\xD800\0"s, u"", u"%u3042%uD800%00"},
  });
}

TEST(CharacterEscapes, TheEngineUnescapeReadsOnlyCompleteEscapes) {
  expectCalls({
      {"unescape", u"%u3042%u3044", u"", u"\u3042\u3044"},
      {"unescape", u"%41%42%u00e9%E9", u"", u"AB\u00e9\u00e9"},
      {"unescape", u"%uD840%uDC0B", u"", u"\xD840\xDC0B"},
      {"unescape", u"%|%zz|%4|%4g|%u30|%u004G|%U3042", u"", u"%|%zz|%4|%4g|%u30|%u004G|%U3042"},
      {"unescape", u"%%41|a+b", u"", u"%A|a+b"},
      {"unescape", u"%00A", u"", u"\0A"s},
  });
}

TEST(CharacterEscapes, AUnitZeroEndsTheFieldText) {
  EXPECT_EQ(runCodec("unescapeFromUtf16", "\\u0041\\u-0\\u0042"), "A");
  EXPECT_EQ(runCodec("unescapeFromNumRef", "&#20013;&#65;;&#66;", "10"),
            "\xD6\xD0"
            "A");
  EXPECT_EQ(runCodec("unescapeFromNumRef", "abc;&#20013;", "10"), "");
  EXPECT_EQ(runCodec("unescape", "%00A"), "");
}

TEST(CharacterEscapes, FieldTextsGoThereAndBack) {
  const FieldText plain = "A\xD6\xD0\r\n\xA4\xA2\xA4\xA4";  // A中 CR LF あい
  EXPECT_EQ(runCodec("escapeToUtf16", plain), "\\u0041\\u4E2D\\u000D\\u000A\\u3042\\u3044");
  EXPECT_EQ(runCodec("escapeToNumRef", plain, "16"), "&#x41;&#x4E2D;&#xD;&#xA;&#x3042;&#x3044;");
  for (const char* entry : {"Utf16", "Utf32"}) {
    EXPECT_EQ(runCodec(std::string("unescapeFrom") + entry,
                       runCodec(std::string("escapeTo") + entry, plain)),
              plain)
        << entry;
  }
  for (const char* base : {"10", "16"}) {
    EXPECT_EQ(runCodec("unescapeFromNumRef", runCodec("escapeToNumRef", plain, base), base), plain)
        << base;
  }
  EXPECT_EQ(runCodec("unescape", runCodec("escape", plain)), plain);
}

}  // namespace
}  // namespace varnelo
