#include "sim/pair_scan.h"

#include <algorithm>
#include <bit>

#include "sim/physics.h"

namespace physics {

namespace {

// How the test can rule a pair out without changing any result. It rules a
// partner out when the squared distance of the two lanes, in single
// precision, reaches (S + M)²; the pair step acts only on a pair whose double
// distance is below S. Clamping into ±kLaneRange never moves two points
// apart. Rounding a clamped coordinate to single precision errs by at most
// 2^-10 px, so each lane difference by 2^-9 px and the lanes' distance by
// under 2^-8 px. The subtractions, squares and sum in single precision add at
// most a relative 2^-22, rounding the threshold 2^-24, and the double distance
// is itself off by a few 2^-53. So M = 1/64 + S·2^-20 px covers it all, for
// any S, and a pair ruled out is one the pair step would leave alone.
float thresholdFor(double S)
{
    const double reach = S + 1.0 / 64 + S * 0x1p-20;
    return static_cast<float>(reach * reach);
}

// NaN stays NaN, and the test never rules out a NaN lane, as the pair step
// exchanges with such a partner.
float laneOf(double coordinate)
{
    return static_cast<float>(std::clamp(coordinate, -kLaneRange, kLaneRange));
}

constexpr auto kBit = [] {
    std::array<std::uint32_t, PairScan::kBlock> bits{};
    for (std::size_t k = 0; k < bits.size(); ++k)
        bits[k] = std::uint32_t{1} << k;
    return bits;
}();

} // namespace

PairScan::PairScan(const Molecule* mols, int n, std::int16_t radius)
    : n_(n), S_(static_cast<double>(radius + radius)), threshold_(thresholdFor(S_))
{
    for (int k = 0; k < n; ++k)
        renew(k, mols[k]);
}

void PairScan::renew(int k, const Molecule& m)
{
    x_[static_cast<std::size_t>(k)] = laneOf(m.x);
    y_[static_cast<std::size_t>(k)] = laneOf(m.y);
}

// Bit k: the test cannot rule out partner block + k, of `count` from
// `block`, from the centre (cx, cy). "Not >=" keeps NaN in. Written so that
// compilers turn it into vector code: no branch, each lane's bit from a table,
// and a trip count they do not unroll into single lanes.
std::uint32_t PairScan::nearIn(int block, int count, float cx, float cy) const
{
    const float* x = x_.data() + block;
    const float* y = y_.data() + block;
    const float t = threshold_;
    std::uint32_t bits = 0;
    for (int k = 0; k < count; ++k) {
        const float dx = x[k] - cx;
        const float dy = y[k] - cy;
        bits |= kBit[static_cast<std::size_t>(k)] &
                (0u - static_cast<std::uint32_t>(!(dx * dx + dy * dy >= t)));
    }
    return bits;
}

void PairScan::passOver(Molecule* mols, int self)
{
    Molecule& me = mols[self];
    Mover i{me.x, me.y, me.vx, me.vy};
    float cx = laneOf(i.x);
    float cy = laneOf(i.y);
    for (int block = 0; block < n_; block += kBlock) {
        const int count = std::min(kBlock, n_ - block);
        std::uint32_t near = nearIn(block, count, cx, cy);
        while (near != 0) {
            const int at = std::countr_zero(near);
            near &= near - 1;
            const int k = block + at;
            if (k == self)
                continue;
            Molecule& mj = mols[k];
            const PairOutcome outcome = pairStep(i, mj, S_);
            if (outcome == PairOutcome::Push || outcome == PairOutcome::EvenPush) {
                // Both centres moved: the rest of the block is tested anew.
                renew(k, mj);
                cx = laneOf(i.x);
                cy = laneOf(i.y);
                const int next = at + 1;
                near = next < count ? nearIn(block + next, count - next, cx, cy) << next : 0;
            }
        }
    }
    me.x = i.x;
    me.y = i.y;
    me.vx = i.vx;
    me.vy = i.vy;
}

} // namespace physics
