#pragma once

// The three user settings: defaults, ranges and the colour of the molecules.

#include <cstdint>

#include "ui/toolkit/toolkit.h"

namespace params {

inline constexpr std::int16_t kDefaultMolecules = 50;
inline constexpr std::int16_t kMinMolecules = 1;
inline constexpr std::int16_t kMaxMolecules = 500;

inline constexpr double kDefaultSpeed = 1000;
inline constexpr double kMinSpeed = 1;
inline constexpr double kMaxSpeed = 30000;

inline constexpr std::int32_t kDefaultMass = 200;
inline constexpr std::int32_t kMinMass = 5;
inline constexpr std::int32_t kMaxMass = 100000;

inline constexpr toolkit::Color kMoleculeColor = 0x0000FFFF; // yellow

// Rounds `value` to the nearest integer, ties to even, then clamps it into
// [lo, hi]. Values beyond any integer type (1e400 read as infinity, say)
// land on the nearest bound instead of overflowing.
double roundAndClamp(double value, double lo, double hi);

} // namespace params
