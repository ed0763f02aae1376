// Opens the window and runs until it is closed. The program takes no
// arguments of its own; Qt's (-platform and the like) still apply.

#include <QApplication>

#include "ui/qt/main_window.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    return QApplication::exec();
}
