#pragma once
// Which columns of a laboratory table are which tests of the log, and which
// rows are which samples. Nothing is guessed silently: a column that names no
// known test and a row that meets no sample are kept with the reason, for the
// report.

#include "labtable/labsheet.h"

#include <string>
#include <vector>

namespace qc {

struct Document;
class TestAliases;

enum class LabColumnKind {
    Test,        // a test of the log's TestNameTable
    MissingTest, // a test of the alias table that the log does not have yet
    Unknown      // neither
};

struct LabColumn
{
    size_t column = 0;  // of the sheet, from 0
    std::string header; // CP932, as in the file
    std::string unit;   // CP932, from the unit row or a "(mg/L)" after the name
    LabColumnKind kind = LabColumnKind::Unknown;
    int test = 0;        // Test: the TestNameTable row
    int aliasGroup = -1; // the alias table's group, when the name is in it
};

struct LabRow
{
    size_t row = 0;    // of the sheet, from 0
    std::string label; // CP932: the sample number or depth as in the file
    int sample = 0;    // SampleTable row, 0 when unmatched
    bool byDepth = false;
    std::string reason;              // CP932: why the row is unmatched
    std::vector<std::string> values; // per LabMatch::columns entry, normalised (normalizeLabValue)
};

struct LabMatch
{
    bool ok = false;
    std::string error; // CP932, when not ok
    size_t headerRow = 0;
    bool unitRow = false;
    std::vector<LabColumn> columns; // every named column that is not a sample key
    std::vector<LabRow> rows;       // the data rows that hold any value
};

// Tolerance of the depth match, m.
constexpr double kLabDepthTolerance = 0.01;

// The header row is the first (of the first 50) holding two or more names of
// the log's tests or of the alias table. The row after it is a unit row when
// none of its test cells holds a value. Sample columns are found by their
// headers ("試料番号", "検体名", "No." ...; "深度", "深さ", "GL-m" ...), else the
// first column that is not a test. A row meets a sample by its number (the
// same text after normalisation, else the same trailing number when exactly
// one sample has it), else by its top depth (and bottom, when both are
// given) within 0.01 m.
LabMatch matchLabSheet(const LabSheet& sheet, const Document& doc, const TestAliases& aliases);

// "1.00-1.20", "GL-1.00～1.20m", "1.5": top and bottom depth (bottom < 0 when absent).
bool parseLabDepth(const std::string& text, double& top, double& bottom);

} // namespace qc
