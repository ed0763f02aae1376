#pragma once

// Conversions that the window's arithmetic makes between doubles, singles and
// 16-bit integers, written so that no value, however far out, is undefined
// behaviour in C++.

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace numeric {

// In a dense gas many centres sit near the edges of the drawing area, and the
// edge tests of the boundary rules and of the redraw turn out one way for one
// molecule and the other way for the next. A branch on them would be
// mispredicted about half the time, and each miss throws away the work already
// under way after it (the start of the next molecule's pass). So they are
// written to compile to selects: `select`, and `&` and `|` on truth values
// that are all computed.

// `whenTrue` if `condition`, else `whenFalse`, without a branch.
inline double select(bool condition, double whenTrue, double whenFalse)
{
    const std::uint64_t mask = std::uint64_t{0} - static_cast<std::uint64_t>(condition);
    return std::bit_cast<double>((std::bit_cast<std::uint64_t>(whenTrue) & mask) |
                                 (std::bit_cast<std::uint64_t>(whenFalse) & ~mask));
}

// `value` > `size` with `value` first rounded to single precision, so a value
// within half a single step of `size` counts as equal to it. Clamped first,
// which keeps the conversion defined for any value (NaN goes to the lowest);
// beyond float's range the rounding cannot change the answer for an area's
// size.
inline bool greaterAsSingle(double value, float size)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    const double clamped = !(value >= -kMax) ? -kMax : (value > kMax ? kMax : value);
    return static_cast<float>(clamped) > size;
}

inline bool fitsInt16(double value)
{
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

// The largest integer not greater than `value`, if a 16-bit integer holds it.
// The redraw converts every centre of every frame, so this stays inline
// rather than calling the library's floor: truncation, moved down by one
// where it went up, is the floor, for any value that an int holds.
inline std::optional<std::int16_t> floorInt16(double value)
{
    if (!(std::fabs(value) < std::numeric_limits<int>::max()))
        return std::nullopt; // NaN too
    const auto truncated = static_cast<int>(value);
    const int floor = truncated - static_cast<int>(truncated > value);
    if (!fitsInt16(floor))
        return std::nullopt;
    return static_cast<std::int16_t>(floor);
}

// The nearest integer, ties to even, if a 16-bit integer holds it. On x86-64
// the conversion instruction rounds in the current mode, as nearbyint does,
// without the library call; whatever it cannot hold, NaN included, comes out
// as INT_MIN, which does not fit either.
inline std::optional<std::int16_t> nearestInt16(double value)
{
#if defined(__SSE2__) || defined(_M_X64)
    const int r = _mm_cvtsd_si32(_mm_set_sd(value));
#else
    const double r = std::nearbyint(value);
#endif
    if (!fitsInt16(r))
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

} // namespace numeric
