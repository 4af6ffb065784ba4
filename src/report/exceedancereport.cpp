#include "report/exceedancereport.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textformat.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace qc {

namespace {

constexpr int kTests = SampleCol::LastTest - SampleCol::FirstTest + 1;

std::string u8(const std::string& cp932Text)
{
    return cp932::toUtf8(cp932Text);
}

std::string depthText(double d)
{
    return strprintf("%.2f", d);
}

std::string ratioText(const std::optional<double>& r)
{
    return r && std::isfinite(*r) ? strprintf("%.6g", *r) : std::string();
}

std::string jsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (const unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += strprintf("\\u%04x", c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string jsonNumber(const std::optional<double>& v)
{
    return v && std::isfinite(*v) ? strprintf("%.10g", *v) : std::string("null");
}

// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string joined(const std::vector<std::string>& cells, const char* sep,
                   std::string (*field)(const std::string&))
{
    std::string out;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) out += sep;
        out += field(cells[i]);
    }
    return out;
}

} // namespace

ExceedanceReport buildExceedanceReport(const Document& doc)
{
    ExceedanceReport report;
    const TextTable& S = doc.SampleTable;
    for (int r = 1; r <= S.rows() && isNumeric(S(r, SampleCol::Top)); ++r) {
        const double top = cellDouble(S(r, SampleCol::Top));
        std::optional<double> bottom;
        if (isNumeric(S(r, SampleCol::Bottom))) bottom = cellDouble(S(r, SampleCol::Bottom));
        for (int u = 1; u <= kTests; ++u) {
            const std::string& value = S(r, SampleCol::test(u));
            const RefComparison comparison = compareSampleValue(doc, r, u);
            if (comparison.verdict == RefVerdict::NoValue) continue;
            ExceedanceRow row;
            row.sampleRow = r;
            row.sample = S(r, SampleCol::Number);
            row.top = top;
            row.bottom = bottom;
            row.depth = bottom ? (top + *bottom) / 2 : top;
            row.test = u;
            row.testName = doc.TestNameTable(u, TestCol::Name);
            row.unit = doc.TestNameTable(u, TestCol::Unit);
            row.value = value;
            row.reference = doc.TestNameTable(u, TestCol::Reference);
            row.comparison = comparison;
            report.rows.push_back(std::move(row));
        }
    }
    // By depth; rows of one depth keep the sample order, then the test order.
    std::stable_sort(report.rows.begin(), report.rows.end(),
                     [](const ExceedanceRow& a, const ExceedanceRow& b) { return a.top < b.top; });

    std::map<int, ExceedanceSummary> byTest;
    for (const ExceedanceRow& row : report.rows) {
        ExceedanceSummary& s = byTest[row.test];
        if (s.test == 0) {
            s.test = row.test;
            s.testName = row.testName;
            s.unit = row.unit;
            s.reference = row.reference;
        }
        ++s.measured;
        if (row.comparison.exceeds()) ++s.exceeding;
        if (row.comparison.verdict == RefVerdict::LimitAboveReference) ++s.limitAboveReference;
        const auto& ratio = row.comparison.ratio;
        if (ratio && std::isfinite(*ratio) && (!s.maxRatio || *ratio > *s.maxRatio)) {
            s.maxRatio = *ratio;
            s.maxRatioDepth = row.depth;
        }
    }
    for (auto& [test, s] : byTest) report.summary.push_back(std::move(s));
    return report;
}

const std::vector<std::string>& exceedanceRowHeadings()
{
    static const std::vector<std::string> headings = {
        "試料番号", "上端深度(m)", "下端深度(m)", "試験名", "単位", "測定値", "基準値", "基準値比", "判定"};
    return headings;
}

const std::vector<std::string>& exceedanceSummaryHeadings()
{
    static const std::vector<std::string> headings = {
        "試験名",       "単位",           "基準値", "測定数", "超過数", "定量下限が基準値を超える数",
        "最大基準値比", "最大比の深度(m)"};
    return headings;
}

std::vector<std::string> exceedanceRowCells(const ExceedanceRow& row)
{
    return {u8(row.sample),
            depthText(row.top),
            row.bottom ? depthText(*row.bottom) : std::string(),
            u8(row.testName),
            u8(row.unit),
            u8(row.value),
            u8(row.reference),
            ratioText(row.comparison.ratio),
            std::string(verdictText(row.comparison.verdict))};
}

std::vector<std::string> exceedanceSummaryCells(const ExceedanceSummary& s)
{
    return {u8(s.testName),
            u8(s.unit),
            u8(s.reference),
            std::to_string(s.measured),
            std::to_string(s.exceeding),
            std::to_string(s.limitAboveReference),
            ratioText(s.maxRatio),
            s.maxRatioDepth ? depthText(*s.maxRatioDepth) : std::string()};
}

std::string exceedanceCsv(const ExceedanceReport& report)
{
    std::string out = "\xEF\xBB\xBF"; // the BOM tells a spreadsheet the text is UTF-8
    out += joined(exceedanceRowHeadings(), ",", csvField) + "\r\n";
    for (const ExceedanceRow& row : report.rows)
        out += joined(exceedanceRowCells(row), ",", csvField) + "\r\n";
    out += "\r\n";
    out += joined(exceedanceSummaryHeadings(), ",", csvField) + "\r\n";
    for (const ExceedanceSummary& s : report.summary)
        out += joined(exceedanceSummaryCells(s), ",", csvField) + "\r\n";
    return out;
}

std::string exceedanceJson(const ExceedanceReport& report)
{
    std::string out = "{\"rows\": [";
    for (size_t i = 0; i < report.rows.size(); ++i) {
        const ExceedanceRow& r = report.rows[i];
        out += i ? ",\n  " : "\n  ";
        out += "{\"sample\": " + jsonString(u8(r.sample));
        out += ", \"top\": " + jsonNumber(r.top);
        out += ", \"bottom\": " + jsonNumber(r.bottom);
        out += ", \"test\": " + jsonString(u8(r.testName));
        out += ", \"unit\": " + jsonString(u8(r.unit));
        out += ", \"value\": " + jsonString(u8(r.value));
        out += ", \"reference\": " + jsonString(u8(r.reference));
        out += ", \"ratio\": " + jsonNumber(r.comparison.ratio);
        out += std::string(", \"exceeds\": ") + (r.comparison.exceeds() ? "true" : "false");
        out += ", \"judgement\": " + jsonString(verdictText(r.comparison.verdict)) + "}";
    }
    out += report.rows.empty() ? "],\n \"summary\": [" : "\n ],\n \"summary\": [";
    for (size_t i = 0; i < report.summary.size(); ++i) {
        const ExceedanceSummary& s = report.summary[i];
        out += i ? ",\n  " : "\n  ";
        out += "{\"test\": " + jsonString(u8(s.testName));
        out += ", \"measured\": " + std::to_string(s.measured);
        out += ", \"exceeding\": " + std::to_string(s.exceeding);
        out += ", \"max_ratio\": " + jsonNumber(s.maxRatio);
        out += ", \"max_ratio_depth\": " + jsonNumber(s.maxRatioDepth) + "}";
    }
    out += report.summary.empty() ? "]}\n" : "\n ]}\n";
    return out;
}

} // namespace qc
