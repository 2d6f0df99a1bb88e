// Tovarin: a mock examination for questions 51 to 64 of the written examination for the
// Japanese first-class small-vessel operator licence.

#include "app/Program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Lets the desktop match the window to its menu entry and icon (X11 and Wayland alike).
    QGuiApplication::setDesktopFileName(QStringLiteral(TOVARIN_APP_ID));
    QApplication application(argc, argv);
    return tovarin::runProgram();
}
