// What a screen reader is told about the real window, read through Qt's
// accessibility interface as the platform's bridge reads it: every control
// named, each field tied to its label, and Pause checked exactly while the
// run is paused, whichever way it was pressed.

#include <QAccessible>

#include "tests/support/harness.h"

namespace {

QAccessibleInterface* accessible(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

bool related(QObject* from, QObject* to, QAccessible::Relation relation)
{
    for (const auto& [other, kind] : accessible(from)->relations(relation))
        if (other->object() == to)
            return true;
    return false;
}

} // namespace

class Accessibility : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindow> w_;
    const MainWindow::Controls& c() const { return w_->controls(); }

private slots:
    void init() { QVERIFY(w_ = harness::shownWindow()); }

    // The names a pupil hears, the role said after them, and the label that
    // names a field.
    void named_data()
    {
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::newRow("Form1") << QAccessible::Window << "тепловое движеие" << "";
        QTest::newRow("Picture1") << QAccessible::Animation << "движение молекул" << "";
        QTest::newRow("Frame1") << QAccessible::Pane << "панель управления" << "";
        QTest::newRow("Command1") << QAccessible::Button << "Старт" << "";
        QTest::newRow("Command2") << QAccessible::CheckBox << "Пауза" << "";
        QTest::newRow("Text1") << QAccessible::EditableText << "масса" << "Label1";
        QTest::newRow("Text2") << QAccessible::EditableText << "максимальная скорость" << "Label2";
        QTest::newRow("Text3") << QAccessible::EditableText << "число частиц" << "Label3";
        QTest::newRow("Label1") << QAccessible::StaticText << "m" << "";
        QTest::newRow("Label2") << QAccessible::StaticText << "v" << "";
        QTest::newRow("Label3") << QAccessible::StaticText << "N" << "";
        QTest::newRow("Option1") << QAccessible::RadioButton << "Замкнутое прространство" << "";
        QTest::newRow("Option2") << QAccessible::RadioButton << "Ограниченное пространство" << "";
    }
    void named()
    {
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        QFETCH(QString, label);
        const QString tag = QTest::currentDataTag();
        QWidget* widget = tag == "Form1" ? w_.get() : w_->findChild<QWidget*>(tag);
        QVERIFY(widget);
        QAccessibleInterface* iface = accessible(widget);
        QCOMPARE(iface->role(), role);
        QCOMPARE(iface->text(QAccessible::Name), name);
        // What each field takes, said after its name (the screen-reader test
        // reads the ranges).
        QVERIFY(tag.startsWith("Label") || tag == "Form1" ||
                !iface->text(QAccessible::Description).isEmpty());
        if (!label.isEmpty()) {
            QLabel* l = w_->findChild<QLabel*>(label);
            QVERIFY(related(widget, l, QAccessible::Label));
            QVERIFY(related(l, widget, QAccessible::Labelled));
        }
    }

    // Running, Start/Stop is named by its caption "Стоп".
    void startStopNamedAsShown()
    {
        QTest::mouseClick(c().command1, Qt::LeftButton);
        QCOMPARE(accessible(c().command1)->text(QAccessible::Name), QString("Стоп"));
    }

    // Pause pressed by mouse, by Space and by a screen reader's own action;
    // each row follows the last on the same window.
    void pauseCheckedWhilePaused()
    {
        using Press = void (*)(const MainWindow::Controls&);
        const auto click = [](const MainWindow::Controls& c) {
            QTest::mouseClick(c.command2, Qt::LeftButton);
        };
        const auto space = [](const MainWindow::Controls& c) {
            c.command2->setFocus();
            QTest::keyClick(c.command2, Qt::Key_Space);
        };
        const auto toggle = [](const MainWindow::Controls& c) {
            accessible(c.command2)->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
        };
        const auto stop = [](const MainWindow::Controls& c) {
            QTest::mouseClick(c.command1, Qt::LeftButton);
        };
        const struct {
            const char* what;
            Press press;
            bool paused;
        } steps[] = {
            {"Pause while stopped does nothing", click, false},
            {"Start", stop, false},
            {"click pauses", click, true},
            {"Space resumes", space, false},
            {"Space pauses", space, true},
            {"toggle action resumes", toggle, false},
            {"toggle action pauses", toggle, true},
            {"Stop ends the pause", stop, false},
            {"toggle action while stopped does nothing", toggle, false},
        };
        for (const auto& step : steps) {
            step.press(c());
            QVERIFY2(w_->form().pauseBool == step.paused, step.what);
            QVERIFY2(accessible(c().command2)->state().checked == step.paused, step.what);
            QVERIFY2(c().command2->text() == QString("Пауза"), step.what);
        }
    }
};

QTEST_MAIN(Accessibility)
#include "accessibility_test.moc"
