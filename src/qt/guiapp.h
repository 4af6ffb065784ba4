#pragma once
// The desktop program: `qc [--install-dir DIR] [FILE]` opens the main window.

class QApplication;

namespace qc {

// Names, icon, fonts and the toolkit's translations for the desktop's language.
void setUpApplication(QApplication& application);

// Runs the main window until it closes; returns the exit code.
int runMainWindow(int argc, char** argv);

} // namespace qc
