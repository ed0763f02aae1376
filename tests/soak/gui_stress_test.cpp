// Ten thousand random events through the real window: clicks on both buttons
// and both options, typing and pasting random and very long texts, pointer
// moves, resizes down to the smallest size and back, minimise and restore,
// and timer ticks. After every event the invariants hold and the caption
// names the run state; after every Start or Stop the fields read back as the
// settings.

#include <random>

#include "sim/text_rules.h"
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
    const Form1& f = w->form();
    const auto& c = w->controls();
    std::mt19937_64 rng(20261206);
    // Two draws are never arguments of one call, whose order each compiler
    // picks: the same events on every build.
    const auto integer = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    // Characters the leading-number rule reacts to, and some it must not.
    // QTest types ASCII only; the rest arrives by pasting.
    const QString typed = QStringLiteral("01234567890123456789..,,eE+-  x_infa");
    const QString pasted = typed + QString::fromUtf8("\tмнЖ٣５€\u00a0");
    const auto text = [&](const QString& alphabet, int maxLength) {
        QString s;
        for (int i = integer(0, maxLength); i > 0; --i)
            s.append(alphabet.at(integer(0, static_cast<int>(alphabet.size()) - 1)));
        return s;
    };
    QLineEdit* const fields[] = {c.text1, c.text2, c.text3};
    for (int e = 0; e < 10'000; ++e) {
        QLineEdit* field = fields[integer(0, 2)];
        field->setFocus();
        if (integer(0, 1)) // what is typed or pasted then replaces what is there
            field->selectAll();
        const int kind = integer(0, 12);
        switch (kind) {
        case 0: harness::click(c.command1); break;
        case 1: harness::click(c.command2); break;
        case 2: QTest::mouseClick(integer(0, 1) ? c.option1 : c.option2, Qt::LeftButton); break;
        case 3: QTest::keyClicks(field, text(typed, 12)); break;
        case 4:
            QGuiApplication::clipboard()->setText(integer(0, 1) ? text(pasted, 5000)
                                                                : QString(integer(300, 5000), '9'));
            QTest::keySequence(field, QKeySequence::Paste);
            break;
        case 5: QTest::keyClick(field, integer(0, 1) ? Qt::Key_Backspace : Qt::Key_Return); break;
        case 6: {
            const int x = integer(0, std::max(0, c.picture1->width() - 1));
            const int y = integer(0, std::max(0, c.picture1->height() - 1));
            QTest::mouseMove(c.picture1, QPoint(x, y));
            break;
        }
        case 8: { // one time in four as small as the platform lets it be
            const int width = integer(1, 900);
            w->resize(integer(0, 3) ? QSize(width, integer(1, 700)) : QSize(1, 1));
            break;
        }
        case 9:
            w->showMinimized();
            QCoreApplication::processEvents();
            w->showNormal();
            break;
        default: harness::tick(*w, integer(1, 4));
        }
        QCoreApplication::processEvents();
        const std::string broken = invariants::violation(f, float(c.frame1->y()), {});
        QVERIFY2(broken.empty(), qPrintable(QString("event %1: %2").arg(e).arg(broken.c_str())));
        QCOMPARE(c.command1->text(), QString::fromUtf8(f.playBool ? "Стоп" : "Старт"));
        if (kind == 0) { // the fields show what the next press will read
            QCOMPARE(leadingNumber(c.text3->text().toStdString()), static_cast<double>(f.kolMol));
            QCOMPARE(leadingNumber(c.text2->text().toStdString()), f.speedm);
            QCOMPARE(leadingNumber(c.text1->text().toStdString()), static_cast<double>(f.inMass));
        }
    }
}

QTEST_MAIN(GuiStress)
#include "gui_stress_test.moc"
