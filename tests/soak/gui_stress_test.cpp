// Ten thousand random events through the real window: clicks on both buttons
// and both options, typing and pasting random and very long texts, pointer
// moves, resizes down to the smallest size and back, minimise and restore,
// and timer ticks. After every event the run state must be one of the three
// that exist, and after every Start or Stop the settings must be in range.

#include <QClipboard>
#include <QFrame>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>

#include "sim/params.h"
#include "sim/text_rules.h"
#include "tests/widgets/harness.h"

namespace {

const QString kStart = QString::fromUtf8("Старт");
const QString kStop = QString::fromUtf8("Стоп");

// Characters that the leading-number rule reacts to, and some it must not.
// QTest types ASCII only; the rest arrives by pasting.
const QString kTyped = QStringLiteral("0123456789012345678901234567890123456789..,,eE+-  x_infa");
const QString kPasted = kTyped + QString::fromUtf8("\tмнЖ٣５€\u00a0");

class Events {
public:
    Events(MainWindow& w, std::uint64_t seed) : w_(w), rng_(seed) {}

    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    QString randomText(const QString& alphabet, int maxLength)
    {
        QString s;
        const int n = integer(0, maxLength);
        s.reserve(n);
        for (int i = 0; i < n; ++i)
            s.append(alphabet.at(integer(0, static_cast<int>(alphabet.size()) - 1)));
        return s;
    }

    QLineEdit* randomField()
    {
        const auto& c = w_.controls();
        QLineEdit* fields[] = {c.text1, c.text2, c.text3};
        return fields[integer(0, 2)];
    }

    // Returns true when the event was a click of Start/Stop.
    bool send()
    {
        const auto& c = w_.controls();
        switch (integer(0, 12)) {
        case 0:
            harness::click(c.command1);
            return true;
        case 1:
            harness::click(c.command2);
            break;
        case 2:
            QTest::mouseClick(integer(0, 1) ? c.option1 : c.option2, Qt::LeftButton);
            break;
        case 3: { // typing, sometimes over what is there
            QLineEdit* f = randomField();
            f->setFocus();
            if (integer(0, 1))
                f->selectAll();
            QTest::keyClicks(f, randomText(kTyped, 12));
            break;
        }
        case 4: { // pasting a very long text
            QLineEdit* f = randomField();
            f->setFocus();
            f->selectAll();
            QGuiApplication::clipboard()->setText(integer(0, 1) ? randomText(kPasted, 5000)
                                                                : QString(integer(300, 5000), '9'));
            QTest::keySequence(f, QKeySequence::Paste);
            longestField = std::max(longestField, static_cast<int>(f->text().size()));
            break;
        }
        case 5: {
            QLineEdit* f = randomField();
            f->setFocus();
            QTest::keyClick(f, integer(0, 1) ? Qt::Key_Backspace : Qt::Key_Return);
            break;
        }
        case 6:
        case 7: {
            const auto* area = c.picture1;
            QTest::mouseMove(c.picture1, QPoint(integer(0, std::max(0, area->width() - 1)),
                                                integer(0, std::max(0, area->height() - 1))));
            break;
        }
        case 8:
            if (integer(0, 3) == 0)
                w_.resize(1, 1); // as small as the platform lets it be
            else
                w_.resize(integer(1, 900), integer(1, 700));
            break;
        case 9:
            w_.showMinimized();
            QCoreApplication::processEvents();
            w_.showNormal();
            break;
        default: {
            const int n = integer(1, 4);
            if (w_.form().playBool && !w_.form().pauseBool)
                runningTicks += n;
            harness::tick(w_, n);
            break;
        }
        }
        QCoreApplication::processEvents();
        smallestArea = std::min(smallestArea, w_.controls().picture1->width() *
                                                  w_.controls().picture1->height());
        return false;
    }

    // What the run reached, to show the events took effect.
    int runningTicks = 0;
    int longestField = 0;
    int smallestArea = 1 << 30;

private:
    MainWindow& w_;
    std::mt19937_64 rng_;
};

} // namespace

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
    Events events(*w, 20261206);

    constexpr int kEvents = 10'000;
    int starts = 0;
    int largestRun = 0;
    for (int e = 0; e < kEvents; ++e) {
        const bool startStop = events.send();

        QVERIFY2(!f.pauseBool || f.playBool, qPrintable(QString("event %1").arg(e)));
        QCOMPARE(c.command1->text() == kStop, f.playBool);
        QVERIFY(c.command1->text() == kStart || c.command1->text() == kStop);
        // The panel slides in whole steps between shown and just out of sight.
        QVERIFY(c.frame1->y() <= 0 && c.frame1->y() >= -42 && c.frame1->y() % 3 == 0);
        if (startStop) {
            starts += f.playBool ? 1 : 0;
            largestRun = std::max<int>(largestRun, f.molCount);
            QVERIFY(f.kolMol >= params::kMinMolecules && f.kolMol <= params::kMaxMolecules);
            QVERIFY(f.speedm >= params::kMinSpeed && f.speedm <= params::kMaxSpeed);
            QVERIFY(f.inMass >= params::kMinMass && f.inMass <= params::kMaxMass);
            // The fields show what the next press will read.
            QCOMPARE(leadingNumber(c.text3->text().toStdString()), static_cast<double>(f.kolMol));
            QCOMPARE(leadingNumber(c.text2->text().toStdString()), f.speedm);
            QCOMPARE(leadingNumber(c.text1->text().toStdString()), static_cast<double>(f.inMass));
        }
        if (f.playBool) {
            QCOMPARE(f.mols.size(), static_cast<std::size_t>(f.molCount));
            for (const Molecule& m : f.mols)
                QVERIFY(std::isfinite(m.x) && std::isfinite(m.y) && std::isfinite(m.vx) &&
                        std::isfinite(m.vy));
        }
    }
    QVERIFY(starts > 0);
    QVERIFY(events.runningTicks > 0);
    qInfo("gui stress: %d events, %d Starts, %d ticks while running, largest ensemble %d, "
          "longest field text %d, smallest drawing area %d pixels",
          kEvents, starts, events.runningTicks, largestRun, events.longestField,
          events.smallestArea);
}

QTEST_MAIN(GuiStress)
#include "gui_stress_test.moc"
