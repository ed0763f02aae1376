#pragma once

// Table-driven tests whose rows are named, so that each row shows and runs
// on its own (--gtest_filter='*/N_2_5') and a failure names its row. Use
// inside the namespace of the row type, once per row type.

#include <string>

#include <gtest/gtest.h>

#define NAMED_ROWS(suite, rows)                                                                \
    INSTANTIATE_TEST_SUITE_P(, suite, testing::ValuesIn(rows),                                 \
                             [](const auto& row) { return std::string(row.param.name); })
