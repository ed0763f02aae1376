// Reading, clamping and writing back the three fields (rePar), and the text
// rules they travel by.

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "fake_toolkit.h"
#include "sim/text_rules.h"

namespace {

enum class Field { N, v, m };

struct ReParCase {
    const char* name;
    Field field;
    const char* typed;
    double value;        // kolMol, speedm or inMass afterwards
    const char* shown;   // the field's text afterwards
};

const ReParCase kReParCases[] = {
    {"N_2_5_ties_to_even", Field::N, "2.5", 2, " 2"},
    {"N_3_5_ties_to_even", Field::N, "3.5", 4, " 4"},
    {"N_0_4_rounds_to_0_then_raised", Field::N, "0.4", 1, " 1"},
    {"N_negative", Field::N, "-3", 1, " 1"},
    {"N_501", Field::N, "501", 500, " 500"},
    {"N_500_5_rounds_to_500", Field::N, "500.5", 500, " 500"},
    {"N_bounds_pass", Field::N, "500", 500, " 500"},
    {"N_trailing_letters", Field::N, "12abc", 12, " 12"},
    {"N_letters", Field::N, "abc", 1, " 1"},
    {"N_empty", Field::N, "", 1, " 1"},
    {"N_beyond_16_bits", Field::N, "40000", 500, " 500"},
    {"N_beyond_64_bits", Field::N, "99999999999999999999", 500, " 500"},
    {"N_beyond_double", Field::N, "1e400", 500, " 500"},
    {"N_below_double", Field::N, "-1e400", 1, " 1"},
    {"N_inf_is_no_number", Field::N, "inf", 1, " 1"},
    {"v_0_5_raised", Field::v, "0.5", 1, " 1"},
    {"v_keeps_fraction", Field::v, "2.5", 2.5, " 2.5"},
    {"v_30000_5", Field::v, "30000.5", 30000, " 30000"},
    {"v_exponent", Field::v, "1e3", 1000, " 1000"},
    {"v_bounds_pass", Field::v, "30000", 30000, " 30000"},
    {"v_letters", Field::v, "abc", 1, " 1"},
    {"v_empty", Field::v, "", 1, " 1"},
    {"v_beyond_double", Field::v, "1e400", 30000, " 30000"},
    {"v_below_double", Field::v, "-1e400", 1, " 1"},
    {"v_nan_is_no_number", Field::v, "nan", 1, " 1"},
    {"m_4_5_rounds_to_4_then_raised", Field::m, "4.5", 5, " 5"},
    {"m_200_5_ties_to_even", Field::m, "200.5", 200, " 200"},
    {"m_201_5_ties_to_even", Field::m, "201.5", 202, " 202"},
    {"m_100000_5", Field::m, "100000.5", 100000, " 100000"},
    {"m_100001", Field::m, "100001", 100000, " 100000"},
    {"m_bounds_pass", Field::m, "5", 5, " 5"},
    {"m_comma_ends_the_number", Field::m, "1,5", 5, " 5"},
    {"m_letters", Field::m, "abc", 5, " 5"},
    {"m_empty", Field::m, "", 5, " 5"},
    {"m_beyond_32_bits", Field::m, "3e9", 100000, " 100000"},
    {"m_beyond_64_bits", Field::m, "99999999999999999999", 100000, " 100000"},
    {"m_below_double", Field::m, "-1e400", 5, " 5"},
};

class ReParTest : public testing::TestWithParam<ReParCase> {};

TEST_P(ReParTest, ClampsAndWritesBack)
{
    const ReParCase& c = GetParam();
    fake::Ui ui;
    fake::TextBox* boxes[] = {&ui.text3, &ui.text2, &ui.text1}; // N, v, m
    const char* defaults[] = {" 50", " 1000", " 200"};
    for (int k = 0; k < 3; ++k)
        boxes[k]->value = defaults[k];
    fake::TextBox& box = *boxes[static_cast<int>(c.field)];
    box.value = c.typed;

    ui.form.rePar();

    const double value = c.field == Field::N   ? ui.form.kolMol
                         : c.field == Field::v ? ui.form.speedm
                                               : ui.form.inMass;
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(box.value, c.shown);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(boxes[k]->writes, 1) << "every field is written back on every call";
        if (boxes[k] != &box) {
            EXPECT_EQ(boxes[k]->value, defaults[k]);
        }
    }

    // What is shown reads again as the same value, so the next press changes nothing.
    ui.form.rePar();
    EXPECT_EQ(box.value, c.shown);
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
    const std::vector<std::string> expected{"text3.setText 9", "text2.setText 8",
                                            "text1.setText 7"};
    EXPECT_EQ(ui.journal.entries, expected);
}

struct LeadingCase {
    const char* name;
    const char* text;
    double value;
};

const LeadingCase kLeadingCases[] = {
    {"blanks_before", " \t 200", 200},
    {"plus_sign", "+7", 7},
    {"fraction_only", ".5", 0.5},
    {"point_without_fraction", "5.", 5},
    {"exponent_then_text", "1e3abc", 1000},
    {"negative_exponent", "25e-1", 2.5},
    {"bare_e_ends_before_it", "1e", 1},
    {"e_with_sign_only", "1e+", 1},
    {"hex_is_not_read", "0x10", 0},
    {"sign_alone", "-", 0},
    {"blank_inside_ends", "1 000", 1},
    {"too_small_is_zero", "1e-400", 0},
    {"too_large_is_infinite", "1e400", INFINITY},
    {"infinity_word", "infinity", 0},
};

TEST(LeadingNumber, ReadsOnlyTheLeadingNumber)
{
    for (const LeadingCase& c : kLeadingCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(leadingNumber(c.text), c.value);
    }
}

TEST(NumberToText, ReadsBackAsTheSameValue)
{
    const double values[] = {1, 2.5, 50, 1000, 30000, 0.1, 1.0 / 3, 29999.999999999996, 1e-7,
                             123456.789};
    for (double v : values) {
        SCOPED_TRACE(v);
        const std::string text = numberToText(v);
        EXPECT_EQ(text[0], ' ');
        EXPECT_EQ(text.find_first_of(",eE"), std::string::npos);
        EXPECT_EQ(leadingNumber(text), v);
    }
}

// Restores the "C" locale however the test ends.
struct LocaleGuard {
    ~LocaleGuard() { std::setlocale(LC_ALL, "C"); }
};

TEST(TextRules, IgnoreACommaDecimalLocale)
{
    LocaleGuard guard;
    const char* chosen = nullptr;
    for (const char* name : {"ru_RU.UTF-8", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, name)) {
            chosen = name;
            break;
        }
    }
    ASSERT_NE(chosen, nullptr) << "neither ru_RU.UTF-8 nor de_DE.UTF-8 is installed; "
                                  "run scripts/test, which generates them";
    SCOPED_TRACE(chosen);
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));

    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_EQ(leadingNumber("1,5"), 1);
    EXPECT_EQ(numberToText(2.5), " 2.5");
    EXPECT_EQ(numberToText(30000), " 30000");

    fake::Ui ui;
    ui.text1.value = "1,5";
    ui.text2.value = "2.5";
    ui.text3.value = "12,7";
    ui.form.rePar();
    EXPECT_EQ(ui.form.speedm, 2.5);
    EXPECT_EQ(ui.text2.value, " 2.5");
    EXPECT_EQ(ui.form.inMass, 5);
    EXPECT_EQ(ui.form.kolMol, 12);
}

} // namespace
