#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "codec_host/codec_host.h"
#include "tests/codec_library/library_harness.h"

namespace varnelo {
namespace {

struct Case {
  std::string text;      // code page 936
  std::string punycode;  // what field 6 shows
};

const Case CASES[] = {
    // The worked example, then what the field rules leave alone: basic code points
    // keep their case and order, and dots, "-" and line breaks are basic like any other.
    {"\xA4\xA2\xA4\xA4", "l8je"},  // あい
    {"\xD6\xD0\xCE\xC4", "fiq228c"},  // 中文
    {"\xA8\xB9", "tda"},  // ü
    {"\xA8\xA6", "9ca"},  // é
    {"abc", "abc-"},
    {"a", "a-"},
    {"a\xA4\xA2", "a-x7t"},  // aあ
    {"A\xA4\xA2", "A-x7t"},  // Aあ
    {"\xA4\xA2\xA4\xA4" "ab", "ab-763ai"},  // あいab
    {"\xC0\xFD\xD7\xD3.\xB2\xE2\xCA\xD4", ".-kb7ap09ad7r428a"},  // 例子.测试
    {"-\xA4\xA2", "--x7t"},  // -あ
    {"ab-cd", "ab-cd-"},
    {"\r\n\xA4\xA2", "\r\n-963a"},  // CR LF あ
    {"", ""},
    // RFC 3492 section 7.1, the samples that code page 936 can hold. (I) is
    // lower case here: the RFC marks one of its letters with the case flag.
    {"\xCB\xFB\xC3\xC7\xCE\xAA\xCA\xB2\xC3\xB4\xB2\xBB\xCB\xB5\xD6\xD0\xCE\xC4",
     "ihqwcrb4cv8a8dqg056pqjye"},  // (B) 他们为什么不说中文
    {"\xCB\xFB\x82\x83\xA0\x91\xCA\xB2\xF7\xE1\xB2\xBB\xD5" "f\xD6\xD0\xCE\xC4",
     "ihqwctvzc91f659drss3x8bo0yb"},  // (C) 他們爲什麽不說中文
    {"\xA4\xCA\xA4\xBC\xA4\xDF\xA4\xF3\xA4\xCA\xC8\xD5\xB1\xBE\xD5Z\xA4\xF2\xD4\x92"
     "\xA4\xB7\xA4\xC6\xA4\xAF\xA4\xEC\xA4\xCA\xA4\xA4\xA4\xCE\xA4\xAB",
     "n8jok5ay5dzabd5bym9f0cm5685rrjetr6pdxa"},  // (G) なぜみんな日本語を話してくれないのか
    {"\xA7\xE1\xA7\xE0\xA7\xE9\xA7\xD6\xA7\xDE\xA7\xE5\xA7\xD8\xA7\xD6\xA7\xE0\xA7\xDF"
     "\xA7\xDA\xA7\xDF\xA7\xD6\xA7\xD4\xA7\xE0\xA7\xD3\xA7\xE0\xA7\xE2\xA7\xF1\xA7\xE4"
     "\xA7\xE1\xA7\xE0\xA7\xE2\xA7\xE5\xA7\xE3\xA7\xE3\xA7\xDC\xA7\xDA",
     "b1abfaaepdrnnbgefbadotcwatmq2g4l"},  // (I) почемужеонинеговорятпорусски
    {"3\xC4\xEA" "B\xBDM\xBD\xF0\xB0\xCB\xCF\xC8\xC9\xFA", "3B-ww4c5e180e575a65lsy2b"},  // (L) 3年B組金八先生
    {"\xB0\xB2\xCA\xD2\xC4\xCE\xC3\xC0\x90{-with-SUPER-MONKEYS",
     "-with-SUPER-MONKEYS-pc58ag80a8qai00g7n9n"},  // (M) 安室奈美恵-with-SUPER-MONKEYS
    {"Hello-Another-Way-\xA4\xBD\xA4\xEC\xA4\xBE\xA4\xEC\xA4\xCE\x88\xF6\xCB\xF9",
     "Hello-Another-Way--fc4qua05auwb3674vfr0b"},  // (N) Hello-Another-Way-それぞれの場所
    {"\xA4\xD2\xA4\xC8\xA4\xC4\xCE\xDD\xB8\xF9\xA4\xCE\xCF\xC2" "2",
     "2-u9tlzr9756bt3uc0v"},  // (O) ひとつ屋根の下2
    {"Maji\xA4\xC7Koi\xA4\xB9\xA4\xEB" "5\xC3\xEB\xC7\xB0", "MajiKoi5-783gue6qz075azm5e"},  // (P) MajiでKoiする5秒前
    {"\xA5\xD1\xA5\xD5\xA5\xA3\xA9`de\xA5\xEB\xA5\xF3\xA5\xD0", "de-jg4avhby1noc0d"},  // (Q) パフィーdeルンバ
    {"\xA4\xBD\xA4\xCE\xA5\xB9\xA5\xD4\xA9`\xA5\xC9\xA4\xC7", "d9juau41awczczp"},  // (R) そのスピードで
    {"-> $1.00 <-", "-> $1.00 <--"},  // (S)
};

TEST(PunyCode, EncodesTheWholeFieldText) {
  for (const Case& c : CASES) {
    EXPECT_EQ(runCodec("escapeToPunyCode", c.text), c.punycode);
  }
}

TEST(PunyCode, GivesThePlainTextBackWhenDeltaWouldPassMaxint) {
  // The first delta is (0xFFE5 - 0x80) * (h + 1): 65381 * 32845 stays within
  // 2^31 - 1, 65381 * 32846 does not.
  const std::string yen = "\xA3\xA4";  // ￥
  EXPECT_EQ(runCodec("escapeToPunyCode", std::string(32844, 'a') + yen),
            std::string(32844, 'a') + "-3g25146o");
  const std::string plain = std::string(32845, 'a') + yen;
  EXPECT_EQ(runCodec("escapeToPunyCode", plain), plain);
}

TEST(PunyCode, KeepsItsConstantsAndHelpersPrivate) {
  // The library is one text: a helper left global here could replace a
  // function of the same name in another codec.
  for (const char* name : {"BASE", "TMIN", "TMAX", "SKEW", "DAMP", "INITIAL_BIAS", "INITIAL_N",
                           "DELIMITER", "MAXINT", "basic", "encode_digit", "adapt",
                           "punycode_encode"}) {
    EXPECT_EQ(evaluateInLibrary(std::string("typeof ") + name), "undefined") << name;
  }
  EXPECT_EQ(evaluateInLibrary("typeof PunyCode.encode"), "function");
}

// RFC 3492 section 6.3 as the RFC writes it: one scan of the whole input per
// distinct code point. Nothing when the overflow test fails.
std::optional<std::u16string> directPunycode(const std::u32string& input) {
  constexpr int64_t MAXINT = 2147483647;
  auto digit = [](int64_t d) { return static_cast<char16_t>(d < 26 ? 'a' + d : '0' + d - 26); };
  auto adapt = [](int64_t delta, int64_t numpoints, bool firsttime) {
    delta = firsttime ? delta / 700 : delta / 2;
    delta += delta / numpoints;
    int64_t k = 0;
    for (; delta > 455; k += 36) delta /= 35;
    return k + 36 * delta / (delta + 38);
  };

  std::u16string output;
  for (char32_t c : input)
    if (c < 0x80) output += static_cast<char16_t>(c);
  const int64_t b = static_cast<int64_t>(output.size());
  if (b > 0) output += u'-';
  int64_t n = 0x80, delta = 0, bias = 72, h = b;
  while (h < static_cast<int64_t>(input.size())) {
    int64_t m = MAXINT;
    for (char32_t c : input)
      if (c >= n && c < m) m = c;
    // delta is at most h + 1 here, so the division is a floor, as in the library.
    if (m - n > (MAXINT - delta) / (h + 1)) return std::nullopt;
    delta += (m - n) * (h + 1);
    n = m;
    for (char32_t c : input) {
      if (c < n) ++delta;
      if (c == n) {
        int64_t q = delta;
        for (int64_t k = 36;; k += 36) {
          int64_t t = k <= bias ? 1 : k >= bias + 26 ? 26 : k - bias;
          if (q < t) break;
          output += digit(t + (q - t) % (36 - t));
          q = (q - t) / (36 - t);
        }
        output += digit(q);
        bias = adapt(delta, h + 1, h == b);
        delta = 0;
        ++h;
      }
    }
    ++delta;
    ++n;
  }
  return output;
}

std::u16string utf16Of(const std::u32string& codePoints) {
  std::u16string units;
  for (char32_t c : codePoints) {
    if (c < 0x10000) {
      units += static_cast<char16_t>(c);
    } else {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
  }
  return units;
}

// Short texts of ASCII, a few often repeated ideographs, any ideograph, other
// BMP characters and supplementary ones; one in eight is about 2,000 code
// points with a few near U+10FFFF, where the overflow test goes either way.
std::u32string randomText(std::mt19937& rng) {
  auto pick = [&rng](uint32_t low, uint32_t high) {
    return std::uniform_int_distribution<uint32_t>(low, high)(rng);
  };
  std::u32string text;
  if (pick(0, 7) == 0) {
    for (uint32_t i = pick(1900, 2200); i > 0; --i)
      text += pick(0, 3) == 0 ? pick(0x4E00, 0x4E20) : pick(0x20, 0x7E);
    for (uint32_t i = pick(1, 3); i > 0; --i)
      text.insert(pick(0, static_cast<uint32_t>(text.size())), 1, pick(0xF0000, 0x10FFFF));
    return text;
  }
  for (uint32_t i = pick(0, 40); i > 0; --i) {
    switch (pick(0, 4)) {
      case 0: text += pick(0x01, 0x7F); break;
      case 1: text += pick(0x4E00, 0x4E07); break;
      case 2: text += pick(0x4E00, 0x9FA5); break;
      case 3: text += pick(0x80, 0xD7FF); break;
      default: text += pick(0x10000, 0x10FFFF); break;
    }
  }
  return text;
}

TEST(PunyCode, MatchesTheDirectLoop) {
  std::mt19937 rng(3492);
  int overflowed = 0;
  auto check = [&](const std::u32string& text) {
    std::optional<std::u16string> direct = directPunycode(text);
    if (!direct) ++overflowed;
    EXPECT_EQ(libraryHarness().runUnits("escapeToPunyCode", utf16Of(text), u"", u""),
              direct.value_or(utf16Of(text)));
  };
  for (int i = 0; i < 400; ++i) check(randomText(rng));
  // (0xC3BD - 0x80) * 42966 is 2^31 - 2: the test passes, and the 42,965
  // letters before U+C3BD take delta past 2^31 - 1 with no further test.
  check(std::u32string(42965, U'a') + U'\uC3BD');
  EXPECT_GT(overflowed, 0);
}

}  // namespace
}  // namespace varnelo
