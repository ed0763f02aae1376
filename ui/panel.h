#pragma once

namespace panel {

// Pixels the panel moves on each tick of a running animation.
inline constexpr float kStep = 3;
// Top of the panel when fully shown.
inline constexpr float kShownTop = 0;
// Hiding goes on while the top is above this; in steps of 3 from 0 it comes
// to rest at -42, one pixel beyond the design height of 41.
inline constexpr float kHiddenLimit = -41;
// The pointer calls the panel back within this many panel heights of the
// drawing area's top.
inline constexpr float kBandFactor = 2;

} // namespace panel
