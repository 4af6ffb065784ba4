#pragma once
// The document tables: every value of the open log as code-page-932 text cells
// with 1-based rows and columns (row 0 and column 0 exist but carry nothing,
// except TestNameTable column 0).

#include <cassert>
#include <span>
#include <string>
#include <vector>

namespace qc {

// A fixed block of rows x columns of text cells, allocated once.
class TextTable
{
public:
    TextTable(int rows, int cols)
        : m_rows(rows), m_cols(cols), m_cells(static_cast<size_t>((rows + 1) * (cols + 1)))
    {
    }

    TextTable(const TextTable&) = default;
    TextTable(TextTable&&) noexcept = default;
    TextTable& operator=(TextTable&&) noexcept = default;
    // Copies only the rows either table has used: every row past both is empty in both.
    // Undo steps and reloads assign whole documents, mostly of a few rows each.
    TextTable& operator=(const TextTable& o);

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }

    // Writable access marks the row as used (see clearColumns).
    std::string& operator()(int row, int col)
    {
        if (row > m_used && row <= m_rows) m_used = row;
        return m_cells[index(row, col)];
    }
    const std::string& operator()(int row, int col) const { return m_cells[index(row, col)]; }
    // Columns first..last of one row, writable (the row counts as used); empty when out of range.
    std::span<std::string> rowCells(int row, int first, int last)
    {
        if (!runInRange(row, first, last)) return {};
        if (row > m_used) m_used = row;
        return {m_cells.data() + index(row, first), static_cast<size_t>(last - first + 1)};
    }
    std::span<const std::string> rowCells(int row, int first, int last) const
    {
        if (!runInRange(row, first, last)) return {};
        return {m_cells.data() + index(row, first), static_cast<size_t>(last - first + 1)};
    }

    // Empties columns first..last of every row from fromRow on (row 0 included by default).
    // Only rows up to the highest one ever written are visited, so clearing costs what was
    // used, not the table's size.
    void clearColumns(int first, int last, int fromRow = 0);
    void clear() { clearColumns(0, m_cols); }
    bool rowEmpty(int row, int first, int last) const;

    bool operator==(const TextTable& o) const
    {
        return m_rows == o.m_rows && m_cols == o.m_cols && m_cells == o.m_cells;
    }

private:
    bool runInRange(int row, int first, int last) const
    {
        return row >= 0 && row <= m_rows && first >= 0 && first <= last && last <= m_cols;
    }
    size_t index(int row, int col) const
    {
        assert(row >= 0 && row <= m_rows && col >= 0 && col <= m_cols);
        if (row < 0 || row > m_rows || col < 0 || col > m_cols) return 0; // row 0, column 0: carries nothing
        return static_cast<size_t>(row * (m_cols + 1) + col);
    }

    int m_rows;
    int m_cols;
    int m_used = 0; // no row below this one holds text
    std::vector<std::string> m_cells;
};

// HeaderTable: one column of 90 entries.
class HeaderList
{
public:
    static constexpr int kEntries = 90;
    // Writable access marks the list as written (see clear).
    std::string& operator()(int entry)
    {
        m_written = true;
        return m_cells[index(entry)];
    }
    const std::string& operator()(int entry) const { return m_cells[index(entry)]; }
    // Nothing to do when no cell was handed out for writing since the last clear.
    void clear()
    {
        if (!m_written) return;
        for (auto& c : m_cells) c.clear();
        m_written = false;
    }
    bool operator==(const HeaderList& o) const { return m_cells == o.m_cells; }

private:
    static size_t index(int entry)
    {
        assert(entry >= 0 && entry <= kEntries);
        return entry >= 0 && entry <= kEntries ? static_cast<size_t>(entry) : 0;
    }
    std::vector<std::string> m_cells = std::vector<std::string>(kEntries + 1);
    bool m_written = false;
};

// GraphFormatTable: 5 graphs of 14 rows of 11 fields, addressed (graph, row, field).
class GraphTable
{
public:
    static constexpr int kGraphs = 5, kRows = 14, kFields = 11;
    // Writable access marks the table as written (see clear).
    std::string& operator()(int graph, int row, int field)
    {
        m_written = true;
        return m_cells[index(graph, row, field)];
    }
    const std::string& operator()(int graph, int row, int field) const
    {
        return m_cells[index(graph, row, field)];
    }
    // Nothing to do when no cell was handed out for writing since the last clear.
    void clear()
    {
        if (!m_written) return;
        for (auto& c : m_cells) c.clear();
        m_written = false;
    }
    bool operator==(const GraphTable& o) const { return m_cells == o.m_cells; }
    // Fields 1..kFields of one row of a graph (writable access marks the table as written);
    // empty when out of range.
    std::span<std::string> rowFields(int graph, int row)
    {
        if (!rowInRange(graph, row)) return {};
        m_written = true;
        return {m_cells.data() + index(graph, row, 1), static_cast<size_t>(kFields)};
    }
    std::span<const std::string> rowFields(int graph, int row) const
    {
        if (!rowInRange(graph, row)) return {};
        return {m_cells.data() + index(graph, row, 1), static_cast<size_t>(kFields)};
    }

private:
    static bool rowInRange(int graph, int row)
    {
        return graph >= 0 && graph <= kGraphs && row >= 0 && row <= kRows;
    }
    // A row's fields lie side by side.
    static size_t index(int g, int r, int f)
    {
        assert(g >= 0 && g <= kGraphs && r >= 0 && r <= kRows && f >= 0 && f <= kFields);
        if (g < 0 || g > kGraphs || r < 0 || r > kRows || f < 0 || f > kFields) return 0;
        return static_cast<size_t>((g * (kRows + 1) + r) * (kFields + 1) + f);
    }
    std::vector<std::string> m_cells =
        std::vector<std::string>(static_cast<size_t>((kRows + 1) * (kFields + 1) * (kGraphs + 1)));
    bool m_written = false;
};

// Row capacities of the tables.
namespace limits {
constexpr int Geology = 200, SpareInterval = 50, Note = 200, Stratum = 10, WaterLevel = 50, DrillDate = 50,
              FreeColumn = 200, Casing = 50, DisplayItem = 16, TestName = 48, Sample = 100;
constexpr int HeaderInFile = 80;
} // namespace limits

// The open log: its thirteen tables, path, title and modified flag.
struct Document
{
    HeaderList HeaderTable;
    TextTable GeologyTable{limits::Geology, 14};
    TextTable SpareIntervalTable{limits::SpareInterval, 6};
    TextTable NoteTable{limits::Note, 5};
    TextTable StratumTable{limits::Stratum, 3};
    TextTable WaterLevelTable{limits::WaterLevel, 4};
    TextTable DrillDateTable{limits::DrillDate, 2};
    TextTable FreeColumnTable{limits::FreeColumn, 3};
    TextTable CasingTable{limits::Casing, 2};
    TextTable DisplayItemTable{limits::DisplayItem, 4};
    GraphTable GraphFormatTable;
    TextTable TestNameTable{limits::TestName, 10};
    TextTable SampleTable{limits::Sample, 60};

    std::string path;  // native path of the file, empty for a new document
    std::string title; // file name shown in the frame
    int modified = 0;  // 1 after a data dialog closed with OK, 0 after load and save
};

// Rows from 1 while column 1 passes the numeric test, at most the table's rows.
int usedRows(const TextTable& table);
int geologyRowCount(const Document& doc);
int spareIntervalRowCount(const Document& doc);

// New document, and before loading a current-format file. SpareIntervalTable is never cleared.
void ClearAll(Document& doc);
// Before loading an older or sibling file: keeps display items, test names and graph formats.
void ClearForImport(Document& doc);

// Save-time preparation: HeaderTable 14, 15 (coordinates) and 45 (total depth).
void PrepareForSave(Document& doc);

// Splits composite "A・B互層" names of older files into name, auxiliary name and connectors.
void AlternatingLayerConversion(Document& doc);

// Defaults applied at the end of every load, new document and master reload.
void ApplyViewUpdateDefaults(Document& doc);
// Defaults applied at the first view update only: graph widths, and the log title
// when the document is a new one (no path).
void ApplyStartupDefaults(Document& doc);
// The log title "ボーリング柱状図" of a new document, when its title is empty.
void ApplyDefaultLogTitle(Document& doc);

} // namespace qc
