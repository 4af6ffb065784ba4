#pragma once
// qc export: the log printed to PDF, PNG or SVG without a display.

#include <iosfwd>
#include <string>
#include <vector>

namespace qc {

// args[0] is "export"; installDir, when not empty, names the install folder whose
// settings and fonts print the log. Returns the exit status; errors are one line on err.
int runExport(const std::vector<std::string>& args, const std::string& installDir, std::ostream& out,
              std::ostream& err);

} // namespace qc
