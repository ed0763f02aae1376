#pragma once

// The tick written the slow, obvious way: every ordered pair with its square
// root, no search structure, no shortcut. The program's own goMol must match
// it bit for bit; the equivalence tests and the benchmarks compare against it.
// It is never linked into the program.

#include "sim/state.h"
#include "ui/toolkit/toolkit.h"

namespace plain {

// One tick of `form`, ending with the redraw like the program's. `timer1` is
// the timer the form was built on.
void goMol(Form1& form, const toolkit::Timer& timer1);

// The end of molecule i's pass: its edge rule, then its advance.
void finishPass(const Form1& form, Molecule& mi, const toolkit::Timer& timer1);

} // namespace plain
