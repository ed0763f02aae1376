// The program is the same on every platform it is built for: from the same
// Start, a thousand ticks leave the same molecules, bit for bit, and draw the
// same discs (the canvas's tests, run on each platform too, hold its pixels
// to the plain drawing). The expected hashes are one table, so a compiler, a
// library or a flag that changes the arithmetic on one platform fails there.

#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"

namespace {

constexpr int kTicks = 1000;

// FNV-1a, 64 bits.
struct Fnv {
    std::uint64_t value = 0xCBF29CE484222325ULL;
    template <class T>
    void add(const T& v)
    {
        unsigned char bytes[sizeof v];
        std::memcpy(bytes, &v, sizeof v);
        for (const unsigned char b : bytes)
            value = (value ^ b) * 0x100000001B3ULL;
    }
};

std::uint64_t stateHash(const Form1& form)
{
    Fnv h;
    for (const Molecule& m : form.mols) {
        h.add(m.vx), h.add(m.vy), h.add(m.x), h.add(m.y);
        h.add(m.mass), h.add(m.radius);
    }
    return h.value;
}

// The last frame's discs, as drawn.
std::uint64_t pictureHash(const fake::PictureBox& picture)
{
    Fnv h;
    for (const fake::Circle& c : picture.circles)
        h.add(c.x), h.add(c.y), h.add(c.radius), h.add(c.color);
    return h.value;
}

struct Row {
    const char* name;
    bool wrap;
    const char* molecules; // the fields as typed; empty keeps the default
    const char* mass;
    std::uint64_t state;
    std::uint64_t picture;
};

const Row kRows[] = {
    {"defaults_wrap", true, "", "", 0x28B12477AF784C1B, 0x6215C0BB61A23484},
    {"defaults_walls", false, "", "", 0x311B87CAF0E7D576, 0x90240CD9A201A237},
    {"crowded_wrap", true, "500", "100000", 0xB2AC86E7C651F081, 0xCE8ECDBA7F330CC0},
    {"crowded_walls", false, "500", "100000", 0x76656088F0D7F895, 0xFD161947562ABBA2},
};

class SameEverywhere : public testing::TestWithParam<Row> {};

TEST_P(SameEverywhere, ThousandTicksHashAlike)
{
    const Row& row = GetParam();
    UniformSource source; // the program's own fixed sequence
    fake::Ui ui(&source);
    ui.form.Form_Load();
    if (*row.molecules)
        ui.text3.value = row.molecules;
    if (*row.mass)
        ui.text1.value = row.mass;
    ui.option1.selected = row.wrap;
    ui.form.Command1_Click();
    for (int i = 0; i < kTicks; ++i)
        ui.form.Timer1_Timer();
    ASSERT_FALSE(ui.picture1.circles.empty());
    EXPECT_EQ(stateHash(ui.form), row.state) << std::hex << stateHash(ui.form);
    EXPECT_EQ(pictureHash(ui.picture1), row.picture) << std::hex << pictureHash(ui.picture1);
}

NAMED_ROWS(SameEverywhere, kRows);

} // namespace
