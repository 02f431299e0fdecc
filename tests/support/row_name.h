// Names a parameterised test after its row: every table row carries a name.
#pragma once

#include <string>

#include <gtest/gtest.h>

template <class Row>
std::string rowName(const testing::TestParamInfo<Row>& row) {
    return row.param.name;
}
