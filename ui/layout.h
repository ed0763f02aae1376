#pragma once

namespace layout {

// The drawing area is the window's outer size less these fixed margins
// (pixels), whatever the system's real frame and title bar measure.
inline constexpr float kPictureWidthMargin = 16;
inline constexpr float kPictureHeightMargin = 38;

} // namespace layout
