#pragma once
// The column-heading band above the log body.

namespace qc {

struct LogPass;

// The band is 4.15 header cm high and divided into 11 rows by 12 lines.
constexpr double kHeadingBandHeight = 4.15;
constexpr int kHeadingLines = 11;

// Heading line k (0 the top of the band, 11 the body's top line), in header cm.
double headingLineY(double headingBandTop, double k);

// Header phase, "項目部" font: the band from headingBandTop down to 0 over X0 ... X24
// (frame, rules and every column title). h in header cm, w in page mm.
void drawColumnHeadings(LogPass& pass, double h, double w, double angle);

} // namespace qc
