#pragma once
// The log file (".bhc"): token line and sections "$$Z" to "$$x" of
// comma-separated rows, CP932 with CR LF, and the older formats the reader accepts.

#include "document/tables.h"

#include <string>
#include <string_view>
#include <vector>

namespace qc {

class Prompter;

// Version codes of the accepted formats.
namespace logversion {
constexpr int None = 0;
constexpr int Current = 550;  // "$$_QVOR780"
constexpr int Previous = 549; // "$$_QVOR"
constexpr int Sibling = 500;  // "$$_TVOREN5" (.tvl)
constexpr int Oldest = 510;   // "$$_MRVOR1" (.mrn)
} // namespace logversion

inline constexpr std::string_view kCurrentToken = "$$_QVOR780";

// The version a line announces, logversion::None when it names none (only
// lines longer than 3 and shorter than 32 bytes are searched).
int detectVersion(std::string_view line);

// Older and sibling files carry no test names, graph formats or display items.
inline bool isImportVersion(int version)
{
    return version == logversion::Sibling || version == logversion::Oldest;
}

// Writes the whole document in the current format (runs PrepareForSave first;
// note texts without a final CR LF get one, in the file and in the cell).
// Cells holding a comma are written between double quotes.
std::string WriteLog(Document& doc);

// The section reader: fed one line at a time, line ends already removed.
class LogReader
{
public:
    LogReader(Document& doc, int version, Prompter* prompter = nullptr)
        : m_doc(doc), m_version(version), m_prompter(prompter)
    {
    }
    void ReadLogLine(std::string_view line);

private:
    bool accepts(char section) const;

    Document& m_doc;
    int m_version;
    Prompter* m_prompter;
    char m_section = 0;
    int m_row = 1;
    int m_column = 1;
    int m_graph = 1;
    std::vector<std::string> m_fields; // the test-name lines' fields, buffers reused line to line
};

// Load-time completion by version (legacy header entries, alternating layers);
// clears the modified flag.
void FinishLoad(Document& doc, int version);

// Where the token of a log text is: the version and the byte offset of the
// token line, looking at no more than maxLines lines from the start.
struct TokenLine
{
    int version = logversion::None;
    size_t offset = 0;
};
TokenLine findTokenLine(std::string_view bytes, int maxLines);

// Clears the tables as the version requires, feeds the token line and every
// following line to the reader, and finishes the load.
void readLogText(Document& doc, std::string_view bytes, const TokenLine& token, Prompter* prompter = nullptr);

} // namespace qc
