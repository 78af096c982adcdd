#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tavrilo::testing {

// Names each row of a parameterised test after its `name` field, so a failure says which case broke.
struct RowName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

}  // namespace tavrilo::testing
