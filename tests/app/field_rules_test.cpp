#include "app/field_rules.h"

#include <gtest/gtest.h>

#include "app/memory_window.h"

namespace varnelo {
namespace {

// A person types a field's form of "A中" (or of "中文 Varnelo") into a converter
// field and releases a key.
struct TypedField {
  int field;
  FieldText typed;
  FieldText plain;
};

const TypedField TYPED_FIELDS[] = {
    {2, "\\u0041\\u4E2D", "A\xD6\xD0"},
    {3, "\\U00000041\\U00004E2D", "A\xD6\xD0"},
    {4, "&#65;&#20013;", "A\xD6\xD0"},
    {5, "&#x41;&#x4E2D;", "A\xD6\xD0"},
    {7, "\\x41\\xE4\\xB8\\xAD", "A\xD6\xD0"},
    {8, "\\101\\344\\270\\255", "A\xD6\xD0"},
    {9, "QeS4rQ==", "A\xD6\xD0"},
    {10, "A=E4=B8=AD", "A\xD6\xD0"},
    {11, "A%E4%B8%AD", "A\xD6\xD0"},
    {12, "=?UTF-8?B?QeS4rQ==?=", "A\xD6\xD0"},
    {13, "A%u4E2D", "A\xD6\xD0"},
    {14, "\xD6\xD0\xCE\xC4 Varnelo", "\xD6\xD0\xCE\xC4 Varnelo"},  // 中文 has no other form
    {15, "A\xE4\xB8\xAD", "A\xD6\xD0"},
    {16, "\xD6\xD0", "-N"},
    {17, "{65,214,208}", "A\xD6\xD0"},
    {18, "41E4B8AD", "A\xD6\xD0"},
};

class FieldDecode : public testing::TestWithParam<TypedField> {
 protected:
  FieldDecode() { window.connect(rules); }
  MemoryWindow window;
  FieldRules rules{window};
};

TEST_P(FieldDecode, WritesFieldOneAndRefreshesEveryOtherField) {
  const TypedField& row = GetParam();
  window.focus(row.field);
  window.userEdits(row.field, row.typed);
  rules.onKeyReleased(row.field);

  EXPECT_EQ(window.getFieldText(PLAIN_TEXT_FIELD), row.plain);
  EXPECT_EQ(window.getFieldText(row.field), row.typed);
  EXPECT_EQ(rules.currentSource(), "");
  for (const ConversionField& other : FIELD_REGISTRY) {
    if (other.number == PLAIN_TEXT_FIELD || other.number == row.field) continue;
    EXPECT_EQ(window.getFieldText(other.number), runConversion(other.encode, row.plain))
        << "field " << other.number;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryConverterField, FieldDecode, testing::ValuesIn(TYPED_FIELDS),
                         [](const auto& info) { return "Field" + std::to_string(info.param.field); });

TEST(FieldRules, PunycodeFieldHasNoDecodeAndKeepsWhatIsTyped) {
  MemoryWindow window;
  FieldRules rules(window);
  window.connect(rules);
  window.focus(6);
  window.userEdits(6, "typed");
  rules.onKeyReleased(6);
  EXPECT_EQ(window.getFieldText(6), "typed");
  EXPECT_EQ(window.getFieldText(PLAIN_TEXT_FIELD), INITIAL_PLAIN_TEXT);
}

TEST(FieldRules, AFailedDecodeEmptiesFieldOneAndTheOthersShowTheEmptyText) {
  MemoryWindow window;
  FieldRules rules(window);
  window.connect(rules);
  rules.onWindowCreated();
  EXPECT_EQ(window.title(), WINDOW_TITLE);
  window.focus(4);
  window.userEdits(4, "abc;");  // reads as NaN, which ends the text at once
  rules.onKeyReleased(4);
  EXPECT_EQ(window.getFieldText(PLAIN_TEXT_FIELD), "");
  EXPECT_EQ(window.getFieldText(4), "abc;");
  EXPECT_EQ(window.getFieldText(9), "");
  EXPECT_EQ(window.getFieldText(17), "{}");
}

}  // namespace
}  // namespace varnelo
