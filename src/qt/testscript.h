#pragma once
// Drives a running main window from a script, for the tests that start the real
// program, kill it and start it again. The program runs one only when the
// environment variable QC_TEST_SCRIPT names the script file.
//
// One step a line, run in order from the event loop:
//   answer yes|no|cancel   the answer to the next question (all answers are queued first);
//                          every message and question is printed on stderr
//   type NAME TEXT         TEXT typed into the field NAME of the next dialog, which is
//                          then closed with its "ok" button
//   command N              the command of that CommandId number, or undo, redo or save
//   write PATH             the document as a save would write it, into PATH
//   wait-recovery          until this window's recovery copy holds the last change
//   say TEXT               TEXT on stdout
//   close                  closes the window

class QString;

namespace qc {

class MainWindow;

// Reads the script and starts it; false (and why on stderr) when it cannot be read.
bool startTestScript(MainWindow& window, const QString& path);

} // namespace qc
