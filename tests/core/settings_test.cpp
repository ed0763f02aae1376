// Reading, clamping and writing back the three fields (rePar), and the text
// rules they travel by.

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "fake_toolkit.h"
#include "sim/text_rules.h"

namespace {

enum Field { N, v, m }; // Text3, Text2, Text1

struct ReParCase {
    const char* name;
    Field field;
    const char* typed;
    double value; // kolMol, speedm or inMass afterwards
    const char* shown;
};
void PrintTo(const ReParCase& c, std::ostream* os) { *os << c.name; }

const ReParCase kReParCases[] = {
    {"N_2_5_ties_to_even", N, "2.5", 2, " 2"},
    {"N_3_5_ties_to_even", N, "3.5", 4, " 4"},
    {"N_0_4_rounds_to_0_then_raised", N, "0.4", 1, " 1"},
    {"N_negative", N, "-3", 1, " 1"},
    {"N_501", N, "501", 500, " 500"},
    {"N_500_5_rounds_to_500", N, "500.5", 500, " 500"},
    {"N_trailing_letters", N, "12abc", 12, " 12"},
    {"N_letters", N, "abc", 1, " 1"},
    {"N_empty", N, "", 1, " 1"},
    {"N_beyond_16_bits", N, "40000", 500, " 500"},
    {"N_beyond_64_bits", N, "99999999999999999999", 500, " 500"},
    {"N_beyond_double", N, "1e400", 500, " 500"},
    {"N_below_double", N, "-1e400", 1, " 1"},
    {"N_inf_is_no_number", N, "inf", 1, " 1"},
    {"v_0_5_raised", v, "0.5", 1, " 1"},
    {"v_keeps_fraction", v, "2.5", 2.5, " 2.5"},
    {"v_long_fraction_kept_exactly", v, "1.0000000000000002", 1.0000000000000002,
     " 1.0000000000000002"},
    {"v_30000_5", v, "30000.5", 30000, " 30000"},
    {"v_exponent", v, "1e3", 1000, " 1000"},
    {"v_letters", v, "abc", 1, " 1"},
    {"v_empty", v, "", 1, " 1"},
    {"v_beyond_double", v, "1e400", 30000, " 30000"},
    {"v_below_double", v, "-1e400", 1, " 1"},
    {"v_nan_is_no_number", v, "nan", 1, " 1"},
    {"v_hex_is_no_number", v, "0x10", 1, " 1"},
    {"m_4_5_rounds_to_4_then_raised", m, "4.5", 5, " 5"},
    {"m_201_5_ties_to_even", m, "201.5", 202, " 202"},
    {"m_100000_5", m, "100000.5", 100000, " 100000"},
    {"m_100001", m, "100001", 100000, " 100000"},
    {"m_comma_ends_the_number", m, "1,5", 5, " 5"},
    {"m_letters", m, "abc", 5, " 5"},
    {"m_empty", m, "", 5, " 5"},
    {"m_beyond_32_bits", m, "3e9", 100000, " 100000"},
    {"m_beyond_64_bits", m, "99999999999999999999", 100000, " 100000"},
    {"m_too_small_for_double", m, "1e-400", 5, " 5"},
};

class ReParTest : public testing::TestWithParam<ReParCase> {};

TEST_P(ReParTest, ClampsAndWritesBack)
{
    const ReParCase& c = GetParam();
    fake::Ui ui;
    fake::TextBox* boxes[] = {&ui.text3, &ui.text2, &ui.text1};
    const char* defaults[] = {" 50", " 1000", " 200"};
    for (int k : {N, v, m})
        boxes[k]->value = k == c.field ? c.typed : defaults[k];

    ui.form.rePar();

    const double values[] = {double(ui.form.kolMol), ui.form.speedm, double(ui.form.inMass)};
    EXPECT_EQ(values[c.field], c.value);
    for (int k : {N, v, m}) {
        EXPECT_EQ(boxes[k]->value, k == c.field ? c.shown : defaults[k]);
        EXPECT_EQ(boxes[k]->writes, 1) << "every field is written back on every call";
    }
    // What is shown reads again as the same value, so the next press changes nothing.
    ui.form.rePar();
    EXPECT_EQ(boxes[c.field]->value, c.shown);
}

INSTANTIATE_TEST_SUITE_P(Fields, ReParTest, testing::ValuesIn(kReParCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReParOrder, EachFieldInTurnCountFirstMassLast)
{
    fake::Ui ui;
    ui.text1.value = "7";
    ui.text2.value = "8";
    ui.text3.value = "9";
    ui.record();
    ui.form.rePar();
    EXPECT_EQ(ui.journal.entries,
              (std::vector<std::string>{"text3.setText 9", "text2.setText 8", "text1.setText 7"}));
}

// Puts the "C" locale back however the test ends.
struct LocaleGuard {
    ~LocaleGuard() { std::setlocale(LC_ALL, "C"); }
};

TEST(TextRules, IgnoreACommaDecimalLocale)
{
    LocaleGuard guard;
    ASSERT_TRUE(std::setlocale(LC_ALL, "ru_RU.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8"))
        << "neither ru_RU.UTF-8 nor de_DE.UTF-8 is installed; run scripts/test, which "
           "generates them";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");

    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_EQ(leadingNumber("1,5"), 1);
    EXPECT_EQ(numberToText(2.5), " 2.5");
    EXPECT_EQ(numberToText(30000), " 30000");

    fake::Ui ui;
    ui.text1.value = "1,5";
    ui.text2.value = "2.5";
    ui.text3.value = "12,7";
    ui.form.rePar();
    EXPECT_EQ(ui.form.inMass, 5);
    EXPECT_EQ(ui.text2.value, " 2.5");
    EXPECT_EQ(ui.form.kolMol, 12);
}

} // namespace
