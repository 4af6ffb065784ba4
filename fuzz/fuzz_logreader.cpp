// The log reader on arbitrary bytes, for every version, then a save and reload.

#include "document/logfile.h"
#include "document/tables.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Reused between runs: building the tables costs more than reading a small input.
    static qc::Document& doc = *new qc::Document;
    static qc::Document& again = *new qc::Document;
    for (qc::Document* d : {&doc, &again}) {
        qc::ClearAll(*d);
        d->SpareIntervalTable.clear();
    }
    qc::TokenLine token = qc::findTokenLine(bytes, 7);
    if (token.version == qc::logversion::None) {
        // Feed the bytes to every version anyway: the section reader must hold.
        for (int v : {qc::logversion::Current, qc::logversion::Sibling, qc::logversion::Oldest})
            qc::readLogText(doc, bytes, {v, 0});
    } else {
        qc::readLogText(doc, bytes, token);
    }
    // What was read must write and read back to the same text.
    std::string saved = qc::WriteLog(doc);
    qc::readLogText(again, saved, qc::findTokenLine(saved, 6));
    std::string resaved = qc::WriteLog(again);
    if (saved != resaved) __builtin_trap();
    return 0;
}
