#include "app/Program.h"

#include "app/Screens.h"
#include "ui/look/Look.h"

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
