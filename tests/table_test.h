#pragma once
#include <gtest/gtest.h>

#include <string>

#include "native/field_text.h"

namespace varnelo {

// Names each row of a parameterised table after the row's `name` member.
struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

// A text conversion applied to an input, and the exact bytes it must give.
struct ConversionCase {
  const char* name;
  FieldText (*convert)(const FieldText&);
  std::string input;
  std::string expected;
};

class ConversionTable : public testing::TestWithParam<ConversionCase> {};

}  // namespace varnelo
