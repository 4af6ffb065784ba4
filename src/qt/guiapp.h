#pragma once
// The desktop program: `qc [--install-dir DIR] [FILE]` opens the main window.

namespace qc {

// Runs the main window until it closes; returns the exit code.
int runMainWindow(int argc, char** argv);

} // namespace qc
