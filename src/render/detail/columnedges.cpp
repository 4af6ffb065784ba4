#include "render/detail/columnedges.h"

#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"

#include <algorithm>

namespace qc {

namespace {
// Depth scale, elevation, thickness, depth, pattern, soil name, colour tone, and two empty places.
constexpr double kFixedWidths[10] = {5.0, 7.6, 8.8, 7.6, 7.6, 8.2, 17.4, 8.4, 0.0, 0.0};
} // namespace

double fixedColumnsWidth()
{
    double sum = 0;
    for (double w : kFixedWidths) sum += w;
    return sum;
}

double clampColumnWidth(double mm)
{
    return mm > 0 ? std::min(mm, kMaxColumnWidthMm) : 0.0; // NaN gives 0
}

bool displayItemShown(const Document& doc, int row)
{
    return cellInt(doc.DisplayItemTable(row, DisplayCol::Shown)) == 1;
}

ColumnEdges ColumnEdges::compute(const Document& doc)
{
    ColumnEdges e;
    double sum = 0;
    for (int i = 0; i < kCount; ++i) {
        double w = 0;
        if (i < 10)
            w = kFixedWidths[i];
        else if (displayItemShown(doc, i - 8))
            w = clampColumnWidth(cellDouble(doc.DisplayItemTable(i - 8, DisplayCol::Width)));
        sum += w;
        e.X[static_cast<size_t>(i)] = sum;
    }
    return e;
}

bool graphDrawn(const Document& doc, const ColumnEdges& edges, int k)
{
    if (k < 1 || k > 5) return false;
    return cellInt(doc.DisplayItemTable(DisplayRow::graph(k), DisplayCol::Shown)) != 0 &&
           edges[15 + k] - edges[14 + k] >= 1.0;
}

} // namespace qc
