#pragma once

#include <cstdint>

// The program's one source of random numbers: uniform single-precision values
// in [0, 1). It is never seeded, so every program start replays the same
// sequence; a fixed generator (not rand()) keeps that sequence the same on
// every platform and standard library.
class UniformSource {
public:
    virtual ~UniformSource() = default;

    // Virtual so that a test can hand the form draws of its own choosing.
    virtual float next()
    {
        // SplitMix64; the top 24 bits fill a float's mantissa exactly, so the
        // largest value is 1 - 2^-24 and 1 itself never occurs.
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return static_cast<float>(z >> 40) * 0x1p-24f;
    }

private:
    std::uint64_t state_ = 0x2545F4914F6CDD1DULL;
};
