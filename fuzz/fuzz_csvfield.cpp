// CsvField and the text helpers on arbitrary bytes.

#include "document/fieldtext.h"
#include "document/textops.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    const int n = data[0] % 70;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string out;
    int r = qc::CsvField(out, line, n);
    if (r == 1 && out.size() > line.size()) __builtin_trap();
    std::vector<std::string> all = qc::CsvSplit(line);
    if (r == 1 && (n < 1 || static_cast<size_t>(n) > all.size() || all[static_cast<size_t>(n - 1)] != out))
        __builtin_trap();
    (void)qc::NumericTest(line);
    (void)qc::MidBytes(line, n, n * 3);
    (void)qc::MidChars(line, n, 5);
    (void)qc::CharCount(line);
    std::string sep = line.substr(0, static_cast<size_t>(n % 3));
    (void)qc::TextBefore(line, sep);
    (void)qc::TextAfter(line, sep);
    (void)qc::ReplaceAll(line, sep, "xy");
    return 0;
}
