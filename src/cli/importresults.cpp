#include "cli/importresults.h"

#include "app/appcontext.h"
#include "app/docflows.h"
#include "cli/shownlog.h"
#include "cli/streamprompter.h"
#include "dialogs/labimport.h"
#include "document/cp932.h"
#include "document/tables.h"
#include "labtable/labnames.h"
#include "platform/files.h"

#include <ostream>

namespace qc {

int runImportResults(const std::vector<std::string>& args, const std::string& installDir, std::ostream& out,
                     std::ostream& err)
{
    (void)out;
    std::string logPath, resultsPath, outPath, sheet;
    bool overwrite = false, addTests = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            outPath = args[++i];
        else if (args[i] == "--sheet" && i + 1 < args.size())
            sheet = args[++i];
        else if (args[i] == "--overwrite")
            overwrite = true;
        else if (args[i] == "--add-tests")
            addTests = true;
        else if (!args[i].starts_with('-') && logPath.empty())
            logPath = args[i];
        else if (!args[i].starts_with('-') && resultsPath.empty())
            resultsPath = args[i];
        else {
            err << "qc: import-results: unexpected argument " << args[i] << '\n';
            return 1;
        }
    }
    if (logPath.empty() || resultsPath.empty() || outPath.empty()) {
        err << "qc: import-results needs LOG, RESULTS and -o OUT.bhc\n";
        return 1;
    }

    Document doc;
    AppContext app(InstallEnvironment::fromProcess(installDir));
    StreamPrompter prompter(err, Answer::Yes);
    if (!loadAsShown(doc, app, logPath, prompter)) return 1;

    const LabReadResult table = readLabTableFile(resultsPath, cp932::fromUtf8(sheet));
    if (!table.ok) {
        err << "qc: " << resultsPath << ": " << cp932::toUtf8(table.error) << '\n';
        return 1;
    }
    std::string problem;
    const TestAliases aliases = loadTestAliases(
        app.install.file(TestAliases::kFileName),
        app.env.bundledDir.empty() ? std::string() : app.env.bundledDir + "/" + TestAliases::kFileName,
        problem);
    if (!problem.empty()) err << "qc: " << cp932::toUtf8(problem) << '\n';
    if (table.sheet.lossyText)
        err << "qc: " << cp932::toUtf8(QC_SJ("シフトJISにない文字を「?」にしました")) << '\n';

    LabMatch match = matchLabSheet(table.sheet, doc, aliases);
    if (!match.ok) {
        err << "qc: " << resultsPath << ": " << cp932::toUtf8(match.error) << '\n';
        return 1;
    }
    LabImportModel model(doc, std::move(match), aliases);
    model.setOverwrite(overwrite);
    model.setAddMissingTests(addTests);
    err << cp932::toUtf8(model.report());

    // What matched is written even when something was left aside; the status tells a script.
    model.apply(doc);
    FileError error;
    if (!writeDocumentFile(doc, outPath, &error)) {
        err << "qc: cannot write " << outPath << ": " << error.reason << '\n';
        return 1;
    }
    if (model.anythingUnmatched()) {
        err << "qc: "
            << cp932::toUtf8(QC_SJ("照合できなかったものがあります（照合できた値は書き込みました）")) << '\n';
        return 1;
    }
    return 0;
}

} // namespace qc
