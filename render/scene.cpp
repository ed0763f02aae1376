#include <algorithm>

#include "sim/numeric.h"
#include "sim/state.h"

void Form1::pictSmlM(bool boolLim) const
{
    ui_.picture1.cls();
    const int last = std::min<int>(molCount, static_cast<int>(mols.size())) - 1;
    for (int i = 0; i <= last; ++i) {
        const Molecule& m = mols[static_cast<std::size_t>(i)];
        // Floor, not rounding: a centre at -0.2 is drawn at -1.
        const auto y = numeric::floorInt16(m.y);
        const auto x = numeric::floorInt16(m.x);
        // A molecule whose drawing position a 16-bit coordinate cannot hold
        // is thousands of pixels outside the area: nothing of it would show.
        if (!x || !y)
            continue;
        myCirc(*x, *y, m.radius, mColor, boolLim);
    }
}
