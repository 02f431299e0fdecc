// Parameterised tables name each test after its row: every row carries a
// `name` spelt as an identifier (letters, digits, underscores).
#pragma once

#include <string>

#include <gtest/gtest.h>

template <typename Row>
std::string rowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}
