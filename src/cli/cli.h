#pragma once
// The command-line front end of qc: export, dump, convert, check.

#include <iosfwd>
#include <string>
#include <vector>

namespace qc {

// True when args[0] names a command of the command line (not a file to open).
bool isCliCommand(const std::vector<std::string>& args);

// Runs a command; returns the process exit status. Normal output goes to out,
// errors (one line each) to err.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qc
