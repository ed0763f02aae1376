// Ten thousand random events through the real window: clicks on both buttons
// and both options, awkward and very long texts in the fields, pointer moves,
// resizes down to the smallest size and back, minimising, and timer ticks.
// After every event the invariants hold, the caption names the run state,
// Pause is checked exactly while paused, and the drawing area and the panel
// fit the window; a pointer move shows or hides the panel as its height
// decides.

#include <random>

#include "tests/support/harness.h"
#include "tests/support/invariants.h"

class GuiStress : public QObject {
    Q_OBJECT
private slots:
    void randomEventsKeepTheRunConsistent();
};

void GuiStress::randomEventsKeepTheRunConsistent()
{
    auto w = harness::shownWindow();
    QVERIFY(w);
    const auto& c = w->controls();
    std::mt19937_64 rng(20261206);
    // Never two draws as arguments of one call, whose order each compiler
    // picks: the same events on every build.
    const auto integer = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    // Texts the leading-number rule reacts to, or must not: blank, letters,
    // fractions, overflowing exponents, a long run of digits, other scripts.
    const QString texts[] = {"", "abc", " 2.5", "-3", "1e400", "12x", QString(5000, '9'),
                             QString::fromUtf8("٣５€\u00a0мн,5")};
    QLineEdit* const fields[] = {c.text1, c.text2, c.text3};
    for (int e = 0; e < 10'000; ++e) {
        switch (integer(0, 9)) {
        case 0: QTest::mouseClick(c.command1, Qt::LeftButton); break;
        case 1: QTest::mouseClick(c.command2, Qt::LeftButton); break;
        case 2: QTest::mouseClick(integer(0, 1) ? c.option1 : c.option2, Qt::LeftButton); break;
        case 3: fields[integer(0, 2)]->setText(texts[integer(0, 7)]); break;
        case 4: { // within twice the panel's height of 615 twips it is called back
            const double edge = 2 * 615 * w->logicalDpiY() / 1440.0;
            const QPointF at(5, edge + integer(-24, 24) / 4.0); // quarter pixels about the edge
            QMouseEvent move(QEvent::MouseMove, at, c.picture1->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(c.picture1, &move);
            QCOMPARE(w->form().vizPanel, at.y() <= edge);
            break;
        }
        case 5: { // one time in four as small as the platform lets it be
            const int width = integer(1, 900);
            w->resize(integer(0, 3) ? QSize(width, integer(1, 700)) : QSize(1, 1));
            break;
        }
        case 6: { // sizes are kept while minimised
            const QSize kept = c.picture1->size();
            w->showMinimized();
            w->resize(integer(1, 900), 300);
            QCOMPARE(c.picture1->size(), kept);
            w->showNormal();
            break;
        }
        default: harness::tick(*w, integer(1, 4));
        }
        QCoreApplication::processEvents();
        const std::string broken = invariants::violation(w->form(), float(c.frame1->y()), {});
        QVERIFY2(broken.empty(), qPrintable(QString("event %1: %2").arg(e).arg(broken.c_str())));
        QCOMPARE(c.command1->text(), QString::fromUtf8(w->form().playBool ? "Стоп" : "Старт"));
        QCOMPARE(c.command2->isChecked(), w->form().pauseBool);
        // The drawing area and the panel follow the window's outer size.
        const QSize outer = w->frameGeometry().size();
        QCOMPARE(c.picture1->size(), (outer - QSize(16, 38)).expandedTo(QSize(0, 0)));
        QCOMPARE(c.frame1->width(), outer.width());
    }
}

QTEST_MAIN(GuiStress)
#include "gui_stress_test.moc"
