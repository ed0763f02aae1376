// Arbitrary bytes as the three field texts, a drawing area and a boundary
// option, then Start and Stop: whatever the user types and however the
// window is sized, the settings land in range and read back as themselves,
// and the gas they make is finite and drawable. Runs are the soak's.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sim/text_rules.h"
#include "tests/support/fake_toolkit.h"
#include "tests/support/invariants.h"

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

// What was written back is what will be read at the next press.
void checkReadBack(const fake::Ui& ui)
{
    CHECK(leadingNumber(ui.text3.value) == ui.form.kolMol);
    CHECK(leadingNumber(ui.text2.value) == ui.form.speedm);
    CHECK(leadingNumber(ui.text1.value) == ui.form.inMass);
}

void checkInvariants(const fake::Ui& ui)
{
    const std::string broken =
        invariants::violation(ui.form, ui.frame1.topValue, ui.picture1.circles);
    if (!broken.empty())
        std::fprintf(stderr, "invariant broken: %s\n", broken.c_str());
    CHECK(broken.empty());
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

    form.rePar();
    checkReadBack(ui);
    checkInvariants(ui);
    const std::string t1 = ui.text1.value, t2 = ui.text2.value, t3 = ui.text3.value;
    form.rePar();
    CHECK(ui.text1.value == t1 && ui.text2.value == t2 && ui.text3.value == t3);

    // Start: a third reading of the fields, then the ensemble and its picture.
    form.Command1_Click();
    CHECK(ui.text1.value == t1 && ui.text2.value == t2 && ui.text3.value == t3);
    CHECK(form.playBool && !form.pauseBool && ui.command1.caption == "Стоп");
    CHECK(form.limtBool == ui.option1.selected);
    checkInvariants(ui);

    // Stop: the fields are read once more and still do not change.
    form.Command1_Click();
    CHECK(!form.playBool && !form.pauseBool && ui.command1.caption == "Старт");
    CHECK(ui.text1.value == t1 && ui.text2.value == t2 && ui.text3.value == t3);
    CHECK(ui.picture1.circles.empty());
    return 0;
}
