// The window on a screen of 120 dots an inch, 12 twips a pixel: every control
// of the design converts by the factor the screen reports, and the drawing
// area still follows the outer size by the fixed pixel margins. (The panel's
// slide and pointer band at this setting are tested under tests/dpi.)

#include <QFrame>
#include <QTest>

#include "harness.h"

class DenseScreen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void designInPixels_data();
    void designInPixels();
    void drawingAreaFollowsOuterSize();
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
