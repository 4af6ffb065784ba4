// The geology name master reader on arbitrary bytes, then the composition of
// a few names and of names cut from the input itself.

#include "document/geologymaster.h"
#include "document/tables.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qc::GeologyMaster master;
    master.parse(bytes, qc::GeologyMaster::Vector);
    master.parse(bytes, qc::GeologyMaster::Bitmap);
    for (int v = 0; v < 2; ++v) {
        if (master.entries(v).size() > static_cast<size_t>(qc::GeologyMaster::kEntries)) __builtin_trap();
        for (int s = 1; s <= 3; ++s)
            if (master.first(v, s) > master.last(v, s)) __builtin_trap();
    }
    // Reused between runs: clearing costs what the last input used, building the tables far more.
    static qc::Document& doc = *new qc::Document;
    qc::ClearAll(doc);
    doc.GeologyTable.clear(); // the derived columns too
    int row = 1;
    for (const qc::MasterEntry& e : master.entries(0)) {
        if (row > 60) break;
        doc.GeologyTable(row, 1) = "1.00";
        doc.GeologyTable(row, 2) = e.name + e.text;
        doc.GeologyTable(row, 3) = e.text;
        ++row;
    }
    // The input's own lines as names, so that odd bytes reach every path.
    size_t pos = 0;
    while (row <= 120 && pos < bytes.size()) {
        size_t nl = bytes.find('\n', pos);
        if (nl == std::string_view::npos) nl = bytes.size();
        doc.GeologyTable(row, 1) = "2.00";
        doc.GeologyTable(row, 2) = std::string(bytes.substr(pos, nl - pos));
        ++row;
        pos = nl + 1;
    }
    qc::DeriveGeologyPatterns(doc, master);
    return 0;
}
