#include <cmath>

#include "sim/numeric.h"
#include "sim/state.h"

// Wrap-around: a centre below 0 goes to the far edge, one beyond the far edge
// goes to 0; the radius plays no part.
double Form1::LimType1(double coord, bool tpCoo) const
{
    const float size = tpCoo ? ui_.picture1.width() : ui_.picture1.height();
    if (numeric::greaterAsSingle(coord, size))
        return 0;
    return coord >= 0 ? coord : size; // NaN too goes to the far edge
}

// Walls: the factor for the velocity component on one axis. A disc that
// reaches past an edge is turned back only while its velocity points out
// through that edge: a negative one through the low edge, any other through
// the high one. Turning it regardless of direction would trap a disc that a
// push has left deeper than one step beyond a wall: it would reverse on every
// tick and never come back in, and the bounded gas would leak out of its box.
std::int16_t Form1::LimType2(double tpCoo, std::int16_t mrad, bool tpDlt, double velocity) const
{
    const float size = tpDlt ? ui_.picture1.width() : ui_.picture1.height();
    const bool pastLow = tpCoo - mrad < 0;
    const bool pastHigh = numeric::greaterAsSingle(mrad + tpCoo, size);
    const bool turn = std::signbit(velocity) ? pastLow : pastHigh;
    return static_cast<std::int16_t>(1 - 2 * static_cast<int>(turn));
}
