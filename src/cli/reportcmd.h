#pragma once
// "qc report FILE [-o OUT.csv|OUT.xlsx|OUT.json]": every sample x test value against
// its reference value; the CSV on stdout without -o.

#include <ostream>
#include <string>
#include <vector>

namespace qc {

int runReportCommand(std::vector<std::string> args, const std::string& installDir, std::ostream& out,
                     std::ostream& err);

} // namespace qc
