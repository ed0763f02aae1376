#include "app/identity.h"

#include <QApplication>
#include <QIcon>

void setUpApplicationIdentity()
{
    // The resource lives in a static library, whose initialiser the linker
    // would otherwise drop as unreferenced.
    Q_INIT_RESOURCE(icons);

    QCoreApplication::setApplicationName(QStringLiteral("thermal-motion"));
    QCoreApplication::setApplicationVersion(QStringLiteral(THERMAL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.thermal_motion"));

    // Renders of the SVG at fixed sizes (scripts/render-icons) rather than the
    // SVG itself: the SVG image plugin is not part of qtbase.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}
