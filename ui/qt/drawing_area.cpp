#include "ui/qt/drawing_area.h"

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPaintEvent>
#include <QRegion>

namespace {

// Posted to the area itself when a frame has begun: it arrives once the
// event that draws the frame is over.
const QEvent::Type kFrameWanted = static_cast<QEvent::Type>(QEvent::registerEventType());

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
    // The picture covers every pixel; nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingArea::clear()
{
    picture_.clear(background_.rgb());
    wantFrame();
}

void DrawingArea::drawDisc(float x, float y, float radius, const QColor& colour)
{
    picture_.disc(x, y, radius, colour.rgb());
    wantFrame();
}

void DrawingArea::wantFrame()
{
    if (frameWanted_)
        return;
    frameWanted_ = true;
    QCoreApplication::postEvent(this, new QEvent(kFrameWanted));
}

bool DrawingArea::event(QEvent* event)
{
    if (event->type() != kFrameWanted)
        return QWidget::event(event);
    frameWanted_ = false;
    show(drawFrame());
    return true;
}

raster::Picture::Shown DrawingArea::drawFrame()
{
    const qreal ratio = devicePixelRatioF();
    const QSize device = QRectF(QPointF(), QSizeF(size()) * ratio).toAlignedRect().size();
    return picture_.frame(device.width(), device.height(), static_cast<float>(ratio));
}

bool DrawingArea::fitsWidget() const
{
    const raster::Surface& s = picture_.pixels();
    const qreal ratio = devicePixelRatioF();
    return QRectF(QPointF(), QSizeF(size()) * ratio).toAlignedRect().size() ==
               QSize(s.width, s.height) &&
           static_cast<float>(ratio) == picture_.ratio();
}

void DrawingArea::show(const raster::Picture::Shown& shown)
{
    // Tiles of device pixels fall on whole pixels of the widget only at a
    // ratio that divides their side; at 1.25, 1.5 or 3 the whole area is
    // shown.
    const qreal ratio = picture_.ratio();
    const auto r = static_cast<int>(ratio);
    if (shown.whole || r < 1 || ratio != r || raster::Canvas::kTileSize % r != 0) {
        update();
        return;
    }
    if (shown.boxes.empty())
        return;
    rects_.clear();
    for (const raster::Canvas::Box& b : shown.boxes)
        rects_.push_back(QRect(QPoint(b.left / r, b.top / r), QPoint(b.right / r, b.bottom / r)));
    // The tiles are already a banded region; Qt takes it as it is.
    QRegion region;
    region.setRects(rects_.data(), static_cast<int>(rects_.size()));
    update(region);
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    // A new size or screen repaints the area before the next frame would be
    // drawn: the picture follows it here.
    if (!fitsWidget()) {
        const raster::Picture::Shown shown = drawFrame();
        if (event->region() != QRegion(rect()))
            show(shown);
    }
    const raster::Surface& s = picture_.pixels();
    const QImage pixels(reinterpret_cast<const uchar*>(s.pixels), s.width, s.height,
                        s.stride * static_cast<qsizetype>(sizeof(raster::Pixel)),
                        QImage::Format_RGB32);
    const qreal ratio = picture_.ratio();
    QPainter p(this);
    // In device pixels, so the picture is copied as it is at any ratio.
    p.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    // Each rectangle on its own: one image drawn over a region of many
    // pieces takes the painter's slow clipped path.
    for (const QRect& r : event->region()) {
        const QRect device =
            QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio).toAlignedRect();
        p.drawImage(device.topLeft(), pixels, device);
    }
    if (hasFocus()) {
        p.resetTransform();
        QPen pen(palette().color(QPalette::Highlight), kFocusFrame);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        const qreal half = kFocusFrame / 2.0;
        p.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
    }
}

// The frame comes and goes with the focus, over whatever the picture shows.
void DrawingArea::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void DrawingArea::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
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
