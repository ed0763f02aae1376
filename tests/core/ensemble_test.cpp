// Building a new ensemble on Start (startSmlM), from draws the test chooses.

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "sim/ensemble.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/named_rows.h"

namespace {

struct Scripted : UniformSource {
    std::vector<float> draws;
    std::size_t used = 0;
    float next() override { return draws.at(used++); }
};

// Per molecule: x, y, then magnitude and sign of vx, then of vy. Area 400 x
// 300, mass 200 (radius 7), speed 1000.
TEST(Ensemble, PlacesAndSpeedsEachMoleculeFromItsSixDraws)
{
    Scripted source;
    source.draws = {0x1.4p-6f,  0x1.ap-6f, 0.75f, 0.5f, 0.125f,          0.25f,
                    0.0078125f, 0.0f,  0.0f,  0.5f, 1.0f - 0x1p-24f,   0.4999f};
    fake::Ui ui(&source);
    ui.picture1.w = 400;
    ui.picture1.h = 300;
    ui.form.mColor = 65535;
    ui.form.startSmlM(2, 1000, 200);

    ASSERT_EQ(ui.form.mols.size(), 2u);
    const auto fields = [](const Molecule& m) {
        return std::tuple(m.x, m.y, m.vx, m.vy, m.mass, m.radius);
    };
    // Less than a pixel past the radius from the left and top edges, the
    // centre stays where drawn (393 and 293 times the draws); 0.75 x 1000 + 1
    // floored, a sign draw of 0.5 is positive, one below it negative.
    EXPECT_EQ(fields(ui.form.mols[0]), std::tuple(7.67578125, 7.439453125, 751.0, -126.0, 200, 7));
    // A centre closer than the radius to the left or top edge is moved in by
    // the radius; the magnitudes run from 1 to 1000.
    EXPECT_EQ(fields(ui.form.mols[1]), std::tuple(7 + 393 * 0.0078125, 7.0, 1.0, -1000.0, 200, 7));
    EXPECT_EQ(source.used, 12u);
    EXPECT_EQ(ui.picture1.clears, 1);
    EXPECT_EQ(ui.picture1.circles, (std::vector<fake::Circle>{{7, 7, 7, 65535, true, 65535},
                                                              {10, 7, 7, 65535, true, 65535}}));
    ui.form.startSmlM(-3, 1000, 200); // a count no field gives: no molecules
    EXPECT_TRUE(ui.form.mols.empty());
}

// Every launch replays one sequence (the portable test pins it on every
// platform); the next Start goes on along it.
TEST(Ensemble, SameAtEveryLaunchNewAtEveryStart)
{
    fake::Ui first, second;
    first.form.startSmlM(50, 1000, 200);
    second.form.startSmlM(50, 1000, 200);
    EXPECT_EQ(first.form.mols[49].x, second.form.mols[49].x);
    second.form.startSmlM(50, 1000, 200);
    EXPECT_NE(first.form.mols[49].x, second.form.mols[49].x);
}

struct RadiusRow { const char* name; std::int32_t mass; std::int16_t radius; };

const RadiusRow kRadiusRows[] = {
    {"m_5", 5, 1},     {"m_12", 12, 1},   {"m_13", 13, 2},      {"m_200", 200, 7},
    {"m_201", 201, 8}, {"m_314", 314, 10}, {"m_100000", 100000, 178},
};

class Radius : public testing::TestWithParam<RadiusRow> {};

TEST_P(Radius, IsTheWholePartOfTheRootOfMassOverPi)
{
    EXPECT_EQ(ensemble::radiusForMass(GetParam().mass), GetParam().radius);
}

NAMED_ROWS(Radius, kRadiusRows);

} // namespace
