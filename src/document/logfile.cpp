#include "document/logfile.h"
#include "document/positions.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/textops.h"
#include "platform/files.h"

#include <algorithm>
#include <array>

namespace qc {

int detectVersion(std::string_view line)
{
    if (line.size() <= 3 || line.size() >= 32) return logversion::None;
    static constexpr struct
    {
        std::string_view token;
        int version;
    } tokens[] = {{"$$_MRVOR1", logversion::Oldest},
                  {"$$_TVOREN5", logversion::Sibling},
                  {"$$_QVOR78", logversion::Current},
                  {"$$_QVOR", logversion::Previous}};
    for (const auto& t : tokens)
        if (line.find(t.token) != std::string_view::npos) return t.version;
    return logversion::None;
}

// ---------------------------------------------------------------- writing

namespace {

// One cell of a comma-separated line. The reader drops double quotes and
// takes a line holding "$$" for a section marker, so a cell is written in a
// form that reads back as itself: commas inside quotes, "$$" broken up by an
// empty quoted pair, line breaks as blanks. A literal double quote cannot be
// read back and becomes the full-width quotation mark.
// The bytes a cell or line must not carry as they are. All lie below 0x40, so they are
// never the second byte of a two-byte character and a byte search is safe.
constexpr std::array<bool, 256> kCellSpecial = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {',', '"', '$', '\r', '\n'}) t[c] = true;
    return t;
}();

bool hasSpecial(std::string_view text)
{
    for (char c : text)
        if (kCellSpecial[static_cast<unsigned char>(c)]) return true;
    return false;
}

void appendCell(std::string& out, std::string_view cell)
{
    if (cell.empty()) return; // most cells: the fixed sections are largely blank
    if (!hasSpecial(cell)) {
        out.append(cell);
        return;
    }
    const bool quote = cell.find(',') != std::string_view::npos;
    if (quote) out += '"';
    char prev = 0;
    for (char c : cell) {
        if (c == '"') {
            out += QC_SJ("＂");
            prev = 0;
            continue;
        }
        if (c == '$' && prev == '$') out += "\"\"";
        out += (c == '\r' || c == '\n') ? ' ' : c;
        prev = c;
    }
    if (quote) out += '"';
}

// The cells of one line, comma-separated. Most cells are blank: the commas between them
// are appended in one go when a cell with text (or the line's end) comes.
class CellLine
{
public:
    explicit CellLine(std::string& out) : m_out(out) {}
    void cell(std::string_view text)
    {
        if (m_started) ++m_commas;
        m_started = true;
        if (text.empty()) return;
        flush();
        appendCell(m_out, text);
    }
    // Ends the cells with the commas still owed (the line's end is the caller's).
    void flush()
    {
        m_out.append(m_commas, ',');
        m_commas = 0;
    }

private:
    std::string& m_out;
    size_t m_commas = 0;
    bool m_started = false;
};

void appendRow(std::string& out, const TextTable& t, int row, int cols)
{
    CellLine line(out);
    for (const std::string& cell : t.rowCells(row, 1, cols)) line.cell(cell);
    line.flush();
    out += "\r\n";
}

// A line read whole (header entries, note records): "$$" would start a section
// when read back, so the second "$" of a pair becomes the full-width "＄"; with
// blankBreaks a line break, which would shift every following line, becomes a blank.
void appendPlainText(std::string& out, std::string_view text, bool blankBreaks)
{
    if (!hasSpecial(text)) { // most lines: appended whole
        out.append(text);
        return;
    }
    char prev = 0;
    for (char c : text) {
        if (c == '$' && prev == '$') {
            out += QC_SJ("＄");
            prev = 0;
            continue;
        }
        out += blankBreaks && (c == '\r' || c == '\n') ? ' ' : c;
        prev = c;
    }
}

void appendPlainLine(std::string& out, std::string_view text)
{
    appendPlainText(out, text, true);
    out += "\r\n";
}

// The note text as its own lines, each ended by CR LF (the cell gets the same
// line ends); the BEL byte ends the text when read back, so it becomes a blank.
void appendNoteText(std::string& out, std::string& text)
{
    std::string normal;
    normal.reserve(text.size() + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) normal += '\r';
        normal += text[i];
    }
    if (!normal.ends_with("\r\n")) normal += "\r\n";
    text = normal;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find("\r\n", pos);
        std::string line = text.substr(pos, end - pos);
        for (char& c : line)
            if (c == '\x07') c = ' ';
        appendPlainText(out, line, false); // a bare CR stays: the reader keeps it
        out += "\r\n";
        pos = end + 2;
    }
}

void writeUsedRows(std::string& out, const TextTable& t, int cols)
{
    const int n = usedRows(t);
    for (int r = 1; r <= n; ++r) appendRow(out, t, r, cols);
}

} // namespace

std::string WriteLog(Document& doc)
{
    PrepareForSave(doc);
    // Read through a const view: writable access would mark rows as used and make the
    // next clear visit them.
    const Document& cd = doc;
    std::string out;
    out.reserve(64 * 1024);
    out.append(kCurrentToken);
    out += "\r\n";

    out += "$$Z\r\n";
    for (int e = 1; e <= limits::HeaderInFile; ++e) {
        std::string_view entry = cd.HeaderTable(e);
        if (entry.ends_with("\r\n")) entry.remove_suffix(2);
        appendPlainLine(out, entry);
    }

    out += "$$A\r\n";
    writeUsedRows(out, doc.GeologyTable, 11);
    out += "$$C\r\n";
    writeUsedRows(out, doc.SpareIntervalTable, 6);

    out += "$$K\r\n";
    {
        auto& t = doc.NoteTable;
        const int n = usedRows(t);
        for (int r = 1; r <= n; ++r) {
            appendPlainLine(out, t(r, NoteCol::Top));
            appendPlainLine(out, t(r, NoteCol::Bottom));
            appendPlainLine(out, t(r, NoteCol::Hidden));
            appendNoteText(out, t(r, NoteCol::Text));
            out += "\x07\r\n";
            appendPlainLine(out, t(r, NoteCol::Underline));
        }
    }

    out += "$$N\r\n";
    writeUsedRows(out, doc.StratumTable, 3);
    out += "$$W\r\n";
    writeUsedRows(out, doc.WaterLevelTable, 4);
    out += "$$H\r\n";
    writeUsedRows(out, doc.DrillDateTable, 2);
    out += "$$r\r\n";
    writeUsedRows(out, doc.FreeColumnTable, 3);
    out += "$$T\r\n";
    writeUsedRows(out, doc.CasingTable, 2);

    out += "$$o\r\n";
    for (int r = 1; r <= limits::DisplayItem; ++r) appendRow(out, doc.DisplayItemTable, r, 4);

    out += "$$p\r\n";
    for (int g = 1; g <= GraphTable::kGraphs; ++g) {
        for (int r = 1; r <= GraphTable::kRows; ++r) {
            CellLine line(out);
            for (const std::string& field : cd.GraphFormatTable.rowFields(g, r)) line.cell(field);
            line.flush();
            out += "\r\n";
        }
    }

    out += "$$q\r\n";
    for (int r = 1; r <= limits::TestName; ++r) {
        CellLine line(out);
        for (int c = 1; c <= 9; ++c) line.cell(cd.TestNameTable(r, c));
        line.flush();
        out += ',';
        // The list column is its own comma-terminated list of "row:shift," entries.
        char prev = 0;
        for (char c : cd.TestNameTable(r, TestCol::Shifts)) {
            if (c == '\r' || c == '\n' || c == '"') continue;
            if (c == '$' && prev == '$') out += "\"\"";
            out += c;
            prev = c;
        }
        out += "\r\n";
    }

    out += "$$x\r\n";
    for (int r = 1; r <= limits::Sample; ++r) {
        appendRow(out, doc.SampleTable, r, 60);
        if (doc.SampleTable.rowEmpty(r, 1, 60)) break;
    }
    return out;
}

// ---------------------------------------------------------------- reading

bool LogReader::accepts(char section) const
{
    const int v = m_version;
    const bool own = v == logversion::Current || v == logversion::Previous;
    switch (section) {
    case 'Z':
    case 'A':
    case 'C':
    case 'K':
    case 'W':
        return true;
    case 'E':
        return v == logversion::Oldest || v == logversion::Sibling;
    case 'N':
    case 'H':
    case 'r':
        return own || v == logversion::Sibling;
    case 'n':
    case 'J':
    case 'k':
        return v == logversion::Oldest;
    case 'T':
        return own || v == logversion::Oldest;
    case 'o':
    case 'p':
    case 'q':
    case 'x':
        return own;
    default:
        return false;
    }
}

void LogReader::ReadLogLine(std::string_view line)
{
    if (line.find("$$") != std::string_view::npos) {
        if (line.size() > 2) {
            m_section = line[2];
            m_row = m_column = m_graph = 1;
        }
        return;
    }
    if (!accepts(m_section)) return;

    // Fields straight into the row's cells: their buffers are reused from load to load.
    auto fieldsInto = [&](TextTable& t, int limit, int count) {
        if (m_row > limit) return false;
        CsvSplitInto(line, t.rowCells(m_row, 1, count), m_prompter);
        return true;
    };

    Document& d = m_doc;
    switch (m_section) {
    case 'Z': {
        if (m_row > limits::HeaderInFile) return;
        d.HeaderTable(m_row).assign(line); // keeps the cell's buffer from the last load
        if (m_row == 15) {
            std::string* cells[3];
            for (int i = 0; i < 3; ++i) cells[i] = &d.HeaderTable(HeaderEntry::LatitudeDeg + i);
            CsvSplitInto(d.HeaderTable(HeaderEntry::LatitudeInFile), cells, 3, m_prompter);
            for (int i = 0; i < 3; ++i) cells[i] = &d.HeaderTable(HeaderEntry::LongitudeDeg + i);
            CsvSplitInto(d.HeaderTable(HeaderEntry::LongitudeInFile), cells, 3, m_prompter);
        }
        ++m_row;
        return;
    }
    case 'A':
        if (fieldsInto(d.GeologyTable, limits::Geology, 11)) ++m_row;
        return;
    case 'C':
        if (fieldsInto(d.SpareIntervalTable, limits::SpareInterval, 6)) ++m_row;
        return;
    case 'K': {
        if (m_row > limits::Note) return;
        auto& t = d.NoteTable;
        if (m_column <= 3) {
            t(m_row, m_column).assign(line);
            ++m_column;
        } else if (m_column == 4) {
            // Files of this program end the text with a BEL line; older ones also with "@".
            // The "@" must be a character of its own: it is the trail byte of "機", "掘",
            // "法" and the full-width blank. BEL is never a trail byte.
            const bool ends = line.find('\x07') != std::string_view::npos ||
                              (m_version != logversion::Current && containsChar(line, '@'));
            if (ends) {
                ++m_column;
            } else {
                t(m_row, NoteCol::Text).append(line);
                t(m_row, NoteCol::Text) += "\r\n";
            }
        } else {
            t(m_row, NoteCol::Underline).assign(line);
            m_column = 1;
            ++m_row;
        }
        return;
    }
    case 'E':
        if (fieldsInto(d.SampleTable, limits::Sample, 4)) ++m_row;
        return;
    case 'N':
    case 'n':
        if (fieldsInto(d.StratumTable, limits::Stratum, 3)) ++m_row;
        return;
    case 'W':
        if (fieldsInto(d.WaterLevelTable, limits::WaterLevel, 4)) {
            if (!isNumeric(d.WaterLevelTable(m_row, WaterCol::Flags)))
                d.WaterLevelTable(m_row, WaterCol::Flags) = "3";
            ++m_row;
        }
        return;
    case 'H':
    case 'J':
        if (fieldsInto(d.DrillDateTable, limits::DrillDate, 2)) ++m_row;
        return;
    case 'r':
    case 'k':
        if (fieldsInto(d.FreeColumnTable, limits::FreeColumn, 3)) ++m_row;
        return;
    case 'T':
        if (fieldsInto(d.CasingTable, limits::Casing, 2)) ++m_row;
        return;
    case 'o':
        if (fieldsInto(d.DisplayItemTable, limits::DisplayItem, 4)) ++m_row;
        return;
    case 'p': {
        if (m_graph > GraphTable::kGraphs) return;
        CsvSplitInto(line, d.GraphFormatTable.rowFields(m_graph, m_row), m_prompter);
        if (m_row < GraphTable::kRows) {
            ++m_row;
        } else {
            m_row = 1;
            ++m_graph;
        }
        return;
    }
    case 'q': {
        if (m_row > limits::TestName) return;
        std::vector<std::string>& f = m_fields;
        const size_t fields = CsvSplit(f, line, m_prompter);
        auto& t = d.TestNameTable;
        for (int c = 1; c <= 9; ++c) {
            const size_t i = static_cast<size_t>(c - 1);
            if (i < fields)
                t(m_row, c) = f[i];
            else
                t(m_row, c).clear();
        }
        // The list is written back unquoted, so a quoted field holding commas is taken as the
        // entries it holds: the list reads the same when saved and read again.
        std::string& list = t(m_row, TestCol::Shifts);
        list.clear();
        int entries = 0;
        bool numeric = true;
        for (size_t i = 9; i < fields && numeric; ++i) {
            numeric = !f[i].empty();
            for (const std::string& entry : CsvSplit(f[i])) {
                numeric = entries < 100 && isNumeric(entry);
                if (!numeric) break;
                list += entry;
                list += ',';
                ++entries;
            }
        }
        ++m_row;
        return;
    }
    case 'x':
        if (fieldsInto(d.SampleTable, limits::Sample, 60)) ++m_row;
        return;
    default:
        return;
    }
}

void FinishLoad(Document& doc, int version)
{
    auto& h = doc.HeaderTable;
    switch (version) {
    case logversion::Previous:
        AlternatingLayerConversion(doc);
        break;
    case logversion::Oldest:
        // Files of this version kept these three options at entries 48 to 50.
        h(HeaderEntry::LegacyOption) = h(48);     // literal position: the older layout
        h(HeaderEntry::SplitTopsoil) = h(49);     // literal position: the older layout
        h(HeaderEntry::AlternationLines) = h(50); // literal position: the older layout
        break;
    case logversion::Sibling:
        AlternatingLayerConversion(doc);
        h(HeaderEntry::LegacyOption).clear();
        h(HeaderEntry::AlternationLines).clear();
        h(HeaderEntry::SplitTopsoil) = h(49); // literal position: the sibling layout keeps it at 49
        break;
    default:
        break;
    }
    doc.modified = 0;
}

TokenLine findTokenLine(std::string_view bytes, int maxLines)
{
    TokenLine found;
    int lineNo = 0;
    size_t pos = 0;
    while (pos < bytes.size() && lineNo < maxLines) {
        size_t nl = bytes.find('\n', pos);
        size_t end = nl == std::string_view::npos ? bytes.size() : nl;
        size_t stripped = end;
        if (nl != std::string_view::npos && stripped > pos && bytes[stripped - 1] == '\r') --stripped;
        int v = detectVersion(bytes.substr(pos, stripped - pos));
        if (v != logversion::None) {
            found.version = v;
            found.offset = pos;
            return found;
        }
        ++lineNo;
        pos = nl == std::string_view::npos ? bytes.size() : nl + 1;
    }
    return found;
}

void readLogText(Document& doc, std::string_view bytes, const TokenLine& token, Prompter* prompter)
{
    if (token.version == logversion::None) return;
    if (isImportVersion(token.version))
        ClearForImport(doc);
    else
        ClearAll(doc);
    LogReader reader(doc, token.version, prompter);
    forEachLine(bytes.substr(token.offset), [&](std::string_view line) { reader.ReadLogLine(line); });
    FinishLoad(doc, token.version);
}

} // namespace qc
