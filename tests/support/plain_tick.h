#pragma once

// The tick written the slow, obvious way: every ordered pair with its square
// root, no search, no shortcut; the pair step, each molecule's edge rule and
// advance are the program's own. The soak holds the program's tick to it,
// and the physics benchmark measures what the program's search saves.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <tuple>

#include "sim/physics.h"
#include "sim/state.h"

namespace plain {

// Molecule i's pair step with molecule j, both of the array.
inline void interact(Molecule& i, Molecule& j)
{
    physics::Mover mover{i.x, i.y, i.vx, i.vy};
    physics::pairStep(mover, j, static_cast<double>(i.radius + j.radius));
    std::tie(i.x, i.y, i.vx, i.vy) = std::tuple(mover.x, mover.y, mover.vx, mover.vy);
}

// One tick of `form`, ending with the redraw like the program's.
inline void goMol(Form1& form)
{
    auto& mols = form.mols;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(form.molCount), mols.size());
    const double tickRate = form.ticksPerSecond();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const double dx = mols[i].x - mols[j].x;
            const double dy = mols[i].y - mols[j].y;
            if (j != i && std::sqrt(dx * dx + dy * dy) < mols[i].radius + mols[j].radius)
                interact(mols[i], mols[j]);
        }
        form.finishMolecule(mols[i], tickRate);
    }
    form.pictSmlM(form.limtBool);
}

} // namespace plain
