// The program is the same on every platform it is built for: from the same
// Start, a thousand ticks leave the same molecules, bit for bit, and the
// same picture, pixel for pixel. The expected hashes are one table, so a
// compiler, a library or a flag that changes the arithmetic on one platform
// fails there.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"
#include "ui/raster/raster.h"

namespace {

constexpr int kTicks = 1000;
constexpr raster::Pixel kBackground = 0xFF000000u;

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

// The last frame's circles, drawn by the drawing area's canvas.
std::uint64_t pictureHash(const fake::PictureBox& picture)
{
    const int w = static_cast<int>(picture.w);
    const int h = static_cast<int>(picture.h);
    std::vector<raster::Pixel> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    const raster::Surface surface{pixels.data(), w, h, w};
    raster::Canvas canvas;
    canvas.clear(kBackground);
    for (const fake::Circle& c : picture.circles)
        canvas.disc(static_cast<int>(c.x), static_cast<int>(c.y), static_cast<int>(c.radius),
                    static_cast<raster::Pixel>(c.color));
    canvas.draw(surface, false);
    Fnv hash;
    for (const raster::Pixel p : pixels)
        hash.add(p);
    return hash.value;
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
    {"defaults_wrap", true, "", "", 0x28B12477AF784C1B, 0x7EE7842539ABB8D5},
    {"defaults_walls", false, "", "", 0x311B87CAF0E7D576, 0x4D26DCD8FA631365},
    {"crowded_wrap", true, "500", "100000", 0xB2AC86E7C651F081, 0xB200BA395F0F2F15},
    {"crowded_walls", false, "500", "100000", 0x76656088F0D7F895, 0xCE57A6CB89BCEC7E},
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
