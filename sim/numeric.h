#pragma once

// Conversions that the window's arithmetic makes between doubles, singles and
// 16-bit integers, written so that no value, however far out, is undefined
// behaviour in C++.

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace numeric {

// `value` > `size` with `value` first rounded to single precision, so a value
// within half a single step of `size` counts as equal to it.
inline bool greaterAsSingle(double value, float size)
{
    if (std::fabs(value) <= std::numeric_limits<float>::max())
        return static_cast<float>(value) > size;
    return value > size; // beyond float's range the rounding cannot matter
}

inline bool fitsInt16(double value)
{
    return value >= std::numeric_limits<std::int16_t>::min() &&
           value <= std::numeric_limits<std::int16_t>::max();
}

// The largest integer not greater than `value`, if a 16-bit integer holds it.
inline std::optional<std::int16_t> floorInt16(double value)
{
    const double f = std::floor(value);
    if (!fitsInt16(f))
        return std::nullopt;
    return static_cast<std::int16_t>(f);
}

// The nearest integer, ties to even, if a 16-bit integer holds it.
inline std::optional<std::int16_t> nearestInt16(double value)
{
    const double r = std::nearbyint(value);
    if (!fitsInt16(r))
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

} // namespace numeric
