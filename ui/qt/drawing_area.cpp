#include "ui/qt/drawing_area.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include "ui/qt/mouse_state.h"

namespace {

// Past this many pixels from the origin no circle reaches a widget of any
// size Qt allows (QWIDGETSIZE_MAX plus the largest radius); coordinates are
// held to it so that whole-pixel arithmetic cannot overflow.
constexpr float kCoordinateLimit = 1 << 25;

int wholePixel(float v)
{
    return static_cast<int>(std::lround(std::clamp(v, -kCoordinateLimit, kCoordinateLimit)));
}

} // namespace

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent)
{
    // Pointer moves must arrive with no button held, as they do on the
    // platform the window's logic was written for.
    setMouseTracking(true);
    // The canvas covers every pixel; nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::setBackground(const QColor& color)
{
    background_ = color;
}

const QImage& DrawingArea::canvas() const
{
    fitCanvas();
    settle();
    return canvas_;
}

void DrawingArea::clear()
{
    if (clearObserver_)
        clearObserver_();
    fitCanvas();
    raster_.clear(background_.rgb());
    scheduleUpdate();
}

void DrawingArea::drawCircle(float x, float y, float radius, const QColor& outline, bool filled,
                             const QColor& fill)
{
    fitCanvas();
    if (canvas_.isNull()) // an area of no pixels shows nothing
        return;
    // A circle with no place or no size is not drawn at all.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius))
        return;
    raster_.circle(surface(), wholePixel(x), wholePixel(y),
                   wholePixel(std::min(std::fabs(radius), float{raster::kMaxRadius})),
                   outline.rgb(), filled, fill.rgb());
    scheduleUpdate();
}

void DrawingArea::scheduleUpdate()
{
    // update() is coalesced by Qt too, but it costs a region merge per call;
    // a frame of a thousand discs needs one. One update of the whole area
    // also paints and flushes faster than one for each disc's place.
    if (updateScheduled_)
        return;
    updateScheduled_ = true;
    update();
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    updateScheduled_ = false;
    fitCanvas();
    settle();
    QPainter p(this);
    p.drawImage(event->rect(), canvas_, event->rect());
}

raster::Surface DrawingArea::surface() const
{
    // bits() on the non-const image: a copy that someone still holds keeps
    // the old picture.
    return {reinterpret_cast<raster::Pixel*>(canvas_.bits()), canvas_.width(), canvas_.height(),
            canvas_.bytesPerLine() / static_cast<qsizetype>(sizeof(raster::Pixel))};
}

void DrawingArea::settle() const
{
    if (raster_.pending())
        raster_.flush(surface());
}

void DrawingArea::fitCanvas() const
{
    if (canvas_.size() == size())
        return;
    // What was drawn before the resize lands on the canvas it was drawn for.
    settle();
    QImage fitted(size(), QImage::Format_RGB32);
    fitted.fill(background_);
    if (!fitted.isNull() && !canvas_.isNull()) {
        QPainter p(&fitted);
        p.drawImage(0, 0, canvas_);
    }
    canvas_ = std::move(fitted);
    raster_.forget();
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit pointerMoved(mouse_state::buttonBits(event->buttons()),
                      mouse_state::shiftBits(event->modifiers()), static_cast<float>(pos.x()),
                      static_cast<float>(pos.y()));
    QWidget::mouseMoveEvent(event);
}
