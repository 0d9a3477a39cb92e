#include "app/field_display.h"

#include <gtest/gtest.h>

#include "native/codepage936.h"

namespace varnelo {
namespace {

TEST(FieldDisplay, LineBreaksShowAsLineFeedsAndComeBackAsCrLf) {
  EXPECT_EQ(fieldTextToDisplay("a\r\nb\rc\nd"), u"a\nb\nc\nd");
  EXPECT_EQ(displayToFieldText(u"a\nb\u2029c\u2028d"), "a\r\nb\r\nc\r\nd");
}

TEST(FieldDisplay, NoBreakSpaceAndRawBytesSurviveAnEdit) {
  const FieldText text = "\xA1\xA1x\xE4\xB8\xAD";  // ideographic space, x, UTF-8 of "中"
  std::u16string shown = fieldTextToDisplay(text);
  EXPECT_EQ(displayToFieldText(shown), text);
  // Code page 936 has no no-break space: it becomes "?", like any character the
  // code page lacks, and is never quietly turned into a space.
  EXPECT_EQ(displayToFieldText(u"a\u00A0b\uAC00"), "a?b?");
}

}  // namespace
}  // namespace varnelo
