#pragma once
// The column-heading band above the log body.

namespace qc {

struct LogPass;

// Header phase, "項目部" font: the band from headingBandTop down to 0 over X0 ... X24
// (frame, rules and every column title). h in header cm, w in page mm.
void drawColumnHeadings(LogPass& pass, double h, double w, double angle);

} // namespace qc
