#pragma once
// The geology columns X1 ... X7: boundaries, elevation, thickness and depth
// figures, pattern, name and colour tone of every layer.

namespace qc {

struct LogPass;

// Drawn after the body clip is removed; clips itself to the page's depth range.
// h is the "柱状図" character height in metres; elevation -999.99 when there is none.
void drawGeologyColumns(LogPass& pass, double h, double pageTop, double elevation, double angle);

} // namespace qc
