// empty-window: the baseline of the start-up figures. A Qt Widgets process that shows one empty
// window of the menu's size and ends as soon as that window has been painted.

#include "bench/FirstPaint.h"
#include "bench/PeakMemory.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(365, 206);
    tovarin::bench::FirstPaint firstPaint(&window);
    firstPaint.then([] { QCoreApplication::exit(0); });
    window.show();
    const int exitCode = QApplication::exec();
    tovarin::bench::printPeakMemoryIfAsked();
    return exitCode;
}
