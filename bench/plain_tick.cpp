#include "plain_tick.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "sim/physics.h"

namespace plain {

namespace {

// Every pair pays its square root; the few that touch take the program's
// own step, so the plain tick moves every molecule as the program does and
// differs from it only in what it spends on the pairs that are apart.
void pairStep(Molecule& a, Molecule& b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    if (std::sqrt(dx * dx + dy * dy) < static_cast<double>(a.radius + b.radius))
        physics::interact(a, b);
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
