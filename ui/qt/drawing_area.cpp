#include "ui/qt/drawing_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include "ui/qt/mouse_state.h"

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
    return canvas_;
}

void DrawingArea::clear()
{
    fitCanvas();
    canvas_.fill(background_);
    update();
}

void DrawingArea::drawCircle(float x, float y, float radius, const QColor& outline, bool filled,
                             const QColor& fill)
{
    fitCanvas();
    if (canvas_.isNull()) // an area of no pixels shows nothing
        return;
    QPainter p(&canvas_);
    // A cosmetic pen is one pixel wide whatever the transformation.
    p.setPen(QPen(outline, 0));
    p.setBrush(filled ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.drawEllipse(QPointF(x, y), radius, radius);
    p.end();
    update();
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    fitCanvas();
    QPainter p(this);
    p.drawImage(event->rect(), canvas_, event->rect());
}

void DrawingArea::fitCanvas() const
{
    if (canvas_.size() == size())
        return;
    QImage fitted(size(), QImage::Format_RGB32);
    fitted.fill(background_);
    if (!fitted.isNull() && !canvas_.isNull()) {
        QPainter p(&fitted);
        p.drawImage(0, 0, canvas_);
    }
    canvas_ = std::move(fitted);
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit pointerMoved(mouse_state::buttonBits(event->buttons()),
                      mouse_state::shiftBits(event->modifiers()), static_cast<float>(pos.x()),
                      static_cast<float>(pos.y()));
    QWidget::mouseMoveEvent(event);
}
