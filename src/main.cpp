#include "cli/cli.h"
#include "qt/guiapp.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Past a file-size limit a write then fails with an error the program reports, instead
    // of killing it.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (qc::isCliCommand(args)) return qc::runCli(args, std::cout, std::cerr);
    return qc::runMainWindow(argc, argv);
}
