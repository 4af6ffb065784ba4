#include "render/detail/columnheadings.h"

#include "document/cp932.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textops.h"
#include "render/detail/depthcolumns.h"
#include "render/detail/textfit.h"
#include "render/logpage.h"

#include <algorithm>

namespace qc {

namespace {

// Grain-size names spread along their quarter when the column is wider than this (mm).
constexpr double kSpreadGrainNamesWidth = 25.9;

class Headings
{
public:
    Headings(LogPass& pass, double h, double w) : m_pass(pass), m_c(pass.canvas), m_h(h), m_w(w) {}

    double line(double k) const { return headingLineY(m_pass.geo.headingBandTop, k); }

    // One text centred on line k.
    void onLine(std::string_view text, double x1, double x2, double k)
    {
        m_c.PageTextCentred(x1, line(k), x2, line(k), text);
    }
    // One text centred between lines k1 and k2.
    void between(std::string_view text, double x1, double x2, double k1, double k2)
    {
        m_c.PageTextCentred(x1, line(k1), x2, line(k2), text);
    }
    void stacked(std::string_view text, double x1, double x2, double y1, double y2)
    {
        m_c.PageVerticalText(x1, x2, y1, y2, m_w, m_h, text);
    }
    // Stacked from line 1 to line 10, the first and last character centred on them.
    void stackedOverBand(std::string_view text, double x1, double x2)
    {
        stacked(text, x1, x2, line(1) - m_h / 2, line(10) + m_h / 2);
    }
    // Upper character on line 1, lower one between lines 5 and 6, the unit on line 10.
    void measuredColumn(const char* upper, const char* lower, double x1, double x2)
    {
        onLine(cp932::fromUtf8(upper), x1, x2, 1);
        between(cp932::fromUtf8(lower), x1, x2, 5, 6);
        onLine("(m)", x1, x2, 10);
    }

    void draw();

private:
    bool shown(int row, double x1, double x2, double minWidth = 1e-9) const
    {
        return displayItemShown(m_pass.doc(), row) && x2 - x1 >= minWidth;
    }
    void samples();
    void grainSize();

    LogPass& m_pass;
    PageCanvas& m_c;
    double m_h;
    double m_w;
};

void Headings::draw()
{
    const ColumnEdges& X = m_pass.edges;
    const Document& doc = m_pass.doc();
    const int frame = m_pass.frameWidth();

    m_c.PageLine(X[0], line(0), X[0], line(11), PenStyle::Solid, frame, 0);
    m_c.PageLine(X[24], line(0), X[24], line(11), PenStyle::Solid, frame, 0);
    m_c.PageLine(X[0], line(0), X[24], line(0), PenStyle::Solid, frame, 0);
    m_pass.rule(X[0], line(11), X[24], line(11));
    for (int i = 1; i <= 7; ++i) m_pass.rule(X[i], line(0), X[i], line(11));
    for (int i = 10; i <= 23; ++i) m_pass.rule(X[i], line(0), X[i], line(11));

    measuredColumn("標", "尺", X[0], X[1]);
    measuredColumn("標", "高", X[1], X[2]);
    measuredColumn("層", "厚", X[2], X[3]);
    measuredColumn("深", "度", X[3], X[4]);
    const std::string& soilTitle = doc.DisplayItemTable(DisplayRow::Basic, DisplayCol::Title);
    stacked(soilTitle, X[4], X[5], line(1) - m_h / 2, line(7) + m_h / 2);
    stacked(QC_SJ("模様"), X[4], X[5], line(8) + m_h / 3, line(10) + m_h / 2);
    stackedOverBand(soilTitle, X[5], X[6]);
    onLine(QC_SJ("色"), X[6], X[7], 1);
    onLine(QC_SJ("調"), X[6], X[7], 10);

    if (shown(2, X[9], X[10])) {
        onLine(QC_SJ("記"), X[9], X[10], 1);
        onLine(QC_SJ("事"), X[9], X[10], 10);
    }
    if (shown(3, X[10], X[11]))
        stackedOverBand(doc.DisplayItemTable(DisplayRow::Strata, DisplayCol::Title), X[10], X[11]);
    if (shown(4, X[11], X[12]))
        stackedOverBand(doc.DisplayItemTable(DisplayRow::FreeColumn, DisplayCol::Title), X[11], X[12]);
    if (shown(5, X[12], X[13])) {
        // The unit falls into the place of the full-width blank.
        stackedOverBand(QC_SJ("孔内水位　／測定月日"), X[12], X[13]);
        onLine("(m)", X[12], X[13], 5);
    }
    if (shown(6, X[13], X[14])) samples();
    if (shown(7, X[14], X[15], 1.0)) grainSize();
    if (shown(13, X[20], X[21])) stackedOverBand(QC_SJ("保孔管"), X[20], X[21]);
    if (shown(16, X[23], X[24])) stackedOverBand(QC_SJ("削孔月日"), X[23], X[24]);
}

void Headings::samples()
{
    const ColumnEdges& X = m_pass.edges;
    const double x1 = X[13], x2 = X[13] + 7.4, x3 = X[13] + 14.0, x4 = X[14];
    const double split = 0.4 * line(2) + 0.6 * line(3);
    m_pass.rule(x2, split, x2, line(11));
    m_pass.rule(x3, split, x3, line(11));
    between(QC_SJ("試料採取"), x1, x4, 1, 2);
    m_pass.rule(x1, split, x4, split);
    const bool elevations = m_pass.doc().HeaderTable(HeaderEntry::ShowElevation) == "1";
    onLine(elevations ? QC_SJ("標") : QC_SJ("深"), x1, x2, 4);
    onLine(elevations ? QC_SJ("高") : QC_SJ("度"), x1, x2, 7);
    onLine("(m)", x1, x2, 10);
    stacked(QC_SJ("試料番号"), x2, x3, line(4) - m_h / 2, line(10) + m_h / 2);
    stacked(QC_SJ("採取方法"), x3, x4, line(4) - m_h / 2, line(10) + m_h / 2);
}

void Headings::grainSize()
{
    const ColumnEdges& X = m_pass.edges;
    const double x1 = X[14], x2 = X[15];
    between(QC_SJ("粒度組成"), x1, x2, 1, 2);
    m_pass.rule(x1, line(5), x2, line(5));
    m_pass.rule(x1, line(7), x2, line(7));
    const std::string names[4] = {QC_SJ("粘土"), QC_SJ("シルト"), QC_SJ("砂"), QC_SJ("礫")};
    const double quarter = (x2 - x1) / 4;
    const bool spread = x2 - x1 > kSpreadGrainNamesWidth;
    for (int i = 0; i < 4; ++i) {
        const double a = x1 + i * quarter, b = a + quarter;
        const std::string& name = names[i];
        if (name.size() <= 2) {
            between(name, a, b, 5, 7);
        } else if (spread) {
            // Spread over the quarter less a margin on each side.
            m_c.PageSpreadText(a + 0.5, b - 0.5, line(5), line(7), m_w, m_h, name);
        } else {
            // A name too long for the room between the rules is set smaller, never overlapping.
            const double y1 = line(5) + 0.05 * m_h, y2 = line(7) - 0.05 * m_h;
            const int n = CharCount(name);
            const double scale = std::clamp((y2 - y1) / (n * m_h), kSmallestFit, 1.0);
            if (scale < 1) {
                const double h = selectRoleScaled(m_pass, FontSettings::Items, scale);
                m_c.PageVerticalText(a, b, y1, y2, m_w * scale, h, name);
                m_pass.selectRole(FontSettings::Items);
            } else {
                stacked(name, a, b, y1, y2);
            }
        }
    }
    // Legend: every component at 25 %, so each quarter shows its hatch.
    drawGrainSizeBar(m_pass, x1, x2, (line(7) + line(8)) / 2, (line(10) + line(11)) / 2, {25, 25, 25, 25});
}

} // namespace

double headingLineY(double headingBandTop, double k)
{
    return headingBandTop + k * kHeadingBandHeight / kHeadingLines;
}

void drawColumnHeadings(LogPass& pass, double h, double w, double)
{
    pass.canvas.setTextAlign(AlignLeftTop);
    Headings(pass, h, w).draw();
    pass.canvas.setTextAlign(AlignLeftTop);
}

} // namespace qc
