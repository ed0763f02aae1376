// Opens the window and runs until it is closed. The program takes no
// arguments of its own; Qt's (-platform and the like) still apply.

#include <QApplication>

#include "app/identity.h"
#include "ui/qt/main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    setUpApplicationIdentity();
    MainWindow window;
    window.show();
    return QApplication::exec();
}
