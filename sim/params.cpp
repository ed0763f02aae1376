#include "sim/params.h"

#include <algorithm>
#include <cmath>

#include "sim/state.h"
#include "sim/text_rules.h"

namespace params {

double roundAndClamp(double value, double lo, double hi)
{
    return std::clamp(std::nearbyint(value), lo, hi); // the default rounding: ties to even
}

} // namespace params

void Form1::rePar()
{
    // Each field is read, clamped and written back before the next one.
    kolMol = static_cast<std::int16_t>(params::roundAndClamp(
        leadingNumber(ui_.text3.text()), params::kMinMolecules, params::kMaxMolecules));
    ui_.text3.setText(numberToText(kolMol));

    speedm = std::clamp(leadingNumber(ui_.text2.text()), params::kMinSpeed, params::kMaxSpeed);
    ui_.text2.setText(numberToText(speedm));

    inMass = static_cast<std::int32_t>(params::roundAndClamp(
        leadingNumber(ui_.text1.text()), params::kMinMass, params::kMaxMass));
    ui_.text1.setText(numberToText(inMass));
}
