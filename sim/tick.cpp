#include <algorithm>
#include <cmath>
#include <utility>

#include "sim/physics.h"
#include "sim/state.h"

namespace physics {

namespace {

// Where the pushes would divide by a zero distance, or by one so small that
// the far molecule would be thrown to infinity, both move P apart along the
// line of centres instead (along +x for the pass's molecule when the centres
// coincide exactly).
void pushSymmetric(Molecule& i, Molecule& j, double dx, double dy, double d, double P)
{
    double ux = 1;
    double uy = 0;
    if (d > 0 && std::isfinite(dx / d) && std::isfinite(dy / d)) {
        ux = dx / d;
        uy = dy / d;
    }
    i.x += ux * P;
    i.y += uy * P;
    j.x -= ux * P;
    j.y -= uy * P;
}

} // namespace

PairOutcome interact(Molecule& i, Molecule& j)
{
    const double dx = i.x - j.x;
    const double dy = i.y - j.y;
    const double S = static_cast<double>(i.radius + j.radius);
    const double q = dx * dx + dy * dy;
    // sqrt is correctly rounded and monotone, and S is a whole number, so a
    // squared distance of S² or more already means d >= S: no square root.
    if (q >= S * S)
        return PairOutcome::None;
    const double d = std::sqrt(q);
    if (d >= S)
        return PairOutcome::None;

    const double P = (S - d) * kPushFactor;
    if (S - kContactBand > d) {
        // The far molecule moves away from the near one's new position, so it
        // travels P * (d + P) / d, farther than P: kept as the gas behaves so.
        const double xi = i.x + (dx * P) / d;
        const double yi = i.y + (dy * P) / d;
        const double xj = j.x - ((xi - j.x) * P) / d;
        const double yj = j.y - ((yi - j.y) * P) / d;
        if (std::isfinite(xi) && std::isfinite(yi) && std::isfinite(xj) && std::isfinite(yj)) {
            i.x = xi;
            i.y = yi;
            j.x = xj;
            j.y = yj;
        } else {
            pushSymmetric(i, j, dx, dy, d, P);
        }
        return PairOutcome::Push;
    }

    std::swap(i.vx, j.vx);
    std::swap(i.vy, j.vy);
    return PairOutcome::Exchange;
}

} // namespace physics

void Form1::goMol()
{
    // molCount and the array agree after every Start; the bound is only a
    // guard for a state assembled by hand.
    const int n = std::min<int>(molCount, static_cast<int>(mols.size()));
    for (int i = 0; i < n; ++i) {
        Molecule& mi = mols[static_cast<std::size_t>(i)];

        // Every later test sees the positions and velocities as they stand,
        // including what earlier molecules of this tick have already done.
        for (int j = 0; j < n; ++j) {
            if (j != i)
                physics::interact(mi, mols[static_cast<std::size_t>(j)]);
        }

        if (limtBool) {
            mi.x = LimType1(mi.x, true);
            mi.y = LimType1(mi.y, false);
        } else {
            mi.vx = LimType2(mi.x, mi.radius, true, mi.vx) * mi.vx;
            mi.vy = LimType2(mi.y, mi.radius, false, mi.vy) * mi.vy;
        }

        const double stepX = mi.vx / (1000.0 / ui_.timer1.interval());
        const double stepY = mi.vy / (1000.0 / ui_.timer1.interval());
        mi.x = stepX + mi.x;
        mi.y = stepY + mi.y;
    }

    pictSmlM(limtBool);
}
