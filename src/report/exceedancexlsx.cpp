#include "report/exceedancereport.h"

#include "platform/files.h"

#ifdef QC_HAVE_XLSXWRITER
#include <xlsxwriter.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#endif

namespace qc {

#ifndef QC_HAVE_XLSXWRITER

bool xlsxAvailable()
{
    return false;
}

bool writeExceedanceXlsx(const ExceedanceReport&, const std::string&, std::string& error)
{
    error = "XLSX output is not available: qc was built without libxlsxwriter (Debian: libxlsxwriter-dev); "
            "write .csv or .json instead";
    return false;
}

#else

namespace {

// Columns holding numbers in the sheets: written as numbers so that a spreadsheet can compute.
constexpr int kRowTop = 1, kRowBottom = 2, kRowRatio = 7;
constexpr int kSumMeasured = 3, kSumExceeding = 4, kSumLimit = 5, kSumRatio = 6, kSumDepth = 7;

void writeHeadings(lxw_worksheet* sheet, const std::vector<std::string>& headings, lxw_format* bold)
{
    for (size_t c = 0; c < headings.size(); ++c)
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), headings[c].c_str(), bold);
}

bool isNumberColumn(const std::vector<int>& columns, int c)
{
    for (const int n : columns)
        if (n == c) return true;
    return false;
}

void writeLine(lxw_worksheet* sheet, lxw_row_t row, const std::vector<std::string>& cells,
               const std::vector<int>& numberColumns, lxw_format* format)
{
    for (size_t c = 0; c < cells.size(); ++c) {
        const auto col = static_cast<lxw_col_t>(c);
        if (cells[c].empty()) continue;
        if (isNumberColumn(numberColumns, static_cast<int>(c)))
            worksheet_write_number(sheet, row, col, std::strtod(cells[c].c_str(), nullptr), format);
        else
            worksheet_write_string(sheet, row, col, cells[c].c_str(), format);
    }
}

} // namespace

bool xlsxAvailable()
{
    return true;
}

bool writeExceedanceXlsx(const ExceedanceReport& report, const std::string& path, std::string& error)
{
    // The library writes a file of its own: a private temporary, then the bytes go over the
    // target atomically, so a failure never leaves a half-written workbook there.
    const char* tmpRoot = std::getenv("TMPDIR");
    std::string temp = std::string(tmpRoot && *tmpRoot ? tmpRoot : "/tmp") + "/qc-report-XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a temporary file";
        return false;
    }
    close(fd);

    lxw_workbook* book = workbook_new(temp.c_str());
    if (!book) {
        std::remove(temp.c_str());
        error = "cannot start the workbook";
        return false;
    }
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* exceeding = workbook_add_format(book);
    format_set_bold(exceeding);
    format_set_font_color(exceeding, LXW_COLOR_RED);

    lxw_worksheet* rows = workbook_add_worksheet(book, "基準超過一覧");
    writeHeadings(rows, exceedanceRowHeadings(), bold);
    lxw_row_t r = 1;
    for (const ExceedanceRow& row : report.rows)
        writeLine(rows, r++, exceedanceRowCells(row), {kRowTop, kRowBottom, kRowRatio},
                  row.comparison.exceeds() ? exceeding : nullptr);
    worksheet_set_column(rows, 0, 0, 10, nullptr);
    worksheet_set_column(rows, 3, 3, 22, nullptr);
    worksheet_set_column(rows, 8, 8, 26, nullptr);
    worksheet_freeze_panes(rows, 1, 0);

    lxw_worksheet* summary = workbook_add_worksheet(book, "集計");
    writeHeadings(summary, exceedanceSummaryHeadings(), bold);
    r = 1;
    for (const ExceedanceSummary& s : report.summary)
        writeLine(summary, r++, exceedanceSummaryCells(s),
                  {kSumMeasured, kSumExceeding, kSumLimit, kSumRatio, kSumDepth},
                  s.exceeding > 0 ? exceeding : nullptr);
    worksheet_set_column(summary, 0, 0, 22, nullptr);

    const lxw_error result = workbook_close(book);
    std::string bytes;
    const bool read = result == LXW_NO_ERROR && readFileBytes(temp, bytes);
    std::remove(temp.c_str());
    if (!read) {
        error = std::string("cannot write the workbook: ") + lxw_strerror(result);
        return false;
    }
    FileError fileError;
    if (!writeFileAtomically(path, bytes, &fileError)) {
        error = fileError.reason;
        return false;
    }
    return true;
}

#endif

} // namespace qc
