#include "cli/reportcmd.h"

#include "app/appcontext.h"
#include "app/docflows.h"
#include "cli/shownlog.h"
#include "cli/streamprompter.h"
#include "document/tables.h"
#include "platform/files.h"
#include "report/exceedancereport.h"

#include <algorithm>
#include <cctype>

namespace qc {

namespace {

std::string lowerExtension(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

constexpr const char* kReportUsage =
    "usage: qc report FILE [-o OUT.csv|OUT.xlsx|OUT.json] [--install-dir DIR]\n";

} // namespace

int runReportCommand(std::vector<std::string> args, const std::string& installDir, std::ostream& out,
                     std::ostream& err)
{
    std::string in, outPath;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && !args[i + 1].empty()) {
            outPath = args[++i];
        } else if (args[i] == "--help" || args[i] == "-h") {
            out << kReportUsage;
            return 0;
        } else if (in.empty() && !args[i].starts_with('-')) {
            in = args[i];
        } else {
            err << "qc: report: unexpected argument " << args[i] << '\n' << kReportUsage;
            return 1;
        }
    }
    if (in.empty()) {
        err << "qc: report needs a FILE\n" << kReportUsage;
        return 1;
    }
    const std::string ext = outPath.empty() ? "csv" : lowerExtension(outPath);
    if (ext != "csv" && ext != "json" && ext != "xlsx") {
        err << "qc: report: " << outPath << ": the output must end in .csv, .xlsx or .json\n";
        return 1;
    }
    if (ext == "xlsx" && !xlsxAvailable()) {
        std::string reason;
        (void)writeExceedanceXlsx({}, outPath, reason);
        err << "qc: report: " << reason << '\n';
        return 1;
    }

    Document doc;
    AppContext app(InstallEnvironment::fromProcess(installDir));
    StreamPrompter prompter(err, Answer::Yes);
    if (!loadAsShown(doc, app, in, prompter)) return 1;
    const ExceedanceReport report = buildExceedanceReport(doc);

    if (outPath.empty()) {
        out << exceedanceCsv(report);
        return 0;
    }
    if (ext == "xlsx") {
        std::string reason;
        if (!writeExceedanceXlsx(report, outPath, reason)) {
            err << "qc: cannot write " << outPath << ": " << reason << '\n';
            return 1;
        }
        return 0;
    }
    FileError error;
    if (!writeFileAtomically(outPath, ext == "json" ? exceedanceJson(report) : exceedanceCsv(report),
                             &error)) {
        err << "qc: cannot write " << outPath << ": " << error.reason << '\n';
        return 1;
    }
    return 0;
}

} // namespace qc
