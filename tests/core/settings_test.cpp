// Reading, clamping and writing back the three fields (rePar).

#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <string_view>
#include <tuple>

#include "sim/text_rules.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"
#include "sim/std_fallbacks.h"

namespace {

enum Field { N, v, m }; // Text3, Text2, Text1

// 1e-1001, too small for a double: with an exponent of 600 still tiny, and an
// x ends the number before any digits that follow it.
const std::string kTiny = "0." + std::string(1000, '0') + "1";

struct ReParRow {
    const char* name;
    Field field;
    std::string typed;
    double value; // kolMol, speedm or inMass afterwards
    const char* shown;
};

const ReParRow kReParRows[] = {
    {"N_2_5", N, "2.5", 2, " 2"},
    {"N_3_5", N, "3.5", 4, " 4"},
    {"N_0_4", N, "0.4", 1, " 1"},
    {"N_minus_3", N, "-3", 1, " 1"},
    {"N_plus_7", N, "+7", 7, " 7"},
    {"N_501", N, "501", 500, " 500"},
    {"N_12abc", N, "12abc", 12, " 12"},
    {"N_letters", N, "abc", 1, " 1"},
    {"N_empty", N, "", 1, " 1"},
    {"N_tiny_with_big_exponent", N, kTiny + "e600", 1, " 1"},
    {"N_tiny_then_x2000", N, kTiny + "x2000", 1, " 1"},
    {"v_0_5", v, "0.5", 1, " 1"},
    {"v_2_5", v, "2.5", 2.5, " 2.5"},
    {"v_30000_5", v, "30000.5", 30000, " 30000"},
    {"v_1e3", v, "1e3", 1000, " 1000"},
    {"v_25e_minus_1", v, "25e-1", 2.5, " 2.5"},
    {"v_1e1000", v, "1e1000", 30000, " 30000"},
    // Exponents past what 32 bits hold, as on Windows.
    {"v_1e_twelve_nines", v, "1e999999999999", 30000, " 30000"},
    {"v_1e_minus_twelve_nines", v, "1e-999999999999", 1, " 1"},
    // Blanks before the number do not move its order of magnitude.
    {"v_1e_minus_400_after_200_blanks", v, std::string(200, ' ') + "1e-400", 1, " 1"},
    {"m_4_5", m, "4.5", 5, " 5"},
    {"m_100000_5", m, "100000.5", 100000, " 100000"},
    {"m_100001", m, "100001", 100000, " 100000"},
    {"m_1_comma_5", m, "1,5", 5, " 5"},
};

class ReParTest : public testing::TestWithParam<ReParRow> {};

TEST_P(ReParTest, ClampsAndWritesBack)
{
    const ReParRow& row = GetParam();
    fake::Ui ui;
    fake::TextBox* boxes[] = {&ui.text3, &ui.text2, &ui.text1};
    const char* defaults[] = {" 50", " 1000", " 200"};
    for (int k : {N, v, m})
        boxes[k]->value = k == row.field ? row.typed : defaults[k];

    // What is written back reads as the same value, so a second press changes nothing.
    for (int press = 1; press <= 2; ++press) {
        ui.form.rePar();
        const double values[] = {double(ui.form.kolMol), ui.form.speedm, double(ui.form.inMass)};
        EXPECT_EQ(values[row.field], row.value) << "press " << press;
        for (int k : {N, v, m})
            EXPECT_EQ(boxes[k]->value, k == row.field ? row.shown : defaults[k]) << press;
    }
}

NAMED_ROWS(ReParTest, kReParRows);

// The number is read from the text given and no further; a zero is written
// without a sign, as the fields show it.
TEST(TextRules, ReadOnlyItsTextZeroUnsigned)
{
    EXPECT_EQ(leadingNumber(std::string_view("2.5e3").substr(0, 3)), 2.5);
    EXPECT_EQ(numberToText(-0.0), " 0");
}

// The number reader's stand-ins for a library without the floating-point
// <charconv>, held to this library's own on the forms the text rules pass.
TEST(StdFallbacks, ReadAndWriteAsTheLibraryDoes)
{
    for (const std::string text : {"2.5", "0.1", "25e-1", "1e", "1e1000", "1e-400", "4.9e-324", "x",
                                   "", "123456789012345678901234567890", "1.7976931348623157e308"}) {
        double want = -1, got = -1;
        const char* const end = text.data() + text.size();
        const auto w = std::from_chars(text.data(), end, want, std::chars_format::general);
        const auto g = std_fallbacks::from_chars(text.data(), end, got);
        EXPECT_EQ(std::tuple(g.ptr, g.ec, got), std::tuple(w.ptr, w.ec, want)) << text;
    }
    for (const double value : {0.0, 0.5, 2.5, 30000.0, 1.0 / 3, 1e22, 5e-324, -1.25}) {
        char want[400], got[400];
        const auto w = std::to_chars(want, want + sizeof want, value, std::chars_format::fixed);
        const auto g = std_fallbacks::to_chars(got, got + sizeof got, value, std::chars_format::fixed);
        EXPECT_EQ(std::string(got, g.ptr), std::string(want, w.ptr));
    }
}

} // namespace
