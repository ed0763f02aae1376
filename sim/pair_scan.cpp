#include "sim/pair_scan.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "sim/physics.h"

namespace physics {

namespace {

// The test rules a partner out when the lanes' squared distance, in single
// precision, reaches (S + M)^2. M = 1/64 + S * 2^-20 px is more than the
// lanes' rounding (2^-10 px each) and single-precision arithmetic can move
// it, so a pair ruled out is one the pair step would leave alone; the soak
// holds every tick to taking every pair in turn.
float thresholdFor(double S)
{
    const double reach = S + 1.0 / 64 + S * 0x1p-20;
    return static_cast<float>(reach * reach);
}

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
    : n_(std::clamp(n, 0, kCapacity)), S_(static_cast<double>(radius + radius)), threshold_(thresholdFor(S_))
{
    for (int k = 0; k < n_; ++k)
        renew(k, mols[k]);
    // Far along x (its square, 2^120, is still finite), and finite along y.
    std::fill_n(x_.begin() + n_, kBlock, 0x1p60f);
    std::fill_n(y_.begin() + n_, kBlock, 0.0f);
}

void PairScan::renew(int k, const Molecule& m)
{
    x_[static_cast<std::size_t>(k)] = laneOf(m.x);
    y_[static_cast<std::size_t>(k)] = laneOf(m.y);
}

// Bit k: the test cannot rule out partner from + k from the centre (cx, cy).
// Written so that compilers turn it into vector code: no branch, each lane's
// bit from a table, and a fixed trip count.
std::uint32_t PairScan::nearIn(int from, float cx, float cy) const
{
    const float* x = x_.data() + from;
    const float* y = y_.data() + from;
    std::uint32_t bits = 0;
    for (int k = 0; k < kBlock; ++k) {
        const float dx = x[k] - cx;
        const float dy = y[k] - cy;
        const bool near = dx * dx + dy * dy < threshold_;
        bits |= kBit[static_cast<std::size_t>(k)] & (0u - static_cast<std::uint32_t>(near));
    }
    return bits;
}

void PairScan::passOver(Molecule* mols, int self)
{
    Molecule& me = mols[self];
    Mover i{me.x, me.y, me.vx, me.vy};
    const double S = S_; // a local, so that writes to the molecules cannot touch it
    float cx = laneOf(i.x);
    float cy = laneOf(i.y);
    int from = 0;
    while (from < n_) {
        const auto own = static_cast<unsigned>(self - from); // past the window if negative
        std::uint32_t near = nearIn(from, cx, cy) & ~(own < kBlock ? 1u << own : 0u);
        int next = from + kBlock;
        while (near != 0) {
            const int k = from + std::countr_zero(near);
            near &= near - 1;
            Molecule& mj = mols[k];
            if (pairStep(i, mj, S)) {
                // Both centres moved: the test starts anew after this partner.
                renew(k, mj);
                cx = laneOf(i.x);
                cy = laneOf(i.y);
                next = k + 1;
                break;
            }
        }
        from = next;
    }
    std::tie(me.x, me.y, me.vx, me.vy) = std::tuple(i.x, i.y, i.vx, i.vy);
}

} // namespace physics
