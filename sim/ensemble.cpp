#include "sim/ensemble.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/state.h"

namespace ensemble {

std::int16_t radiusForMass(std::int32_t mass)
{
    // A mass below 0, which no setting allows, counts as 0.
    const auto m = static_cast<double>(std::max(mass, 0));
    return static_cast<std::int16_t>(std::floor(std::sqrt(m / kPi)));
}

double velocityComponent(float magnitudeDraw, float signDraw, double speed)
{
    const auto e = static_cast<std::int16_t>(std::floor(2.0 * signDraw + 1));
    const double s = std::pow(-1.0, e);
    // Speeds are clamped to 30000 before they get here; the cap only keeps
    // the 16-bit conversion defined for any argument.
    const double top = std::numeric_limits<std::int16_t>::max();
    const auto m = static_cast<std::int16_t>(std::fmin(std::floor(magnitudeDraw * speed + 1), top));
    return s * m;
}

} // namespace ensemble

void Form1::startSmlM(std::int16_t kolMol, double speedm, std::int32_t inMass)
{
    molCount = kolMol;
    // A fresh array every time: the previous ensemble is discarded even when
    // the size is the same. A negative count (never passed) means none.
    mols.assign(static_cast<std::size_t>(std::max<std::int16_t>(kolMol, 0)), Molecule{});

    for (Molecule& m : mols) {
        m.mass = inMass;
        m.radius = ensemble::radiusForMass(inMass);

        // The order of the six draws is part of the behaviour.
        const float r1 = rnd_.next();
        m.x = (static_cast<double>(ui_.picture1.width()) - m.radius) * r1;
        const float r2 = rnd_.next();
        m.y = (static_cast<double>(ui_.picture1.height()) - m.radius) * r2;
        if (m.x - m.radius < 0)
            m.x = m.x + m.radius;
        if (m.y - m.radius < 0)
            m.y = m.y + m.radius;

        const float rA = rnd_.next();
        const float rB = rnd_.next();
        m.vx = ensemble::velocityComponent(rA, rB, speedm);
        const float rC = rnd_.next();
        const float rD = rnd_.next();
        m.vy = ensemble::velocityComponent(rC, rD, speedm);
    }

    pictSmlM(false);
}
