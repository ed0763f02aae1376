#include "plain_tick.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <tuple>
#include <utility>

#include "sim/physics.h"

namespace plain {

namespace {

// Independent of physics::pairStep: the square root of every pair and the
// test d >= S, so the program's squared-distance shortcut is checked too.
void pairStep(Molecule& a, Molecule& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    const double S = static_cast<double>(a.radius + b.radius);
    if (d >= S)
        return;
    if (S - physics::kContactBand <= d) {
        std::swap(a.vx, b.vx);
        std::swap(a.vy, b.vy);
        return;
    }
    const double P = (S - d) * physics::kPushFactor;
    const double xi = a.x + (dx * P) / d;
    const double yi = a.y + (dy * P) / d;
    const double xj = b.x - ((xi - b.x) * P) / d;
    const double yj = b.y - ((yi - b.y) * P) / d;
    // The bound on the far molecule's throw is a rule of the gas, not a
    // shortcut: taken from the program.
    if (physics::farThrowWithinBound(d, P, S) && std::isfinite(xi) && std::isfinite(yi) &&
        std::isfinite(xj) && std::isfinite(yj)) {
        std::tie(a.x, a.y, b.x, b.y) = std::tuple(xi, yi, xj, yj);
        return;
    }
    // Otherwise an even push along the line of centres (+x when there is none).
    const bool line = d > 0 && std::isfinite(dx / d) && std::isfinite(dy / d);
    const double ux = line ? dx / d : 1;
    const double uy = line ? dy / d : 0;
    std::tie(a.x, a.y, b.x, b.y) =
        std::tuple(a.x + ux * P, a.y + uy * P, b.x - ux * P, b.y - uy * P);
}

} // namespace

void goMol(Form1& form)
{
    auto& mols = form.mols;
    const int n = std::min<int>(form.molCount, static_cast<int>(mols.size()));
    const double tickRate = form.ticksPerSecond();
    for (int i = 0; i < n; ++i) {
        Molecule& mi = mols[static_cast<std::size_t>(i)];
        for (int j = 0; j < n; ++j) {
            if (j != i)
                pairStep(mi, mols[static_cast<std::size_t>(j)]);
        }
        form.finishMolecule(mi, tickRate);
    }
    form.pictSmlM(form.limtBool);
}

} // namespace plain
