#include "app/patterncolours.h"

#include "app/docflows.h"
#include "document/fieldtext.h"
#include "document/linereader.h"
#include "document/textops.h"
#include "platform/files.h"
#include "platform/prompter.h"

#include <cctype>
#include <climits>

namespace qc {

namespace {

// A colour-file line is read into a 100-byte buffer with its line feed.
constexpr size_t kColourLineBytes = 99;

} // namespace

long parseCBase(std::string_view text)
{
    text = skipBlanks(text);
    size_t i = 0;
    bool neg = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
        base = 16;
        i += 2;
    } else if (i < text.size() && text[i] == '0') {
        base = 8;
    }
    unsigned long v = 0;
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && std::isxdigit(c))
            d = std::tolower(c) - 'a' + 10;
        else
            break;
        if (d >= base) break;
        if (v > (static_cast<unsigned long>(LONG_MAX) - static_cast<unsigned long>(d)) /
                    static_cast<unsigned long>(base)) {
            v = static_cast<unsigned long>(LONG_MAX);
            break;
        }
        v = v * static_cast<unsigned long>(base) + static_cast<unsigned long>(d);
    }
    const long s = static_cast<long>(v);
    return neg ? -s : s;
}

uint32_t PatternColourTable::colourOf(long number) const
{
    for (const Pair& p : m_pairs)
        if (p.number == number) return p.colour;
    return 0;
}

void PatternColourTable::parse(std::string_view bytes)
{
    std::vector<Pair> pairs;
    forEachLimitedLine(bytes, kColourLineBytes, [&](std::string_view line) {
        if (line.size() <= 1) return;
        // Searched by character: "[" and "{" are also trail bytes of two-byte
        // characters such as "ー" and "＋".
        if (containsChar(line, '[') || containsChar(line, '{')) return;
        if (pairs.size() >= kCapacity) return;
        std::string number, colour;
        CsvField(number, line, 1);
        if (!isNumeric(number)) return;
        CsvField(colour, line, 2);
        pairs.push_back({cellLong(number), static_cast<uint32_t>(parseCBase(colour))});
    });
    m_pairs = std::move(pairs);
}

void LoadPatternColours(PatternColourTable& table, const std::string& path, Prompter& prompter)
{
    std::string bytes;
    FileError error;
    if (!readFileBytes(path, bytes, &error)) {
        prompter.message(cannotReadMessage(path, error));
        return;
    }
    table.parse(bytes);
}

} // namespace qc
