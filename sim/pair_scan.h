#pragma once

// A molecule's pass over the ensemble. Most pairs of a tick are too far apart
// to do anything, and finding the few that are is the bulk of the work: a
// cheap single-precision test rules pairs out many at a time, and only the
// pairs it cannot rule out get the exact pair step, which decides.

#include <cstdint>

#include "sim/state.h"

namespace physics {

// Single-precision copies of the centres, index for index with the molecule
// array, padded to kLanePadding more lanes than the ensemble holds.
struct Lanes {
    float* x;
    float* y;
};

// Lanes past the ensemble, so that the test can read whole blocks anywhere.
inline constexpr int kLanePadding = 64;

// Lanes hold coordinates clamped to ±kLaneRange. The range is wider than any
// screen, and narrow enough that single precision keeps a lane within 2^-11 px
// of its coordinate, which lets the test's margin stay a small fraction of a
// pixel. A push can throw a molecule far beyond it for the rest of a tick;
// clamping two points into a box never moves them apart, so the test still
// rules out only pairs that are apart.
inline constexpr double kLaneRange = 0x1p14;

// The lane of one coordinate. NaN stays NaN, which never rules a pair out.
float laneOf(double coordinate);

// What every pass of one tick shares: the lanes, and the squared distances
// that tell a pair step apart before its square root.
struct Scan {
    Lanes lanes;
    double S;         // the sum of two radii, the same for every pair
    double apartFrom; // from this squared distance up, a pair is left alone
    double pushBelow; // below this one it is pushed; between them, exchanged
    float threshold;  // the single-precision test's reach, squared
};

// Starts a tick of molecules of radius `radius`: fills the lanes of
// molecules [0, n) from the array, and the padding after them with lanes that
// every test rules out.
Scan startScan(const Molecule* mols, int n, std::int16_t radius, const Lanes& lanes);

// The pass of molecule `self` over every other molecule of mols[0, n) in
// index order: the pair step for every pair the test cannot rule out, with
// its effects, exactly as testing every pair in turn would have them. The
// lanes of molecules it moves are kept up to date, except that of `self`,
// which the caller renews after its edge rule.
void passOver(Molecule* mols, int n, int self, const Scan& scan);

// Which instruction set the test uses: "avx512", "avx", "sse2" or "scalar".
// The widest one this processor runs is chosen at the first use.
const char* pairScanKind();

// Makes the passes use the named kernel from now on, if this build has it
// and this processor runs it; returns whether it did. Only the tests and the
// benchmarks switch, to hold every kernel against the plain tick.
bool selectPairScan(const char* kind);

} // namespace physics
