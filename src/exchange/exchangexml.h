#pragma once
// The national boring exchange XML: the log written as a version 4.00
// document (Shift_JIS, CR LF) and read back from versions 2.10, 3.00 and 4.00.

#include "exchange/exchangesettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace qc {

struct Document;
class GeologyMaster;

struct ExchangeExport
{
    std::string bytes; // the document, CP932 with CR LF
    std::string error; // UTF-8, when the log cannot be written (no layer); bytes are then empty
    // Characters outside JIS X 0208 (which the delivery rules forbid), one
    // UTF-8 line each: the element and the character. Written as they are.
    std::vector<std::string> outsideJis;
};

// The document is only read (the header's total depth and coordinates are
// taken from the tables as they stand).
ExchangeExport exportExchangeXml(const Document& doc, const ExchangeSettings& settings,
                                 const RockCodeTable& codes);

struct ExchangeImport
{
    bool ok = false;
    std::string error;                 // UTF-8, one line, when not ok
    std::string version;               // DTD_version as found, may be empty
    std::vector<std::string> unplaced; // UTF-8 lines: what the log cannot hold
};

// Fills doc (cleared first, as a new document) from the bytes of an exchange
// file. Well-formed XML is enough. When master is given the layers' pattern
// numbers are looked up and the derived pattern columns computed. On failure
// doc is left as it was.
ExchangeImport importExchangeXml(std::string_view bytes, Document& doc,
                                 const GeologyMaster* master = nullptr);

// A layer name split into the geology dialog's parts: name, connector
// before the auxiliary name, auxiliary name and the text after it.
struct LayerName
{
    std::string name, prefix, aux, suffix;
};
LayerName splitLayerName(std::string_view composed);
std::string composeLayerName(const LayerName& parts);

// Survey period conversions: the era ("令和", "平成", ... or empty for a
// Gregorian year) and its year to a Gregorian year, 0 when unknown; and back.
int gregorianYear(std::string_view era, std::string_view year);
struct EraYear
{
    std::string era; // CP932
    int year = 0;
};
EraYear eraYear(int year, int month, int day);

// The regional mesh codes (first, second and third level) of a position in
// decimal degrees; empty strings when it lies outside the mesh area.
struct MeshCodes
{
    std::string first, second, third;
};
MeshCodes meshCodes(double latitude, double longitude);

// CP932 text without leading and trailing ASCII and full-width blanks.
std::string trimBlanks(std::string_view text);

// Whether a CP932 character (one or two bytes) belongs to JIS X 0208 or ASCII.
bool inJisX0208(std::string_view character);

} // namespace qc
