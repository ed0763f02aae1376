#pragma once

// The search half of a molecule's pair pass: most pairs of a tick are too far
// apart to do anything, and finding the few that are is the bulk of the work.
// The positions and radii are read from plain arrays, one per field, so that
// several partners are tested per instruction.

namespace physics {

// The centres and radii of the ensemble, one array per field, index for index
// with the molecule array. The radius is held as a double; a sum of two such
// radii is exact, so it equals the 16-bit sum converted afterwards. Every
// Start gives all molecules one radius: then `radius` may be null and
// `commonRadius` holds it, which spares the scan a load and two operations
// per pair and changes no result.
struct PairScanView {
    const double* x;
    const double* y;
    const double* radius;
    double commonRadius;
};

// The first index j in [from, to) for which a molecule centred at (xi, yi)
// with radius ri is not certainly apart from molecule j, that is for which
// (xi - x_j)² + (yi - y_j)² >= (ri + r_j)² does not hold, or `to` if there is
// none. The squared distance is formed with exactly the operations of
// interact(), so a pair this skips is a pair interact() would have left
// alone; a NaN distance is never skipped, as interact() acts on it too.
int nextContact(const PairScanView& view, int from, int to, double xi, double yi, double ri);

// Which instruction set nextContact() uses: "avx512", "avx", "sse2" or
// "scalar". The widest one this processor runs is chosen at the first use.
const char* pairScanKind();

// Makes nextContact() use the named kernel from now on, if this build has it
// and this processor runs it; returns whether it did. Only the tests and the
// benchmarks switch, to hold every kernel against the plain tick.
bool selectPairScan(const char* kind);

} // namespace physics
