// The program object: the one owner of what the program has exactly one of: the exam paper, the
// clock and the generator (its ProgramState, current while it lives), the windows (Screens) and
// the navigator wired to them. main makes one and runs it; a screen test makes one per test
// function and throws it away, which unloads every window and forgets the paper.
#pragma once

#include "app/Navigator.h"

#include "paper/ProgramState.h"

namespace tovarin {

class Program
{
public:
    Program();
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    ProgramState &state() { return m_state; }

    // Shows the menu as the first and only window and runs the event loop until the program
    // ends; returns the exit code.
    int run();

private:
    ProgramState m_state;
    Navigator m_navigator;
};

// Runs the program in the QApplication that main has made: the shared look, then a program
// object's run; every window is destroyed before the application object goes.
int runProgram();

} // namespace tovarin
