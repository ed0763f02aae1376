#pragma once

// The tick written the slow, obvious way: every ordered pair with its square
// root, no search structure, no shortcut; the pair step, each molecule's edge
// rule and advance are the program's own. What the program's goMol gains over it is
// what its search structure and shortcuts are worth.

#include "sim/state.h"

namespace plain {

// One tick of `form`, ending with the redraw like the program's.
void goMol(Form1& form);

} // namespace plain
