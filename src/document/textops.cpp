#include "document/textops.h"

#include "document/cp932.h"

#include <algorithm>

namespace qc {

size_t charLengthAt(std::string_view text, size_t i)
{
    if (i + 1 < text.size() && cp932::isLeadByte(static_cast<unsigned char>(text[i]))) return 2;
    return 1;
}

size_t findChar(std::string_view text, char c, size_t from)
{
    for (size_t p = 0; p < text.size(); p += charLengthAt(text, p))
        if (p >= from && text[p] == c) return p;
    return std::string_view::npos;
}

bool endsWithChar(std::string_view text, char c)
{
    size_t last = std::string_view::npos;
    for (size_t p = 0; p < text.size(); p += charLengthAt(text, p)) last = p;
    return last != std::string_view::npos && last + 1 == text.size() && text[last] == c;
}

std::string MidBytes(std::string_view text, int start, int count, bool* ok)
{
    if (ok) *ok = false;
    text = text.substr(0, std::min<size_t>(text.size(), 200));
    count = std::min(count, 200);
    if (start < 1) start = 1;
    const size_t from = static_cast<size_t>(start - 1);
    if (count <= 0 || from >= text.size()) return {};
    const size_t to = std::min(text.size(), from + static_cast<size_t>(count));
    std::string out;
    size_t p = 0;
    while (p < to) {
        size_t len = charLengthAt(text, p);
        // A character cut off by the 200-byte limit counts as cut.
        if (len == 1 && p + 1 == text.size() && cp932::isLeadByte(static_cast<unsigned char>(text[p])) &&
            text.size() == 200)
            len = 2;
        size_t end = p + len;
        if (end > from) {
            if (p >= from && end <= to)
                out.append(text.substr(p, std::min(len, text.size() - p)));
            else
                out += ' ';
        }
        p = end;
    }
    if (ok) *ok = true;
    return out;
}

std::string MidChars(std::string_view text, int first, int count)
{
    std::string out;
    const int last = first + count - 1;
    int n = 0;
    for (size_t p = 0; p < text.size();) {
        size_t len = charLengthAt(text, p);
        if (++n > last) break;
        if (n >= first) out.append(text.substr(p, len));
        p += len;
    }
    return out;
}

int CharCount(std::string_view text)
{
    int n = 0;
    for (size_t p = 0; p < text.size(); p += charLengthAt(text, p)) ++n;
    return n;
}

} // namespace qc
