#pragma once
// Text rules shared by the file reader, the editors, the drawing and the loaders.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qc {

class Prompter;

// The text without its leading white space: ASCII blanks and full-width blanks "　".
std::string_view skipBlanks(std::string_view text);

// 1 when the text (after leading white space) starts with one of "1234567890.+-",
// -1 when it is empty or blank, 0 otherwise.
int NumericTest(std::string_view text);

// True when NumericTest gives 1: the row-in-use rule of the depth-keyed tables.
inline bool isNumeric(std::string_view text)
{
    return NumericTest(text) == 1;
}

// Lines longer than this are split only up to it.
constexpr size_t kCsvLineLimit = 2600;

// Field n (from 1) of a comma-separated line. Returns -1 for an empty line,
// 1 when the field exists, 0 otherwise (out empty). Double quotes toggle a
// quoted state per field and are not copied. A line over 2600 bytes shows
// "too many csv" through the prompter (when given) and only its start is split.
int CsvField(std::string& out, std::string_view line, int n, Prompter* prompter = nullptr);

// All fields of a line by the same rules, with the message shown at most once.
std::vector<std::string> CsvSplit(std::string_view line, Prompter* prompter = nullptr);
// The same into fields[0..n-1], reusing the strings (and their buffers) already there;
// returns n. Entries from n on are left as they were.
size_t CsvSplit(std::vector<std::string>& fields, std::string_view line, Prompter* prompter = nullptr);

// Fields 1..count of a line into *cells[0..count-1] by the same rules, each cell emptied
// first and filled in place (no allocation while a cell's capacity suffices); fields
// beyond count are skipped. Returns the number of fields, counting no further than count.
int CsvSplitInto(std::string_view line, std::string* const* cells, int count, Prompter* prompter = nullptr);
// The same into a run of cells, such as a table row's.
int CsvSplitInto(std::string_view line, std::span<std::string> cells, Prompter* prompter = nullptr);

// Text before the first sep; the whole text when sep is absent or at position 0.
// Returns the position of sep plus 1, 0 when absent.
int TextBefore(std::string& out, std::string_view text, std::string_view sep);
std::string TextBefore(std::string_view text, std::string_view sep);

// Text before the first sep when sep occurs at a position above 0, else empty.
// Returns the position of sep, -1 when absent.
int TextBeforeStrict(std::string& out, std::string_view text, std::string_view sep);
std::string TextBeforeStrict(std::string_view text, std::string_view sep);

// Text after the first sep (empty when absent). Returns the position plus 1, 0 when absent.
int TextAfter(std::string& out, std::string_view text, std::string_view sep);
std::string TextAfter(std::string_view text, std::string_view sep);

// Every occurrence of find replaced by repl, left to right, replaced text not rescanned.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view repl);

// The integer part of floor(x / m + 0.0000001) times m; 0 when m is 0.
double FloorToMultiple(double x, double m);

// Byte position of sep in text, found on character boundaries only, or npos.
size_t findText(std::string_view text, std::string_view sep, size_t from = 0);

// Decimal conversions as the program does them on cells: leading blanks
// (full-width ones too) skipped, leading digits taken, anything else 0.
double cellDouble(std::string_view text);
long cellLong(std::string_view text);
int cellInt(std::string_view text);

// Integer parse with an automatic base ("0x" hexadecimal, else decimal).
long parseAutoBase(std::string_view text);

} // namespace qc
