#pragma once
// Line reading for the small files of the install folder, whose readers hold
// a line in a fixed buffer: each line is cut to the buffer's size.

#include "document/textops.h"
#include "platform/files.h"

#include <string_view>

namespace qc {

// The longest prefix of line of at most maxBytes bytes that does not end
// inside a two-byte character.
inline std::string_view cutLine(std::string_view line, size_t maxBytes)
{
    if (line.size() <= maxBytes) return line;
    size_t end = 0;
    while (end < line.size()) {
        size_t next = end + charLengthAt(line, end);
        if (next > maxBytes) break;
        end = next;
    }
    return line.substr(0, end);
}

// Calls fn for each line (line end removed) cut to maxBytes. A longer line is
// cut rather than continued on a following line, so that it cannot shift the
// lines after it.
template <class Fn> void forEachLimitedLine(std::string_view bytes, size_t maxBytes, Fn&& fn)
{
    forEachLine(bytes, [&](std::string_view line) { fn(cutLine(line, maxBytes)); });
}

} // namespace qc
