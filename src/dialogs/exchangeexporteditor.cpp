#include "dialogs/exchangeexporteditor.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "platform/filechooser.h"
#include "platform/prompter.h"

namespace qc {

ExchangeExportEditor::ExchangeExportEditor(ExchangeExportData data, Prompter& prompter)
    : m_data(std::move(data)), m_prompter(prompter)
{
}

const std::vector<ExchangeExportEditor::FieldInfo>& ExchangeExportEditor::fields()
{
    using S = ExchangeSettings;
    static const std::vector<FieldInfo> list = {
        {"適用規格", &S::standards, "カンマで区切って複数"},
        {"公開フラグ", &S::publicFlag, "0 非公開、1 公開"},
        {"調査目的", &S::purpose, "コード"},
        {"調査対象", &S::target, "コード"},
        {"ボーリング総数", &S::boringTotal, ""},
        {"ボーリング連番", &S::boringSerial, ""},
        {"経緯度の取得方法", &S::positionMethod, "取得方法コード"},
        {"経緯度の読取精度", &S::positionPrecision, "読取精度コード"},
        {"測地系", &S::datum, "コード"},
        {"テクリスコード", &S::techrisCode, "発注機関"},
        {"柱状図様式", &S::logStyle, "コード"},
        {"岩石群コード", &S::rockGroup, "各層に付けるコード"},
        {"試料の採取方法", &S::samplingMethod, "採取方法コード"},
        {"孔内水位の削孔状況", &S::drillingStatus, "削孔状況コード"},
        {"保孔管の種別", &S::casingKind, "種別コード"},
    };
    return list;
}

const std::string& ExchangeExportEditor::value(size_t field) const
{
    return m_data.settings.*fields().at(field).member;
}

void ExchangeExportEditor::setValue(size_t field, std::string cp932)
{
    m_data.settings.*fields().at(field).member = std::move(cp932);
}

void ExchangeExportEditor::browse(FileChooser& chooser)
{
    FileDialogRequest request;
    request.save = true;
    request.filter = QC_SJ("電子納品XML (*.XML)|*.XML;*.xml|すべてのファイル (*.*)|*.*||");
    request.defaultExtension = "XML";
    request.initialFile = m_data.outputPath;
    if (auto path = chooser.choose(request)) m_data.outputPath = *path;
}

void ExchangeExportEditor::defaults()
{
    m_data.settings = ExchangeSettings{};
}

bool ExchangeExportEditor::accept()
{
    if (skipBlanks(m_data.outputPath).empty()) {
        m_prompter.message(QC_SJ("出力するファイルを指定してください。"));
        return false;
    }
    for (const auto& f : fields()) {
        if (&f == &fields().front()) continue; // the standards are a comma list
        const std::string& v = m_data.settings.*f.member;
        if (findText(v, ",") != std::string::npos || v.find('\n') != std::string::npos ||
            v.find('\r') != std::string::npos) {
            m_prompter.message(cp932::fromUtf8(f.label) + QC_SJ("にカンマや改行は使えません。"));
            return false;
        }
    }
    return true;
}

std::string proposedExchangePath(const std::string& logPath, const std::string& folder)
{
    if (logPath.empty()) return folder.empty() ? std::string("BED0001.XML") : folder + "/BED0001.XML";
    const size_t slash = logPath.find_last_of('/');
    const size_t dot = logPath.find_last_of('.');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? logPath.substr(0, dot)
                                 : logPath;
    return stem + ".XML";
}

} // namespace qc
