#pragma once
// The geology columns X1 ... X7: boundaries, elevation, thickness and depth
// figures, pattern, name and colour tone of every layer.

#include <optional>
#include <string>

namespace qc {

struct Document;
struct LogPass;

// Drawn after the body clip is removed; clips itself to the page's depth range.
// h is the "柱状図" character height in metres; elevation -999.99 when there is none.
void drawGeologyColumns(LogPass& pass, double h, double pageTop, double elevation, double angle);

// The elevation of a depth in a printf format: elevation - depth x cos(angle) for
// an inclined hole, elevation - depth for a vertical one (angle 0); a value
// under 0.005 in magnitude is 0, so no "-0.00". Nothing without an elevation
// (-999.9 or less).
std::optional<std::string> elevationText(double depth, double elevation, double angle, const char* format);

// The same for the depth columns: the elevation when the log shows elevations
// (HeaderTable 36 is "1") or flag is 1, else the depth itself in the format.
std::optional<std::string> elevationText(const Document& doc, double depth, double elevation, double angle,
                                         const char* format, int flag);

// The name column's text of GeologyTable row r by the attribute bits (128 name
// and symbol, 256 auxiliary name with prefix and suffix) and the symbol option
// (1 " (symbol)", 2 " symbol", other values no symbol).
std::string geologyNameText(const Document& doc, int row, int symbolOption);

} // namespace qc
