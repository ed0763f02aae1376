#include <gtest/gtest.h>

#include "sim/text_rules.h"

TEST(TextRules, Smoke)
{
    EXPECT_EQ(leadingNumber(" 200"), 200);
    EXPECT_EQ(numberToText(2.5), " 2.5");
}
