// The drawing area on Qt, through the toolkit interface the window's logic
// uses: colours, circles, clearing, sizes and pointer events.

#include <QApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

#include "harness.h"
#include "ui/qt/mouse_state.h"
#include "ui/qt/qt_toolkit.h"

namespace {

const QColor kBackground(0, 0, 0);
constexpr toolkit::Color kYellow = 0x0000FFFF;
constexpr toolkit::Color kRed = 0x000000FF;

// A bare area of 200 x 100 pixels on a black background and its adapter.
struct Area {
    DrawingArea widget;
    qt_toolkit::PictureBox box{widget};

    Area()
    {
        widget.resize(200, 100);
        widget.setBackground(kBackground);
        widget.clear();
    }
};

} // namespace

class DrawingAreaTest : public QObject {
    Q_OBJECT
private slots:
    void colours_data();
    void colours();

    void solidDiscIsOneColour();
    void hollowUntilFillStyleSolid();
    void fillAndOutlineColoursDiffer();
    void circleShowsWithoutRefresh();
    void clsErasesToBackground();

    void sizeKeepsFractions_data();
    void sizeKeepsFractions();
    void pictureSurvivesGrowing();

    void mouseStates_data();
    void mouseStates();
    void pointerMoveReportsAreaPixels();
};

void DrawingAreaTest::colours_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QColor>("expected");

    // 0x00BBGGRR: red in the low byte.
    QTest::newRow("red") << quint32(0x000000FF) << QColor(255, 0, 0);
    QTest::newRow("green") << quint32(0x0000FF00) << QColor(0, 255, 0);
    QTest::newRow("blue") << quint32(0x00FF0000) << QColor(0, 0, 255);
    QTest::newRow("molecule yellow 65535") << quint32(65535) << QColor(255, 255, 0);
    QTest::newRow("mixed") << quint32(0x00123456) << QColor(0x56, 0x34, 0x12);
    QTest::newRow("system button text")
        << quint32(0x80000012) << QApplication::palette().color(QPalette::ButtonText);
    QTest::newRow("system button face")
        << quint32(0x8000000F) << QApplication::palette().color(QPalette::Button);
}

void DrawingAreaTest::colours()
{
    QFETCH(quint32, value);
    QFETCH(QColor, expected);
    QCOMPARE(qt_toolkit::toQColor(value), expected);
}

void DrawingAreaTest::solidDiscIsOneColour()
{
    Area a;
    a.box.setFillStyleSolid();
    a.box.setFillColor(kYellow);
    a.box.circle(50, 40, 7, kYellow);

    const QImage& img = a.widget.canvas();
    QCOMPARE(img.pixelColor(50, 40), harness::kYellow);  // centre
    QCOMPARE(img.pixelColor(54, 43), harness::kYellow);  // inside
    QCOMPARE(img.pixelColor(57, 40), harness::kYellow);  // on the rim
    QCOMPARE(img.pixelColor(59, 40), kBackground);       // beyond it
    QCOMPARE(img.pixelColor(50, 49), kBackground);
    // Nothing but yellow and background: no blended edge pixels.
    QCOMPARE(harness::pixelsOf(img, harness::kYellow) + harness::pixelsOf(img, kBackground),
             img.width() * img.height());
}

void DrawingAreaTest::hollowUntilFillStyleSolid()
{
    Area a;
    a.box.circle(50, 40, 7, kYellow);
    QCOMPARE(a.widget.canvas().pixelColor(50, 40), kBackground);
    QCOMPARE(a.widget.canvas().pixelColor(57, 40), harness::kYellow);
}

void DrawingAreaTest::fillAndOutlineColoursDiffer()
{
    Area a;
    a.box.setFillStyleSolid();
    a.box.setFillColor(kRed);
    a.box.circle(50, 40, 7, kYellow);
    QCOMPARE(a.widget.canvas().pixelColor(50, 40), QColor(255, 0, 0));
    QCOMPARE(a.widget.canvas().pixelColor(57, 40), harness::kYellow);
}

void DrawingAreaTest::circleShowsWithoutRefresh()
{
    Area a;
    a.widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&a.widget));
    a.box.setFillStyleSolid();
    a.box.setFillColor(kYellow);
    a.box.circle(100, 50, 10, kYellow);
    // What the screen shows once pending paints are done, no call of ours.
    QTRY_COMPARE(a.widget.grab().toImage().pixelColor(100, 50), harness::kYellow);
}

void DrawingAreaTest::clsErasesToBackground()
{
    Area a;
    a.box.setFillStyleSolid();
    a.box.setFillColor(kYellow);
    a.box.circle(20, 20, 5, kYellow);
    a.box.circle(180, 80, 30, kYellow);
    a.box.cls();
    const QImage& img = a.widget.canvas();
    QCOMPARE(harness::pixelsOf(img, kBackground), img.width() * img.height());
}

void DrawingAreaTest::sizeKeepsFractions_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<QSize>("widgetSize");

    QTest::newRow("whole pixels") << 668.0f << 344.0f << QSize(668, 344);
    QTest::newRow("fractions, 12 twips a pixel") << 839.0f << 439.5f << QSize(839, 440);
    QTest::newRow("below half a pixel") << 10.25f << 3.75f << QSize(10, 4);
    QTest::newRow("empty") << 0.0f << 0.0f << QSize(0, 0);
}

void DrawingAreaTest::sizeKeepsFractions()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(QSize, widgetSize);

    Area a;
    a.box.setWidth(width);
    a.box.setHeight(height);
    // The window's logic reads back exactly what it set.
    QCOMPARE(a.box.width(), width);
    QCOMPARE(a.box.height(), height);
    QCOMPARE(a.widget.size(), widgetSize);
    QCOMPARE(a.widget.canvas().size(), widgetSize);
}

void DrawingAreaTest::pictureSurvivesGrowing()
{
    Area a;
    a.box.setFillStyleSolid();
    a.box.setFillColor(kYellow);
    a.box.circle(30, 30, 5, kYellow);
    a.box.setWidth(400);
    a.box.setHeight(300);
    QCOMPARE(a.widget.canvas().pixelColor(30, 30), harness::kYellow);
    QCOMPARE(a.widget.canvas().pixelColor(350, 250), kBackground);
}

void DrawingAreaTest::mouseStates_data()
{
    QTest::addColumn<Qt::MouseButtons>("buttons");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("shift");

    QTest::newRow("nothing held") << Qt::MouseButtons() << Qt::KeyboardModifiers() << 0 << 0;
    QTest::newRow("left") << Qt::MouseButtons(Qt::LeftButton) << Qt::KeyboardModifiers() << 1
                          << 0;
    QTest::newRow("right") << Qt::MouseButtons(Qt::RightButton) << Qt::KeyboardModifiers() << 2
                           << 0;
    QTest::newRow("middle") << Qt::MouseButtons(Qt::MiddleButton) << Qt::KeyboardModifiers()
                            << 4 << 0;
    QTest::newRow("left and right") << (Qt::LeftButton | Qt::RightButton)
                                    << Qt::KeyboardModifiers() << 3 << 0;
    QTest::newRow("shift") << Qt::MouseButtons() << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0
                           << 1;
    QTest::newRow("ctrl") << Qt::MouseButtons() << Qt::KeyboardModifiers(Qt::ControlModifier)
                          << 0 << 2;
    QTest::newRow("alt") << Qt::MouseButtons() << Qt::KeyboardModifiers(Qt::AltModifier) << 0
                         << 4;
    QTest::newRow("shift+ctrl+alt, keypad ignored")
        << Qt::MouseButtons()
        << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier) << 0
        << 7;
}

void DrawingAreaTest::mouseStates()
{
    QFETCH(Qt::MouseButtons, buttons);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, button);
    QFETCH(int, shift);
    QCOMPARE(mouse_state::buttonBits(buttons), button);
    QCOMPARE(mouse_state::shiftBits(modifiers), shift);
}

void DrawingAreaTest::pointerMoveReportsAreaPixels()
{
    Area a;
    QSignalSpy spy(&a.widget, &DrawingArea::pointerMoved);
    const QPointF local(12.5, 30.25);
    QMouseEvent move(QEvent::MouseMove, local, a.widget.mapToGlobal(local), Qt::NoButton,
                     Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&a.widget, &move);

    QCOMPARE(spy.count(), 1);
    const QList<QVariant> args = spy.takeFirst();
    QCOMPARE(args.at(0).value<std::int16_t>(), std::int16_t{1});
    QCOMPARE(args.at(1).value<std::int16_t>(), std::int16_t{1});
    QCOMPARE(args.at(2).toFloat(), 12.5f);
    QCOMPARE(args.at(3).toFloat(), 30.25f);
}

QTEST_MAIN(DrawingAreaTest)
#include "drawing_area_test.moc"
