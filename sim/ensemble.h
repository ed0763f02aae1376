#pragma once

#include <cstdint>

namespace ensemble {

// Pi to two places, not to the double's precision: the mass-to-radius rule
// is defined with 3.14, which fixes which masses give which radius (314
// gives exactly 10).
inline constexpr double kPi = 3.14;

// Radius in pixels of a molecule of `mass`: the integer part of
// sqrt(mass / pi). Masses 5 to 100000 give 1 to 178.
std::int16_t radiusForMass(std::int32_t mass);

// One velocity component from a magnitude draw and a sign draw: a whole
// number from 1 up to `speed` rounded up, negative when `signDraw` < 0.5.
double velocityComponent(float magnitudeDraw, float signDraw, double speed);

} // namespace ensemble
