// The names a screen reader speaks: each field's description states the
// range the settings really clamp to, so the two cannot drift apart.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "sim/params.h"
#include "tests/support/named_rows.h"
#include "ui/accessibility.h"

namespace {

struct RangeRow {
    const char* name; // the field
    double lo, hi;
};

const RangeRow kRangeRows[] = {
    {"Text1", params::kMinMass, params::kMaxMass},
    {"Text2", params::kMinSpeed, params::kMaxSpeed},
    {"Text3", params::kMinMolecules, params::kMaxMolecules},
};

class FieldDescription : public testing::TestWithParam<RangeRow> {};

TEST_P(FieldDescription, StatesTheClampedRange)
{
    const RangeRow& row = GetParam();
    const auto whole = [](double v) { return std::to_string(static_cast<long>(v)); };
    const std::string range = "от " + whole(row.lo) + " до " + whole(row.hi);
    const auto e = std::find_if(accessibility::kEntries.begin(), accessibility::kEntries.end(),
                                [&](const auto& entry) { return entry.control == row.name; });
    ASSERT_NE(e, accessibility::kEntries.end());
    const std::string text(e->description);
    const std::size_t at = text.find(range);
    ASSERT_NE(at, std::string::npos) << text;
    // 500 must not be the start of 5000.
    EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(text[at + range.size()]))) << text;
}

NAMED_ROWS(FieldDescription, kRangeRows);

} // namespace
