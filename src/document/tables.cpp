#include "document/tables.h"

#include "document/positions.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/textformat.h"

#include <algorithm>

namespace qc {

TextTable& TextTable::operator=(const TextTable& o)
{
    if (this == &o) return *this;
    if (m_rows != o.m_rows || m_cols != o.m_cols) {
        m_rows = o.m_rows;
        m_cols = o.m_cols;
        m_cells = o.m_cells;
    } else {
        const auto end = static_cast<std::ptrdiff_t>((std::max(m_used, o.m_used) + 1) * (m_cols + 1));
        std::copy(o.m_cells.begin(), o.m_cells.begin() + end, m_cells.begin());
    }
    m_used = o.m_used;
    return *this;
}

void TextTable::clearColumns(int first, int last, int fromRow)
{
    first = std::max(first, 0);
    last = std::min(last, m_cols);
    fromRow = std::max(fromRow, 0);
    // The rows still holding text are found in the same pass, looking only at the
    // columns left alone (none at all for a whole clear); rows above fromRow are kept.
    int held = std::clamp(fromRow - 1, 0, m_used);
    for (int r = fromRow; r <= m_used; ++r) {
        std::string* row = &m_cells[static_cast<size_t>(r * (m_cols + 1))];
        for (int c = first; c <= last; ++c) row[c].clear();
        if (r > held && !(rowEmpty(r, 0, first - 1) && rowEmpty(r, last + 1, m_cols))) held = r;
    }
    m_used = held;
}

bool TextTable::rowEmpty(int row, int first, int last) const
{
    for (const std::string& cell : rowCells(row, first, last))
        if (!cell.empty()) return false;
    return true;
}

int usedRows(const TextTable& table)
{
    int n = 0;
    while (n < table.rows() && isNumeric(table(n + 1, 1))) ++n; // literal position: every row table's key
    return n;
}

int geologyRowCount(const Document& doc)
{
    return usedRows(doc.GeologyTable);
}
int spareIntervalRowCount(const Document& doc)
{
    return usedRows(doc.SpareIntervalTable);
}

static void clearCommon(Document& doc)
{
    doc.HeaderTable.clear();
    doc.GeologyTable.clearColumns(1, 11);
    doc.NoteTable.clearColumns(1, 5);
    doc.StratumTable.clearColumns(1, 3);
    doc.WaterLevelTable.clearColumns(1, 4);
    doc.DrillDateTable.clearColumns(1, 2);
    doc.FreeColumnTable.clearColumns(1, 3);
    doc.CasingTable.clearColumns(1, 2);
    doc.SampleTable.clearColumns(1, 60);
}

void ClearAll(Document& doc)
{
    clearCommon(doc);
    doc.DisplayItemTable.clearColumns(1, 4);
    doc.TestNameTable.clearColumns(0, 10);
    doc.GraphFormatTable.clear();
}

void ClearForImport(Document& doc)
{
    clearCommon(doc);
}

void PrepareForSave(Document& doc)
{
    auto& h = doc.HeaderTable;
    // Coordinates that were never entered stay an empty line.
    auto join = [&](int first) {
        if (h(first).empty() && h(first + 1).empty() && h(first + 2).empty()) return std::string();
        return h(first) + "," + h(first + 1) + "," + h(first + 2);
    };
    h(HeaderEntry::LatitudeInFile) = join(HeaderEntry::LatitudeDeg);
    h(HeaderEntry::LongitudeInFile) = join(HeaderEntry::LongitudeDeg);
    int n = geologyRowCount(doc);
    h(HeaderEntry::TotalDepth) = n > 0 ? doc.GeologyTable(n, GeologyCol::Depth) : std::string();
}

void AlternatingLayerConversion(Document& doc)
{
    const std::string& alternation = QC_SJ("互層");
    const std::string& fullDot = QC_SJ("・");
    const std::string& halfDot = QC_SJ("･");
    auto& g = doc.GeologyTable;
    for (int r = 1; r <= g.rows() && isNumeric(g(r, GeologyCol::Depth)); ++r) {
        if (g(r, GeologyCol::AuxName).empty()) g(r, GeologyCol::Suffix).clear();
        g(r, GeologyCol::Prefix) = g(r, GeologyCol::Suffix);
        const std::string name = g(r, GeologyCol::Name);
        if (name.empty()) continue;
        size_t at = findText(name, alternation);
        if (at != std::string::npos) {
            const std::string part = name.substr(0, at);
            const std::string* connector = nullptr;
            if (findText(part, fullDot) != std::string::npos)
                connector = &fullDot;
            else if (findText(part, halfDot) != std::string::npos)
                connector = &halfDot;
            if (connector) {
                g(r, GeologyCol::Name) = TextBefore(part, *connector);
                g(r, GeologyCol::AuxName) = TextAfter(part, *connector);
                g(r, GeologyCol::Prefix) = *connector;
                g(r, GeologyCol::Suffix) = alternation;
                if (cellDouble(g(r, GeologyCol::Percent)) < 1) g(r, GeologyCol::Percent) = "49";
                g(r, GeologyCol::Attributes) =
                    formatInt(cellLong(g(r, GeologyCol::Attributes)) | GeologyBits::ShowAuxiliary);
            } else {
                g(r, GeologyCol::Percent) = "98";
                g(r, GeologyCol::Prefix) = " ";
                g(r, GeologyCol::Suffix).clear();
            }
        } else if (!g(r, GeologyCol::AuxName).empty()) {
            if (g(r, GeologyCol::Prefix) == "(") {
                g(r, GeologyCol::Suffix) = ")";
                if (cellDouble(g(r, GeologyCol::Percent)) < 1) g(r, GeologyCol::Percent) = "50";
            } else if (g(r, GeologyCol::Prefix) == QC_SJ("（")) {
                g(r, GeologyCol::Suffix) = QC_SJ("）");
                if (cellDouble(g(r, GeologyCol::Percent)) < 1) g(r, GeologyCol::Percent) = "50";
            } else {
                g(r, GeologyCol::Suffix).clear();
                if (cellDouble(g(r, GeologyCol::Percent)) < 1) g(r, GeologyCol::Percent) = "52";
            }
        }
    }
}

static std::string formatTenths(double v)
{
    return strprintf("%.1f", v);
}

static bool notPositive(const std::string& cell)
{
    return cellDouble(cell) <= 0;
}

void ApplyViewUpdateDefaults(Document& doc)
{
    auto& d = doc.DisplayItemTable;
    d(DisplayRow::Basic, DisplayCol::Width) = "0.0";
    d(DisplayRow::Notes, DisplayCol::Width) = formatTenths(31.8);
    d(DisplayRow::WaterLevel, DisplayCol::Width) = formatTenths(6.4);
    d(DisplayRow::Sampling, DisplayCol::Width) = formatTenths(3.6 + 6.6 + 7.4);
    d(DisplayRow::Casing, DisplayCol::Width) = formatTenths(5.6);
    d(DisplayRow::Reserved1, DisplayCol::Width) = "0.0";
    d(DisplayRow::Reserved2, DisplayCol::Width) = "0.0";
    d(DisplayRow::DrillDate, DisplayCol::Width) = formatTenths(5.6);
    if (notPositive(d(DisplayRow::Strata, DisplayCol::Width)))
        d(DisplayRow::Strata, DisplayCol::Width) = formatTenths(3.4);
    if (notPositive(d(DisplayRow::FreeColumn, DisplayCol::Width)))
        d(DisplayRow::FreeColumn, DisplayCol::Width) = formatTenths(3.4);
    if (notPositive(d(DisplayRow::GrainSize, DisplayCol::Width)))
        d(DisplayRow::GrainSize, DisplayCol::Width) = formatTenths(24.0);

    auto& gf = doc.GraphFormatTable;
    struct Default
    {
        int row, field;
        const char* value;
    };
    static constexpr Default defaults[] = {
        {GraphRow::Title1, TitleField::Left, "10"},        {GraphRow::Title1, TitleField::Right, "65"},
        {GraphRow::Title1, TitleField::Top, "2"},          {GraphRow::Title2, TitleField::Left, "70"},
        {GraphRow::Title2, TitleField::Right, "80"},       {GraphRow::Title2, TitleField::Top, "2"},
        {GraphRow::Legend, LegendField::NameLeft, "10"},   {GraphRow::Legend, LegendField::NameRight, "65"},
        {GraphRow::Legend, LegendField::RemarkLeft, "70"}, {GraphRow::Grid, GridField::LogFrom, "1"},
        {GraphRow::Grid, GridField::LogTo, "10"},          {GraphRow::Grid, GridField::LogGrid2To, "1"}};
    for (int graph = 1; graph <= GraphTable::kGraphs; ++graph) {
        for (const auto& def : defaults)
            if (notPositive(gf(graph, def.row, def.field))) gf(graph, def.row, def.field) = def.value;
        gf(graph, GraphRow::Grid, GridField::AxisColour) = "1";
    }

    if (d(DisplayRow::Basic, DisplayCol::Title).empty())
        d(DisplayRow::Basic, DisplayCol::Title) = QC_SJ("現場土質名");
    if (d(DisplayRow::Strata, DisplayCol::Title).empty())
        d(DisplayRow::Strata, DisplayCol::Title) = QC_SJ("地層・岩体区分");
}

void ApplyDefaultLogTitle(Document& doc)
{
    if (doc.HeaderTable(HeaderEntry::LogTitle).empty())
        doc.HeaderTable(HeaderEntry::LogTitle) = QC_SJ("ボーリング柱状図");
}

void ApplyStartupDefaults(Document& doc)
{
    for (int row = 8; row <= 12; ++row)
        if (!isNumeric(doc.DisplayItemTable(row, DisplayCol::Width)))
            doc.DisplayItemTable(row, DisplayCol::Width) = formatTenths(23);
    // The title default is a new document's: a file opened at start-up keeps its own
    // title, also one the user emptied.
    if (doc.path.empty()) ApplyDefaultLogTitle(doc);
}

} // namespace qc
