#pragma once

// The tick written the slow, obvious way: every ordered pair with its square
// root, no search structure, no shortcut; each molecule's edge rule and
// advance are the program's own. The program's own goMol must match
// it bit for bit; the equivalence tests and the benchmarks compare against it.
// It is never linked into the program.

#include "sim/state.h"

namespace plain {

// One tick of `form`, ending with the redraw like the program's.
void goMol(Form1& form);

} // namespace plain
