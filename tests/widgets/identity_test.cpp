// What the program tells the desktop about itself: without the icon every
// window shows Qt's generic one, and without a desktop file name that matches
// the installed menu entry a dock cannot group the window under it.

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTest>

#include "app/identity.h"

class Identity : public QObject {
    Q_OBJECT
private slots:
    void windowsShowTheProgramsIcon()
    {
        setUpApplicationIdentity();
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        // The smallest size is the title bar's, the largest Alt-Tab's.
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(256, 256)));
        QVERIFY(!icon.pixmap(16, 16).isNull());
    }

    void desktopFileNameNamesTheMenuEntry()
    {
        setUpApplicationIdentity();
        const QString name = QGuiApplication::desktopFileName();
        QVERIFY(!name.isEmpty());
        QVERIFY2(QFile::exists(QStringLiteral(THERMAL_SOURCE_DIR "/packaging/%1.desktop").arg(name)),
                 qPrintable(name));
    }
};

QTEST_MAIN(Identity)
#include "identity_test.moc"
