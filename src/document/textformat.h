#pragma once
// Numbers written into cells and texts: the printf-style formats of the log,
// integers and depths. The reading side (cellDouble, cellLong) is in fieldtext.h.

#include <string>
#include <string_view>

namespace qc {

// printf-style formatting into a std::string.
std::string strprintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// An integer as "%ld".
std::string formatInt(long value);
// A pattern number with its trait digit as "%ld.%d" (the form of the pattern cells).
std::string formatPatternNumber(long number, int digit);

enum class DepthFormat {
    Fixed2, // "%.2f"
    Signed2 // "%+.2f" (water levels)
};

// A depth in metres as "%.2f" (or "%+.2f").
std::string formatDepth(double depth, DepthFormat format = DepthFormat::Fixed2);
// A depth text rewritten the same way from its cell value (cellDouble).
std::string formatDepth(std::string_view text, DepthFormat format = DepthFormat::Fixed2);

} // namespace qc
