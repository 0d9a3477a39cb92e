// Base64, quoted-printable and URL encoding through the real script host.
// Field texts are code page 936 bytes: "\xA4\xA2\xA4\xA4" is あい, "\xD6\xD0" is 中.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "codec_host/codec_host.h"
#include "tests/codec_library/library_harness.h"

namespace varnelo {
namespace {

struct FieldCase {
  const char* name;
  std::string input;
  std::string expected;
};

struct UnitCase {
  const char* name;
  std::u16string input;
  std::u16string expected;
};

struct ListCase {
  const char* name;
  std::string expression;
  std::string expected;
};

std::optional<std::u16string> runUtf8(std::string_view entry, std::u16string_view text) {
  return libraryHarness().runUnits(entry, text, u"UTF-8", u"");
}

TEST(Base64, EncodesPaddedWithoutLineBreaks) {
  const FieldCase cases[] = {
      {"empty", "", ""},
      {"one byte", "A", "QQ=="},
      {"two bytes", "AB", "QUI="},
      {"three bytes", "ABC", "QUJD"},
      {"three UTF-8 bytes", "\xD6\xD0", "5Lit"},
      {"line break", "a\r\nb", "YQ0KYg=="},
      {"two characters", "\xA4\xA2\xA4\xA4", "44GC44GE"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runCodec("escapeToBase64", c.input, "UTF-8", ""), c.expected) << c.name;
  }
  std::string encoded = runCodec("escapeToBase64", std::string(120, 'A'), "UTF-8", "");
  EXPECT_EQ(encoded.size(), 160u);
  EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
}

TEST(Base64, DecodesWindowsOfFour) {
  const FieldCase cases[] = {
      {"empty", "", ""},
      {"padding missing after two letters", "QQ", "A"},
      {"padding missing after three letters", "QUI", "AB"},
      {"short last window", "QUJDRA", "ABCD"},
      {"leftover bits dropped", "QR==", "A"},
      {"padding ends only its own window", "QQ==QUI=", "AAB"},
      {"one letter then padding", "Q===", ""},
      {"padding after one letter loses the window", "Q=QQ", ""},
      {"padding first loses the window", "=QUJD", ""},
      {"URL-safe letter is foreign", "_w==", ""},
      {"foreign character loses the rest of its window", "QU!DQUJD", "AABC"},
      {"two characters", "44GC44GE", "\xA4\xA2\xA4\xA4"},
      {"ideographic space is foreign", "QUJD\xA1\xA1REVG", "ABC"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runCodec("unescapeFromBase64", c.input, "UTF-8", ""), c.expected) << c.name;
  }
}

TEST(Base64, SkipsWhiteSpaceBetweenLetters) {
  const FieldCase cases[] = {
      {"space between windows", "44GC 44GE", "\xA4\xA2\xA4\xA4"},
      {"CR LF between windows", "QUJD\r\nREVG", "ABCDEF"},
      {"inside a window", "Q U\tJ\nD", "ABC"},
      {"around the text", " \t\r\nQUJD\r\n ", "ABC"},
      {"between padding letters", "QQ= =QUI=", "AAB"},
      {"foreign character still counts", "QU!D \r\nQUJD", "AABC"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runCodec("unescapeFromBase64", c.input, "UTF-8", ""), c.expected) << c.name;
  }
}

TEST(Base64, WrappedEncodingDecodesToWhatItEncodes) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += (i % 3 == 0) ? "\xA4\xA2" : (i % 3 == 1) ? "x" : "\xD6\xD0";
  std::string encoded = runCodec("escapeToBase64", text, "UTF-8", "");
  std::string wrapped;
  for (size_t i = 0; i < encoded.size(); i += 76) wrapped += encoded.substr(i, 76) + "\r\n";
  EXPECT_EQ(runCodec("unescapeFromBase64", wrapped, "UTF-8", ""), text);
}

TEST(Base64, ZeroByteIsAUnitThatEndsTheFieldText) {
  EXPECT_EQ(runUtf8("unescapeFromBase64", u"AA==QQ=="), std::u16string(u"\0A", 2));
  EXPECT_EQ(runCodec("unescapeFromBase64", "AA==QQ==", "UTF-8", ""), "");
}

TEST(QuotedPrintable, EscapesControlsEqualsQuestionMarkAndHighBytes) {
  const FieldCase cases[] = {
      {"question mark", "Hello, World?", "Hello, World=3F"},
      {"equal sign", "a=b", "a=3Db"},
      {"TAB and line break", "a\tb\r\n", "a=09b=0D=0A"},
      {"space, underscore and tilde stay; DEL does not", "a_b c~\x7F", "a_b c~=7F"},
      {"UTF-8 bytes", "\xD6\xD0", "=E4=B8=AD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runCodec("escapeToQuotedPrintable", c.input, "UTF-8", ""), c.expected) << c.name;
  }
}

TEST(Url, EscapesEverythingOutsideTheSafeSet) {
  const FieldCase cases[] = {
      {"punctuation and space", "Hello, World?", "Hello%2C%20World%3F"},
      {"safe marks stay", "A_B.C-D~ *+/", "A_B.C-D%7E%20%2A%2B%2F"},
      {"UTF-8 bytes", "\xD6\xD0", "%E4%B8%AD"},
      {"digits and letters", "azAZ09", "azAZ09"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runCodec("escapeToUrl", c.input, "UTF-8", ""), c.expected) << c.name;
  }
}

// What the decoders hand to the charset, value for value.
TEST(PrefixDecoders, ReadTheTwoCharactersAfterThePrefixAsAHexadecimalNumber) {
  const ListCase cases[] = {
      {"two digits, either case", "decodeQuotedPrintable('=41=e3')", "[65,227]"},
      {"one digit before a non-digit", "decodeQuotedPrintable('=4G')", "[4]"},
      {"one digit at the end", "decodeUrl('%4')", "[4]"},
      {"white space skipped, next character plain", "decodeQuotedPrintable('= 41')", "[4,49]"},
      {"ideographic space skipped", "decodeUrl('%\\u30004')", "[4]"},
      {"byte order mark is no white space", "decodeUrl('%\\ufeff4')", "[NaN]"},
      {"plus sign", "decodeQuotedPrintable('=+F')", "[15]"},
      {"minus sign", "decodeQuotedPrintable('=-1=-F')", "[-1,-15]"},
      {"negative zero", "decodeUrl('%-0')", "[-0]"},
      {"no digit", "decodeQuotedPrintable('=ZZ')", "[NaN]"},
      {"hexadecimal prefix without digits", "decodeQuotedPrintable('=0xb')", "[NaN,98]"},
      {"line break after the prefix", "decodeQuotedPrintable('a=\\r\\nb')", "[97,NaN,98]"},
      {"prefix at the end", "decodeUrl('100%')", "[49,48,48,NaN]"},
      {"prefix read as a digit pair", "decodeUrl('%%41')", "[NaN,49]"},
      {"plain units above 255", "decodeUrl('a\\u4e2d\\u00e9')", "[97,20013,233]"},
      {"underscore is a space in QP only", "[decodeQuotedPrintable('_'), decodeUrl('_+')]",
       "[[32],[95,43]]"},
  };
  for (const auto& c : cases) EXPECT_EQ(evaluateInLibrary(c.expression), c.expected) << c.name;
}

TEST(QuotedPrintable, DecodesThroughUtf8) {
  const UnitCase cases[] = {
      {"underscore is a space", u"a_b", u"a b"},
      {"escapes in either case", u"a=3Db=3f", u"a=b?"},
      {"no digit is dropped", u"a=ZZb", u"ab"},
      {"one digit", u"a=4Gb", u"a\u0004b"},
      {"prefix at the end", u"a=", u"a"},
      {"no soft line breaks", u"ab=\r\ncd", u"abcd"},
      {"white space after the prefix", u"= 41", u"\u00041"},
      {"minus one", u"a=-1b", u"a\uFFFFb"},
      {"minus fifteen", u"=-F", u"\uFFF1"},
      {"plus sign", u"=+F", u"\u000F"},
      {"hexadecimal prefix", u"a=0xb", u"ab"},
      {"plain unit above 255 dropped", u"a\u4E2Db", u"ab"},
      {"plain unit below 256 is a byte", u"\u00E9=81=82", u"\u9042"},
      {"two characters", u"=E3=81=82=E3=81=84", u"\u3042\u3044"},
      {"negative zero", u"a=-0b", std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runUtf8("unescapeFromQuotedPrintable", c.input), c.expected) << c.name;
  }
}

TEST(Url, DecodesThroughUtf8) {
  const UnitCase cases[] = {
      {"plus and underscore stay", u"a+b%20c_d", u"a+b c_d"},
      {"lower-case digits", u"%e3%81%82", u"\u3042"},
      {"prefix at the end", u"100%", u"100"},
      {"doubled prefix", u"%%41", u"1"},
      {"unfinished sequence dropped", u"x%C3y", u"xy"},
      {"minus one", u"%-1", u"\uFFFF"},
      {"zero byte", u"a%00b", std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(runUtf8("unescapeFromUrl", c.input), c.expected) << c.name;
  EXPECT_EQ(runCodec("unescapeFromUrl", "a%00b", "UTF-8", ""), "a");
}

TEST(ByteCodecs, EveryEntryPointRoundTripsField1Text) {
  const std::string text = "Re: \xA4\xA2\xA4\xA4 a=b?c_d e+f%g/h~\r\n\t\xD6\xD0!";
  const char* const pairs[][2] = {{"escapeToBase64", "unescapeFromBase64"},
                                  {"escapeToUrl", "unescapeFromUrl"}};
  for (const auto& pair : pairs) {
    EXPECT_EQ(runCodec(pair[1], runCodec(pair[0], text, "UTF-8", ""), "UTF-8", ""), text)
        << pair[0];
  }
  // Quoted-printable writes "_" as itself and reads it as a space.
  std::string spaced = text;
  spaced[spaced.find('_')] = ' ';
  EXPECT_EQ(runCodec("unescapeFromQuotedPrintable",
                     runCodec("escapeToQuotedPrintable", text, "UTF-8", ""), "UTF-8", ""),
            spaced);
}

TEST(ByteCodecs, CharsetDecidesEveryEntryPoint) {
  const char* const entries[][3] = {
      {"escapeToBase64", "A", "QQ=="},         {"unescapeFromBase64", "QQ==", "A"},
      {"escapeToQuotedPrintable", "=", "=3D"}, {"unescapeFromQuotedPrintable", "=3D", "="},
      {"escapeToUrl", " ", "%20"},             {"unescapeFromUrl", "%20", " "},
  };
  for (const auto& entry : entries) {
    const std::u16string input(entry[1], entry[1] + std::char_traits<char>::length(entry[1]));
    const std::u16string output(entry[2], entry[2] + std::char_traits<char>::length(entry[2]));
    EXPECT_EQ(libraryHarness().runUnits(entry[0], input, u"utf_8", u""), output) << entry[0];
    EXPECT_EQ(libraryHarness().runUnits(entry[0], input, u"GBK", u""), u"") << entry[0];
    // ASCII is the same in Shift_JIS.
    EXPECT_EQ(libraryHarness().runUnits(entry[0], input, u"Shift_JIS", u""), output) << entry[0];
    EXPECT_EQ(libraryHarness().runUnits(entry[0], u"", u"euc-jp", u""), u"") << entry[0];
  }
}

}  // namespace
}  // namespace varnelo
