// Start-up and end of the program: the shared look, the menu as the first and only window,
// the event loop, and every screen destroyed before the application object goes.
#pragma once

namespace tovarin {

// Runs the program in the QApplication that main has made; returns the exit code.
int runProgram();

} // namespace tovarin
