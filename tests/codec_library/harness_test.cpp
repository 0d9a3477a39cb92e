#include "tests/codec_library/library_harness.h"

#include <gtest/gtest.h>

namespace varnelo {
namespace {

TEST(LibraryHarness, ShowsListsAndTheValuesTheyHold) {
  EXPECT_EQ(evaluateInLibrary("[1, NaN, -0, 0]"), "[1,NaN,-0,0]");
  EXPECT_EQ(evaluateInLibrary("String.fromCharCode(0x3042) + 'a'"), "\\u3042a");
  EXPECT_EQ(evaluateInLibrary("undefinedName"), "<failed>");
}

}  // namespace
}  // namespace varnelo
