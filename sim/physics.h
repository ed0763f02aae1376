#pragma once

#include <cmath>
#include <tuple>
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

// Molecule i's centre and velocity while its pass runs, held apart from the
// array so that they can stay in registers from one partner to the next.
struct Mover {
    double x, y, vx, vy;
};

// The far molecule moves away from the near one's new position, P (d + P) / d,
// which grows without limit as the centres meet; up to twice the sum of the
// radii the throw stays the size of the discs themselves. NaN counts as
// beyond.
inline bool farThrowWithinBound(double d, double P, double S)
{
    return P * (d + P) <= 2 * S * d; // P (d + P) / d <= 2S, without dividing by d
}

// The push of a pair at offset (dx, dy) = i - j and distance d < S - the
// contact band, as the pair step makes it. Where the far throw would pass its
// bound (coincident centres too), both move P apart along the line of centres
// instead, along +x for the pass's molecule when there is no line.
inline void pushApart(Mover& i, Molecule& j, double dx, double dy, double d, double S)
{
    const double P = (S - d) * kPushFactor;
    if (farThrowWithinBound(d, P, S)) {
        const double xi = i.x + (dx * P) / d;
        const double yi = i.y + (dy * P) / d;
        const double xj = j.x - ((xi - j.x) * P) / d;
        const double yj = j.y - ((yi - j.y) * P) / d;
        std::tie(i.x, i.y, j.x, j.y) = std::tuple(xi, yi, xj, yj);
        return;
    }
    const double ex = (d > 0 ? dx / d : 1) * P;
    const double ey = (d > 0 ? dy / d : 0) * P;
    std::tie(i.x, i.y, j.x, j.y) = std::tuple(i.x + ex, i.y + ey, j.x - ex, j.y - ey);
}

// The test and step of one ordered pair, S being the sum of the two radii,
// `i` being the molecule whose pass it is. True when the pair was pushed
// apart: both centres have moved.
inline bool pairStep(Mover& i, Molecule& j, double S)
{
    const double dx = i.x - j.x;
    const double dy = i.y - j.y;
    const double q = dx * dx + dy * dy;
    // sqrt is correctly rounded and monotone, and S is a whole number, so a
    // squared distance of S² or more already means d >= S: no square root.
    if (q >= S * S)
        return false;
    const double d = std::sqrt(q);
    if (d >= S)
        return false;
    if (S - kContactBand > d) {
        pushApart(i, j, dx, dy, d, S);
        return true;
    }
    std::swap(i.vx, j.vx);
    std::swap(i.vy, j.vy);
    return false;
}

} // namespace physics
