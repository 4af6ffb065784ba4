#include "cli/cli.h"

#include "app/appcontext.h"
#include "app/docflows.h"
#include "cli/exchangecmd.h"
#include "cli/export.h"
#include "cli/importresults.h"
#include "cli/jsondump.h"
#include "cli/patternscmd.h"
#include "cli/reportcmd.h"
#include "cli/shownlog.h"
#include "cli/streamprompter.h"
#include "dialogs/fullwidthcheck.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/tables.h"

#include <ostream>
#include <string_view>

namespace qc {

namespace {

constexpr const char* kUsage =
    "usage: qc [--install-dir DIR] [FILE]   open the main window (with FILE)\n"
    "       qc export FILE -o OUT.pdf|.png|.svg [--pages A-B] [--dpi N] [--paper A3|A4|WxHmm]\n"
    "                 [--sheet-numbers] [--install-dir DIR]\n"
    "                                       print the log without a display (qc export --help)\n"
    "       qc dump FILE [--install-dir DIR]\n"
    "                                       print the document tables as JSON, after the\n"
    "                                       view update (masters, defaults, derived patterns)\n"
    "       qc convert IN -o OUT.bhc [--install-dir DIR]\n"
    "                                       write any accepted log in the current format\n"
    "                                       (the file as read, without defaults)\n"
    "       qc patterns -o SHEET.pdf|.png   draw every soil pattern on a sheet\n"
    "       qc check FILE [--install-dir DIR]\n"
    "                                       list the texts holding full-width letters and digits\n"
    "       qc report FILE [-o OUT.csv|OUT.xlsx|OUT.json] [--install-dir DIR]\n"
    "                                       every sample and test against its reference value,\n"
    "                                       by depth, with a summary (CSV on stdout without -o)\n"
    "       qc import-results LOG RESULTS.csv|.tsv|.xlsx -o OUT.bhc [--overwrite] [--add-tests]\n"
    "                 [--sheet NAME] [--install-dir DIR]\n"
    "                                       bring a laboratory's results into the log's samples;\n"
    "                                       the report goes to stderr, status 1 when anything\n"
    "                                       was left unmatched (what matched is still written)\n"
    "       qc export-xml FILE -o OUT.XML [--install-dir DIR]\n"
    "                                       write the national boring exchange XML (DTD 4.00)\n"
    "       qc import-xml IN.XML -o OUT.bhc  read an exchange XML (2.10, 3.00, 4.00) into a log\n"
    "The install folder is DIR, else $QC_INSTALL_DIR, else the one the pointer file\n"
    "names, else the default folder, created from the bundled one on first use.\n";

// Takes "--install-dir DIR" (or "--install-dir=DIR") out of args; false when DIR is missing.
bool takeInstallDir(std::vector<std::string>& args, std::string& dir)
{
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--install-dir") {
            if (i + 1 >= args.size() || args[i + 1].empty()) return false;
            dir = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            return true;
        }
        if (args[i].rfind("--install-dir=", 0) == 0) {
            dir = args[i].substr(14);
            args.erase(args.begin() + static_cast<long>(i));
            return !dir.empty();
        }
    }
    return true;
}

int runDump(const std::vector<std::string>& args, const std::string& installDir, std::ostream& out,
            std::ostream& err)
{
    if (args.size() != 2) {
        err << "qc: dump needs exactly one FILE\n" << kUsage;
        return 1;
    }
    Document doc;
    int version = 0;
    AppContext app(InstallEnvironment::fromProcess(installDir));
    StreamPrompter prompter(err, Answer::Yes);
    if (!loadAsShown(doc, app, args[1], prompter, &version)) return 1;
    out << dumpJson(doc, version);
    return 0;
}

// The install folder is accepted like dump's, so that scripts pass the same
// options; converting writes the tables as read and needs nothing from it.
int runConvert(const std::vector<std::string>& args, std::ostream& err)
{
    std::string in, outPath;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            outPath = args[++i];
        else if (in.empty() && !args[i].starts_with('-'))
            in = args[i];
        else {
            err << "qc: convert: unexpected argument " << args[i] << '\n' << kUsage;
            return 1;
        }
    }
    if (in.empty() || outPath.empty()) {
        err << "qc: convert needs IN and -o OUT\n" << kUsage;
        return 1;
    }
    Document doc;
    StreamPrompter prompter(err, Answer::Yes);
    if (LoadByPath(doc, in, prompter) != FlowResult::Done) return 1;
    FileError error;
    if (!writeDocumentFile(doc, outPath, &error)) {
        err << "qc: cannot write " << outPath << ": " << error.reason << '\n';
        return 1;
    }
    return 0;
}

// The full-width report of the "全角英数字の有無" dialog, on the log as the program shows it.
int runCheck(const std::vector<std::string>& args, const std::string& installDir, std::ostream& out,
             std::ostream& err)
{
    if (args.size() != 2) {
        err << "qc: check needs exactly one FILE\n" << kUsage;
        return 1;
    }
    Document doc;
    AppContext app(InstallEnvironment::fromProcess(installDir));
    StreamPrompter prompter(err, Answer::Yes);
    if (!loadAsShown(doc, app, args[1], prompter)) return 1;
    std::string report = cp932::toUtf8(ReplaceAll(fullWidthReport(doc), "\r\n", "\n"));
    out << report;
    if (!report.empty() && report.back() != '\n') out << '\n';
    return 0;
}

using Runner = int (*)(const std::vector<std::string>& args, const std::string& installDir, std::ostream& out,
                       std::ostream& err);

struct SubCommand
{
    std::string_view name;
    Runner run;
    bool takesInstallDir = true; // false: the command reads --install-dir itself
    // The error when --install-dir has no folder; null for the general one with the usage.
    const char* noFolder = nullptr;
};

using Args = const std::vector<std::string>&;
using Dir = const std::string&;
using Stream = std::ostream&;

constexpr SubCommand kCommands[] = {
    {"export", [](Args a, Dir d, Stream o, Stream e) { return runExport(a, d, o, e); }, true,
     "qc: export: --install-dir needs a folder (see qc export --help)\n"},
    {"dump", runDump},
    {"convert", [](Args a, Dir, Stream, Stream e) { return runConvert(a, e); }},
    {"patterns", [](Args a, Dir, Stream o, Stream e) { return runPatternsCommand(a, o, e); }, false},
    {"check", runCheck},
    {"report", [](Args a, Dir d, Stream o, Stream e) { return runReportCommand(a, d, o, e); }},
    {"import-results", runImportResults},
    {"export-xml", [](Args a, Dir d, Stream, Stream e) { return runExportXml(a, d, e); }},
    {"import-xml", [](Args a, Dir, Stream, Stream e) { return runImportXml(a, e); }},
};

const SubCommand* findCommand(const std::string& name)
{
    for (const SubCommand& c : kCommands)
        if (c.name == name) return &c;
    return nullptr;
}

bool isHelp(const std::string& arg)
{
    return arg == "--help" || arg == "-h" || arg == "help";
}

} // namespace

bool isCliCommand(const std::vector<std::string>& args)
{
    return !args.empty() && (findCommand(args[0]) || isHelp(args[0]));
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || isHelp(args[0])) {
        out << kUsage;
        return 0;
    }
    const SubCommand* command = findCommand(args[0]);
    if (!command) {
        err << "qc: unknown command " << args[0] << '\n' << kUsage;
        return 1;
    }
    if (!command->takesInstallDir) return command->run(args, {}, out, err);
    std::vector<std::string> rest = args;
    std::string installDir;
    if (!takeInstallDir(rest, installDir)) {
        if (command->noFolder)
            err << command->noFolder;
        else
            err << "qc: --install-dir needs a folder\n" << kUsage;
        return 1;
    }
    return command->run(rest, installDir, out, err);
}

} // namespace qc
