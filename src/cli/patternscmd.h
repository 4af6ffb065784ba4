#pragma once
// "qc patterns -o SHEET.pdf|.png": the pattern sheet.

#include <iosfwd>
#include <string>
#include <vector>

namespace qc {

// args[0] is "patterns". Returns the exit status.
int runPatternsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qc
