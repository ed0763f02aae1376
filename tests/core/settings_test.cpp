// Reading, clamping and writing back the three fields (rePar).

#include <gtest/gtest.h>

#include <clocale>
#include <ostream>
#include <string>
#include <tuple>

#include "fake_toolkit.h"

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
    {"N_2_5", N, "2.5", 2, " 2"},
    {"N_3_5", N, "3.5", 4, " 4"},
    {"N_0_4", N, "0.4", 1, " 1"},
    {"N_minus_3", N, "-3", 1, " 1"},
    {"N_501", N, "501", 500, " 500"},
    {"N_500_5", N, "500.5", 500, " 500"},
    {"N_12abc", N, "12abc", 12, " 12"},
    {"N_empty", N, "", 1, " 1"},
    {"N_letters", N, "abc", 1, " 1"},
    {"N_40000", N, "40000", 500, " 500"},
    {"N_20_digits", N, "99999999999999999999", 500, " 500"},
    {"N_1e400", N, "1e400", 500, " 500"},
    {"N_minus_1e400", N, "-1e400", 1, " 1"},
    {"N_inf", N, "inf", 1, " 1"},
    {"v_0_5", v, "0.5", 1, " 1"},
    {"v_2_5", v, "2.5", 2.5, " 2.5"},
    {"v_30000_5", v, "30000.5", 30000, " 30000"},
    {"v_1e3", v, "1e3", 1000, " 1000"},
    {"v_1e400", v, "1e400", 30000, " 30000"},
    {"v_nan", v, "nan", 1, " 1"},
    {"m_4_5", m, "4.5", 5, " 5"},
    {"m_100000_5", m, "100000.5", 100000, " 100000"},
    {"m_100001", m, "100001", 100000, " 100000"},
    {"m_1_comma_5", m, "1,5", 5, " 5"},
    {"m_empty", m, "", 5, " 5"},
    {"m_3e9", m, "3e9", 100000, " 100000"},
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

    // What is written back reads as the same value, so a second press changes nothing.
    for (int press = 1; press <= 2; ++press) {
        ui.form.rePar();
        const double values[] = {double(ui.form.kolMol), ui.form.speedm, double(ui.form.inMass)};
        EXPECT_EQ(values[c.field], c.value) << "press " << press;
        for (int k : {N, v, m})
            EXPECT_EQ(boxes[k]->value, k == c.field ? c.shown : defaults[k]) << "press " << press;
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, ReParTest, testing::ValuesIn(kReParCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReParLocale, CommaDecimalLocaleChangesNothing)
{
    struct Restore {
        ~Restore() { std::setlocale(LC_ALL, "C"); }
    } restore;
#ifdef _WIN32
    // Windows knows its locales by language, country and code page.
    ASSERT_TRUE(std::setlocale(LC_ALL, "Russian_Russia.1251") ||
                std::setlocale(LC_ALL, "German_Germany.1252"));
#else
    ASSERT_TRUE(std::setlocale(LC_ALL, "ru_RU.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8"))
        << "neither ru_RU.UTF-8 nor de_DE.UTF-8 is installed; scripts/test generates them";
#endif
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");

    fake::Ui ui;
    ui.text1.value = "1,5";
    ui.text2.value = "2.5";
    ui.text3.value = "12,7";
    ui.form.rePar();
    EXPECT_EQ(std::tuple(ui.form.inMass, ui.form.speedm, ui.text2.value, ui.form.kolMol),
              std::tuple(5, 2.5, " 2.5", 12));
}

} // namespace
