#include "cli/exchangecmd.h"

#include "app/docflows.h"
#include "app/installfolder.h"
#include "cli/streamprompter.h"
#include "document/tables.h"
#include "exchange/exchangexml.h"
#include "platform/files.h"

#include <ostream>

namespace qc {

namespace {

// "CMD IN -o OUT": false (with the line on err) when they are not both there.
bool inAndOut(const std::vector<std::string>& args, std::string& in, std::string& out, std::ostream& err)
{
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            out = args[++i];
        else if (in.empty() && !args[i].starts_with('-'))
            in = args[i];
        else {
            err << "qc: " << args[0] << ": unexpected argument " << args[i] << '\n';
            return false;
        }
    }
    if (in.empty() || out.empty()) {
        err << "qc: " << args[0] << " needs IN and -o OUT\n";
        return false;
    }
    return true;
}

} // namespace

int runExportXml(const std::vector<std::string>& args, const std::string& installDir, std::ostream& err)
{
    std::string in, outPath;
    if (!inAndOut(args, in, outPath, err)) return 1;
    Document doc;
    StreamPrompter prompter(err, Answer::Yes);
    if (LoadByPath(doc, in, prompter) != FlowResult::Done) return 1;
    const InstallFolder folder = locateInstallFolder(InstallEnvironment::fromProcess(installDir));
    const ExchangeSettings settings = loadExchangeSettings(folder.file(kExchangeSettingsFile), &prompter);
    const RockCodeTable codes = loadRockCodes(folder.file(kRockCodeFile));
    const ExchangeExport xml = exportExchangeXml(doc, settings, codes);
    if (!xml.error.empty()) {
        err << "qc: export-xml: " << xml.error << '\n';
        return 1;
    }
    FileError error;
    if (!writeFileAtomically(outPath, xml.bytes, &error)) {
        err << "qc: cannot write " << outPath << ": " << error.reason << '\n';
        return 1;
    }
    // Written as they are; the delivery rules forbid them, so the user must know.
    for (const auto& line : xml.outsideJis) err << "qc: export-xml: JIS X 0208 にない文字 " << line << '\n';
    return 0;
}

int runImportXml(const std::vector<std::string>& args, std::ostream& err)
{
    std::string in, outPath;
    if (!inAndOut(args, in, outPath, err)) return 1;
    std::string bytes;
    FileError error;
    if (!readFileBytes(in, bytes, &error)) {
        err << "qc: cannot read " << in << ": " << error.reason << '\n';
        return 1;
    }
    Document doc;
    const ExchangeImport result = importExchangeXml(bytes, doc);
    if (!result.ok) {
        err << "qc: import-xml: " << in << ": " << result.error << '\n';
        return 1;
    }
    for (const auto& line : result.unplaced) err << "qc: import-xml: " << line << '\n';
    if (!writeDocumentFile(doc, outPath, &error)) {
        err << "qc: cannot write " << outPath << ": " << error.reason << '\n';
        return 1;
    }
    return 0;
}

} // namespace qc
