#pragma once

#include "sim/state.h"

namespace physics {

// A pair closer than the sum of its radii by no more than this (pixels)
// exchanges velocities; a pair closer still is pushed apart.
inline constexpr double kContactBand = 1.6;

// A deep overlap of depth S - d pushes the pair apart by this many times it.
inline constexpr double kPushFactor = 1.5;

// Velocities are per second and the timer's interval is in milliseconds.
inline constexpr double kMillisecondsPerSecond = 1000.0;

// What one test of an ordered pair (i, j) does to the two molecules, with
// `i` being the molecule whose pass it is.
enum class PairOutcome { None, Exchange, Push };

PairOutcome interact(Molecule& i, Molecule& j);

} // namespace physics
