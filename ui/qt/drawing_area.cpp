#include "ui/qt/drawing_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "ui/qt/mouse_state.h"

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent)
{
    // Pointer moves must arrive with no button held, as they do on the
    // platform the window's logic was written for.
    setMouseTracking(true);
    // The canvas covers every pixel; nothing underneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_ = QImage(size(), QImage::Format_RGB32);
    canvas_.fill(background_);
}

void DrawingArea::setBackground(const QColor& color)
{
    background_ = color;
}

void DrawingArea::clear()
{
    canvas_.fill(background_);
    update();
}

void DrawingArea::drawCircle(float x, float y, float radius, const QColor& outline, bool filled,
                             const QColor& fill)
{
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
    QPainter p(this);
    p.drawImage(event->rect(), canvas_, event->rect());
}

void DrawingArea::resizeEvent(QResizeEvent* event)
{
    // Keep the picture where it still fits; new pixels are background.
    QImage grown(event->size(), QImage::Format_RGB32);
    grown.fill(background_);
    if (!grown.isNull() && !canvas_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, canvas_);
    }
    canvas_ = std::move(grown);
    QWidget::resizeEvent(event);
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    emit pointerMoved(mouse_state::buttonBits(event->buttons()),
                      mouse_state::shiftBits(event->modifiers()), static_cast<float>(pos.x()),
                      static_cast<float>(pos.y()));
    QWidget::mouseMoveEvent(event);
}
