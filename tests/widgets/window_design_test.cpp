// What the window shows on first display, at the standard 15 twips a pixel.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "harness.h"

class WindowDesign : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { w_.reset(); }

    void title();
    void clientArea();
    void controlGeometry_data();
    void controlGeometry();
    void captions_data();
    void captions();
    void fieldsHoldDefaults_data();
    void fieldsHoldDefaults();
    void wrapAroundSelected();
    void optionsExcludeEachOther();
    void panelCoversDrawingArea();
    void fieldsInFrontOfLabels();
    void drawingAreaIsEmptyBackground();
    void tabOrder();
    void timerTicksFromLoad();

private:
    std::unique_ptr<MainWindow> w_;
};

void WindowDesign::initTestCase()
{
    w_ = harness::shownWindow();
    QVERIFY(w_);
    // Everything below assumes the standard screen setting.
    QCOMPARE(w_->screen()->logicalDotsPerInchX(), 96.0);
}

void WindowDesign::title()
{
    QCOMPARE(w_->windowTitle(), QString::fromUtf8("тепловое движеие"));
}

void WindowDesign::clientArea()
{
    QCOMPARE(w_->size(), QSize(684, 382));
}

void WindowDesign::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("Start/Stop") << "Command1" << "Frame1" << QRect(16, 8, 113, 25);
    QTest::newRow("Pause") << "Command2" << "Frame1" << QRect(144, 8, 113, 25);
    QTest::newRow("mass field") << "Text1" << "Frame1" << QRect(288, 8, 49, 19);
    QTest::newRow("speed field") << "Text2" << "Frame1" << QRect(360, 8, 49, 19);
    QTest::newRow("count field") << "Text3" << "Frame1" << QRect(432, 8, 49, 19);
    QTest::newRow("label m") << "Label1" << "Frame1" << QRect(272, 16, 25, 17);
    QTest::newRow("label v") << "Label2" << "Frame1" << QRect(344, 16, 17, 17);
    QTest::newRow("label N") << "Label3" << "Frame1" << QRect(416, 16, 17, 17);
    QTest::newRow("wrap-around option") << "Option1" << "Frame1" << QRect(488, 8, 173, 13);
    QTest::newRow("walls option") << "Option2" << "Frame1" << QRect(488, 24, 177, 13);
}

void WindowDesign::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);

    const auto* widget = w_->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), geometry);
}

void WindowDesign::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Start/Stop") << "Command1" << QString::fromUtf8("Старт");
    QTest::newRow("Pause") << "Command2" << QString::fromUtf8("Пауза");
    QTest::newRow("label m") << "Label1" << "m";
    QTest::newRow("label v") << "Label2" << "v";
    QTest::newRow("label N") << "Label3" << "N";
    QTest::newRow("wrap-around option") << "Option1"
                                        << QString::fromUtf8("Замкнутое прространство");
    QTest::newRow("walls option") << "Option2" << QString::fromUtf8("Ограниченное пространство");
}

void WindowDesign::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);

    const QObject* widget = w_->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->property("text").toString(), caption);
}

void WindowDesign::fieldsHoldDefaults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    // One blank stands for the sign; the design texts never show.
    QTest::newRow("mass") << "Text1" << " 200";
    QTest::newRow("maximum speed") << "Text2" << " 1000";
    QTest::newRow("number of molecules") << "Text3" << " 50";
}

void WindowDesign::fieldsHoldDefaults()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    const auto* field = w_->findChild<QLineEdit*>(name);
    QVERIFY(field);
    QCOMPARE(field->text(), text);
}

void WindowDesign::wrapAroundSelected()
{
    QVERIFY(w_->controls().option1->isChecked());
    QVERIFY(!w_->controls().option2->isChecked());
}

void WindowDesign::optionsExcludeEachOther()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    QTest::mouseClick(w->controls().option2, Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(w->controls().option2->isChecked());
    QVERIFY(!w->controls().option1->isChecked());
    QTest::mouseClick(w->controls().option1, Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(w->controls().option1->isChecked());
    QVERIFY(!w->controls().option2->isChecked());
}

void WindowDesign::panelCoversDrawingArea()
{
    const auto& c = w_->controls();
    QCOMPARE(c.frame1->pos(), QPoint(0, 0));
    QCOMPARE(c.picture1->pos(), QPoint(0, 0));
    QCOMPARE(c.frame1->height(), 41);
    // The panel lies in front: the window's top-left pixel belongs to it.
    QWidget* top = w_->childAt(QPoint(2, 2));
    QVERIFY(top);
    QVERIFY(top == c.frame1 || c.frame1->isAncestorOf(top));
    // Below the panel the drawing area shows.
    QCOMPARE(w_->childAt(QPoint(2, 45)), c.picture1);
}

void WindowDesign::fieldsInFrontOfLabels()
{
    const auto& c = w_->controls();
    // Label1's box reaches under the mass field: (290, 20) lies in both.
    const QPoint shared = c.frame1->mapTo(w_.get(), QPoint(290, 20));
    QVERIFY(c.label1->geometry().contains(QPoint(290, 20)));
    QCOMPARE(w_->childAt(shared), c.text1);
}

void WindowDesign::drawingAreaIsEmptyBackground()
{
    const DrawingArea& area = *w_->controls().picture1;
    // The system colour for button text.
    const QColor background = QApplication::palette().color(QPalette::ButtonText);
    QCOMPARE(area.background(), background);
    const QImage& canvas = area.canvas();
    QCOMPARE(harness::pixelsOf(canvas, background), canvas.width() * canvas.height());
}

void WindowDesign::tabOrder()
{
    // The two options are one group and one stop: Tab enters it once.
    const QStringList order{"Command1", "Command2", "Text1", "Text2",
                            "Text3",    "Option1",  "Command1"};
    auto w = harness::shownWindow();
    QVERIFY(w);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    const auto& c = w->controls();
    c.command1->setFocus();

    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < order.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void WindowDesign::timerTicksFromLoad()
{
    MainWindow w;
    QVERIFY(w.controls().timer1->isActive());
    QCOMPARE(w.controls().timer1->interval(), 10);
}

QTEST_MAIN(WindowDesign)
#include "window_design_test.moc"
