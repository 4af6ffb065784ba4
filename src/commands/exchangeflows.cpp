// The exchange XML commands of the view: import as a new log, export through
// the export dialog.

#include "commands/viewcontroller.h"

#include "app/appcontext.h"
#include "document/cp932.h"
#include "document/tables.h"
#include "exchange/exchangexml.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/prompter.h"

namespace qc {

namespace {

const std::string& xmlFilter()
{
    return QC_SJ("電子納品XML (*.XML)|*.XML;*.xml|すべてのファイル (*.*)|*.*||");
}

// Report lines (UTF-8) as one message text, long reports shortened.
std::string reportText(const std::string& heading, const std::vector<std::string>& lines)
{
    constexpr size_t kShown = 25;
    std::string text = heading;
    for (size_t i = 0; i < lines.size() && i < kShown; ++i) text += "\n" + lines[i];
    if (lines.size() > kShown) text += "\n… ほか" + std::to_string(lines.size() - kShown) + "件";
    return cp932::fromUtf8(text);
}

} // namespace

FlowResult ViewController::importExchange(FileChooser& chooser)
{
    if (!mayReplaceDocument(chooser)) return FlowResult::Cancelled;
    FileDialogRequest request;
    request.filter = xmlFilter();
    request.defaultExtension = "XML";
    const std::optional<std::string> path = chooser.choose(request);
    if (!path) return FlowResult::Cancelled;
    std::string bytes;
    FileError error;
    if (!readFileBytes(*path, bytes, &error)) {
        m_prompter.message(QC_SJ("ファイルを読めません\n( ") + cp932::fromUtf8(*path) + " )\n" +
                           cp932::fromUtf8(error.reason));
        return FlowResult::Failed;
    }
    // The import leaves the open log as it was when the file cannot be read.
    const ExchangeImport result = importExchangeXml(bytes, m_doc, &m_app.master);
    if (!result.ok) {
        m_prompter.message(QC_SJ("電子納品XMLを読み込めません\n( ") + cp932::fromUtf8(*path) + " )\n" +
                           cp932::fromUtf8(result.error));
        return FlowResult::Failed;
    }
    ApplyDefaultLogTitle(m_doc);
    viewUpdate(true);
    m_doc.modified = 1; // a new log that exists in no file yet
    if (!result.unplaced.empty())
        m_prompter.message(
            reportText("柱状図に入らなかった項目があります（読み飛ばしました）:", result.unplaced));
    return FlowResult::Done;
}

void ViewController::runExchangeExport()
{
    const std::string settingsPath = m_app.install.file(kExchangeSettingsFile);
    const RockCodeTable codes = loadRockCodes(m_app.install.file(kRockCodeFile));
    ExchangeExportData data;
    data.settings = loadExchangeSettings(settingsPath, &m_prompter);
    data.outputPath = proposedExchangePath(m_doc.path, {});
    const ExchangeExport preview = exportExchangeXml(m_doc, data.settings, codes);
    if (!preview.error.empty()) {
        m_prompter.message(cp932::fromUtf8(preview.error));
        return;
    }
    data.outsideJis = preview.outsideJis;
    const ExchangeSettings before = data.settings;
    if (!m_dialogs.exchangeExport(data)) return;
    if (!(data.settings == before)) {
        std::string reason;
        if (!saveExchangeSettings(settingsPath, data.settings, &reason))
            m_prompter.message(QC_SJ("電子納品XMLの設定を保存できませんでした\n( ") +
                               cp932::fromUtf8(settingsPath) + " )\n" + cp932::fromUtf8(reason));
    }
    const ExchangeExport xml = exportExchangeXml(m_doc, data.settings, codes);
    FileError error;
    if (!writeFileAtomically(data.outputPath, xml.bytes, &error)) {
        m_prompter.message(QC_SJ("出力できませんでした\n( ") + cp932::fromUtf8(data.outputPath) + " )\n" +
                           cp932::fromUtf8(error.reason));
        return;
    }
    if (!xml.outsideJis.empty())
        m_prompter.message(reportText("出力しました。JIS X 0208 にない文字がそのまま含まれています"
                                      "（電子納品では使えません）:",
                                      xml.outsideJis));
}

} // namespace qc
