#pragma once
// qc import-results LOG RESULTS.csv|.xlsx -o OUT.bhc [--overwrite] [--add-tests] [--sheet NAME]

#include <iosfwd>
#include <string>
#include <vector>

namespace qc {

// args[0] is "import-results"; installDir as taken from --install-dir.
int runImportResults(const std::vector<std::string>& args, const std::string& installDir, std::ostream& out,
                     std::ostream& err);

} // namespace qc
