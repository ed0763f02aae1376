#include "sim/params.h"

#include <cmath>

#include "sim/state.h"
#include "sim/text_rules.h"

namespace params {

double roundAndClamp(double value, double lo, double hi)
{
    double r = std::nearbyint(value); // the default rounding mode: ties to even
    if (r < lo)
        r = lo;
    if (r > hi)
        r = hi;
    return r;
}

} // namespace params

void Form1::rePar()
{
    // Each field is read, clamped and written back before the next one.
    kolMol = static_cast<std::int16_t>(params::roundAndClamp(
        leadingNumber(ui_.text3.text()), params::kMinMolecules, params::kMaxMolecules));
    ui_.text3.setText(numberToText(kolMol));

    speedm = leadingNumber(ui_.text2.text());
    if (speedm < params::kMinSpeed)
        speedm = params::kMinSpeed;
    if (speedm > params::kMaxSpeed)
        speedm = params::kMaxSpeed;
    ui_.text2.setText(numberToText(speedm));

    inMass = static_cast<std::int32_t>(params::roundAndClamp(
        leadingNumber(ui_.text1.text()), params::kMinMass, params::kMaxMass));
    ui_.text1.setText(numberToText(inMass));
}
