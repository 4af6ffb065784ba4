#include "document/fieldtext.h"

#include "document/cp932.h"
#include "document/textops.h"
#include "platform/prompter.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace qc {

namespace {

bool isBlank(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r'); // tab, LF, VT, FF, CR
}

} // namespace

std::string_view skipBlanks(std::string_view text)
{
    // The full-width blank is what an IME types before a number; it is skipped as a
    // whole character (its bytes 0x81 0x40 never start inside another character here,
    // since only whole characters are stepped over).
    static constexpr std::string_view fullWidthBlank = "\x81\x40";
    size_t i = 0;
    while (i < text.size()) {
        if (isBlank(static_cast<unsigned char>(text[i])))
            ++i;
        else if (text[i] == fullWidthBlank[0] && i + 1 < text.size() && text[i + 1] == fullWidthBlank[1])
            i += 2;
        else
            break;
    }
    return text.substr(i);
}

int NumericTest(std::string_view text)
{
    text = skipBlanks(text);
    if (text.empty()) return -1;
    static constexpr std::string_view candidates = "1234567890.+-";
    return candidates.find(text.front()) != std::string_view::npos ? 1 : 0;
}

namespace {

// The first byte offset of sep at or after from: memchr for its first byte, memcmp for
// the rest, so that no byte is compared in code of ours (the fuzz builds trace those).
size_t findBytes(std::string_view text, std::string_view sep, size_t from)
{
    if (sep.empty() || from > text.size() || text.size() - from < sep.size()) return std::string_view::npos;
    const char* p = text.data() + from;
    const char* last = text.data() + (text.size() - sep.size());
    while (p <= last) {
        const void* hit = std::memchr(p, sep.front(), static_cast<size_t>(last - p) + 1);
        if (!hit) break;
        p = static_cast<const char*>(hit);
        if (std::memcmp(p + 1, sep.data() + 1, sep.size() - 1) == 0)
            return static_cast<size_t>(p - text.data());
        ++p;
    }
    return std::string_view::npos;
}

std::string_view csvLine(std::string_view line, Prompter* prompter)
{
    if (line.size() > kCsvLineLimit) {
        if (prompter) prompter->message("too many csv");
        line = line.substr(0, kCsvLineLimit);
    }
    return line;
}

// The fields of a non-empty line from the first up to field `last` (from 0): field(i)
// gives the text to append field i to, or nullptr to skip it. Returns how many fields
// the line has, counting no further than last + 1. Double quotes toggle a quoted state
// and are dropped; an LF ends the line; a trailing comma starts no further field.
// Byte search is safe here: ",", the double quote and LF lie below 0x40 and are never
// the second byte of a two-byte character (those are 0x40-0x7E and 0x80-0xFC). memchr
// finds them without a comparison per byte, which keeps the reader fast.
template <class Field> size_t walkCsv(std::string_view line, size_t last, Field&& field)
{
    const char* p = line.data();
    const char* end = p + line.size();
    if (const void* nl = std::memchr(p, '\n', line.size())) end = static_cast<const char*>(nl);
    // The next quote and comma at or after p, searched again only once p has passed them.
    const char* quote = nullptr;
    const char* comma = nullptr;
    auto next = [&](const char*& at, char c) {
        if (at && at >= p) return at;
        const void* hit = std::memchr(p, c, static_cast<size_t>(end - p));
        return at = hit ? static_cast<const char*>(hit) : end;
    };
    size_t index = 0;
    std::string* out = field(index);
    bool quoted = false;
    for (;;) {
        const char* stop = quoted ? next(quote, '"') : std::min(next(quote, '"'), next(comma, ','));
        if (out) out->append(p, static_cast<size_t>(stop - p));
        if (stop == end) break;
        p = stop + 1;
        if (*stop == '"') {
            quoted = !quoted;
            continue;
        }
        // A comma: a further field exists when anything follows it.
        if (index == last || p == end) break;
        out = field(++index);
    }
    return index + 1;
}

} // namespace

size_t CsvSplit(std::vector<std::string>& fields, std::string_view line, Prompter* prompter)
{
    if (line.empty()) return 0;
    line = csvLine(line, prompter);
    return walkCsv(line, SIZE_MAX, [&](size_t i) {
        if (i == fields.size()) fields.emplace_back();
        fields[i].clear();
        return &fields[i];
    });
}

std::vector<std::string> CsvSplit(std::string_view line, Prompter* prompter)
{
    std::vector<std::string> fields;
    fields.resize(CsvSplit(fields, line, prompter));
    return fields;
}

int CsvSplitInto(std::string_view line, std::string* const* cells, int count, Prompter* prompter)
{
    for (int i = 0; i < count; ++i) cells[i]->clear();
    if (line.empty() || count < 1) return 0;
    line = csvLine(line, prompter);
    const size_t n = walkCsv(line, static_cast<size_t>(count - 1), [&](size_t i) { return cells[i]; });
    return static_cast<int>(n);
}

int CsvSplitInto(std::string_view line, std::span<std::string> cells, Prompter* prompter)
{
    for (std::string& cell : cells) cell.clear();
    if (line.empty() || cells.empty()) return 0;
    line = csvLine(line, prompter);
    return static_cast<int>(walkCsv(line, cells.size() - 1, [&](size_t i) { return &cells[i]; }));
}

int CsvField(std::string& out, std::string_view line, int n, Prompter* prompter)
{
    out.clear();
    if (line.empty()) return -1;
    line = csvLine(line, prompter);
    if (n < 1) return 0;
    const size_t want = static_cast<size_t>(n - 1);
    const size_t fields = walkCsv(line, want, [&](size_t i) { return i == want ? &out : nullptr; });
    if (fields <= want) {
        out.clear();
        return 0;
    }
    return 1;
}

size_t findText(std::string_view text, std::string_view sep, size_t from)
{
    if (sep.empty()) return std::string_view::npos;
    // The byte search finds the candidates; those that start on a character are kept.
    // Whether one does is told by the bytes just before it: after a byte that cannot
    // start a two-byte character a character starts, and every lead byte from there on
    // starts one of two bytes. So only that run is read, back no further than the
    // last character start known (the text's start, or just past the last candidate).
    size_t known = 0;
    for (size_t hit = findBytes(text, sep, from); hit != std::string_view::npos;
         hit = findBytes(text, sep, hit + 1)) {
        size_t start = hit;
        while (start > known && cp932::isLeadByte(static_cast<unsigned char>(text[start - 1]))) --start;
        if ((hit - start) % 2 == 0) return hit;
        known = hit + 1; // hit - 1 starts a character of two bytes
    }
    return std::string_view::npos;
}

int TextBefore(std::string& out, std::string_view text, std::string_view sep)
{
    size_t pos = findText(text, sep);
    if (pos == std::string_view::npos) {
        out = std::string(text);
        return 0;
    }
    out = pos == 0 ? std::string(text) : std::string(text.substr(0, pos));
    return static_cast<int>(pos) + 1;
}

std::string TextBefore(std::string_view text, std::string_view sep)
{
    std::string out;
    TextBefore(out, text, sep);
    return out;
}

int TextBeforeStrict(std::string& out, std::string_view text, std::string_view sep)
{
    out.clear();
    size_t pos = findText(text, sep);
    if (pos == std::string_view::npos) return -1;
    if (pos > 0) out = std::string(text.substr(0, pos));
    return static_cast<int>(pos);
}

std::string TextBeforeStrict(std::string_view text, std::string_view sep)
{
    std::string out;
    TextBeforeStrict(out, text, sep);
    return out;
}

int TextAfter(std::string& out, std::string_view text, std::string_view sep)
{
    out.clear();
    size_t pos = findText(text, sep);
    if (pos == std::string_view::npos) return 0;
    out = std::string(text.substr(pos + sep.size()));
    return static_cast<int>(pos) + 1;
}

std::string TextAfter(std::string_view text, std::string_view sep)
{
    std::string out;
    TextAfter(out, text, sep);
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view repl)
{
    if (text.empty()) return {};
    // Most texts hold nothing to replace: copied whole rather than character by character.
    if (find.empty() || findText(text, find) == std::string_view::npos) return std::string(text);
    std::string out;
    size_t p = 0;
    while (p < text.size()) {
        if (text.substr(p, find.size()) == find) {
            out.append(repl);
            p += find.size();
        } else {
            size_t len = charLengthAt(text, p);
            out.append(text.substr(p, len));
            p += len;
        }
    }
    return out;
}

double FloorToMultiple(double x, double m)
{
    if (m == 0) return 0;
    return std::trunc(std::floor(x / m + 0.0000001)) * m;
}

double cellDouble(std::string_view text)
{
    text = skipBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ec != std::errc() || !std::isfinite(v)) return 0;
    return v;
}

long cellLong(std::string_view text)
{
    text = skipBlanks(text);
    bool neg = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        neg = text.front() == '-';
        text.remove_prefix(1);
    }
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        if (v > (LONG_MAX - (c - '0')) / 10) return neg ? LONG_MIN : LONG_MAX;
        v = v * 10 + (c - '0');
    }
    return neg ? -v : v;
}

int cellInt(std::string_view text)
{
    long v = cellLong(text);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

long parseAutoBase(std::string_view text)
{
    text = skipBlanks(text);
    bool neg = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        neg = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        unsigned long v = 0;
        auto r = std::from_chars(text.data(), text.data() + text.size(), v, 16);
        if (r.ec != std::errc()) return 0;
        long s = v > static_cast<unsigned long>(LONG_MAX) ? LONG_MAX : static_cast<long>(v);
        return neg ? -s : s;
    }
    long v = cellLong(text);
    return neg ? -v : v;
}

} // namespace qc
