#pragma once

#include <cmath>
#include <utility>

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
// `i` being the molecule whose pass it is. EvenPush is a push taken the safe
// way (see pushApartEvenly).
enum class PairOutcome { None, Exchange, Push, EvenPush };

// Molecule i's centre and velocity while its pass runs, held apart from the
// array so that they can stay in registers from one partner to the next.
struct Mover {
    double x;
    double y;
    double vx;
    double vy;
};

// Where the push would divide by a zero distance, or by one so small that
// the far molecule would be thrown to infinity, both move P apart along the
// line of centres instead (along +x for the pass's molecule when the centres
// coincide exactly).
void pushApartEvenly(Mover& i, Molecule& j, double dx, double dy, double d, double P);

// The push of a pair at offset (dx, dy) = i - j and distance d < S - the
// contact band, as the pair step makes it.
inline PairOutcome pushApart(Mover& i, Molecule& j, double dx, double dy, double d, double S)
{
    const double P = (S - d) * kPushFactor;
    // The far molecule moves away from the near one's new position, so it
    // travels P * (d + P) / d, farther than P: kept as the gas behaves so.
    const double xi = i.x + (dx * P) / d;
    const double yi = i.y + (dy * P) / d;
    const double xj = j.x - ((xi - j.x) * P) / d;
    const double yj = j.y - ((yi - j.y) * P) / d;
    if (!(std::isfinite(xi) && std::isfinite(yi) && std::isfinite(xj) && std::isfinite(yj))) {
        // A copy goes to the call, so that i itself can stay in registers
        // on the common path instead of being kept in memory for it.
        Mover moved = i;
        pushApartEvenly(moved, j, dx, dy, d, P);
        i = moved;
        return PairOutcome::EvenPush;
    }
    i.x = xi;
    i.y = yi;
    j.x = xj;
    j.y = yj;
    return PairOutcome::Push;
}

// The test and step of one ordered pair, S being the sum of the two radii.
inline PairOutcome pairStep(Mover& i, Molecule& j, double S)
{
    const double dx = i.x - j.x;
    const double dy = i.y - j.y;
    const double q = dx * dx + dy * dy;
    // sqrt is correctly rounded and monotone, and S is a whole number, so a
    // squared distance of S² or more already means d >= S: no square root.
    if (q >= S * S)
        return PairOutcome::None;
    const double d = std::sqrt(q);
    if (d >= S)
        return PairOutcome::None;
    if (S - kContactBand > d)
        return pushApart(i, j, dx, dy, d, S);

    std::swap(i.vx, j.vx);
    std::swap(i.vy, j.vy);
    return PairOutcome::Exchange;
}

// The same for two molecules of the array.
PairOutcome interact(Molecule& i, Molecule& j);

} // namespace physics
