#include "ui/qt/drawing_area.h"

#include <algorithm>
#include <cstring>

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QRegion>

namespace {

// Posted to the area itself when a frame has begun: it arrives after the
// frame's last call, when the frame's changes are all known.
const QEvent::Type kFrameDrawn = static_cast<QEvent::Type>(QEvent::registerEventType());

// Past this fraction of the area (1 / n) the changed tiles save little, and
// one rectangle for the whole area keeps Qt's work simple. Each rectangle
// counts as this many pixels more: Qt paints and sends it on its own, and
// 500 small discs at 1080p repaint quicker whole than in 800 pieces. At 4K
// and a scale of 2 the same discs cover a sixth of the area in 1,400
// pieces; sent whole, the X server falls behind and ticks are lost.
constexpr std::int64_t kPiecesBelowOneIn = 2;
constexpr std::int64_t kPixelsPerRect = 1024;

// The window's logic takes the buttons as bits left 1, right 2, middle 4 and
// the keys as shift 1, ctrl 2, alt 4: Qt's own flags, the keys 25 places up.
constexpr int kStateBits = 7;
constexpr int kModifierShift = 25;
static_assert(Qt::LeftButton == 1 && Qt::RightButton == 2 && Qt::MiddleButton == 4);
static_assert(Qt::ShiftModifier == 1 << kModifierShift &&
              Qt::ControlModifier == 2 << kModifierShift && Qt::AltModifier == 4 << kModifierShift);

} // namespace

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent)
{
    // The panel follows the pointer whether or not a button is held, so
    // moves must arrive with no button held too.
    setMouseTracking(true);
    // The canvas covers every pixel; nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::clear()
{
    fitCanvas();
    raster_.clear(background_.rgb());
    scheduleFrame();
}

void DrawingArea::drawDisc(float x, float y, float radius, const QColor& colour)
{
    // The ratio is looked up once a frame, at the clear: it costs more than
    // a small disc.
    if (size() != fittedSize_)
        fitCanvas();
    if (canvas_.isNull()) // an area of no pixels shows nothing
        return;
    const auto disc = raster::toDevicePixels(x, y, radius, static_cast<float>(ratio_));
    if (!disc)
        return;
    raster_.disc(disc->x, disc->y, disc->radius, colour.rgb());
    scheduleFrame();
}

void DrawingArea::scheduleFrame()
{
    // update() is coalesced by Qt too, but it costs a region merge per call;
    // a frame of a thousand discs needs one, made when the frame is over.
    if (frameScheduled_)
        return;
    frameScheduled_ = true;
    QCoreApplication::postEvent(this, new QEvent(kFrameDrawn));
}

bool DrawingArea::event(QEvent* event)
{
    if (event->type() != kFrameDrawn)
        return QWidget::event(event);
    frameScheduled_ = false;
    showFrame();
    return true;
}

void DrawingArea::showFrame()
{
    fitCanvas();
    // bits() on the non-const image: a copy that someone still holds keeps
    // the old picture.
    const raster::Canvas::Changes& changes = raster_.draw(
        {reinterpret_cast<raster::Pixel*>(canvas_.bits()), canvas_.width(), canvas_.height(),
         canvas_.bytesPerLine() / static_cast<qsizetype>(sizeof(raster::Pixel))},
        holdsLastFrame_);
    holdsLastFrame_ = true;
    if (!changes.everywhere && changes.boxes.empty())
        return;
    // Most of a paint's cost is Qt's copying and sending of the pixels, so
    // a frame is shown only where its pixels changed. Tiles of device pixels
    // fall on whole pixels of the widget only at a ratio that divides their
    // side (1 or 2); at 1.25, 1.5 or 3 the whole area is shown.
    const auto r = static_cast<int>(ratio_);
    const std::int64_t area = std::int64_t{canvas_.width()} * canvas_.height();
    const auto pieces = static_cast<std::int64_t>(changes.boxes.size());
    if (changes.everywhere || ratio_ != r || raster::Canvas::kTileSize % r != 0 ||
        (changes.pixels + pieces * kPixelsPerRect) * kPiecesBelowOneIn > area) {
        update();
        return;
    }
    regionRects_.clear();
    for (const raster::Canvas::Box& b : changes.boxes)
        regionRects_.push_back(
            QRect(QPoint(b.left / r, b.top / r), QPoint(b.right / r, b.bottom / r)));
    // The tiles are already a banded region; Qt takes it as it is.
    QRegion region;
    region.setRects(regionRects_.data(), static_cast<int>(regionRects_.size()));
    update(region);
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    fitCanvas();
    QPainter p(this);
    // In device pixels, so the canvas is copied as it is at any ratio.
    p.setWorldTransform(QTransform::fromScale(1 / ratio_, 1 / ratio_));
    // Each rectangle on its own: one image drawn over a region of many
    // pieces takes the painter's slow clipped path.
    for (const QRect& r : event->region()) {
        const QRect device =
            QRectF(QPointF(r.topLeft()) * ratio_, QSizeF(r.size()) * ratio_).toAlignedRect();
        p.drawImage(device.topLeft(), canvas_, device);
    }
}

void DrawingArea::fitCanvas()
{
    const qreal ratio = devicePixelRatioF();
    if (size() == fittedSize_ && ratio == ratio_)
        return;
    const QSize pixels = QRectF(QPointF(), QSizeF(size()) * ratio).toAlignedRect().size();
    QImage fitted(pixels, QImage::Format_RGB32);
    fitted.fill(background_);
    // What was drawn stays where it was, pixel for pixel, as far as it fits.
    const int rows = std::min(fitted.height(), canvas_.height());
    const auto rowBytes = static_cast<std::size_t>(std::min(fitted.width(), canvas_.width())) *
                          sizeof(raster::Pixel);
    for (int y = 0; y < rows; ++y)
        std::memcpy(fitted.scanLine(y), canvas_.constScanLine(y), rowBytes);
    canvas_ = std::move(fitted);
    holdsLastFrame_ = false;
    ratio_ = ratio;
    fittedSize_ = size();
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit pointerMoved(static_cast<std::int16_t>(event->buttons().toInt() & kStateBits),
                      static_cast<std::int16_t>((event->modifiers().toInt() >> kModifierShift) &
                                                kStateBits),
                      static_cast<float>(pos.x()), static_cast<float>(pos.y()));
    QWidget::mouseMoveEvent(event);
}
