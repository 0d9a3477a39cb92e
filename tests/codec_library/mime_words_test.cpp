// MIME encoded words through the real script host. Field texts are code page
// 936 bytes: "\xA4\xA2" is あ, "\xA4\xA4" is い, "\xA1\xA1" the ideographic space.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "codec_host/codec_host.h"
#include "tests/codec_library/library_harness.h"

namespace varnelo {
namespace {

struct EncodeCase {
  const char* name;
  std::string text;
  std::string mimeEncoding;
  std::string charset;
  std::string expected;
};

struct DecodeCase {
  const char* name;
  std::string input;
  std::string expected;
};

struct ListCase {
  const char* name;
  std::string expression;
  std::string expected;
};

FieldText unescapeMime(const FieldText& text) { return runCodec("unescapeFromMime", text, "mime-b", ""); }

TEST(MimeWords, EncodeTheWholeTextAsOneWord) {
  const EncodeCase cases[] = {
      {"empty", "", "base64", "UTF-8", ""},
      {"B word", "A", "base64", "UTF-8", "=?UTF-8?B?QQ==?="},
      {"two characters", "\xA4\xA2\xA4\xA4", "base64", "UTF-8", "=?UTF-8?B?44GC44GE?="},
      {"charset as written", "A", "base64", "utf_8", "=?utf_8?B?QQ==?="},
      {"Q word keeps space and underscore", "a_b ?", "quoted-printable", "UTF-8",
       "=?UTF-8?Q?a_b =3F?="},
      {"encoding choice is case-sensitive", "A?", "Base64", "UTF-8", "=?UTF-8?Q?A=3F?="},
      {"charset without an entry", "A", "base64", "GBK", "=?GBK?B?" "?="},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runCodec("escapeToMime", c.text, c.mimeEncoding, c.charset), c.expected) << c.name;
  }
  std::string text(200, 'x');
  EXPECT_EQ(runCodec("escapeToMime", text, "base64", "UTF-8"),
            "=?UTF-8?B?" + runCodec("escapeToBase64", text, "UTF-8", "") + "?=");
}

TEST(MimeWords, EncodeInALegacyCharsetAsWritten) {
  EXPECT_EQ(libraryHarness().runUnits("escapeToMime", u"", u"base64", u"Shift_JIS"), u"");
  EXPECT_EQ(libraryHarness().runUnits("escapeToMime", u"A", u"base64", u"ISO-8859-1"),
            u"=?ISO-8859-1?B?QQ==?=");
  EXPECT_EQ(
      libraryHarness().runUnits("escapeToMime", u"caf\u00e9", u"quoted-printable", u"iso_8859-1"),
      u"=?iso_8859-1?Q?caf=E9?=");
}

TEST(MimeWords, DecodeWordsAndPassPlainTextThrough) {
  const DecodeCase cases[] = {
      {"words separated by a space", "=?UTF-8?B?44GC?= =?UTF-8?B?44GE?=", "\xA4\xA2\xA4\xA4"},
      {"adjacent words", "=?UTF-8?B?44GC?==?UTF-8?B?44GE?=", "\xA4\xA2\xA4\xA4"},
      {"white space lines between words", "=?UTF-8?B?44GC?=\r\n\t =?UTF-8?Q?=E3=81=84?=",
       "\xA4\xA2\xA4\xA4"},
      {"plain text around words", "Re: =?UTF-8?B?44GC?= =?UTF-8?B?44GE?= ok",
       "Re: \xA4\xA2\xA4\xA4 ok"},
      {"plain text only", "hello", "hello"},
      {"white space only", "  \r\n\t ", ""},
      {"white space around a word", "  =?UTF-8?B?44GC?=  ", "\xA4\xA2"},
      {"plain text right after a word", "=?UTF-8?B?44GC?=abc", "\xA4\xA2" "abc"},
      {"ideographic space is plain text", "=?UTF-8?B?44GC?=\xA1\xA1=?UTF-8?B?44GE?=",
       "\xA4\xA2\xA1\xA1\xA4\xA4"},
      {"small b is no word", "=?UTF-8?b?44GC?=", "=?UTF-8?b?44GC?="},
      {"empty encoded text is no word", "=?UTF-8?B?" "?=", "=?UTF-8?B?" "?="},
      {"missing end is no word", "=?UTF-8?B?44GC? x", "=?UTF-8?B?44GC? x"},
      {"word starting inside a failed one", "=?a=?UTF-8?B?44GC?=", "=?a\xA4\xA2"},
      {"Q word", "=?UTF-8?Q?a_b=3F?=", "a b?"},
      {"Q word of two characters", "=?UTF-8?Q?=E3=81=82=E3=81=84?=", "\xA4\xA2\xA4\xA4"},
      {"charset in another spelling", "=?utf_8?B?44GC?=", "\xA4\xA2"},
      {"language suffix", "=?UTF-8*ja?B?44GC?=", "\xA4\xA2"},
      {"language suffix only", "a=?*ja?B?44GC?=b", "ab"},
      {"charset without an entry adds nothing", "a =?GBK?B?1tA=?= b", "a  b"},
      {"wrapped Base64 inside a word", "=?UTF-8?B?44GC\r\n 44GE?=", "\xA4\xA2\xA4\xA4"},
      {"foreign character inside a B word", "=?UTF-8?B?QU!DQUJD?=", "AABC"},
  };
  for (const auto& c : cases) EXPECT_EQ(unescapeMime(c.input), c.expected) << c.name;
}

TEST(MimeWords, LanguageSuffixStartsAtTheFirstStarWithoutALineBreakAfterIt) {
  const ListCase cases[] = {
      {"first star", "decodeMime('=?UTF-8*ja*x?B?QQ==?=')", "[UTF-8,[65]]"},
      {"star before a line break stays", "decodeMime('=?UTF*8\\n*ja?B?QQ==?=')",
       "[UTF*8\n,[65]]"},
      {"not normalised", "decodeMime('=?utf_8?Q?a_?=')", "[utf_8,[97,32]]"},
      {"no word", "decodeMime('=?UTF-8?B?QQ==?= ')", "[]"},
  };
  for (const auto& c : cases) EXPECT_EQ(evaluateInLibrary(c.expression), c.expected) << c.name;
}

TEST(MimeWords, SplitIntoWordsAndPlainRuns) {
  const ListCase cases[] = {
      {"runs and words in order",
       "splitMimeString('a =?X?B?QQ?= \\t=?X?Q?b?=c=?Y?B?Qg?=  ').join('|')",
       "a |=?X?B?QQ?=|=?X?Q?b?=|c|=?Y?B?Qg?="},
      {"leftmost word wins", "splitMimeString('=?a?B?b?=?B?c?=').join('|')", "=?a?B?b?=|?B?c?="},
      {"white space only", "splitMimeString(' \\r\\n').length", "0"},
      {"empty", "splitMimeString('').length", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(evaluateInLibrary(c.expression), c.expected) << c.name;
}

TEST(MimeWords, ALegacyCharsetDecodesAmongOtherWords) {
  const struct {
    std::u16string input;
    std::u16string expected;
  } cases[] = {
      {u"=?UTF-8?B?44GC?= =?Shift_JIS?B?gqCCog==?=", u"\u3042\u3042\u3044"},
      {u"=?euc-jp?Q?a?=", u"a"},
      {u"=?iso-2022-jp*ja?B?QQ==?=", u"A"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(libraryHarness().runUnits("unescapeFromMime", c.input, u"mime-b", u""), c.expected);
  }
}

}  // namespace
}  // namespace varnelo
