#include <cstdint>

#include "sim/numeric.h"
#include "sim/state.h"

void Form1::myCirc(std::int16_t inX, std::int16_t inY, std::int16_t rad, toolkit::Color cColor,
                   bool limtBool) const
{
    // The edge sums are 16-bit quantities; a disc for which they leave that
    // range lies far outside the area and is skipped, image and all.
    const int right = inX + rad;
    const int bottom = inY + rad;
    const int left = inX - rad;
    const int top = inY - rad;
    if (!numeric::fitsInt16(right) || !numeric::fitsInt16(bottom) || !numeric::fitsInt16(left) ||
        !numeric::fitsInt16(top))
        return;

    toolkit::PictureBox& pic = ui_.picture1;
    pic.setFillStyleSolid();
    pic.setFillColor(cColor);
    pic.circle(inX, inY, rad, cColor);

    // One image at most, shifted on both axes near a corner. The tests run
    // right, bottom, left, top; on each axis a later test overrides.
    const double width = pic.width();
    const double height = pic.height();
    const bool pastRight = right > width;
    const bool pastBottom = bottom > height;
    const bool pastLeft = left < 0;
    const bool pastTop = top < 0;
    if (!limtBool || !(pastRight || pastBottom || pastLeft || pastTop))
        return;
    const double shiftX = pastLeft ? width : (pastRight ? -width : 0.0);
    const double shiftY = pastTop ? height : (pastBottom ? -height : 0.0);
    const auto imageX = numeric::nearestInt16(inX + shiftX);
    const auto imageY = numeric::nearestInt16(inY + shiftY);

    // An image position beyond 16 bits (an area tens of thousands of pixels
    // wide) would be far out of sight: drop the image, keep the disc.
    if (imageX && imageY)
        pic.circle(*imageX, *imageY, rad, cColor);
}
