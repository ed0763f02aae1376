#pragma once

// A molecule's pass over the ensemble. Most pairs of a tick are too far apart
// to do anything, and finding the few that are is the bulk of the work: a
// single-precision test rules partners out a block at a time, and every pair
// it cannot rule out gets the exact pair step, which decides.

#include <array>
#include <cstdint>

#include "sim/params.h"
#include "sim/state.h"

namespace physics {

// Lanes hold coordinates clamped to this, wider than any screen and narrow
// enough for single precision to keep a lane within 2^-10 px; clamping two
// points into a box never moves them apart.
inline constexpr double kLaneRange = 0x1p14;

// The passes of one tick over molecules of one radius.
class PairScan {
public:
    // Partners tested at once; the compiler turns a block into vector code.
    static constexpr int kBlock = 32; // the bits of a mask
    static constexpr int kCapacity = params::kMaxMolecules;

    // Takes the lanes of mols[0, n), molecules of `radius` all, as every
    // Start makes them (never more than kCapacity: the rest would be left
    // out).
    PairScan(const Molecule* mols, int n, std::int16_t radius);

    // The pass of molecule `self` over every other molecule in index order:
    // the pair step, with its effects, for every pair the test cannot rule
    // out, exactly as testing every pair in turn would have them.
    void passOver(Molecule* mols, int self);

    // Takes molecule k's lane anew, once its edge rule and advance are done.
    void renew(int k, const Molecule& m);

private:
    std::uint32_t nearIn(int from, float cx, float cy) const;

    // A block's worth of lanes past the last molecule, far from every centre
    // (see the constructor), lets every test take a whole block.
    alignas(64) std::array<float, kCapacity + kBlock> x_;
    alignas(64) std::array<float, kCapacity + kBlock> y_;
    int n_;
    double S_;
    float threshold_;
};

} // namespace physics
