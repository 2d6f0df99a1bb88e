#include "app/Program.h"

#include "app/Screens.h"
#include "app/look/Look.h"

#include <QApplication>

namespace tovarin {

int runProgram()
{
    applyProgramLook();
    // The program ends by "終　了" or the menu's close box (Screens::endProgram) and by nothing
    // else: the screens' rules keep a window on view, and the message box closing while the
    // results screen, a tool window, is the only one open must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    Screens::frmMenu().Show();
    const int exitCode = QApplication::exec();
    Screens::unloadAll();
    return exitCode;
}

} // namespace tovarin
