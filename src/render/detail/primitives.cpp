#include "render/detail/primitives.h"

#include "document/cp932.h"
#include "document/textops.h"

#include <cmath>

namespace qc {

double Interpolate(double v, double a1, double a2, double b1, double b2)
{
    if (std::fabs(a2 - a1) < 1e-6) return 0;
    return b1 + (v - a1) / (a2 - a1) * (b2 - b1);
}

double DigitPart(double n, double m)
{
    return FloorToMultiple(n, m) - FloorToMultiple(n, 10 * m);
}

double DegreesToRadians(double degrees)
{
    if (degrees < 0) degrees += 360;
    const double t = degrees / 360;
    return (t - std::floor(t)) * 2 * 3.14159;
}

const std::string& graphSymbols()
{
    return QC_SJ(kGraphSymbolsUtf8);
}

int graphSymbolNumber(std::string_view symbol)
{
    if (symbol.empty()) return 0;
    const std::string& all = graphSymbols();
    const size_t pos = findText(all, symbol);
    if (pos == std::string::npos) return 0;
    return CharCount(std::string_view(all).substr(0, pos)) + 1;
}

} // namespace qc
