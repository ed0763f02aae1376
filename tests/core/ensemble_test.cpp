// Building a new ensemble on Start (startSmlM).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "fake_toolkit.h"
#include "sim/ensemble.h"
#include "sim/random.h"

namespace {

using Fields = std::tuple<double, double, double, double, std::int32_t, std::int16_t>;

std::vector<Fields> fieldsOf(const std::vector<Molecule>& ms)
{
    std::vector<Fields> out;
    for (const Molecule& m : ms)
        out.emplace_back(m.x, m.y, m.vx, m.vy, m.mass, m.radius);
    return out;
}

// What startSmlM must build, recomputed from our own copy of the random
// source: per molecule x, y, then magnitude and sign of vx, then of vy.
std::vector<Fields> replay(UniformSource& source, int count, double speedm, std::int32_t mass,
                           float W, float H)
{
    const auto r = static_cast<std::int16_t>(std::floor(std::sqrt(mass / 3.14)));
    const auto component = [&](float magnitudeDraw, float signDraw) {
        const auto e = static_cast<std::int16_t>(std::floor(2.0 * signDraw + 1));
        const auto m = static_cast<std::int16_t>(std::floor(magnitudeDraw * speedm + 1));
        return std::pow(-1.0, e) * m;
    };
    std::vector<Fields> out;
    for (int i = 0; i < count; ++i) {
        double x = (static_cast<double>(W) - r) * source.next();
        double y = (static_cast<double>(H) - r) * source.next();
        x += x - r < 0 ? r : 0;
        y += y - r < 0 ? r : 0;
        const float rA = source.next(), rB = source.next(), rC = source.next();
        out.emplace_back(x, y, component(rA, rB), component(rC, source.next()), mass, r);
    }
    return out;
}

TEST(EnsembleRadius, FollowsTheMass)
{
    const std::pair<std::int32_t, std::int16_t> cases[] = {
        {5, 1}, {12, 1}, {13, 2}, {200, 7}, {201, 8}, {314, 10}, {100000, 178}};
    for (const auto& [mass, radius] : cases) {
        SCOPED_TRACE("mass " + std::to_string(mass));
        fake::Ui ui;
        ui.form.startSmlM(3, 1000, mass);
        for (const Molecule& m : ui.form.mols)
            EXPECT_EQ(std::pair(m.mass, m.radius), std::pair(mass, radius));
    }
}

struct AreaCase {
    const char* name;
    float W, H;
    std::int16_t count;
    double speedm;
    std::int32_t mass;
    double xLo, xHi, yLo, yHi; // every centre lies in [xLo, xHi) x [yLo, yHi)
};
void PrintTo(const AreaCase& c, std::ostream* os) { *os << c.name; }

const double kUpTo7 = std::nextafter(7.0, 8.0); // up to and including 7

const AreaCase kAreaCases[] = {
    {"defaults", 668, 344, 50, 1000, 200, 7, 661, 7, 337},
    {"largest_discs_fastest", 900, 600, 500, 30000, 100000, 178, 722, 178, 422},
    {"fractional_speed", 600, 400, 200, 2.5, 5, 1, 599, 1, 399},
    {"slowest", 600, 400, 50, 1, 200, 7, 593, 7, 393},
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
    EXPECT_EQ(fieldsOf(ui.form.mols), replay(source, c.count, c.speedm, c.mass, c.W, c.H));
    for (const Molecule& m : ui.form.mols) {
        EXPECT_TRUE(c.xLo <= m.x && m.x < c.xHi) << m.x;
        EXPECT_TRUE(c.yLo <= m.y && m.y < c.yHi) << m.y;
        for (double v : {m.vx, m.vy}) // whole, never 0, at most the speed rounded up
            EXPECT_TRUE(v != 0 && v == std::floor(v) && std::fabs(v) <= std::ceil(c.speedm)) << v;
    }
}

INSTANTIATE_TEST_SUITE_P(Areas, EnsembleArea, testing::ValuesIn(kAreaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EnsembleSequence, SameAtEveryProgramStartGoesOnAtTheNextStart)
{
    fake::Ui first, second;
    first.form.startSmlM(50, 1000, 200);
    second.form.startSmlM(50, 1000, 200);
    EXPECT_EQ(fieldsOf(first.form.mols), fieldsOf(second.form.mols));

    const auto before = fieldsOf(first.form.mols);
    first.form.startSmlM(50, 1000, 200);
    UniformSource source;
    replay(source, 50, 1000, 200, 600, 400);
    EXPECT_EQ(fieldsOf(first.form.mols), replay(source, 50, 1000, 200, 600, 400));
    EXPECT_NE(fieldsOf(first.form.mols), before);

    first.form.startSmlM(3, 1000, 200);
    EXPECT_EQ(first.form.mols.size(), 3u) << "the previous ensemble is replaced, not extended";
}

TEST(EnsembleVelocity, ComponentFromMagnitudeAndSignDraws)
{
    const struct {
        const char* name;
        float magnitudeDraw, signDraw;
        double speedm, expected;
    } cases[] = {
        {"speed_2_5_below_0_4_gives_1", 0.39999998f, 0.5f, 2.5, 1},
        {"speed_2_5_at_0_4_gives_2", 0.4f, 0.5f, 2.5, 2},
        {"speed_2_5_below_0_8_gives_2", 0.79999995f, 0.5f, 2.5, 2},
        {"speed_2_5_at_0_8_gives_3", 0.8f, 0.5f, 2.5, 3},
        {"speed_2_5_top_draw_gives_3", 0.99999994f, 0.5f, 2.5, 3},
        {"zero_draw_gives_1_not_0", 0, 0.5f, 1000, 1},
        {"whole_speed_tops_out_at_itself", 0.99999994f, 0.5f, 30000, 30000},
        {"sign_just_below_half_is_negative", 0.5f, 0.49999997f, 10, -6},
        {"sign_top_is_positive", 0.5f, 0.99999994f, 10, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ensemble::velocityComponent(c.magnitudeDraw, c.signDraw, c.speedm), c.expected);
    }
}

TEST(EnsembleDrawing, DrawnOnceWithoutImagesEvenInWrapMode)
{
    fake::Ui ui;
    ui.picture1.w = ui.picture1.h = 20; // every disc of radius 7 may cross an edge
    ui.form.mColor = 65535;
    ui.form.limtBool = true;
    ui.record();
    ui.form.startSmlM(30, 1000, 200);

    std::vector<std::string> expected{"picture1.cls"};
    for (int i = 0; i < 30; ++i)
        expected.insert(expected.end(), {"picture1.setFillStyleSolid",
                                         "picture1.setFillColor 65535", "picture1.circle"});
    EXPECT_EQ(ui.journal.entries, expected);
    for (std::size_t i = 0; i < ui.picture1.circles.size(); ++i) {
        const fake::Circle& c = ui.picture1.circles[i];
        const Molecule& m = ui.form.mols[i];
        EXPECT_EQ(std::tuple(c.x, c.y, c.radius), std::tuple(std::floor(m.x), std::floor(m.y), 7));
    }
}

TEST(EnsembleState, TouchesNothingButTheEnsemble)
{
    fake::Ui ui;
    Form1& f = ui.form;
    f.playBool = f.pauseBool = f.limtBool = true;
    f.kolMol = 9;
    f.speedm = 8;
    f.inMass = 7;
    ui.record();
    f.startSmlM(20, 1000, 200);

    EXPECT_EQ(f.molCount, 20);
    EXPECT_EQ(std::tuple(f.vizPanel, f.playBool, f.pauseBool, f.limtBool, f.mColor),
              std::tuple(false, true, true, true, 0));
    EXPECT_EQ(std::tuple(f.kolMol, f.speedm, f.inMass), std::tuple(9, 8.0, 7));
    for (const std::string& e : ui.journal.entries)
        EXPECT_EQ(e.rfind("picture1.", 0), 0u) << e;
}

} // namespace
