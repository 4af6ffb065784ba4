#pragma once
// The 25 column boundaries X0 ... X24 of the log, in page mm: a running sum of
// fixed widths and the widths of the columns DisplayItemTable shows.

#include <array>
#include <cstddef>

namespace qc {

struct Document;

// The widest column a file may set, page mm: wider than any paper a page is printed on,
// so that no drawing loop across a column can run away.
constexpr double kMaxColumnWidthMm = 1000.0;

// A width set in the file, within 0 to kMaxColumnWidthMm.
double clampColumnWidth(double mm);

struct ColumnEdges
{
    static constexpr int kCount = 25;
    std::array<double, kCount> X{};

    double operator[](int i) const
    {
        return X[static_cast<std::size_t>(i < 0 ? 0 : i >= kCount ? kCount - 1 : i)];
    }

    static ColumnEdges compute(const Document& doc);
};

// Width of the part from the depth scale to the geology name, always drawn (X9).
double fixedColumnsWidth();

// DisplayItemTable row shown: column 1 equal to 1 as an integer.
bool displayItemShown(const Document& doc, int row);

// Graph k (1 to 5) is drawn when its row (7 + k) is shown (non-zero) and its column at least 1.0 mm wide.
bool graphDrawn(const Document& doc, const ColumnEdges& edges, int k);

} // namespace qc
