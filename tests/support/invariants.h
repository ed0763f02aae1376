#pragma once

// What must hold after every event, whatever the user typed, clicked or
// resized: the soak, the window's random events and the fuzz target all
// check it.

#include <cmath>
#include <cstdint>
#include <span>
#include <string>

#include "fake_toolkit.h"
#include "sim/ensemble.h"
#include "sim/params.h"
#include "sim/state.h"

namespace invariants {

inline bool inInt16(double v) { return v >= INT16_MIN && v <= INT16_MAX; } // NaN fails

// The first broken rule, or "" when all hold. `panelTop` is the panel's top
// in pixels; `circles` the drawing calls since the last clear.
inline std::string violation(const Form1& f, float panelTop, std::span<const fake::Circle> circles)
{
    if (f.pauseBool && !f.playBool)
        return "paused but not running";
    if (f.kolMol < params::kMinMolecules || f.kolMol > params::kMaxMolecules ||
        !(f.speedm >= params::kMinSpeed && f.speedm <= params::kMaxSpeed) ||
        f.inMass < params::kMinMass || f.inMass > params::kMaxMass)
        return "a setting out of range";
    // Hiding and showing move whole steps of 3 between 0 and -42.
    if (!(panelTop <= 0 && panelTop >= -42 && std::fmod(panelTop, 3.0f) == 0))
        return "panel top " + std::to_string(panelTop);
    if (f.playBool && f.mols.size() != static_cast<std::size_t>(f.molCount))
        return "molCount differs from the ensemble";
    // An exchange swaps whole velocities and a wall turns a component round,
    // so no component outgrows the largest a Start can draw.
    const double vmax = std::floor(f.speedm + 1);
    for (const Molecule& m : f.mols) {
        if (!std::isfinite(m.x + m.y + m.vx + m.vy)) // NaN and infinities carry over
            return "a molecule not finite";
        if (f.playBool && (std::fabs(m.vx) > vmax || std::fabs(m.vy) > vmax || m.vx == 0 ||
                           m.vy == 0 || m.mass != f.inMass ||
                           m.radius != ensemble::radiusForMass(f.inMass)))
            return "a molecule unlike those of its Start";
    }
    for (const fake::Circle& c : circles) {
        if (!inInt16(c.x) || !inInt16(c.y) || !inInt16(c.radius))
            return "a circle beyond 16 bits at " + std::to_string(c.x) + ", " + std::to_string(c.y);
        if (c.color != f.mColor || c.fillColor != f.mColor || !c.filledSolid)
            return "a circle not a solid disc of the molecules' colour";
    }
    return "";
}

} // namespace invariants
