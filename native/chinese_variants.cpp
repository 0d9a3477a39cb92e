#include "native/chinese_variants.h"
namespace varnelo {
FieldText toTraditionalChinese(const FieldText&) { return {}; }
FieldText toSimplifiedChinese(const FieldText&) { return {}; }
}
