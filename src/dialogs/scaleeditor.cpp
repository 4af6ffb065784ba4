#include "dialogs/scaleeditor.h"

#include "app/viewstate.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "platform/prompter.h"
#include "render/paging.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qc {

namespace {

struct Range
{
    bool whole;
    double low, high;
};

// Indexed by ScaleEditor::Field.
constexpr Range kRanges[ScaleEditor::FieldCount] = {
    {true, 25, 500}, {true, 25, 500}, {false, -10, 3000}, {true, 1, 100}, {true, 0, 10}};

std::string formatInt(long v)
{
    return std::to_string(v);
}

std::string formatReal(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string trimmed(const std::string& text)
{
    const size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    const size_t e = text.find_last_not_of(" \t");
    return text.substr(b, e - b + 1);
}

int largestPageDepth(int paperHeightMm, int depthScale, bool compact, int marginTop)
{
    ViewState v;
    v.paperHeightMm = paperHeightMm;
    v.depthScaleDenominator = depthScale;
    return maxDepthPerPage(v, compact, marginTop);
}

} // namespace

ScaleEditor::ScaleEditor(const ScaleDialogData& data, Prompter& prompter) : m_data(data), m_prompter(prompter)
{
    m_text[HorizontalScale] = formatInt(data.horizontalScaleDenominator);
    m_text[DepthScale] = formatInt(data.depthScaleDenominator);
    m_text[PrintStart] = formatReal(data.printStartDepth);
    m_text[DepthPerPage] = formatInt(data.depthPerPage);
    m_text[Overlap] = formatInt(data.pageOverlap);
    m_depthPartOnly = data.scaleDepthPartOnly;
    m_maxDepthText = formatInt(data.maxDepthPerPage);
}

std::string ScaleEditor::paperLengthText() const
{
    return formatInt(m_data.paperHeightMm);
}

bool ScaleEditor::parseWhole(const std::string& text, long& value)
{
    const std::string t = trimmed(text);
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (errno != 0 || end != t.c_str() + t.size()) return false;
    value = v;
    return true;
}

bool ScaleEditor::parseReal(const std::string& text, double& value)
{
    const std::string t = trimmed(text);
    if (t.empty()) return false;
    // Only decimal notation: no hexadecimal, infinities or NaN.
    for (char c : t)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' ||
              c == 'E'))
            return false;
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(t.c_str(), &end);
    if (errno != 0 || end != t.c_str() + t.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

void ScaleEditor::depthScaleLeft()
{
    long scale = 0;
    // A scale that is not a number yet is taken as 0, which the page rule reads as 1/100.
    if (!parseWhole(m_text[DepthScale], scale) || scale < 0 || scale > 100000) scale = 0;
    const int depth = largestPageDepth(m_data.paperHeightMm, static_cast<int>(scale), m_data.compactHeader,
                                       m_data.marginTopMm);
    if (depth <= 0) {
        m_prompter.message(QC_SJ("作図長さがありません"));
        m_maxDepthText = "0";
        return;
    }
    m_maxDepthText = formatInt(depth);
}

bool ScaleEditor::accept(Field* refused)
{
    long whole[FieldCount] = {};
    double real = 0;
    for (int i = 0; i < FieldCount; ++i) {
        const Field f = static_cast<Field>(i);
        const Range& r = kRanges[f];
        bool ok;
        if (r.whole) {
            ok = parseWhole(m_text[f], whole[f]) && whole[f] >= r.low && whole[f] <= r.high;
        } else {
            ok = parseReal(m_text[f], real) && real >= r.low && real <= r.high;
        }
        if (!ok) {
            const std::string text = r.whole ? QC_SJ("%1 から %2 までの整数を入力してください。")
                                             : QC_SJ("%1 から %2 までの数字を入力してください。");
            m_prompter.message(
                ReplaceAll(ReplaceAll(text, "%1", formatReal(r.low)), "%2", formatReal(r.high)));
            if (refused) *refused = f;
            return false;
        }
    }
    m_data.horizontalScaleDenominator = static_cast<int>(whole[HorizontalScale]);
    m_data.depthScaleDenominator = static_cast<int>(whole[DepthScale]);
    m_data.scaleDepthPartOnly = m_depthPartOnly;
    m_data.printStartDepth = real;
    m_data.depthPerPage = static_cast<int>(whole[DepthPerPage]);
    m_data.pageOverlap = static_cast<int>(whole[Overlap]);
    m_data.maxDepthPerPage = cellInt(m_maxDepthText);
    return true;
}

} // namespace qc
