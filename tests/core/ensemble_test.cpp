// Building a new ensemble on Start (startSmlM).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fake_toolkit.h"
#include "sim/ensemble.h"
#include "sim/random.h"

namespace {

// What startSmlM must build, recomputed from our own copy of the random
// source: per molecule x, y, then magnitude and sign of vx, then of vy.
std::vector<Molecule> replay(UniformSource& source, int count, double speedm, std::int32_t mass,
                             float W, float H)
{
    const auto radius = static_cast<std::int16_t>(std::floor(std::sqrt(mass / 3.14)));
    const auto component = [&](float magnitudeDraw, float signDraw) {
        const auto e = static_cast<std::int16_t>(std::floor(2.0 * signDraw + 1));
        const auto m = static_cast<std::int16_t>(std::floor(magnitudeDraw * speedm + 1));
        return std::pow(-1.0, e) * m;
    };
    std::vector<Molecule> out;
    for (int i = 0; i < count; ++i) {
        Molecule m;
        m.mass = mass;
        m.radius = radius;
        m.x = (static_cast<double>(W) - radius) * source.next();
        m.y = (static_cast<double>(H) - radius) * source.next();
        if (m.x - radius < 0)
            m.x += radius;
        if (m.y - radius < 0)
            m.y += radius;
        const float rA = source.next();
        m.vx = component(rA, source.next());
        const float rC = source.next();
        m.vy = component(rC, source.next());
        out.push_back(m);
    }
    return out;
}

void expectSameEnsemble(const std::vector<Molecule>& actual, const std::vector<Molecule>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE("molecule " + std::to_string(i));
        EXPECT_EQ(actual[i].x, expected[i].x);
        EXPECT_EQ(actual[i].y, expected[i].y);
        EXPECT_EQ(actual[i].vx, expected[i].vx);
        EXPECT_EQ(actual[i].vy, expected[i].vy);
        EXPECT_EQ(actual[i].mass, expected[i].mass);
        EXPECT_EQ(actual[i].radius, expected[i].radius);
    }
}

TEST(EnsembleRadius, FollowsTheMass)
{
    const struct {
        std::int32_t mass;
        std::int16_t radius;
    } cases[] = {{5, 1}, {12, 1}, {13, 2}, {200, 7}, {201, 8}, {314, 10}, {100000, 178}};
    for (const auto& c : cases) {
        SCOPED_TRACE("mass " + std::to_string(c.mass));
        fake::Ui ui;
        ui.form.startSmlM(3, 1000, c.mass);
        for (const Molecule& m : ui.form.mols) {
            EXPECT_EQ(m.mass, c.mass);
            EXPECT_EQ(m.radius, c.radius);
        }
    }
}

struct AreaCase {
    const char* name;
    float W, H;
    std::int16_t count;
    double speedm;
    std::int32_t mass;
    // Every centre lies in [xLo, xHi) x [yLo, yHi).
    double xLo, xHi, yLo, yHi;
};

const double kUpTo7 = std::nextafter(7.0, 8.0); // up to and including 7

const AreaCase kAreaCases[] = {
    {"defaults", 668, 344, 50, 1000, 200, 7, 661, 7, 337},
    {"largest_discs_fastest", 900, 600, 500, 30000, 100000, 178, 722, 178, 422},
    {"fractional_speed", 600, 400, 200, 2.5, 5, 1, 599, 1, 399},
    {"between_two_and_three_radii", 20, 15, 100, 1000, 200, 7, 14, 7, 14},
    {"narrower_than_diameter", 10, 12, 100, 1000, 200, 7, 10, 7, 12},
    {"narrower_than_radius", 5, 3, 100, 1000, 200, 5, kUpTo7, 3, kUpTo7},
    {"empty_area", 0, 0, 100, 1000, 200, 0, kUpTo7, 0, kUpTo7},
};

class EnsembleArea : public testing::TestWithParam<AreaCase> {};

TEST_P(EnsembleArea, SixDrawsPerMoleculeInOrder)
{
    const AreaCase& c = GetParam();
    fake::Ui ui;
    ui.picture1.w = c.W;
    ui.picture1.h = c.H;
    ui.form.startSmlM(c.count, c.speedm, c.mass);

    EXPECT_EQ(ui.form.molCount, c.count);
    UniformSource source;
    expectSameEnsemble(ui.form.mols, replay(source, c.count, c.speedm, c.mass, c.W, c.H));
    for (const Molecule& m : ui.form.mols) {
        EXPECT_TRUE(c.xLo <= m.x && m.x < c.xHi) << m.x;
        EXPECT_TRUE(c.yLo <= m.y && m.y < c.yHi) << m.y;
    }
}

INSTANTIATE_TEST_SUITE_P(Areas, EnsembleArea, testing::ValuesIn(kAreaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EnsembleSequence, SameForEveryProgramStartAndGoesOnAtTheNextStart)
{
    fake::Ui first, second;
    first.form.startSmlM(50, 1000, 200);
    second.form.startSmlM(50, 1000, 200);
    expectSameEnsemble(first.form.mols, second.form.mols);

    const std::vector<Molecule> before = first.form.mols;
    first.form.startSmlM(50, 1000, 200);
    UniformSource source;
    replay(source, 50, 1000, 200, 600, 400);
    expectSameEnsemble(first.form.mols, replay(source, 50, 1000, 200, 600, 400));
    EXPECT_NE(first.form.mols[0].x, before[0].x);

    first.form.startSmlM(3, 1000, 200);
    EXPECT_EQ(first.form.molCount, 3);
    EXPECT_EQ(first.form.mols.size(), 3u) << "the previous ensemble is replaced, not extended";
}

struct ComponentCase {
    const char* name;
    float magnitudeDraw, signDraw;
    double speedm;
    double expected;
};

const ComponentCase kComponentCases[] = {
    {"speed_2_5_below_0_4_gives_1", 0.39999998f, 0.5f, 2.5, 1},
    {"speed_2_5_at_0_4_gives_2", 0.4f, 0.5f, 2.5, 2},
    {"speed_2_5_below_0_8_gives_2", 0.79999995f, 0.5f, 2.5, 2},
    {"speed_2_5_at_0_8_gives_3", 0.8f, 0.5f, 2.5, 3},
    {"speed_2_5_top_draw_gives_3", 0.99999994f, 0.5f, 2.5, 3},
    {"zero_draw_gives_1_not_0", 0, 0.5f, 1000, 1},
    {"whole_speed_tops_out_at_itself", 0.99999994f, 0.5f, 1000, 1000},
    {"largest_speed", 0.99999994f, 0.5f, 30000, 30000},
    {"speed_1_gives_1", 0.99999994f, 0.5f, 1, 1},
    {"sign_below_half_is_negative", 0.5f, 0.49999997f, 10, -6},
    {"sign_zero_is_negative", 0.5f, 0, 10, -6},
    {"sign_top_is_positive", 0.5f, 0.99999994f, 10, 6},
};

TEST(EnsembleVelocity, ComponentFromMagnitudeAndSignDraws)
{
    for (const ComponentCase& c : kComponentCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ensemble::velocityComponent(c.magnitudeDraw, c.signDraw, c.speedm), c.expected);
    }
}

TEST(EnsembleVelocity, NonZeroWholeNumbersUpToTheSpeedRoundedUp)
{
    for (double speed : {1.0, 2.5, 1000.0, 30000.0}) {
        SCOPED_TRACE("speed " + std::to_string(speed));
        fake::Ui ui;
        ui.form.startSmlM(500, speed, 200);
        std::set<double> seen;
        for (const Molecule& m : ui.form.mols) {
            for (double v : {m.vx, m.vy}) {
                EXPECT_NE(v, 0);
                EXPECT_EQ(v, std::floor(v));
                EXPECT_LE(std::fabs(v), std::ceil(speed));
                seen.insert(v);
            }
        }
        EXPECT_LT(*seen.begin(), 0);
        EXPECT_GT(*seen.rbegin(), 0);
        if (speed == 1) {
            EXPECT_EQ(seen, (std::set<double>{-1, 1}));
        }
        if (speed == 2.5) {
            EXPECT_EQ(seen, (std::set<double>{-3, -2, -1, 1, 2, 3}));
        }
    }
}

TEST(EnsembleDrawing, DrawnOnceWithoutImagesEvenInWrapMode)
{
    fake::Ui ui;
    ui.picture1.w = 20; // every disc of radius 7 may cross an edge
    ui.picture1.h = 20;
    ui.form.mColor = 65535;
    ui.form.limtBool = true;
    ui.record();
    ui.form.startSmlM(30, 1000, 200);

    std::vector<std::string> expected{"picture1.cls"};
    for (int i = 0; i < 30; ++i)
        expected.insert(expected.end(), {"picture1.setFillStyleSolid",
                                         "picture1.setFillColor 65535", "picture1.circle"});
    EXPECT_EQ(ui.journal.entries, expected);
    ASSERT_EQ(ui.picture1.circles.size(), 30u);
    for (std::size_t i = 0; i < 30; ++i) {
        EXPECT_EQ(ui.picture1.circles[i].x, std::floor(ui.form.mols[i].x));
        EXPECT_EQ(ui.picture1.circles[i].y, std::floor(ui.form.mols[i].y));
        EXPECT_EQ(ui.picture1.circles[i].radius, 7);
    }
}

TEST(EnsembleState, TouchesNothingButTheEnsemble)
{
    fake::Ui ui;
    Form1& f = ui.form;
    f.vizPanel = false;
    f.playBool = true;
    f.pauseBool = true;
    f.limtBool = true;
    f.mColor = 123;
    f.kolMol = 9;
    f.speedm = 8;
    f.inMass = 7;
    ui.text1.value = "a";
    ui.record();
    f.startSmlM(20, 1000, 200);

    EXPECT_EQ(f.molCount, 20);
    EXPECT_FALSE(f.vizPanel);
    EXPECT_TRUE(f.playBool && f.pauseBool && f.limtBool);
    EXPECT_EQ(f.mColor, 123);
    EXPECT_EQ(f.kolMol, 9);
    EXPECT_EQ(f.speedm, 8);
    EXPECT_EQ(f.inMass, 7);
    EXPECT_EQ(ui.text1.value, "a");
    for (const std::string& e : ui.journal.entries)
        EXPECT_EQ(e.rfind("picture1.", 0), 0u) << e;
}

} // namespace
