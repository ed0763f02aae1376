// Start, Stop and Pause through the real buttons, fields and options, with
// the ticks delivered through the window's timer.

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "harness.h"

namespace {

const QString kStart = QString::fromUtf8("Старт");
const QString kStop = QString::fromUtf8("Стоп");

QColor backgroundOf(const MainWindow& w)
{
    return w.controls().picture1->background();
}

bool pictureIsEmpty(const MainWindow& w)
{
    const QImage& img = w.controls().picture1->canvas();
    return harness::pixelsOf(img, backgroundOf(w)) == img.width() * img.height();
}

// Every molecule shows as yellow at its drawing position.
bool everyMoleculeDrawn(const MainWindow& w)
{
    const DrawingArea& area = *w.controls().picture1;
    for (const Molecule& m : w.form().mols)
        if (harness::pixel(area, harness::drawn(m.x), harness::drawn(m.y)) != harness::kYellow)
            return false;
    return true;
}

void typeInto(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

} // namespace

class RunControl : public QObject {
    Q_OBJECT
private slots:
    void startDrawsFreshEnsemble();
    void ticksAnimate();
    void stopClearsPicture();
    void pauseFreezesAndResumes();
    void pauseWhileStoppedDoesNothing();
    void stopWhilePausedThenStartRunsAtOnce();
    void captionsAlternate();
    void buttonsNeverDisabled();
    void fieldsClampedOnClick_data();
    void fieldsClampedOnClick();
    void fieldEditDuringRunWaitsForNextClick();
    void boundaryOptionReadAtEachClick();
    void wrapImageOnlyInWrapAroundMode_data();
    void wrapImageOnlyInWrapAroundMode();
    void timerDrivesRun();
};

void RunControl::startDrawsFreshEnsemble()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    harness::click(w->controls().command1);

    QCOMPARE(w->controls().command1->text(), kStop);
    QCOMPARE(w->form().molCount, 50);
    QCOMPARE(w->form().mols.size(), std::size_t{50});
    QVERIFY(everyMoleculeDrawn(*w));
    // Default mass 200 gives radius 7: a disc is some 150 pixels, and 50
    // of them, overlaps aside, cannot all vanish into one another.
    QVERIFY(harness::pixelsOf(w->controls().picture1->canvas(), harness::kYellow) > 1000);
}

void RunControl::ticksAnimate()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    harness::click(w->controls().command1);
    const QImage before = w->controls().picture1->canvas().copy();
    const double x0 = w->form().mols[0].x;

    harness::tick(*w);
    QVERIFY(w->form().mols[0].x != x0);
    QVERIFY(w->controls().picture1->canvas() != before);
    QVERIFY(everyMoleculeDrawn(*w));
}

void RunControl::stopClearsPicture()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    harness::click(w->controls().command1);
    harness::tick(*w, 3);
    harness::click(w->controls().command1);

    QCOMPARE(w->controls().command1->text(), kStart);
    QVERIFY(pictureIsEmpty(*w));
    // Stopped: ticks neither draw nor move the last ensemble, which stays.
    const double x0 = w->form().mols[0].x;
    harness::tick(*w, 3);
    QVERIFY(pictureIsEmpty(*w));
    QCOMPARE(w->form().mols[0].x, x0);
}

void RunControl::pauseFreezesAndResumes()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    harness::click(w->controls().command1);
    harness::tick(*w);
    harness::click(w->controls().command2);

    const QImage frozen = w->controls().picture1->canvas().copy();
    const double x0 = w->form().mols[0].x;
    harness::tick(*w, 5);
    QCOMPARE(w->controls().picture1->canvas(), frozen);
    QCOMPARE(w->form().mols[0].x, x0);
    QCOMPARE(w->controls().command1->text(), kStop);

    harness::click(w->controls().command2);
    harness::tick(*w);
    QVERIFY(w->form().mols[0].x != x0);
    QVERIFY(w->controls().picture1->canvas() != frozen);
}

void RunControl::pauseWhileStoppedDoesNothing()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    harness::click(w->controls().command2);
    QVERIFY(pictureIsEmpty(*w));
    QCOMPARE(w->controls().command1->text(), kStart);

    // The Start that follows runs unpaused.
    harness::click(w->controls().command1);
    const double x0 = w->form().mols[0].x;
    harness::tick(*w);
    QVERIFY(w->form().mols[0].x != x0);
}

void RunControl::stopWhilePausedThenStartRunsAtOnce()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    harness::click(w->controls().command1);
    harness::click(w->controls().command2);
    harness::click(w->controls().command1);
    QCOMPARE(w->controls().command1->text(), kStart);
    QVERIFY(pictureIsEmpty(*w));

    harness::click(w->controls().command1);
    const double x0 = w->form().mols[0].x;
    harness::tick(*w);
    QVERIFY(w->form().mols[0].x != x0);
}

void RunControl::captionsAlternate()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    QPushButton* start = w->controls().command1;
    QPushButton* pause = w->controls().command2;
    const QStringList expected{kStop, kStop, kStop, kStart, kStop, kStart};
    QStringList seen;
    harness::click(start);
    seen << start->text();
    harness::click(pause);
    seen << start->text();
    harness::click(pause);
    seen << start->text();
    harness::click(start);
    seen << start->text();
    harness::click(start);
    seen << start->text();
    harness::click(start);
    seen << start->text();
    QCOMPARE(seen, expected);
    QCOMPARE(pause->text(), QString::fromUtf8("Пауза"));
}

void RunControl::buttonsNeverDisabled()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    const auto& c = w->controls();
    const auto bothEnabled = [&] { return c.command1->isEnabled() && c.command2->isEnabled(); };
    QVERIFY(bothEnabled()); // stopped
    harness::click(c.command1);
    QVERIFY(bothEnabled()); // running
    harness::click(c.command2);
    QVERIFY(bothEnabled()); // paused
}

void RunControl::fieldsClampedOnClick_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("count in range") << "Text3" << "7" << " 7";
    QTest::newRow("count above 500") << "Text3" << "9999" << " 500";
    QTest::newRow("count below 1") << "Text3" << "0" << " 1";
    QTest::newRow("count rounds half to even") << "Text3" << "2.5" << " 2";
    QTest::newRow("count with trailing text") << "Text3" << "12abc" << " 12";
    QTest::newRow("count not a number") << "Text3" << "abc" << " 1";
    QTest::newRow("speed above 30000") << "Text2" << "1e6" << " 30000";
    QTest::newRow("speed keeps a fraction") << "Text2" << "2.5" << " 2.5";
    QTest::newRow("mass below 5") << "Text1" << "-3" << " 5";
    QTest::newRow("mass above 100000") << "Text1" << "100001" << " 100000";
}

void RunControl::fieldsClampedOnClick()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    auto w = harness::shownWindow();
    QVERIFY(w);
    auto* edit = w->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    typeInto(edit, typed);
    QCOMPARE(edit->text(), typed);

    harness::click(w->controls().command1);
    QCOMPARE(edit->text(), shown);
    // The run uses what the field now shows.
    QCOMPARE(QString::number(w->form().kolMol), w->controls().text3->text().trimmed());
    QCOMPARE(int(w->form().mols.size()), int(w->form().kolMol));
}

void RunControl::fieldEditDuringRunWaitsForNextClick()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    harness::click(w->controls().command1);
    typeInto(w->controls().text3, "700");
    harness::tick(*w);
    QCOMPARE(w->form().molCount, 50);
    QCOMPARE(w->controls().text3->text(), QString("700"));

    // Stop re-reads and writes back too; only the next Start builds 500.
    harness::click(w->controls().command1);
    QCOMPARE(w->controls().text3->text(), QString(" 500"));
    QCOMPARE(w->form().molCount, 50);
    harness::click(w->controls().command1);
    QCOMPARE(w->form().molCount, 500);
}

void RunControl::boundaryOptionReadAtEachClick()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    const auto& c = w->controls();
    harness::click(c.command1);
    QVERIFY(w->form().limtBool);

    // Changing the option during the run changes nothing until a click.
    QTest::mouseClick(c.option2, Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(c.option2->isChecked());
    harness::tick(*w);
    QVERIFY(w->form().limtBool);

    harness::click(c.command1); // Stop reads it
    QVERIFY(!w->form().limtBool);
    QTest::mouseClick(c.option1, Qt::LeftButton, {}, QPoint(6, 6));
    harness::click(c.command1); // and so does Start
    QVERIFY(w->form().limtBool);
}

void RunControl::wrapImageOnlyInWrapAroundMode_data()
{
    QTest::addColumn<bool>("wrapAround");
    QTest::addColumn<bool>("imageShown");

    QTest::newRow("wrap-around") << true << true;
    QTest::newRow("walls") << false << false;
}

void RunControl::wrapImageOnlyInWrapAroundMode()
{
    QFETCH(bool, wrapAround);
    QFETCH(bool, imageShown);

    auto w = harness::shownWindow();
    QVERIFY(w);
    const auto& c = w->controls();
    if (!wrapAround)
        QTest::mouseClick(c.option2, Qt::LeftButton, {}, QPoint(6, 6));
    typeInto(c.text3, "1");
    harness::click(c.command1);

    // One resting molecule of radius 7 whose disc crosses the left edge.
    Molecule& m = w->form().mols.at(0);
    QCOMPARE(m.radius, std::int16_t{7});
    m.x = 2;
    m.y = 100;
    m.vx = 0;
    m.vy = 0;
    harness::tick(*w);

    const DrawingArea& area = *c.picture1;
    QCOMPARE(harness::pixel(area, 2, 100), harness::kYellow);
    // The image is centred one area width to the right, past the right
    // edge; its left part shows at the right edge.
    const int nearRightEdge = area.width() - 3;
    QCOMPARE(harness::pixel(area, nearRightEdge, 100) == harness::kYellow, imageShown);
}

void RunControl::timerDrivesRun()
{
    // The clock left running, as in the program.
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    harness::click(w.controls().command1);
    const QImage first = w.controls().picture1->canvas().copy();
    const double x0 = w.form().mols[0].x;
    QTRY_VERIFY(w.form().mols[0].x != x0);
    QTRY_VERIFY(w.controls().picture1->canvas() != first);
}

QTEST_MAIN(RunControl)
#include "run_control_test.moc"
