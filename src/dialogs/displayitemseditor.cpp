#include "dialogs/displayitemseditor.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "render/logpage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qc {

namespace {

size_t at(int row)
{
    return static_cast<size_t>(std::clamp(row, 0, 16));
}

std::string formatInt(int v)
{
    return std::to_string(v);
}

// Integer part of a sum of tenths: 23.9999999 from adding 0.1 steps is 24.
int wholePart(double x)
{
    return static_cast<int>(x + (x >= 0 ? 1e-7 : -1e-7));
}

} // namespace

DisplayItemsEditor::DisplayItemsEditor(DisplayItemsData data) : m_data(std::move(data))
{
    recomputeBasic();
    recomputeGraphs();
    recomputeOverall();
}

bool DisplayItemsEditor::widthEditable(int row)
{
    return row == DisplayRow::Strata || row == DisplayRow::FreeColumn || row == DisplayRow::GrainSize ||
           isGraphRow(row);
}

bool DisplayItemsEditor::isGraphRow(int row)
{
    return row >= DisplayRow::Graph1 && row <= DisplayRow::Graph5;
}

bool DisplayItemsEditor::isBasicRow(int row)
{
    return row >= DisplayRow::Notes && row <= DisplayRow::DrillDate && !isGraphRow(row);
}

const std::vector<std::string>& DisplayItemsEditor::titleItems(int row)
{
    static const std::vector<std::string> basic = {QC_SJ("現場土質名"), QC_SJ("土質区分"), ""};
    static const std::vector<std::string> strata = {QC_SJ("地層・岩体区分"), QC_SJ("地質年代的区分"), ""};
    static const std::vector<std::string> free = {QC_SJ("備考"), ""};
    static const std::vector<std::string> none;
    switch (row) {
    case DisplayRow::Basic:
        return basic;
    case DisplayRow::Strata:
        return strata;
    case DisplayRow::FreeColumn:
        return free;
    default:
        return none;
    }
}

double DisplayItemsEditor::fixedPartWidth()
{
    return fixedColumnsWidth();
}

std::string DisplayItemsEditor::formatMm(double mm)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", mm);
    return buf;
}

bool DisplayItemsEditor::shown(int row) const
{
    return m_data.shown[at(row)] == 1;
}

void DisplayItemsEditor::setShown(int row, bool on)
{
    if (row < DisplayRow::Notes || row > DisplayRow::DrillDate) return;
    m_data.shown[at(row)] = on ? 1 : 0;
    if (isGraphRow(row))
        recomputeGraphs();
    else
        recomputeBasic();
}

void DisplayItemsEditor::setWidth(int row, std::string text)
{
    if (widthEditable(row)) m_data.width[at(row)] = std::move(text);
}

void DisplayItemsEditor::setGridWidth(int row, std::string text)
{
    if (isGraphRow(row)) m_data.gridWidth[at(row)] = std::move(text);
}

void DisplayItemsEditor::setTitle(int row, std::string text)
{
    if (!titleItems(row).empty()) m_data.title[at(row)] = std::move(text);
}

void DisplayItemsEditor::widthLeft(int row)
{
    if (isGraphRow(row))
        recomputeGraphs();
    else if (isBasicRow(row))
        recomputeBasic();
}

double DisplayItemsEditor::widthOf(int row) const
{
    // Empty or non-numeric widths count as 0.
    const std::string& w = m_data.width[at(row)];
    return isNumeric(w) ? cellDouble(w) : 0.0;
}

void DisplayItemsEditor::recomputeBasic()
{
    double sum = fixedPartWidth();
    for (int row = DisplayRow::Notes; row <= DisplayRow::DrillDate; ++row)
        if (isBasicRow(row) && shown(row)) sum += widthOf(row);
    m_basicTotal = sum;
}

void DisplayItemsEditor::recomputeGraphs()
{
    double sum = 0;
    for (int row = DisplayRow::Graph1; row <= DisplayRow::Graph5; ++row)
        if (shown(row)) sum += widthOf(row);
    m_graphTotal = sum;
}

void DisplayItemsEditor::recomputeOverall()
{
    m_overallTotal = m_basicTotal + m_graphTotal;
}

void DisplayItemsEditor::equalWidths()
{
    int n = 0;
    for (int row = DisplayRow::Graph1; row <= DisplayRow::Graph5; ++row)
        if (shown(row)) ++n;
    if (n < 1) return;
    recomputeBasic();
    const double w = (kLogWidthMm - m_basicTotal) / n;
    // The grid: at most the width, and the largest multiple of 10 not above w - 4.
    const int grid = std::min(wholePart(w), 10 * wholePart((w - 4) * 0.1));
    for (int row = DisplayRow::Graph1; row <= DisplayRow::Graph5; ++row) {
        if (shown(row)) {
            m_data.width[at(row)] = formatMm(w);
            m_data.gridWidth[at(row)] = formatInt(grid);
        } else {
            m_data.width[at(row)].clear();
            m_data.gridWidth[at(row)].clear();
        }
    }
    recomputeBasic();
    recomputeGraphs();
    recomputeOverall();
}

void DisplayItemsEditor::example(int graphs, const char* grainSize, const char* gridWidth)
{
    for (int row = DisplayRow::Notes; row <= DisplayRow::DrillDate; ++row) m_data.shown[at(row)] = 0;
    for (int row :
         {DisplayRow::WaterLevel, DisplayRow::Sampling, DisplayRow::GrainSize, DisplayRow::DrillDate})
        m_data.shown[at(row)] = 1;
    for (int g = 1; g <= 5; ++g) {
        const int row = DisplayRow::graph(g);
        m_data.shown[at(row)] = g <= graphs ? 1 : 0;
        m_data.gridWidth[at(row)] = g <= graphs ? gridWidth : "";
    }
    m_data.width[at(DisplayRow::FreeColumn)] = "3.4";
    m_data.width[at(DisplayRow::GrainSize)] = grainSize;
    m_data.width[at(DisplayRow::Strata)] = "3.4";
    equalWidths();
}

void DisplayItemsEditor::fiveGraphs()
{
    example(5, "24.0", "20");
}

void DisplayItemsEditor::threeGraphs()
{
    example(3, "26.0", "40");
}

void DisplayItemsEditor::accept()
{
    recomputeBasic();
    recomputeGraphs();
}

} // namespace qc
