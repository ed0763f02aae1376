// Building a new ensemble on Start (startSmlM).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "fake_toolkit.h"
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

// What startSmlM must build, from our own copy of the random source: per
// molecule x, y, then magnitude and sign of vx, then of vy.
std::vector<Fields> replay(UniformSource& source, int count, double speedm, std::int32_t mass,
                           std::int16_t r, float W, float H)
{
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

struct AreaCase {
    const char* name;
    float W, H;
    std::int16_t count;
    double speedm;
    std::int32_t mass;
    std::int16_t radius;
};
void PrintTo(const AreaCase& c, std::ostream* os) { *os << c.name; }

const AreaCase kAreaCases[] = {
    {"defaults", 668, 344, 50, 1000, 200, 7},
    {"largest", 900, 600, 500, 30000, 100000, 178},
    {"mass_5_speed_2_5", 600, 400, 200, 2.5, 5, 1},
    {"mass_13", 600, 400, 3, 1000, 13, 2},
    {"mass_201", 600, 400, 3, 1000, 201, 8},
    {"mass_314", 600, 400, 3, 1000, 314, 10},
    {"narrower_than_radius", 5, 3, 100, 1000, 200, 7},
    {"empty_area", 0, 0, 100, 1000, 200, 7},
};

class EnsembleArea : public testing::TestWithParam<AreaCase> {};

TEST_P(EnsembleArea, SixDrawsPerMoleculeThenAPictureWithoutImages)
{
    const AreaCase& c = GetParam();
    fake::Ui ui;
    ui.picture1.w = c.W;
    ui.picture1.h = c.H;
    ui.form.limtBool = true; // the first picture shows no images even so
    ui.form.mColor = 65535;
    ui.form.startSmlM(c.count, c.speedm, c.mass);

    EXPECT_EQ(ui.form.molCount, c.count);
    UniformSource source;
    EXPECT_EQ(fieldsOf(ui.form.mols),
              replay(source, c.count, c.speedm, c.mass, c.radius, c.W, c.H));
    std::vector<fake::Circle> discs;
    for (const Molecule& m : ui.form.mols)
        discs.push_back(
            {float(std::floor(m.x)), float(std::floor(m.y)), float(m.radius), 65535, true, 65535});
    EXPECT_EQ(ui.picture1.clears, 1);
    EXPECT_EQ(ui.picture1.circles, discs);
}

INSTANTIATE_TEST_SUITE_P(Areas, EnsembleArea, testing::ValuesIn(kAreaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EnsembleSequence, SameAtEveryProgramStartGoesOnAtTheNextStart)
{
    fake::Ui first, second;
    first.form.startSmlM(50, 1000, 200);
    second.form.startSmlM(50, 1000, 200);
    EXPECT_EQ(fieldsOf(first.form.mols), fieldsOf(second.form.mols));

    first.form.startSmlM(50, 1000, 200);
    UniformSource source;
    replay(source, 50, 1000, 200, 7, 600, 400);
    EXPECT_EQ(fieldsOf(first.form.mols), replay(source, 50, 1000, 200, 7, 600, 400));
}

} // namespace
