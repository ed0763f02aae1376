// Arbitrary bytes as the three field texts, a drawing area, a boundary option
// and a short run: whatever the user types and however the window is sized,
// the settings land in range, read back as themselves, and the run stays
// finite and drawable.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "sim/ensemble.h"
#include "sim/params.h"
#include "sim/text_rules.h"
#include "tests/core/fake_toolkit.h"

namespace {

// A failed check must stop the fuzzer with a reproducer, also in a build
// without assertions.
#define CHECK(cond)                                                                      \
    do {                                                                                 \
        if (!(cond)) {                                                                   \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                \
        }                                                                                \
    } while (0)

constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();

bool inInt16(float v) { return std::isfinite(v) && v >= kInt16Min && v <= kInt16Max; }

// The pair work per input is bounded so that the fuzzer spends its time on
// new texts rather than on 500-molecule ticks, which cost some twenty small
// inputs each; the soak test covers long runs of large ensembles.
constexpr long kPairBudget = 250L * 250L;

void checkSettings(const fake::Ui& ui)
{
    const Form1& f = ui.form;
    CHECK(f.kolMol >= params::kMinMolecules && f.kolMol <= params::kMaxMolecules);
    CHECK(f.speedm >= params::kMinSpeed && f.speedm <= params::kMaxSpeed);
    CHECK(f.inMass >= params::kMinMass && f.inMass <= params::kMaxMass);
    // What was written back is what will be read at the next press.
    CHECK(leadingNumber(ui.text3.value) == f.kolMol);
    CHECK(leadingNumber(ui.text2.value) == f.speedm);
    CHECK(leadingNumber(ui.text1.value) == f.inMass);
}

void checkEnsemble(const fake::Ui& ui, std::int16_t count, std::int32_t mass, double speed)
{
    const Form1& f = ui.form;
    CHECK(f.molCount == count);
    CHECK(f.mols.size() == static_cast<std::size_t>(count));
    // Exchanges swap and walls reverse, so no component ever exceeds the
    // largest one drawn at Start.
    const double vmax = std::floor(speed + 1);
    for (const Molecule& m : f.mols) {
        CHECK(std::isfinite(m.x) && std::isfinite(m.y));
        CHECK(std::isfinite(m.vx) && std::isfinite(m.vy));
        CHECK(std::fabs(m.vx) <= vmax && std::fabs(m.vy) <= vmax);
        CHECK(m.vx != 0 && m.vy != 0);
        CHECK(m.mass == mass);
        CHECK(m.radius == ensemble::radiusForMass(mass));
    }
}

void checkDrawing(const fake::Ui& ui)
{
    const Form1& f = ui.form;
    // Each molecule gives its disc and at most one image.
    CHECK(ui.picture1.circles.size() <= 2 * f.mols.size());
    const float radius = f.mols.empty() ? 0 : static_cast<float>(f.mols.front().radius);
    for (const fake::Circle& c : ui.picture1.circles) {
        CHECK(inInt16(c.x) && inInt16(c.y));
        CHECK(c.radius == radius);
        CHECK(c.color == f.mColor && c.fillColor == f.mColor && c.filledSolid);
    }
}

float areaSide(FuzzedDataProvider& in)
{
    // Quarter pixels up to twice the 16-bit range: areas far larger than any
    // screen reach the edges of the drawing arithmetic.
    return static_cast<float>(in.ConsumeIntegralInRange<std::uint32_t>(0, 65535 * 4)) / 4.0f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    fake::Ui ui;
    Form1& form = ui.form;
    form.Form_Load();

    ui.text1.value = in.ConsumeRandomLengthString(4096);
    ui.text2.value = in.ConsumeRandomLengthString(4096);
    ui.text3.value = in.ConsumeRandomLengthString(4096);
    ui.picture1.w = areaSide(in);
    ui.picture1.h = areaSide(in);
    ui.option1.selected = in.ConsumeBool();
    const int ticks = in.ConsumeIntegralInRange(1, 16);
    const int resizeAt = in.ConsumeIntegralInRange(0, 16);
    const float resizedW = areaSide(in);
    const float resizedH = areaSide(in);
    const float pointerY = static_cast<float>(in.ConsumeIntegralInRange(-100, 400));

    form.rePar();
    checkSettings(ui);
    const std::string t1 = ui.text1.value, t2 = ui.text2.value, t3 = ui.text3.value;
    form.rePar();
    CHECK(ui.text1.value == t1 && ui.text2.value == t2 && ui.text3.value == t3);

    // Start: a third reading of the fields, then the ensemble and its picture.
    form.Command1_Click();
    CHECK(ui.text1.value == t1 && ui.text2.value == t2 && ui.text3.value == t3);
    CHECK(form.playBool && !form.pauseBool && ui.command1.caption == "Стоп");
    CHECK(form.limtBool == ui.option1.selected);
    checkEnsemble(ui, form.kolMol, form.inMass, form.speedm);
    checkDrawing(ui);

    // An ensemble beyond the budget is ticked only when the input asks for a
    // single tick: the largest ones are still ticked now and then.
    const long pairs = static_cast<long>(form.molCount) * form.molCount;
    const long affordable = kPairBudget / std::max(1L, pairs);
    const int run = affordable > 0 ? static_cast<int>(std::min<long>(ticks, affordable))
                                   : (ticks == 1 ? 1 : 0);
    for (int t = 0; t < run; ++t) {
        if (t == resizeAt) {
            ui.picture1.w = resizedW;
            ui.picture1.h = resizedH;
        }
        form.Picture1_MouseMove(0, 0, 0, pointerY);
        const int clearsBefore = ui.picture1.clears;
        form.Timer1_Timer();
        CHECK(ui.picture1.clears == clearsBefore + 1);
        checkEnsemble(ui, form.kolMol, form.inMass, form.speedm);
        checkDrawing(ui);
    }

    // Stop: the fields are read once more and still do not change.
    form.Command1_Click();
    CHECK(!form.playBool && !form.pauseBool && ui.command1.caption == "Старт");
    CHECK(ui.text1.value == t1 && ui.text2.value == t2 && ui.text3.value == t3);
    CHECK(ui.picture1.circles.empty());
    return 0;
}
