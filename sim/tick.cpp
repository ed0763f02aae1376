#include <algorithm>

#include "sim/pair_scan.h"
#include "sim/physics.h"
#include "sim/state.h"

namespace physics {

void interact(Molecule& i, Molecule& j)
{
    Mover mover{i.x, i.y, i.vx, i.vy};
    pairStep(mover, j, static_cast<double>(i.radius + j.radius));
    std::tie(i.x, i.y, i.vx, i.vy) = std::tuple(mover.x, mover.y, mover.vx, mover.vy);
}

} // namespace physics

double Form1::ticksPerSecond() const
{
    return physics::kMillisecondsPerSecond / ui_.timer1.interval();
}

void Form1::finishMolecule(Molecule& mi, double tickRate) const
{
    if (limtBool) {
        mi.x = LimType1(mi.x, true);
        mi.y = LimType1(mi.y, false);
    } else {
        mi.vx = LimType2(mi.x, mi.radius, true, mi.vx) * mi.vx;
        mi.vy = LimType2(mi.y, mi.radius, false, mi.vy) * mi.vy;
    }

    mi.x = mi.vx / tickRate + mi.x;
    mi.y = mi.vy / tickRate + mi.y;
}

void Form1::goMol()
{
    // molCount and the array agree after every Start; the bound is only a
    // guard for a state assembled by hand.
    const int n = std::min<int>(molCount, static_cast<int>(mols.size()));
    // The interval does not change within a tick.
    const double tickRate = ticksPerSecond();
    if (physics::PairScan::takes(mols.data(), n)) {
        // Every Start makes an ensemble like this. The scan lives on the
        // stack: a tick allocates nothing.
        physics::PairScan scan(mols.data(), n, mols.front().radius);
        for (int i = 0; i < n; ++i) {
            // Every later test sees the positions and velocities as they
            // stand, including what earlier molecules of this tick have
            // already done.
            scan.passOver(mols.data(), i);
            Molecule& mi = mols[static_cast<std::size_t>(i)];
            finishMolecule(mi, tickRate);
            scan.renew(i, mi);
        }
    } else {
        // Only a hand-built ensemble (mixed radii, more molecules than the
        // settings allow, or values no run reaches) gets here; it takes
        // every pair in turn.
        for (int i = 0; i < n; ++i) {
            Molecule& mi = mols[static_cast<std::size_t>(i)];
            for (int j = 0; j < n; ++j) {
                if (j != i)
                    physics::interact(mi, mols[static_cast<std::size_t>(j)]);
            }
            finishMolecule(mi, tickRate);
        }
    }

    pictSmlM(limtBool);
}
