#include "document/textformat.h"

#include "document/fieldtext.h"

#include <charconv>
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

// Integers as "%ld" writes them, without the format parser (every cell of a master passes here).
std::string formatInt(long value)
{
    char buf[24];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

std::string formatPatternNumber(long number, int digit)
{
    char buf[48];
    char* end = std::to_chars(buf, buf + 24, number).ptr;
    *end++ = '.';
    return std::string(buf, std::to_chars(end, buf + sizeof buf, digit).ptr);
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
