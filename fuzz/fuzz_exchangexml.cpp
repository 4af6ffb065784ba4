// The exchange XML importer on arbitrary bytes; what it reads must export, and
// the export must read back to the same export.

#include "document/tables.h"
#include "exchange/exchangexml.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static qc::Document& doc = *new qc::Document;
    static qc::Document& again = *new qc::Document;
    const qc::ExchangeImport r = qc::importExchangeXml(bytes, doc);
    if (!r.ok) return 0;
    const qc::ExchangeExport first = qc::exportExchangeXml(doc, {}, {});
    if (!first.error.empty()) return 0;
    if (!qc::importExchangeXml(first.bytes, again).ok) __builtin_trap();
    if (qc::exportExchangeXml(again, {}, {}).bytes != first.bytes) __builtin_trap();
    return 0;
}
