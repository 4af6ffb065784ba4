#pragma once
// The "電子納品XML出力" dialog: the codes and texts the exchange XML requires
// and a log does not hold (kept in the install folder), the output file, and
// the characters outside JIS X 0208 the file would carry.

#include "exchange/exchangesettings.h"

#include <string>
#include <vector>

namespace qc {

class FileChooser;
class Prompter;

// What the dialog edits and shows.
struct ExchangeExportData
{
    ExchangeSettings settings;
    std::string outputPath;              // native path
    std::vector<std::string> outsideJis; // UTF-8 lines, shown read-only
};

class ExchangeExportEditor
{
public:
    ExchangeExportEditor(ExchangeExportData data, Prompter& prompter);

    struct FieldInfo
    {
        const char* label; // UTF-8
        std::string ExchangeSettings::*member;
        const char* hint; // UTF-8: what the code means, shown beside it
    };
    static const std::vector<FieldInfo>& fields();

    const ExchangeExportData& data() const { return m_data; }
    const std::string& value(size_t field) const;
    void setValue(size_t field, std::string cp932);
    void setOutputPath(std::string path) { m_data.outputPath = std::move(path); }
    // "参照...": the save dialog for the output file.
    void browse(FileChooser& chooser);
    // "標準に戻す": every code back to its default; the output file stays.
    void defaults();

    // OK: an output file is required; a code holds no comma or line break.
    [[nodiscard]] bool accept();

private:
    ExchangeExportData m_data;
    Prompter& m_prompter;
};

// The output file proposed for a log: its path with the extension ".XML",
// or "BED0001.XML" in folder for a log without a path.
std::string proposedExchangePath(const std::string& logPath, const std::string& folder);

} // namespace qc
