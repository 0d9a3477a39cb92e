#pragma once
#include "native/field_text.h"

namespace varnelo {

// Simplified to Traditional and back, one character to one character. The
// result has the input's byte length; see chinese_variants.cpp for the rules.
FieldText toTraditionalChinese(const FieldText& text);
FieldText toSimplifiedChinese(const FieldText& text);

}  // namespace varnelo
