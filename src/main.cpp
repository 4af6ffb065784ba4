#include "cli/cli.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (qc::isCliCommand(args)) return qc::runCli(args, std::cout, std::cerr);
    std::cerr << "qc: the main window is not available in this build yet; try 'qc dump FILE'\n";
    return 2;
}
