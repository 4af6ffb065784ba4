#include "document/tables.h"

#include "document/cp932.h"
#include "document/fieldtext.h"

#include <cstdio>

namespace qc {

void TextTable::clearColumns(int first, int last)
{
    for (int r = 0; r <= m_rows; ++r)
        for (int c = first; c <= last && c <= m_cols; ++c) (*this)(r, c).clear();
}

bool TextTable::rowEmpty(int row, int first, int last) const
{
    for (int c = first; c <= last; ++c)
        if (!(*this)(row, c).empty()) return false;
    return true;
}

int usedRows(const TextTable& table)
{
    int n = 0;
    while (n < table.rows() && isNumeric(table(n + 1, 1))) ++n;
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
    h(14) = join(51);
    h(15) = join(54);
    int n = geologyRowCount(doc);
    h(45) = n > 0 ? doc.GeologyTable(n, 1) : std::string();
}

static std::string formatInt(long v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%ld", v);
    return buf;
}

void AlternatingLayerConversion(Document& doc)
{
    const std::string& alternation = QC_SJ("互層");
    const std::string& fullDot = QC_SJ("・");
    const std::string& halfDot = QC_SJ("･");
    auto& g = doc.GeologyTable;
    for (int r = 1; r <= g.rows() && isNumeric(g(r, 1)); ++r) {
        if (g(r, 3).empty()) g(r, 11).clear();
        g(r, 10) = g(r, 11);
        const std::string name = g(r, 2);
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
                g(r, 2) = TextBefore(part, *connector);
                g(r, 3) = TextAfter(part, *connector);
                g(r, 10) = *connector;
                g(r, 11) = alternation;
                if (cellDouble(g(r, 9)) < 1) g(r, 9) = "49";
                g(r, 7) = formatInt(cellLong(g(r, 7)) | 256);
            } else {
                g(r, 9) = "98";
                g(r, 10) = " ";
                g(r, 11).clear();
            }
        } else if (!g(r, 3).empty()) {
            if (g(r, 10) == "(") {
                g(r, 11) = ")";
                if (cellDouble(g(r, 9)) < 1) g(r, 9) = "50";
            } else if (g(r, 10) == QC_SJ("（")) {
                g(r, 11) = QC_SJ("）");
                if (cellDouble(g(r, 9)) < 1) g(r, 9) = "50";
            } else {
                g(r, 11).clear();
                if (cellDouble(g(r, 9)) < 1) g(r, 9) = "52";
            }
        }
    }
}

static std::string formatTenths(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

static bool notPositive(const std::string& cell)
{
    return cellDouble(cell) <= 0;
}

void ApplyViewUpdateDefaults(Document& doc)
{
    auto& d = doc.DisplayItemTable;
    d(1, 2) = "0.0";
    d(2, 2) = formatTenths(31.8);
    d(5, 2) = formatTenths(6.4);
    d(6, 2) = formatTenths(3.6 + 6.6 + 7.4);
    d(13, 2) = formatTenths(5.6);
    d(14, 2) = "0.0";
    d(15, 2) = "0.0";
    d(16, 2) = formatTenths(5.6);
    if (notPositive(d(3, 2))) d(3, 2) = formatTenths(3.4);
    if (notPositive(d(4, 2))) d(4, 2) = formatTenths(3.4);
    if (notPositive(d(7, 2))) d(7, 2) = formatTenths(24.0);

    auto& gf = doc.GraphFormatTable;
    struct Default
    {
        int row, field;
        const char* value;
    };
    static constexpr Default defaults[] = {{1, 3, "10"}, {1, 4, "65"}, {1, 5, "2"},  {2, 3, "70"},
                                           {2, 4, "80"}, {2, 5, "2"},  {3, 2, "10"}, {3, 3, "65"},
                                           {3, 8, "70"}, {4, 4, "1"},  {4, 5, "10"}, {4, 6, "1"}};
    for (int graph = 1; graph <= GraphTable::kGraphs; ++graph) {
        for (const auto& def : defaults)
            if (notPositive(gf(graph, def.row, def.field))) gf(graph, def.row, def.field) = def.value;
        gf(graph, 4, 8) = "1";
    }

    if (d(1, 4).empty()) d(1, 4) = QC_SJ("現場土質名");
    if (d(3, 4).empty()) d(3, 4) = QC_SJ("地層・岩体区分");
}

void ApplyDefaultLogTitle(Document& doc)
{
    if (doc.HeaderTable(38).empty()) doc.HeaderTable(38) = QC_SJ("ボーリング柱状図");
}

void ApplyStartupDefaults(Document& doc)
{
    for (int row = 8; row <= 12; ++row)
        if (!isNumeric(doc.DisplayItemTable(row, 2))) doc.DisplayItemTable(row, 2) = formatTenths(23);
    // The title default is a new document's: a file opened at start-up keeps its own
    // title, also one the user emptied.
    if (doc.path.empty()) ApplyDefaultLogTitle(doc);
}

} // namespace qc
