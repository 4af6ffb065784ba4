#include "app/history.h"

#include "document/positions.h"
#include "document/tables.h"

#include <cassert>

namespace qc {

namespace {

enum TableIndex {
    Header,
    Geology,
    SpareInterval,
    Note,
    Stratum,
    WaterLevel,
    DrillDate,
    FreeColumn,
    Casing,
    DisplayItem,
    GraphFormat,
    TestName,
    Sample,
};
static_assert(Sample + 1 == TableSnapshot::kTables);

template <class Doc> auto& textTable(Doc& doc, int table)
{
    switch (table) {
    case Geology:
        return doc.GeologyTable;
    case SpareInterval:
        return doc.SpareIntervalTable;
    case Note:
        return doc.NoteTable;
    case Stratum:
        return doc.StratumTable;
    case WaterLevel:
        return doc.WaterLevelTable;
    case DrillDate:
        return doc.DrillDateTable;
    case FreeColumn:
        return doc.FreeColumnTable;
    case Casing:
        return doc.CasingTable;
    case DisplayItem:
        return doc.DisplayItemTable;
    case TestName:
        return doc.TestNameTable;
    default:
        return doc.SampleTable;
    }
}

// Calls fn(index, const cell) for every data cell of a table, in a fixed order, and
// returns a way back from the index to the writable cell through cellAt below.
template <class Fn> void forEachCell(const Document& doc, int table, Fn&& fn)
{
    int k = 0;
    if (table == Header) {
        for (int e = 1; e <= HeaderList::kEntries; ++e) fn(k++, doc.HeaderTable(e));
        return;
    }
    if (table == GraphFormat) {
        for (int g = 1; g <= GraphTable::kGraphs; ++g)
            for (int r = 1; r <= GraphTable::kRows; ++r)
                for (int f = 1; f <= GraphTable::kFields; ++f) fn(k++, doc.GraphFormatTable(g, r, f));
        return;
    }
    const TextTable& t = textTable(doc, table);
    const int cols = table == Geology ? GeologyCol::Stored : t.cols();
    for (int r = 1; r <= t.rows(); ++r)
        for (int c = 1; c <= cols; ++c) fn(k++, t(r, c));
}

std::string& cellAt(Document& doc, int table, int k)
{
    if (table == Header) return doc.HeaderTable(k + 1);
    if (table == GraphFormat) {
        const int f = k % GraphTable::kFields + 1;
        const int r = k / GraphTable::kFields % GraphTable::kRows + 1;
        const int g = k / (GraphTable::kFields * GraphTable::kRows) + 1;
        return doc.GraphFormatTable(g, r, f);
    }
    TextTable& t = textTable(doc, table);
    const int cols = table == Geology ? GeologyCol::Stored : t.cols();
    return t(k / cols + 1, k % cols + 1);
}

void putNumber(std::string& out, size_t n)
{
    while (n >= 0x80) {
        out.push_back(static_cast<char>((n & 0x7F) | 0x80));
        n >>= 7;
    }
    out.push_back(static_cast<char>(n));
}

bool getNumber(const std::string& in, size_t& pos, size_t& n)
{
    n = 0;
    for (int shift = 0; pos < in.size() && shift < 63; shift += 7) {
        const auto b = static_cast<unsigned char>(in[pos++]);
        n |= static_cast<size_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return true;
    }
    return false;
}

// Non-empty cells only: index, length, bytes.
std::string encodeTable(const Document& doc, int table)
{
    std::string out;
    forEachCell(doc, table, [&](int k, const std::string& cell) {
        if (cell.empty()) return;
        putNumber(out, static_cast<size_t>(k));
        putNumber(out, cell.size());
        out += cell;
    });
    return out;
}

} // namespace

TableSnapshot takeSnapshot(const Document& doc)
{
    TableSnapshot s;
    for (int t = 0; t < TableSnapshot::kTables; ++t) s.tables[static_cast<size_t>(t)] = encodeTable(doc, t);
    return s;
}

void restoreTable(Document& doc, int table, const std::string& encoded)
{
    // The cells the encoding names, in index order; every other data cell is empty.
    size_t pos = 0, nextIndex = 0, length = 0;
    bool more = getNumber(encoded, pos, nextIndex) && getNumber(encoded, pos, length);
    std::vector<std::pair<int, std::string>> writes;
    forEachCell(doc, table, [&](int k, const std::string& cell) {
        std::string_view wanted;
        if (more && static_cast<size_t>(k) == nextIndex) {
            assert(pos + length <= encoded.size());
            wanted = std::string_view(encoded).substr(pos, length);
            pos += length;
            more = getNumber(encoded, pos, nextIndex) && getNumber(encoded, pos, length);
        }
        // Only cells that differ are written, so untouched rows stay unused.
        if (cell != wanted) writes.emplace_back(k, std::string(wanted));
    });
    for (auto& [k, text] : writes) cellAt(doc, table, k) = std::move(text);
}

void History::reset(bool savedState)
{
    m_steps.clear();
    m_position = 0;
    m_bytes = 0;
    m_saved = savedState ? std::optional<size_t>(0) : std::nullopt;
}

bool History::record(const std::string& name, const TableSnapshot& before, const TableSnapshot& after)
{
    Step step;
    step.name = name;
    for (int t = 0; t < TableSnapshot::kTables; ++t) {
        const auto i = static_cast<size_t>(t);
        if (before.tables[i] == after.tables[i]) continue;
        step.changes.push_back(Change{t, before.tables[i], after.tables[i]});
        step.bytes += before.tables[i].size() + after.tables[i].size();
    }
    if (step.changes.empty()) return false;

    // A new step ends what could be redone; a saved state among those is gone.
    while (m_steps.size() > m_position) {
        m_bytes -= m_steps.back().bytes;
        m_steps.pop_back();
    }
    if (m_saved && *m_saved > m_position) m_saved.reset();

    m_bytes += step.bytes;
    m_steps.push_back(std::move(step));
    ++m_position;
    while (m_steps.size() > kMaxSteps || (m_bytes > kMaxBytes && m_steps.size() > kMinSteps)) dropOldest();
    return true;
}

void History::dropOldest()
{
    m_bytes -= m_steps.front().bytes;
    m_steps.pop_front();
    --m_position;
    if (m_saved) {
        if (*m_saved == 0)
            m_saved.reset(); // the saved state was the one before the dropped step
        else
            --*m_saved;
    }
}

std::string History::undoName() const
{
    return canUndo() ? m_steps[m_position - 1].name : std::string();
}

std::string History::redoName() const
{
    return canRedo() ? m_steps[m_position].name : std::string();
}

bool History::undo(Document& doc)
{
    if (!canUndo()) return false;
    --m_position;
    for (const Change& c : m_steps[m_position].changes) restoreTable(doc, c.table, c.before);
    return true;
}

bool History::redo(Document& doc)
{
    if (!canRedo()) return false;
    for (const Change& c : m_steps[m_position].changes) restoreTable(doc, c.table, c.after);
    ++m_position;
    return true;
}

std::string commandMenuName(const std::string& menuText)
{
    std::string s = menuText;
    const size_t paren = s.find("(&");
    if (paren != std::string::npos) s.erase(paren);
    std::erase(s, '&');
    while (!s.empty() && (s.back() == ' ' || s.back() == '.')) s.pop_back();
    return s;
}

} // namespace qc
