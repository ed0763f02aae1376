// The window on a screen whose logical DPI is not the standard 96. ctest
// starts this test once per screen setting and names, in
// THERMAL_TWIPS_PER_PIXEL, the scale that setting must give the window; the
// expectations for each scale are worked out by hand below.

#include <cmath>
#include <optional>

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "tests/widgets/harness.h"
#include "ui/qt/qt_toolkit.h"

namespace {

struct Scale {
    int twipsPerPixel;
    double logicalDpi;       // 1440 twips an inch / twips per pixel
    QSize client;            // 10260 x 5730 twips, to the nearest pixel
    int panelHeight;         // 615 twips, to the nearest pixel
    double band;             // twice the exact panel height
    int stripLeftInView;     // panel height - 42, when positive
};

// 615 / 15 = 41 exactly; 615 / 12 = 51.25, which the widget rounds to 51
// while the band doubles the exact 51.25.
const Scale kStandard{15, 96.0, {684, 382}, 41, 82.0, 0};
const Scale kDense{12, 120.0, {855, 478}, 51, 102.5, 9};

std::optional<Scale> scaleFromEnvironment()
{
    bool ok = false;
    const int tpp = qEnvironmentVariableIntValue("THERMAL_TWIPS_PER_PIXEL", &ok);
    if (ok && tpp == kStandard.twipsPerPixel)
        return kStandard;
    if (ok && tpp == kDense.twipsPerPixel)
        return kDense;
    return std::nullopt;
}

// A pointer move over the drawing area at a position that need not be a whole
// pixel, as a high-resolution pointer delivers it.
void movePointer(MainWindow& w, double x, double y)
{
    QWidget* area = w.controls().picture1;
    const QPointF local(x, y);
    QMouseEvent move(QEvent::MouseMove, local, area->mapToGlobal(local), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(area, &move);
}

} // namespace

class ScreenScale : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { w_.reset(); }

    void screenReportsTheScale();
    void windowAndPanelInPixels();
    void pointerBandIsTwiceThePanel_data();
    void pointerBandIsTwiceThePanel();
    void hidingRestsAtMinus42();
    void showingReturnsToZero();

private:
    // Starts a run with the pointer well below the band, so the next ticks
    // slide the panel up.
    void startHiding();

    Scale s_{};
    std::unique_ptr<MainWindow> w_;
};

void ScreenScale::initTestCase()
{
    const auto scale = scaleFromEnvironment();
    if (!scale)
        QFAIL("THERMAL_TWIPS_PER_PIXEL must be 15 or 12");
    s_ = *scale;
}

void ScreenScale::init()
{
    w_ = harness::shownWindow();
    QVERIFY(w_);
}

void ScreenScale::screenReportsTheScale()
{
    // Guards the environment: without it every other check here would quietly
    // test the standard scale.
    QCOMPARE(w_->screen()->logicalDotsPerInchY(), s_.logicalDpi);
    QCOMPARE(qt_toolkit::twipsPerPixelX(*w_), static_cast<float>(s_.twipsPerPixel));
    QCOMPARE(qt_toolkit::twipsPerPixelY(*w_), static_cast<float>(s_.twipsPerPixel));
}

void ScreenScale::windowAndPanelInPixels()
{
    QCOMPARE(w_->size(), s_.client);
    const QFrame* frame = w_->controls().frame1;
    QCOMPARE(frame->height(), s_.panelHeight);
    QCOMPARE(frame->y(), 0);
    QCOMPARE(frame->width(), w_->frameGeometry().width());
}

void ScreenScale::pointerBandIsTwiceThePanel_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("shown");

    if (s_.twipsPerPixel == 12) {
        // 83 is beyond the band at the standard setting but well inside here.
        QTest::newRow("y 83") << 83.0 << true;
        QTest::newRow("y 102") << 102.0 << true;
        QTest::newRow("y 102.5, twice 51.25") << 102.5 << true;
        QTest::newRow("y 102.75") << 102.75 << false;
        QTest::newRow("y 103") << 103.0 << false;
    } else {
        QTest::newRow("y 82, twice 41") << 82.0 << true;
        QTest::newRow("y 82.5") << 82.5 << false;
        QTest::newRow("y 83") << 83.0 << false;
    }
    QTest::newRow("y 0") << 0.0 << true;
    QTest::newRow("y 200") << 200.0 << false;
}

void ScreenScale::pointerBandIsTwiceThePanel()
{
    QFETCH(double, y);
    QFETCH(bool, shown);

    // From the opposite target, so that every row proves a change.
    movePointer(*w_, 10, shown ? 300.0 : 0.0);
    QCOMPARE(w_->form().vizPanel, !shown);
    movePointer(*w_, 10, y);
    QCOMPARE(w_->form().vizPanel, shown);
}

void ScreenScale::startHiding()
{
    harness::click(w_->controls().command1);
    QCOMPARE(w_->controls().command1->text(), QString::fromUtf8("Стоп"));
    movePointer(*w_, 10, 300);
    QVERIFY(!w_->form().vizPanel);
}

void ScreenScale::hidingRestsAtMinus42()
{
    startHiding();
    const QFrame* frame = w_->controls().frame1;
    for (int tick = 1; tick <= 14; ++tick) {
        harness::tick(*w_);
        QCOMPARE(frame->y(), -3 * tick);
    }
    // -42 > -41 fails, whatever the panel's height.
    harness::tick(*w_, 5);
    QCOMPARE(frame->y(), -42);
    QCOMPARE(frame->height(), s_.panelHeight);

    const int strip = frame->y() + frame->height();
    QCOMPARE(std::max(strip, 0), s_.stripLeftInView);
    QCOMPARE(frame->visibleRegion().boundingRect().height(), s_.stripLeftInView);
}

void ScreenScale::showingReturnsToZero()
{
    startHiding();
    harness::tick(*w_, 14);
    const QFrame* frame = w_->controls().frame1;
    QCOMPARE(frame->y(), -42);

    // The band's far edge still calls the panel back.
    movePointer(*w_, 10, s_.band);
    QVERIFY(w_->form().vizPanel);
    for (int tick = 1; tick <= 14; ++tick) {
        harness::tick(*w_);
        QCOMPARE(frame->y(), -42 + 3 * tick);
    }
    harness::tick(*w_, 3);
    QCOMPARE(frame->y(), 0);
}

QTEST_MAIN(ScreenScale)
#include "screen_scale_test.moc"
