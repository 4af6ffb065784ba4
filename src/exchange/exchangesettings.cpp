#include "exchange/exchangesettings.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "platform/files.h"
#include "platform/prompter.h"

namespace qc {

const std::vector<ExchangeSettings::Field>& ExchangeSettings::fields()
{
    using S = ExchangeSettings;
    static const std::vector<Field> list = {
        {"standards", &S::standards},
        {"publicFlag", &S::publicFlag},
        {"purpose", &S::purpose},
        {"target", &S::target},
        {"boringTotal", &S::boringTotal},
        {"boringSerial", &S::boringSerial},
        {"positionMethod", &S::positionMethod},
        {"positionPrecision", &S::positionPrecision},
        {"datum", &S::datum},
        {"techrisCode", &S::techrisCode},
        {"logStyle", &S::logStyle},
        {"rockGroup", &S::rockGroup},
        {"samplingMethod", &S::samplingMethod},
        {"drillingStatus", &S::drillingStatus},
        {"casingKind", &S::casingKind},
    };
    return list;
}

ExchangeSettings parseExchangeSettings(std::string_view bytes)
{
    ExchangeSettings s;
    forEachLine(bytes, [&](std::string_view line) {
        // The key is ASCII, so the first '=' of the line ends it (it precedes any
        // double-byte character).
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) return;
        std::string_view key = line.substr(0, eq);
        for (const auto& f : ExchangeSettings::fields())
            if (key == f.key) s.*f.member = std::string(line.substr(eq + 1));
    });
    return s;
}

std::string serializeExchangeSettings(const ExchangeSettings& settings)
{
    std::string out;
    for (const auto& f : ExchangeSettings::fields()) {
        std::string value = settings.*f.member;
        // A value is one line.
        value = ReplaceAll(ReplaceAll(value, "\r", ""), "\n", "");
        out += f.key;
        out += '=';
        out += value;
        out += "\r\n";
    }
    return out;
}

ExchangeSettings loadExchangeSettings(const std::string& path, Prompter* prompter)
{
    std::string bytes;
    FileError error;
    if (!readFileBytes(path, bytes, &error)) {
        if (!error.notFound() && prompter)
            prompter->message(QC_SJ("電子納品XMLの設定を読めません\n( ") + path + " )\n" + error.reason);
        return {};
    }
    return parseExchangeSettings(bytes);
}

bool saveExchangeSettings(const std::string& path, const ExchangeSettings& settings, std::string* reason)
{
    FileError error;
    if (writeFileAtomically(path, serializeExchangeSettings(settings), &error)) return true;
    if (reason) *reason = error.reason;
    return false;
}

void RockCodeTable::parse(std::string_view bytes)
{
    m_entries.clear();
    forEachLine(bytes, [&](std::string_view line) {
        if (skipBlanks(line).empty() || line.front() == ';') return;
        std::vector<std::string> f = CsvSplit(line);
        if (f.size() < 2 || f[0].empty()) return;
        Entry e;
        e.name = f[0];
        e.code.rock = f[1];
        if (f.size() > 2) e.code.facies = f[2];
        m_entries.push_back(std::move(e));
    });
}

const RockCodeTable::Entry* RockCodeTable::find(std::string_view name) const
{
    for (const auto& e : m_entries)
        if (e.name == name) return &e;
    return nullptr;
}

RockCode RockCodeTable::lookup(std::string_view composed, std::string_view name) const
{
    if (const Entry* e = find(composed)) return e->code;
    if (const Entry* e = find(name)) return e->code;
    return {};
}

RockCodeTable loadRockCodes(const std::string& path)
{
    RockCodeTable table;
    std::string bytes;
    if (readFileBytes(path, bytes)) table.parse(bytes);
    return table;
}

} // namespace qc
