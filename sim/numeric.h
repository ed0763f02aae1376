#pragma once

// Conversions that the window's arithmetic makes between doubles, singles and
// 16-bit integers, written so that no value, however far out, is undefined
// behaviour in C++.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace numeric {

// `value` > `size` with `value` first rounded to single precision, so a value
// within half a single step of `size` counts as equal to it. Clamped into
// float's range first, which keeps the conversion defined for any value;
// beyond that range the rounding cannot change the answer for an area's size.
// NaN is greater than nothing.
inline bool greaterAsSingle(double value, float size)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    return !std::isnan(value) && static_cast<float>(std::clamp(value, -kMax, kMax)) > size;
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

// The nearest integer, ties to even, if a 16-bit integer holds it.
inline std::optional<std::int16_t> nearestInt16(double value)
{
    const double r = std::nearbyint(value);
    if (!fitsInt16(r)) // NaN too
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

} // namespace numeric
