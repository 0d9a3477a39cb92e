#pragma once
#include <string>
#include <string_view>

#include "native/field_text.h"

namespace varnelo {

// What a text widget shows for a field text: every line break (CR LF, or a
// lone CR or LF) as LF, and each byte that is not valid code page 936 as its
// placeholder character.
std::u16string fieldTextToDisplay(const FieldText& text);

// The field text for what a text widget shows: line and paragraph breaks
// (LF, U+2028, U+2029) as CR LF, placeholders as their bytes, a character
// that code page 936 lacks as "?".
FieldText displayToFieldText(std::u16string_view shown);

}  // namespace varnelo
