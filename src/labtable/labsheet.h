#pragma once
// A laboratory's result table as read from a CSV, TSV or XLSX file: rows of
// cells in CP932, whatever the file's own encoding.

#include <string>
#include <string_view>
#include <vector>

namespace qc {

struct LabSheet
{
    std::vector<std::vector<std::string>> rows; // CP932 cells, row by row
    std::vector<std::string> sheetNames;        // XLSX: every sheet of the book (CP932)
    std::string sheetName;                      // XLSX: the sheet read
    bool lossyText = false;                     // some characters have no CP932 form and became "?"

    const std::string& cell(size_t row, size_t col) const;
};

struct LabReadResult
{
    bool ok = false;
    std::string error; // CP932 message when not ok
    LabSheet sheet;
};

// Comma- or tab-separated text (the separator found from the first line):
// UTF-8 with or without a byte order mark when the bytes are valid UTF-8
// holding non-ASCII characters, UTF-16 after its byte order mark, else CP932. Quoted fields may hold the
// separator, line breaks and doubled quotes.
LabReadResult readDelimitedTable(std::string_view bytes);

// An XLSX workbook: the sheet of that name (CP932), or the first one when
// sheet is empty. Shared and inline strings, numbers (shown with the decimals
// of a fixed number format such as "0.000"), booleans.
LabReadResult readXlsxTable(std::string_view bytes, const std::string& sheet = {});

// Either of the two, told by the content (a ZIP signature means XLSX).
LabReadResult readLabTable(std::string_view bytes, const std::string& sheet = {});

// Reads the file at path (native) and then as readLabTable.
LabReadResult readLabTableFile(const std::string& path, const std::string& sheet = {});

} // namespace qc
