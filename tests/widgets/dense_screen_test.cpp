// The window on a screen of 120 dots an inch, 12 twips a pixel: the design's
// twips convert by the factor the screen reports, and the panel, taller than
// at the standard setting, still rests at -42 and widens the pointer band.

#include <QFrame>
#include <QMouseEvent>
#include <QTest>

#include "harness.h"

class DenseScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void designInPixels_data();
    void designInPixels();
    void drawingAreaFollowsOuterSize();
    void pointerBandIsTwiceThePanel_data();
    void pointerBandIsTwiceThePanel();
    void panelStillRestsAtMinus42();
};

void DenseScreen::initTestCase()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    QCOMPARE(w->screen()->logicalDotsPerInchY(), 120.0);
}

void DenseScreen::designInPixels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");

    // Twips / 12, to the nearest pixel.
    QTest::newRow("Start/Stop") << "Command1" << QRect(20, 10, 141, 31);
    QTest::newRow("mass field") << "Text1" << QRect(360, 10, 61, 24);
    QTest::newRow("walls option") << "Option2" << QRect(610, 30, 221, 16);
}

void DenseScreen::designInPixels()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);

    auto w = harness::shownWindow();
    QVERIFY(w);
    QCOMPARE(w->size(), QSize(855, 478)); // 10260 x 5730 twips
    const auto* widget = w->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
}

void DenseScreen::drawingAreaFollowsOuterSize()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    w->resize(900, 600);
    QTRY_COMPARE(w->size(), QSize(900, 600));
    const QSize outer = w->frameGeometry().size();
    QCOMPARE(w->controls().picture1->size(), QSize(outer.width() - 16, outer.height() - 38));
    QCOMPARE(w->controls().frame1->width(), outer.width());
}

void DenseScreen::pointerBandIsTwiceThePanel_data()
{
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("topAfterOneTick");

    // The panel is 615 / 12 = 51.25 pixels high: the band ends at 102.5.
    QTest::newRow("y 102.5, the band's edge") << 102.5 << 0;
    QTest::newRow("y 102.75, just beyond") << 102.75 << -3;
    QTest::newRow("y 103") << 103.0 << -3;
}

void DenseScreen::pointerBandIsTwiceThePanel()
{
    QFETCH(double, y);
    QFETCH(int, topAfterOneTick);

    auto w = harness::shownWindow();
    QVERIFY(w);
    DrawingArea* area = w->controls().picture1;
    harness::click(w->controls().command1);
    const QPointF at(300, y);
    QMouseEvent move(QEvent::MouseMove, at, area->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(area, &move);
    harness::tick(*w);
    QCOMPARE(w->controls().frame1->y(), topAfterOneTick);
}

void DenseScreen::panelStillRestsAtMinus42()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    QCOMPARE(w->controls().frame1->height(), 51);
    harness::click(w->controls().command1);
    QTest::mouseMove(w.get(), QPoint(300, 400));
    harness::tick(*w, 20);
    // A strip of the taller panel stays in view.
    QCOMPARE(w->controls().frame1->y(), -42);
}

int main(int argc, char** argv)
{
    // Logical dots an inch as the screen reports them, not scaled away.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "120");
    QApplication app(argc, argv);
    DenseScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "dense_screen_test.moc"
