#pragma once

// The button and shift states that a pointer-move event hands the window's
// logic, as bit sets: the toolkit interface carries them as 16-bit integers.

#include <cstdint>

#include <Qt>

namespace mouse_state {

inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

inline constexpr std::int16_t kShiftKey = 1;
inline constexpr std::int16_t kCtrlKey = 2;
inline constexpr std::int16_t kAltKey = 4;

std::int16_t buttonBits(Qt::MouseButtons buttons);
std::int16_t shiftBits(Qt::KeyboardModifiers modifiers);

} // namespace mouse_state
