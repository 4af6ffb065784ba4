#pragma once
// What the exchange XML requires and a log does not hold: the codes and texts
// written for those elements ("XmlExp.ndx" in the install folder), and the
// user's table of rock/soil codes by layer name ("XmlCode.mst").

#include <string>
#include <string_view>
#include <vector>

namespace qc {

class Prompter;

struct ExchangeSettings
{
    // Every value is CP932 text written as it stands.
    std::string standards = "JIS A 0205-2012,JIS A 0206-2013"; // "適用規格", one element per comma field
    std::string publicFlag = "1";                              // "公開フラグ_コード"
    std::string purpose = "01";                                // "調査目的"
    std::string target = "01";                                 // "調査対象"
    std::string boringTotal = "1";                             // "ボーリング総数"
    std::string boringSerial = "1";                            // "ボーリング連番"
    std::string positionMethod = "02";                         // "取得方法コード"
    std::string positionPrecision = "1";                       // "読取精度コード"
    std::string datum = "02";                                  // "測地系"
    std::string techrisCode;                                   // "テクリスコード"
    std::string logStyle = "11";                               // "柱状図様式"
    std::string rockGroup = "1";                               // "岩石群コード"
    std::string samplingMethod = "999";                        // "採取方法コード"
    std::string drillingStatus = "1";                          // "削孔状況コード"
    std::string casingKind = "2";                              // "保孔管_種別コード"

    bool operator==(const ExchangeSettings&) const = default;

    // The fields with their file keys, for the reader, the writer and the dialog.
    struct Field
    {
        const char* key;
        std::string ExchangeSettings::*member;
    };
    static const std::vector<Field>& fields();
};

// "key=value" lines (CP932, CR LF); unknown keys and malformed lines are
// ignored, missing keys keep their defaults.
ExchangeSettings parseExchangeSettings(std::string_view bytes);
std::string serializeExchangeSettings(const ExchangeSettings& settings);

// The file beside the other settings; a missing file gives the defaults, an
// unreadable one its message and the defaults.
ExchangeSettings loadExchangeSettings(const std::string& path, Prompter* prompter);
[[nodiscard]] bool saveExchangeSettings(const std::string& path, const ExchangeSettings& settings,
                                        std::string* reason = nullptr);

inline constexpr std::string_view kExchangeSettingsFile = "XmlExp.ndx";
inline constexpr std::string_view kRockCodeFile = "XmlCode.mst";

// Rock/soil codes by layer name: lines "name,rock code[,facies code]"; blank
// lines and lines starting with ";" are comments.
struct RockCode
{
    std::string rock;   // "岩石"
    std::string facies; // "岩相"
};

class RockCodeTable
{
public:
    void parse(std::string_view bytes);
    // The codes of the whole composed name, else of the base name, else empty.
    RockCode lookup(std::string_view composed, std::string_view name) const;
    size_t size() const { return m_entries.size(); }

private:
    struct Entry
    {
        std::string name;
        RockCode code;
    };
    const Entry* find(std::string_view name) const;
    std::vector<Entry> m_entries;
};

RockCodeTable loadRockCodes(const std::string& path);

} // namespace qc
