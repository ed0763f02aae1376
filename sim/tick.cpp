#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "sim/pair_scan.h"
#include "sim/params.h"
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

namespace {

// The largest ensemble the settings allow; the mirrors are this long.
constexpr int kScanCapacity = params::kMaxMolecules;

// Boundary rule and advance of the molecule whose pass has just ended.
void finishMolecule(const Form1& form, Molecule& mi, bool wrap, const toolkit::Timer& timer1)
{
    if (wrap) {
        mi.x = form.LimType1(mi.x, true);
        mi.y = form.LimType1(mi.y, false);
    } else {
        mi.vx = form.LimType2(mi.x, mi.radius, true, mi.vx) * mi.vx;
        mi.vy = form.LimType2(mi.y, mi.radius, false, mi.vy) * mi.vy;
    }

    const double stepX = mi.vx / (physics::kMillisecondsPerSecond / timer1.interval());
    const double stepY = mi.vy / (physics::kMillisecondsPerSecond / timer1.interval());
    mi.x = stepX + mi.x;
    mi.y = stepY + mi.y;
}

// The pass of molecule i over the partners [from, to). Only pairs the scan
// cannot rule out reach interact(); every other pair would have returned
// None there without touching anything, so skipping it changes no bit. A push
// moves i and j, so the scan goes on from i's new centre and the mirror
// takes j's; an exchange moves nothing the scan reads.
void passOver(std::vector<Molecule>& mols, Molecule& mi, double ri, double* xs, double* ys,
              const physics::PairScanView& view, int from, int to)
{
    for (int j = physics::nextContact(view, from, to, mi.x, mi.y, ri); j < to;
         j = physics::nextContact(view, j + 1, to, mi.x, mi.y, ri)) {
        const auto sj = static_cast<std::size_t>(j);
        Molecule& mj = mols[sj];
        if (physics::interact(mi, mj) == physics::PairOutcome::Push) {
            xs[sj] = mj.x;
            ys[sj] = mj.y;
        }
    }
}

} // namespace

void Form1::goMol()
{
    // molCount and the array agree after every Start; the bound is only a
    // guard for a state assembled by hand.
    const int n = std::min<int>(molCount, static_cast<int>(mols.size()));

    if (n <= kScanCapacity) {
        // The scan reads centres and radii from these mirrors of the array,
        // kept equal to it bit for bit. They live on the stack: a tick
        // allocates nothing.
        std::array<double, kScanCapacity> xs;
        std::array<double, kScanCapacity> ys;
        std::array<double, kScanCapacity> rs;
        bool sharedRadius = true;
        for (std::size_t k = 0; k < static_cast<std::size_t>(n); ++k) {
            xs[k] = mols[k].x;
            ys[k] = mols[k].y;
            rs[k] = mols[k].radius;
            sharedRadius = sharedRadius && rs[k] == rs[0];
        }
        const physics::PairScanView view{xs.data(), ys.data(), sharedRadius ? nullptr : rs.data(),
                                         n > 0 ? rs[0] : 0.0};

        for (int i = 0; i < n; ++i) {
            const auto si = static_cast<std::size_t>(i);
            Molecule& mi = mols[si];
            // Every later test sees the positions and velocities as they
            // stand, including what earlier molecules of this tick have
            // already done.
            passOver(mols, mi, rs[si], xs.data(), ys.data(), view, 0, i);
            passOver(mols, mi, rs[si], xs.data(), ys.data(), view, i + 1, n);
            finishMolecule(*this, mi, limtBool, ui_.timer1);
            xs[si] = mi.x;
            ys[si] = mi.y;
        }
    } else {
        // Only a hand-built ensemble is this large; it takes every pair in turn.
        for (int i = 0; i < n; ++i) {
            Molecule& mi = mols[static_cast<std::size_t>(i)];
            for (int j = 0; j < n; ++j) {
                if (j != i)
                    physics::interact(mi, mols[static_cast<std::size_t>(j)]);
            }
            finishMolecule(*this, mi, limtBool, ui_.timer1);
        }
    }

    pictSmlM(limtBool);
}
