#include "ui/qt/mouse_state.h"

namespace mouse_state {

std::int16_t buttonBits(Qt::MouseButtons buttons)
{
    std::int16_t bits = 0;
    if (buttons & Qt::LeftButton)
        bits |= kLeftButton;
    if (buttons & Qt::RightButton)
        bits |= kRightButton;
    if (buttons & Qt::MiddleButton)
        bits |= kMiddleButton;
    return bits;
}

std::int16_t shiftBits(Qt::KeyboardModifiers modifiers)
{
    std::int16_t bits = 0;
    if (modifiers & Qt::ShiftModifier)
        bits |= kShiftKey;
    if (modifiers & Qt::ControlModifier)
        bits |= kCtrlKey;
    if (modifiers & Qt::AltModifier)
        bits |= kAltKey;
    return bits;
}

} // namespace mouse_state
