#include "Program.h"

#include "Look.h"
#include "Screens.h"

#include <QApplication>

namespace tovarin {

int runProgram()
{
    applyProgramLook();
    Screens::frmMenu().Show();
    const int exitCode = QApplication::exec();
    Screens::unloadAll();
    return exitCode;
}

} // namespace tovarin
