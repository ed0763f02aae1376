#include <algorithm>

#include "sim/pair_scan.h"
#include "sim/physics.h"
#include "sim/state.h"

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
    if (n > 0) {
        // Every Start makes molecules of one radius. The scan lives on the
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
    }

    pictSmlM(limtBool);
}
