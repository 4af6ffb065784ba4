#include "document/textformat.h"

#include "document/fieldtext.h"

#include <cstdarg>
#include <cstdio>

namespace qc {

std::string strprintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

// Without the printf format parser: every cell of a master passes here.
std::string formatInt(long value)
{
    return std::to_string(value);
}

std::string formatPatternNumber(long number, int digit)
{
    return std::to_string(number) + '.' + std::to_string(digit);
}

std::string formatDepth(double depth, DepthFormat format)
{
    return strprintf(format == DepthFormat::Signed2 ? "%+.2f" : "%.2f", depth);
}

std::string formatDepth(std::string_view text, DepthFormat format)
{
    return formatDepth(cellDouble(text), format);
}

} // namespace qc
