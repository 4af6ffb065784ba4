#include "dialogs/exceedancelist.h"

#include <set>

namespace qc {

namespace {

std::string tabLine(const std::vector<std::string>& cells)
{
    std::string out;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) out += '\t';
        for (const char c : cells[i]) out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    }
    return out + "\n";
}

} // namespace

ExceedanceList::ExceedanceList(const Document& doc) : m_report(buildExceedanceReport(doc))
{
    setFlaggedOnly(false);
}

bool ExceedanceList::flagged(const ExceedanceRow& row)
{
    return row.comparison.verdict == RefVerdict::Exceeds ||
           row.comparison.verdict == RefVerdict::LimitAboveReference;
}

void ExceedanceList::setFlaggedOnly(bool on)
{
    m_flaggedOnly = on;
    m_shown.clear();
    for (size_t i = 0; i < m_report.rows.size(); ++i)
        if (!on || flagged(m_report.rows[i])) m_shown.push_back(i);
}

std::string ExceedanceList::countsLine() const
{
    std::set<int> samples;
    int exceeding = 0, limits = 0;
    for (const ExceedanceRow& row : m_report.rows) {
        samples.insert(row.sampleRow);
        if (row.comparison.exceeds()) ++exceeding;
        if (row.comparison.verdict == RefVerdict::LimitAboveReference) ++limits;
    }
    std::string line = "試料 " + std::to_string(samples.size()) + " 件　試験値 " +
                       std::to_string(m_report.rows.size()) + " 件　基準超過 " + std::to_string(exceeding) +
                       " 件";
    if (limits > 0) line += "　定量下限が基準値を超える " + std::to_string(limits) + " 件";
    return line;
}

std::string ExceedanceList::clipboardText() const
{
    std::string out = tabLine(exceedanceSummaryHeadings());
    for (const ExceedanceSummary& s : m_report.summary) out += tabLine(exceedanceSummaryCells(s));
    out += "\n";
    out += tabLine(exceedanceRowHeadings());
    for (const size_t i : m_shown) out += tabLine(exceedanceRowCells(m_report.rows[i]));
    return out;
}

} // namespace qc
