#include "native/chinese_variants.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include "tests/table_test.h"

namespace varnelo {
namespace {


const ConversionCase CASES[] = {
    {"ChinaToTraditional", toTraditionalChinese, "\xD6\xD0\xB9\xFA", "\xD6\xD0\x87\xF8"},  // 中国 -> 中國
    {"HanToTraditional", toTraditionalChinese, "\xBA\xBA", "\x9D\x68"},                    // 汉 -> 漢
    {"ChinaToSimplified", toSimplifiedChinese, "\xD6\xD0\x87\xF8", "\xD6\xD0\xB9\xFA"},   // 中國 -> 中国
    {"HanToSimplified", toSimplifiedChinese, "\x9D\x68", "\xBA\xBA"},
    {"TraditionalStaysTraditional", toTraditionalChinese, "\x87\xF8", "\x87\xF8"},
    {"AsciiToTraditional", toTraditionalChinese, "ABC 123\r\n", "ABC 123\r\n"},
    {"AsciiToSimplified", toSimplifiedChinese, "ABC 123\r\n", "ABC 123\r\n"},
    {"EmptyToTraditional", toTraditionalChinese, "", ""},
    {"EmptyToSimplified", toSimplifiedChinese, "", ""},
    {"MixedText", toTraditionalChinese, "A\xBA\xBA,\xB9\xFA.", "A\x9D\x68,\x87\xF8."},
    // 干 has several Traditional forms; the first, 幹, is taken.
    {"FirstOfSeveralForms", toTraditionalChinese, "\xB8\xC9", "\x8E\xD6"},
    // 乾 has the Simplified forms 干 and 乾; the first is taken.
    {"FirstOfSeveralFormsToSimplified", toSimplifiedChinese, "\xC7\xAC", "\xB8\xC9"},
    // 鲃 maps to U+4C3E and 毶 to U+23BF6, neither in code page 936: one "?"
    // each, written without a gap, the missing bytes left as spaces at the end.
    {"FormMissingFromCodePage", toTraditionalChinese, "\xF7\x84" "A\xBA\xBA", "?A\x9D\x68 "},
    {"SupplementaryFormMissingFromCodePage", toTraditionalChinese, "\x9A\xC9\xBA\xBA", "?\x9D\x68 "},
    // Bytes that are no code page 936 character stay as they are: a lead byte
    // before a space, a lone 0x80 and 0xFF, a lead byte at the end.
    {"UndecodableBytesStay", toTraditionalChinese, "\x81 \x80\xFF\xBA\xBA\xB9", "\x81 \x80\xFF\x9D\x68\xB9"},
    // The pairing goes from the start: BA BA BA is 汉 and a lone lead byte.
    {"PairingFromStart", toTraditionalChinese, "\xBA\xBA\xBA", "\x9D\x68\xBA"},
    {"ZeroByteKept", toTraditionalChinese, std::string("\xBA\xBA\0A", 4), std::string("\x9D\x68\0A", 4)},
};

using ChineseVariants = ConversionTable;

TEST_P(ChineseVariants, GivesExactBytes) {
  EXPECT_EQ(GetParam().convert(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ChineseVariants, testing::ValuesIn(CASES),
                         RowName{});

// Every double-byte character the code page can hold, after an odd byte so
// that a shift by one would show.
std::string everyDoubleByteCharacter() {
  std::string text = "A";
  for (int lead = 0x81; lead <= 0xFE; ++lead)
    for (int trail = 0x40; trail <= 0xFE; ++trail)
      if (trail != 0x7F) text += {static_cast<char>(lead), static_cast<char>(trail), ' '};
  return text;
}

TEST(ChineseVariants, EveryCharacterKeepsItsPlace) {
  const std::string text = everyDoubleByteCharacter();
  for (auto convert : {toTraditionalChinese, toSimplifiedChinese}) {
    const FieldText result = convert(text);
    ASSERT_EQ(result.size(), text.size());
    ASSERT_EQ(result[0], 'A');
    // Each character comes back as two bytes, or as the one byte "?" for a
    // form the code page lacks, followed by its space; the bytes a "?" saves
    // are spaces at the end.
    size_t at = 1, changed = 0, shortened = 0;
    for (size_t from = 1; from < text.size(); from += 3) {
      if (result[at] == '?') {
        ++shortened;
        at += 1;
      } else {
        changed += result.compare(at, 2, text, from, 2) != 0;
        at += 2;
      }
      ASSERT_EQ(result[at], ' ') << "after the character at " << from;
      ++at;
    }
    EXPECT_EQ(result.substr(at), std::string(shortened, ' '));
    EXPECT_GT(changed, 2000u);
  }
}

std::string singleFileDirectory(const char* name, const std::string& content) {
  const std::filesystem::path directory = std::filesystem::path(testing::TempDir()) / "chinese_variants_test";
  std::filesystem::create_directories(directory);
  std::ofstream(directory / name, std::ios::binary) << content;
  return directory.string();
}

TEST(ChineseCharacterMap, MissingDictionaryGivesOneSpacePerByte) {
  for (ChineseScript target : {ChineseScript::Traditional, ChineseScript::Simplified}) {
    const ChineseCharacterMap map(target, "/nonexistent-directory");
    EXPECT_EQ(map.apply("\xD6\xD0\xB9\xFA"), "    ");
    EXPECT_EQ(map.apply("ABC"), "   ");
    EXPECT_EQ(map.apply(""), "");
  }
}

// The dictionary's header followed by a body that is no trie.
TEST(ChineseCharacterMap, DamagedDictionaryGivesOneSpacePerByte) {
  const ChineseCharacterMap map(ChineseScript::Traditional,
                                singleFileDirectory("STCharacters.ocd2", "OPENCC_MARISA_0.2.5 not a trie"));
  EXPECT_EQ(map.apply("\xD6\xD0\xB9\xFA"), "    ");
}

}  // namespace
}  // namespace varnelo
