#pragma once
// The "基準超過一覧" dialog: the summary per test and the sample x test rows of the
// exceedance report, optionally only the flagged rows, and the text the copy button puts
// on the clipboard. Texts are UTF-8 (the report's own). Nothing in the document changes.

#include "report/exceedancereport.h"

#include <string>
#include <vector>

namespace qc {

struct Document;

class ExceedanceList
{
public:
    explicit ExceedanceList(const Document& doc);

    const ExceedanceReport& report() const { return m_report; }

    // A row the list marks: above its reference, or a limit of quantification above it.
    static bool flagged(const ExceedanceRow& row);

    // "超過のみ表示": only the flagged rows.
    void setFlaggedOnly(bool on);
    bool flaggedOnly() const { return m_flaggedOnly; }
    // Indices into report().rows of the rows shown, in order.
    const std::vector<size_t>& shownRows() const { return m_shown; }

    // "試料 n 件　試験値 n 件　基準超過 n 件" (and the limits above their reference when any).
    std::string countsLine() const;
    // The summary, a blank line and the rows shown, tab-separated with their headings.
    std::string clipboardText() const;

private:
    ExceedanceReport m_report;
    bool m_flaggedOnly = false;
    std::vector<size_t> m_shown;
};

} // namespace qc
