#pragma once
// The colour of each vector pattern number ("PtnvcJG.ndx").

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qc {

class Prompter;

class PatternColourTable
{
public:
    static constexpr size_t kCapacity = 110;

    struct Pair
    {
        long number = 0;
        uint32_t colour = 0; // 0x00BBGGRR
        bool operator==(const Pair&) const = default;
    };

    // The colour of the first pair for number, black (0) when there is none.
    uint32_t colourOf(long number) const;
    const std::vector<Pair>& pairs() const { return m_pairs; }
    void clear() { m_pairs.clear(); }

    // Replaces the table by the pairs of a colour file: lines of one byte or
    // less and lines holding "[" or "{" are skipped; field 1, when a number,
    // is the pattern number and field 2 the colour ("0x" hexadecimal, a leading
    // "0" octal, else decimal). Pairs beyond 110 are ignored.
    void parse(std::string_view bytes);

private:
    std::vector<Pair> m_pairs;
};

// Reads the colour file at path; a file that cannot be opened shows
// "ファイルが見つかりません\n( %1 )" and keeps the previous table.
void LoadPatternColours(PatternColourTable& table, const std::string& path, Prompter& prompter);

// An integer with the base its prefix gives, as the C library reads it with
// base 0: "0x" hexadecimal, a leading "0" octal, else decimal.
long parseCBase(std::string_view text);

} // namespace qc
