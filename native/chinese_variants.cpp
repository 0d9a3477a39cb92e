#include "native/chinese_variants.h"

#include <opencc/DictEntry.hpp>
#include <opencc/Exception.hpp>
#include <opencc/MarisaDict.hpp>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>

#include "native/codepage936.h"

// Rules of the mapping:
// - One character to one character, from OpenCC's character dictionaries
//   only (no phrases); where a character has several forms the first is taken.
// - Only a double-byte code page 936 character that decodes is looked up;
//   single bytes, undecodable bytes and characters without another form stay
//   as they are.
// - A form that code page 936 lacks is written as the one byte "?"; the result
//   is written without gaps and filled up with spaces at its end, so it always
//   has the input's byte length.
// - Without a dictionary every byte of the input becomes a space.

namespace varnelo {
namespace {

constexpr unsigned FIRST_LEAD = 0x81, LAST_LEAD = 0xFE;

bool isLeadByte(unsigned char byte) { return byte >= FIRST_LEAD && byte <= LAST_LEAD; }
bool isTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

size_t tableIndex(unsigned char lead, unsigned char trail) { return (lead - FIRST_LEAD) * 256 + trail; }

const char* dictionaryFile(ChineseScript target) {
  return target == ChineseScript::Traditional ? "STCharacters.ocd2" : "TSCharacters.ocd2";
}

// Whether the UTF-8 text is exactly one code point (counting the bytes that
// are not continuation bytes).
bool isOneCodePoint(const std::string& utf8) {
  return std::count_if(utf8.begin(), utf8.end(), [](char c) {
           return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
         }) == 1;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Null when the file is missing or damaged. The file is opened here rather
// than by OpenCC's loader, which leaves it open when the dictionary throws.
std::shared_ptr<opencc::MarisaDict> loadDictionary(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return nullptr;
  try {
    return opencc::MarisaDict::NewFromFile(file.get());
  } catch (const opencc::Exception&) {
    return nullptr;  // not a dictionary file
  } catch (const std::exception&) {
    return nullptr;  // thrown by the trie underneath on a damaged file
  }
}

}  // namespace

ChineseCharacterMap::ChineseCharacterMap(ChineseScript target, const std::string& dictionaryDirectory) {
  const auto dictionary = loadDictionary(dictionaryDirectory + "/" + dictionaryFile(target));
  if (!dictionary) return;
  // OpenCC works on UTF-8, so every double-byte character of the code page is
  // decoded, looked up and its form encoded back, once, into a table that
  // apply() reads byte pair by byte pair.
  std::vector<Replacement> table((LAST_LEAD - FIRST_LEAD + 1) * 256);
  for (unsigned lead = FIRST_LEAD; lead <= LAST_LEAD; ++lead) {
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      if (!isTrailByte(static_cast<unsigned char>(trail))) continue;
      const char pair[] = {static_cast<char>(lead), static_cast<char>(trail)};
      // A pair that does not decode comes back as U+FFFD, which no dictionary
      // holds, so it stays as it is.
      const FieldText character = gbkToUtf8(FieldText(pair, 2));
      const auto entry = dictionary->Match(character.data(), character.size());
      if (entry.IsNull()) continue;
      const std::string form = entry.Get()->GetDefault();  // the first of several
      if (!isOneCodePoint(form)) continue;
      const FieldText bytes = utf8ToGbk(form);
      if (bytes.empty() || bytes.size() > 2) continue;
      Replacement& replacement = table[tableIndex(lead, trail)];
      replacement.length = static_cast<unsigned char>(bytes.size());
      std::copy(bytes.begin(), bytes.end(), replacement.bytes);
    }
  }
  replacements_ = std::move(table);
}

FieldText ChineseCharacterMap::apply(const FieldText& text) const {
  if (replacements_.empty()) return FieldText(text.size(), ' ');
  FieldText mapped;
  mapped.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (isLeadByte(lead) && i + 1 < text.size() && isTrailByte(static_cast<unsigned char>(text[i + 1]))) {
      const Replacement& replacement = replacements_[tableIndex(lead, static_cast<unsigned char>(text[i + 1]))];
      if (replacement.length)
        mapped.append(replacement.bytes, replacement.length);
      else
        mapped.append(text, i, 2);
      i += 2;
    } else {
      mapped += text[i++];
    }
  }
  mapped.resize(text.size(), ' ');
  return mapped;
}

FieldText toTraditionalChinese(const FieldText& text) {
  static const ChineseCharacterMap map(ChineseScript::Traditional, VARNELO_OPENCC_DATA_DIR);
  return map.apply(text);
}

FieldText toSimplifiedChinese(const FieldText& text) {
  static const ChineseCharacterMap map(ChineseScript::Simplified, VARNELO_OPENCC_DATA_DIR);
  return map.apply(text);
}

}  // namespace varnelo
