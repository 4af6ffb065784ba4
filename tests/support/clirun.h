#pragma once
// Runs a qc command line in process and keeps its status and output.

#include "cli/cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace qc::test {

struct CliRun
{
    int status;
    std::string out, err;
};

inline CliRun runQc(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    int status = runCli(args, out, err);
    return {status, out.str(), err.str()};
}

inline int lineCount(const std::string& s)
{
    int n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

} // namespace qc::test
