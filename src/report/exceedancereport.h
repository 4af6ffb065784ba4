#pragma once
// The exceedance report: every sample x test value of a log against the test's reference
// value, sorted by sample depth, with a summary per test; written as CSV (UTF-8 with BOM),
// JSON or XLSX. Built from the document tables; no Qt.

#include "document/referencevalue.h"

#include <optional>
#include <string>
#include <vector>

namespace qc {

struct Document;

struct ExceedanceRow
{
    int sampleRow = 0;  // SampleTable row
    std::string sample; // sample number, CP932
    double top = 0;     // m
    std::optional<double> bottom;
    double depth = 0;      // the depth the graph plots it at: mid of top and bottom, or top
    int test = 0;          // 1 to 48
    std::string testName;  // CP932
    std::string unit;      // CP932
    std::string value;     // as written, CP932
    std::string reference; // as written, CP932
    RefComparison comparison;
};

struct ExceedanceSummary
{
    int test = 0;
    std::string testName; // CP932
    std::string unit;
    std::string reference;
    int measured = 0;            // samples with a value
    int exceeding = 0;           // of them, above the reference
    int limitAboveReference = 0; // "<x" with x above the reference
    std::optional<double> maxRatio;
    std::optional<double> maxRatioDepth; // m, the plotted depth of that sample
};

struct ExceedanceReport
{
    std::vector<ExceedanceRow> rows;        // by sample depth, then test number
    std::vector<ExceedanceSummary> summary; // by test number, tests with a value only
};

ExceedanceReport buildExceedanceReport(const Document& doc);

// UTF-8 texts of the report.
std::string exceedanceCsv(const ExceedanceReport& report);  // BOM, CR LF, rows then summary
std::string exceedanceJson(const ExceedanceReport& report); // {"rows": [...], "summary": [...]}

// Column headings of the rows and of the summary, UTF-8, shared by every output.
const std::vector<std::string>& exceedanceRowHeadings();
const std::vector<std::string>& exceedanceSummaryHeadings();
// The cells of a row and of a summary line as every text output writes them, UTF-8.
std::vector<std::string> exceedanceRowCells(const ExceedanceRow& row);
std::vector<std::string> exceedanceSummaryCells(const ExceedanceSummary& s);

// True when the program was built with the XLSX writer.
bool xlsxAvailable();
// Writes the workbook atomically (sheet "基準超過一覧" with the rows, sheet "集計" with the
// summary); false with a reason when it cannot.
[[nodiscard]] bool writeExceedanceXlsx(const ExceedanceReport& report, const std::string& path,
                                       std::string& error);

} // namespace qc
