// The pattern colour table reader on arbitrary bytes.

#include "app/patterncolours.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qc::PatternColourTable table;
    table.parse(bytes);
    const auto& pairs = table.pairs();
    if (pairs.size() > qc::PatternColourTable::kCapacity) __builtin_trap();
    // The first pair of a number decides its colour.
    for (size_t i = 0; i < pairs.size(); ++i) {
        size_t first = 0;
        while (pairs[first].number != pairs[i].number) ++first;
        if (table.colourOf(pairs[i].number) != pairs[first].colour) __builtin_trap();
    }
    (void)qc::parseCBase(bytes.substr(0, 32));
    return 0;
}
