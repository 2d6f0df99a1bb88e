#include "app/Program.h"

#include "ui/look/Look.h"

#include <QApplication>

namespace tovarin {

Program::Program()
{
    Screens::setWiring(&m_navigator);
}

Program::~Program()
{
    Screens::unloadAll();
    Screens::setWiring(nullptr);
    Screens::replaceEventLoopExit({});
}

int Program::run()
{
    Screens::frmMenu().Show();
    return QApplication::exec();
}

int runProgram()
{
    applyProgramLook();
    Program program;
    return program.run();
}

} // namespace tovarin
