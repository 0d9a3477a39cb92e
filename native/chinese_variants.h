#pragma once
#include <string>
#include <vector>

#include "native/field_text.h"

namespace varnelo {

// Simplified to Traditional and back, one character to one character. The
// result has the input's byte length; see chinese_variants.cpp for the rules.
// Both use the installed character dictionaries, loaded on first use.
FieldText toTraditionalChinese(const FieldText& text);
FieldText toSimplifiedChinese(const FieldText& text);

enum class ChineseScript { Traditional, Simplified };

// One direction of the mapping, read from the character dictionary for
// `target` in `dictionaryDirectory`. The functions above keep one of these
// for the installed dictionaries; tests make their own.
class ChineseCharacterMap {
 public:
  ChineseCharacterMap(ChineseScript target, const std::string& dictionaryDirectory);

  // The text with every mapped character replaced; all spaces when the
  // dictionary could not be loaded.
  FieldText apply(const FieldText& text) const;

 private:
  struct Replacement {
    unsigned char length = 0;  // 0: the character stays as it is
    char bytes[2] = {};
  };
  // Indexed by the two bytes of a code page 936 character; empty when the
  // dictionary could not be loaded.
  std::vector<Replacement> replacements_;
};

}  // namespace varnelo
