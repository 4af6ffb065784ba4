#include "cli/cli.h"
#include "qt/guiapp.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (qc::isCliCommand(args)) return qc::runCli(args, std::cout, std::cerr);
    return qc::runMainWindow(argc, argv);
}
