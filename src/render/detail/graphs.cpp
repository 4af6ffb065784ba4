#include "render/detail/graphs.h"

#include "app/settings.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/referencevalue.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "render/detail/primitives.h"
#include "render/detail/textfit.h"
#include "render/logpage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

namespace qc {

namespace {

// Grid indices of the style settings and of LogPass::gridColours.
constexpr int kVertical1 = 0, kVertical2 = 1, kHorizontal1 = 2, kHorizontal2 = 3;
// Loop limits: wrong steps or bounds never hang the drawing.
constexpr int kMaxLinearLines = 400;
constexpr int kMaxDecades = 1000;
constexpr int kMaxDepthLines = 200000;
// Value labels above their reference value.
constexpr Colour kExceedanceRed = makeColour(255, 0, 0);
constexpr int kBoldWeight = 700;
// Values at or below this have no logarithm worth plotting.
constexpr double kLogFloor = 1e-8;
// Depths that differ by less than this are the same line (steps of 0.1 m add up inexactly).
constexpr double kDepthEpsilon = 1e-9;

// GraphFormatTable of graph k: row and field by the names of positions.h.
const std::string& fmt(const Document& doc, int k, int row, int field)
{
    return doc.GraphFormatTable(k, row, field);
}

bool logarithmic(const Document& doc, int k)
{
    return cellInt(fmt(doc, k, GraphRow::Grid, GridField::Kind)) == 1;
}

// The test number of a slot (1 to 10), or 0 when the slot plots nothing.
int slotTest(const Document& doc, int k, int slot)
{
    const std::string& cell = fmt(doc, k, GraphRow::slot(slot), SlotField::Test);
    if (!isNumeric(cell)) return 0;
    const int u = cellInt(cell);
    return u >= 1 && u <= 48 ? u : 0;
}

// The scale of a slot across the block, in values or their log10.
struct SlotScale
{
    bool ok = false;
    bool log = false;
    double from = 0;
    double to = 0;
};

SlotScale slotScale(const Document& doc, int k, int slot)
{
    SlotScale s;
    s.log = logarithmic(doc, k);
    const int row = GraphRow::slot(slot);
    if (s.log) {
        const double a = cellDouble(fmt(doc, k, row, SlotField::LogFrom));
        const double b = cellDouble(fmt(doc, k, row, SlotField::LogTo));
        if (!(a > kLogFloor) || !(b > kLogFloor)) return s;
        s.from = std::log10(a);
        s.to = std::log10(b);
    } else {
        s.from = cellDouble(fmt(doc, k, row, SlotField::LinearFrom));
        s.to = cellDouble(fmt(doc, k, row, SlotField::LinearTo));
    }
    // A scale without extent would put every point at the page's left edge, over the depth scale.
    s.ok = std::fabs(s.to - s.from) >= 1e-6;
    return s;
}

// What TestNameTable says about drawing test u.
struct TestStyle
{
    int symbol = 0;         // 1 to 7, 0 for a symbol character that is not one of them
    std::string symbolText; // the cell as written
    double sizeMm = 0;
    int lineWidth = 0;
    Colour colour = 0;
};

TestStyle testStyle(const Document& doc, int u)
{
    TestStyle t;
    t.symbolText = doc.TestNameTable(u, TestCol::Symbol);
    t.symbol = graphSymbolNumber(t.symbolText);
    t.sizeMm = cellDouble(doc.TestNameTable(u, TestCol::SymbolSize));
    t.lineWidth = cellInt(doc.TestNameTable(u, TestCol::LineWidth));
    // "白黒" prints every test in black.
    if (cellInt(doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols)) != 1)
        t.colour = static_cast<Colour>(parseAutoBase(doc.TestNameTable(u, TestCol::Colour))) & 0xFFFFFFu;
    return t;
}

bool drawsSymbol(const TestStyle& t, double size)
{
    return t.symbol >= 1 && t.symbol <= 7 && size > 0.0001;
}

// A symbol size in mm of paper as y units of the phase in force.
double symbolSizeInYUnits(const PageGeometry& g, double mm)
{
    return g.unitsPerMetre > 0.0001 ? mm * g.pxPerMmY / g.unitsPerMetre : 0;
}

struct GridPen
{
    int width = 0;
    int dash = 0;
    int gap = 0;
    Colour colour = 0;
};

GridPen gridPen(const LogPass& pass, int grid, Colour colour)
{
    const Settings& s = pass.settings();
    return {s.gridWidth(grid), s.gridDash(grid), s.gridGap(grid), colour};
}

void verticalLine(PageCanvas& c, double x, double y1, double y2, const GridPen& p)
{
    c.PageDashedLine(x, y1, x, y2, p.dash, p.gap, p.width, p.colour);
}

// The vertical scale lines of graph k between left and right, from y1 down to y2; also the
// ticks under the scale numbers of the heading.
void verticalGrid(LogPass& pass, int k, double left, double right, double y1, double y2, Colour colour1,
                  Colour colour2)
{
    const Document& doc = pass.doc();
    PageCanvas& c = pass.canvas;
    const GridPen pen1 = gridPen(pass, kVertical1, colour1);
    const GridPen pen2 = gridPen(pass, kVertical2, colour2);
    if (right - left < 0.1) return;
    if (!logarithmic(doc, k)) {
        const double step2 = cellDouble(fmt(doc, k, GraphRow::Grid, GridField::LinearStep2));
        if (step2 >= 0.1)
            for (int i = 1; i <= kMaxLinearLines; ++i) {
                const double x = left + i * step2;
                if (!(x < right)) break;
                verticalLine(c, x, y1, y2, pen2);
            }
        const double step1 = cellDouble(fmt(doc, k, GraphRow::Grid, GridField::LinearStep1));
        if (step1 >= 0.1)
            for (int i = 0; i < kMaxLinearLines; ++i) {
                const double x = left + i * step1;
                if (!(x < right)) break;
                verticalLine(c, x, y1, y2, pen1);
            }
        verticalLine(c, left, y1, y2, pen1);
        verticalLine(c, right, y1, y2, pen1);
        return;
    }
    double a = cellDouble(fmt(doc, k, GraphRow::Grid, GridField::LogFrom));
    double b = cellDouble(fmt(doc, k, GraphRow::Grid, GridField::LogTo));
    if (a < kLogFloor || b < kLogFloor || std::fabs(b - a) < kLogFloor) return;
    if (a > b) std::swap(a, b);
    double g = cellDouble(fmt(doc, k, GraphRow::Grid, GridField::LogGrid2To));
    if (g < 0 || g > 9) g = 5;
    verticalLine(c, left, y1, y2, pen1);
    verticalLine(c, right, y1, y2, pen1);
    const double la = std::log10(a), lb = std::log10(b);
    double decade = std::floor(la);
    for (int n = 0; n < kMaxDecades && decade < lb; ++n, decade += 1) {
        for (int L = 10; L < 100; L += L < 10 * g ? 1 : 2) {
            const double v = decade + std::log10(L / 10.0);
            if (!(la < v && v < lb)) continue;
            verticalLine(c, Interpolate(v, la, lb, left, right), y1, y2, L % 10 == 0 ? pen1 : pen2);
        }
    }
}

// Decimals "%g" prints after the point (0 without one).
int printedDecimals(double v)
{
    const std::string s = strprintf("%g", v);
    const size_t dot = s.find('.');
    if (dot == std::string::npos) return 0;
    int n = 0;
    for (size_t i = dot + 1; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) ++n;
    return n;
}

// The numbers of each decade a log scale is labelled with: "1のみ" (0), "1,2,5" (1), "1から9" (2).
std::vector<int> logLabelMultipliers(int choice)
{
    if (choice == 1) return {1, 2, 5};
    if (choice == 2) return {1, 2, 3, 4, 5, 6, 7, 8, 9};
    return {1};
}

// Shift of the scale numbers below their line for the larger legend sizes, header cm.
double numberLineDrop(double points)
{
    return points >= 10 ? 0.05 : points >= 9 ? 0.03 : 0.0;
}

// A scale number of the heading: its text and the x of its centre.
struct ScaleLabel
{
    double x = 0;
    std::string text;
};

// Keeps the numbers inside the column x1..x2 (an end number moves in rather than out) and,
// while two neighbours would touch, leaves out every second one.
std::vector<ScaleLabel> legibleLabels(PageCanvas& c, std::vector<ScaleLabel> labels, double x1, double x2,
                                      double w)
{
    const double kGap = 0.15 * w; // between two numbers, a share of the character width
    std::vector<double> half(labels.size());
    for (size_t i = 0; i < labels.size(); ++i) {
        half[i] = c.textWidthMm(labels[i].text) / 2;
        // A little room from the column rule, where the next graph's numbers begin.
        const double lo = x1 + 0.3 + half[i], hi = x2 - 0.3 - half[i];
        if (lo <= hi) labels[i].x = std::clamp(labels[i].x, lo, hi);
    }
    std::vector<size_t> kept(labels.size());
    for (size_t i = 0; i < kept.size(); ++i) kept[i] = i;
    auto touching = [&] {
        for (size_t i = 1; i < kept.size(); ++i) {
            const size_t a = kept[i - 1], b = kept[i];
            if (std::fabs(labels[b].x - labels[a].x) < half[a] + half[b] + kGap) return true;
        }
        return false;
    };
    while (kept.size() > 1 && touching()) {
        std::vector<size_t> every2;
        for (size_t i = 0; i < kept.size(); i += 2) every2.push_back(kept[i]);
        kept = every2;
    }
    std::vector<ScaleLabel> out;
    for (const size_t i : kept) out.push_back(labels[i]);
    return out;
}

// The scale numbers, ticks and axis of one slot in the heading, their bottoms at y.
void drawSlotScale(LogPass& pass, int k, int slot, const GraphBlock& block, double x1, double x2, double w,
                   double y)
{
    const Document& doc = pass.doc();
    PageCanvas& c = pass.canvas;
    const bool axisInColour = cellInt(fmt(doc, k, GraphRow::Grid, GridField::AxisColour)) != 0;
    const Colour colour1 = axisInColour ? graphGridColour(pass.settings(), kVertical1) : 0;
    const Colour colour2 = axisInColour ? graphGridColour(pass.settings(), kVertical2) : 0;
    const int row = GraphRow::slot(slot);
    const double textY = y + numberLineDrop(pass.ctx.fonts[FontSettings::GraphLegend].points);
    std::vector<ScaleLabel> labels;
    if (!logarithmic(doc, k)) {
        const double from = cellDouble(fmt(doc, k, row, SlotField::LinearFrom));
        const double to = cellDouble(fmt(doc, k, row, SlotField::LinearTo));
        const double step = std::fabs(cellDouble(fmt(doc, k, row, SlotField::LinearStep)));
        const std::string format = scaleLabelFormat(from, to, step);
        if (!format.empty() && std::fabs(to - from) >= 1e-6) {
            const int decimals = std::atoi(format.c_str() + 2); // "%.nf"
            auto number = [&](double v) {
                if (std::fabs(v) < 1e-12 * std::max(1.0, std::fabs(to - from))) v = 0; // never "-0.0"
                labels.push_back(
                    {Interpolate(v, from, to, block.left, block.right), strprintf("%.*f", decimals, v)});
            };
            if (step < 1e-8) {
                number(from);
                number(to);
            } else {
                const double dir = to >= from ? 1 : -1;
                const double span = std::fabs(to - from) * (1 + 1e-9);
                for (int i = 0; i <= kMaxLinearLines && i * step <= span; ++i) number(from + dir * i * step);
            }
        }
    } else {
        const double a = cellDouble(fmt(doc, k, row, SlotField::LogFrom));
        const double b = cellDouble(fmt(doc, k, row, SlotField::LogTo));
        if (a > kLogFloor && b > kLogFloor && std::fabs(std::log10(b) - std::log10(a)) >= 1e-6) {
            const double la = std::log10(a), lb = std::log10(b);
            const double lo = std::min(la, lb), hi = std::max(la, lb);
            const std::vector<int> multipliers =
                logLabelMultipliers(cellInt(fmt(doc, k, GraphRow::Grid, GridField::LogLabels)));
            const double tolerance = 1e-9;
            int decade = static_cast<int>(std::floor(lo + tolerance));
            for (int n = 0; n < kMaxDecades && decade <= hi + tolerance; ++n, ++decade) {
                for (const int m : multipliers) {
                    const double value = m * std::pow(10.0, decade);
                    const double lv = std::log10(value);
                    if (lv < lo - tolerance || lv > hi + tolerance) continue;
                    labels.push_back(
                        {Interpolate(lv, la, lb, block.left, block.right), logScaleLabel(value)});
                }
            }
        }
    }
    c.setTextAlign(AlignCentreBottom);
    for (const ScaleLabel& label : legibleLabels(c, std::move(labels), x1, x2, w))
        c.PageText(label.x, textY, label.text);
    c.setTextAlign(AlignLeftTop);
    verticalGrid(pass, k, block.left, block.right, y, y + 0.1, colour1, colour2);
    c.PageLine(block.left, y + 0.1, block.right, y + 0.1, PenStyle::Solid, pass.ruleWidth(), colour1);
}

// One text of a heading line: written at left, or spread evenly up to right.
struct HeadingText
{
    std::string_view text;
    double left = 0;
    double right = 0;
    double top = 0;
    bool spread = false;
};

// Draws the texts of the heading so that none runs over another or out of the column x1..x2:
// each ends before the next text to its right on the same line; a text that is too long for
// its room is shrunk, then shortened with "…"; a spread text that would crowd is written plain.
void placeHeadingTexts(LogPass& pass, const std::vector<HeadingText>& texts, double x1, double x2, double w,
                       double h)
{
    constexpr double kEdge = 0.3; // mm kept free inside the column edge
    constexpr double kGap = 0.5;  // mm between two texts of a line
    PageCanvas& c = pass.canvas;
    for (const HeadingText& t : texts) {
        if (t.text.empty()) continue;
        double limit = x2 - kEdge;
        for (const HeadingText& other : texts)
            if (&other != &t && !other.text.empty() && other.left > t.left + 1e-9 &&
                std::fabs(other.top - t.top) < h)
                limit = std::min(limit, other.left - kGap);
        const double left = std::max(t.left, x1);
        if (t.spread && std::min(t.right, limit) - left >= c.textWidthMm(t.text)) {
            c.PageSpreadText(left, std::min(t.right, limit), t.top, t.top + h, w, h, t.text);
            continue;
        }
        drawFitted(pass, FontSettings::GraphLegend, t.text, left, t.top, limit - left, AlignLeftTop);
    }
}
// The value-display shifts of a test, mm by SampleTable row: entries "row:shift,".
std::map<int, double> displayShifts(std::string_view attributes)
{
    std::map<int, double> out;
    for (const std::string& entry : CsvSplit(attributes)) {
        const size_t colon = entry.find(':');
        if (colon == std::string::npos) continue;
        const std::string_view rowText = std::string_view(entry).substr(0, colon);
        if (!isNumeric(rowText)) continue;
        out[cellInt(rowText)] = cellDouble(std::string_view(entry).substr(colon + 1));
    }
    return out;
}

} // namespace

Colour graphGridColour(const Settings& settings, int grid)
{
    return settings.gridMonochrome() ? 0 : settings.gridColour(grid);
}

GraphBlock graphBlock(const Document& doc, int k, double x1, double x2)
{
    GraphBlock b;
    b.width = clampColumnWidth(cellDouble(doc.DisplayItemTable(DisplayRow::graph(k), DisplayCol::GridWidth)));
    b.left = x1 + ((x2 - x1) - b.width) / 2;
    b.right = b.left + b.width;
    b.drawn = b.width >= 0.5 && x2 - x1 >= 0.1;
    return b;
}

std::string scaleLabelFormat(double from, double to, double step)
{
    if (std::fabs(to - from) < 1e-8) return {};
    const int n = std::max({printedDecimals(from), printedDecimals(to), printedDecimals(step)});
    if (n < 0 || n >= 7) return "%.6f";
    return strprintf("%%.%df", n);
}

std::string logScaleLabel(double value)
{
    if (value >= 1e18) return strprintf("%.0f", value);
    if (value >= 1) return strprintf("%ld", static_cast<long>(std::llround(value + 1e-10)));
    return strprintf("%.g", value);
}

void drawSymbol(PageCanvas& c, double x, double y, int pen, int type, double s, Colour colour)
{
    if (x > 4000 || y > 4000) return;
    // Half width in page mm: the same length on paper as s across, so a symbol keeps its shape at
    // every pair of scales (10 x s at 1/100 both ways).
    const PageGeometry& g = c.geometry();
    const double o = g.unitsPerPageMm > 0.0001 ? s * g.unitsPerMetre / g.unitsPerPageMm : 10 * s;
    const int solid = PenStyle::Solid;
    switch (type) {
    case 1:
        c.PageFilledCircle(x, y, s, solid, pen, colour, colour);
        break;
    case 2:
        c.PageCircle(x, y, s, solid, pen, colour);
        break;
    case 3:
        c.PageLine(x - o, y - s, x + o, y + s, solid, pen, colour);
        c.PageLine(x - o, y + s, x + o, y - s, solid, pen, colour);
        break;
    case 4:
    case 5:
        if (type == 4) c.PageFilledPolygon({{x, y - s}, {x - o, y + s}, {x + o, y + s}}, colour);
        c.PageLine(x, y - s, x - o, y + s, solid, pen, colour);
        c.PageLine(x - o, y + s, x + o, y + s, solid, pen, colour);
        c.PageLine(x + o, y + s, x, y - s, solid, pen, colour);
        break;
    case 6:
        c.PageFilledRect(x - 0.9 * o, y - 0.9 * s, x + 0.9 * o, y + 0.9 * s, solid, pen, colour, colour);
        c.PageRectOutline(x - 0.9 * o, y - 0.9 * s, x + 0.9 * o, y + 0.9 * s, solid, pen, colour);
        break;
    case 7:
        c.PageRectOutline(x - 0.9 * o, y - 0.9 * s, x + 0.9 * o, y + 0.9 * s, solid, pen, colour);
        break;
    default:
        break;
    }
}

void drawGraphHeading(LogPass& pass, int k, double x1, double x2, double h, double w, double bandTop)
{
    const Document& doc = pass.doc();
    PageCanvas& c = pass.canvas;
    const double bandHeight = -bandTop;
    auto px = [&](std::string_view pct) { return x1 + cellDouble(pct) * 0.01 * (x2 - x1); };
    auto py = [&](std::string_view pct) { return bandTop + cellDouble(pct) * 0.01 * bandHeight; };
    c.setTextAlign(AlignLeftTop);

    // Title lines 1 and 2.
    std::vector<HeadingText> titles;
    for (int row = GraphRow::Title1; row <= GraphRow::Title2; ++row) {
        if (!isNumeric(fmt(doc, k, row, TitleField::Left))) continue;
        titles.push_back({fmt(doc, k, row, TitleField::Text), px(fmt(doc, k, row, TitleField::Left)),
                          px(fmt(doc, k, row, TitleField::Right)), py(fmt(doc, k, row, TitleField::Top)),
                          cellInt(fmt(doc, k, row, TitleField::Align)) == 1});
    }
    placeHeadingTexts(pass, titles, x1, x2, w, h);

    const GraphBlock block = graphBlock(doc, k, x1, x2);
    const int symbolPosition = pass.settings().legendSymbolPosition();
    const bool spreadNames = cellInt(fmt(doc, k, GraphRow::Legend, LegendField::NameAlign)) == 1;
    const bool spreadRemarks = cellInt(fmt(doc, k, GraphRow::Legend, LegendField::RemarkAlign)) == 1;
    for (int slot = 1; slot <= GraphRow::Slots; ++slot) {
        const int u = slotTest(doc, k, slot);
        if (u == 0) continue;
        const int row = GraphRow::slot(slot);
        const double top = py(fmt(doc, k, row, SlotField::NameTop));
        const TestStyle style = testStyle(doc, u);
        const double nameLeft = px(fmt(doc, k, GraphRow::Legend, LegendField::NameLeft));

        // Legend symbol, centred on the name line.
        if (symbolPosition != 2) {
            const double s = symbolSizeInYUnits(pass.geo, style.sizeMm);
            const double halfWidth =
                pass.geo.unitsPerPageMm > 0.0001 ? s * pass.geo.unitsPerMetre / pass.geo.unitsPerPageMm : 0;
            // Left end: just before the test name, inside the column; right end: 1.5 mm into the column.
            const double x =
                symbolPosition == 1 ? x1 + 1.5 : std::max(nameLeft - halfWidth - 0.3, x1 + halfWidth + 0.2);
            const double y = top + h / 2;
            if (drawsSymbol(style, s)) {
                drawSymbol(c, x, y, pass.settings().symbolLineWidth(), style.symbol, s, style.colour);
            } else if (!style.symbolText.empty()) {
                c.setTextAlign(AlignCentreTop);
                c.PageText(x, top, style.symbolText);
                c.setTextAlign(AlignLeftTop);
            }
        }

        // Name, unit and remark, each within its room on the line.
        std::vector<HeadingText> line;
        if (isNumeric(fmt(doc, k, GraphRow::Legend, LegendField::NameLeft)))
            line.push_back({doc.TestNameTable(u, TestCol::Name), nameLeft,
                            px(fmt(doc, k, GraphRow::Legend, LegendField::NameRight)), top, spreadNames});
        if (isNumeric(fmt(doc, k, GraphRow::Legend, LegendField::UnitLeft)))
            line.push_back({doc.TestNameTable(u, TestCol::Unit),
                            px(fmt(doc, k, GraphRow::Legend, LegendField::UnitLeft)), 0, top, false});
        if (isNumeric(fmt(doc, k, GraphRow::Legend, LegendField::RemarkLeft)))
            line.push_back({doc.TestNameTable(u, TestCol::Remark),
                            px(fmt(doc, k, GraphRow::Legend, LegendField::RemarkLeft)),
                            px(fmt(doc, k, GraphRow::Legend, LegendField::RemarkRight)), top, spreadRemarks});
        placeHeadingTexts(pass, line, x1, x2, w, h);

        // Scale numbers, ticks and axis.
        if (cellInt(fmt(doc, k, row, SlotField::ShowNumbers)) != 0 && block.drawn)
            drawSlotScale(pass, k, slot, block, x1, x2, w, py(fmt(doc, k, row, SlotField::NumbersTop)));
    }
    c.setTextAlign(AlignLeftTop);
}

void drawGraphGrid(LogPass& pass, int k, double x1, double x2, double pageTop, double pageBottom)
{
    const GraphBlock block = graphBlock(pass.doc(), k, x1, x2);
    if (!block.drawn) return;
    verticalGrid(pass, k, block.left, block.right, pageTop, pageBottom, pass.gridColours[kVertical1],
                 pass.gridColours[kVertical2]);
}

void drawDepthGrid(LogPass& pass, double left, double right, double pageTop, double pageBottom)
{
    PageCanvas& c = pass.canvas;
    const int s1 = pass.settings().graphTickMm();
    const int s2 = pass.settings().graphTickStep();
    auto line = [&](double y, int grid) {
        const GridPen p = gridPen(pass, grid, pass.gridColours[static_cast<size_t>(grid)]);
        c.PageDashedLine(left, y, right, y, p.dash, p.gap, p.width, p.colour);
    };
    if (s2 > 0) {
        const double step = s2 * 0.1;
        const double start = std::trunc(pageTop) - 1 + step;
        for (int i = 0; i < kMaxDepthLines; ++i) {
            const double d = start + i * step;
            if (d > pageBottom + kDepthEpsilon) break;
            if (!(d > pageTop + kDepthEpsilon)) continue;
            // Whole multiples of s1 x 0.1 m, compared in centimetres, belong to grid 1.
            if (s1 > 0 && std::fmod(std::trunc(d * 100 + 1e-6), s1 * 10.0) == 0) continue;
            line(d, kHorizontal2);
        }
    }
    if (s1 > 0) {
        const double step = s1 * 0.1;
        // From depth 0; pages far down start near their top.
        const double first = std::max(0.0, std::floor(pageTop / step));
        for (int i = 0; i < kMaxDepthLines; ++i) {
            const double d = (first + i) * step;
            if (d > pageBottom + kDepthEpsilon) break;
            if (d > pageTop + kDepthEpsilon) line(d, kHorizontal1);
        }
    }
}

void drawGraphData(LogPass& pass, int k, double x1, double x2, int sampleCount, double h, double)
{
    const Document& doc = pass.doc();
    PageCanvas& c = pass.canvas;
    const GraphBlock block = graphBlock(doc, k, x1, x2);
    if (!block.drawn) return;
    const int denominator = effectiveDenominator(pass.view().depthScaleDenominator);
    const int samples = std::min<int>(sampleCount, static_cast<int>(pass.sampleMidDepths.size()));
    const TextAlign savedAlign = c.textAlign();
    c.setTextAlign(AlignCentreTop);
    for (int slot = 1; slot <= GraphRow::Slots; ++slot) {
        const int u = slotTest(doc, k, slot);
        if (u == 0) continue;
        const SlotScale scale = slotScale(doc, k, slot);
        if (!scale.ok) continue;
        const TestStyle style = testStyle(doc, u);
        const double size = style.sizeMm * denominator * 0.001;
        const int maskColumn = 57 + (u - 1) / 16;
        const long bit = 1L << (((u - 1) % 16) + 1);
        bool joined = false;
        double px = 0, py = 0;
        for (int i = 1; i <= samples; ++i) {
            const std::string& cell = doc.SampleTable(i, 8 + u);
            if (!isNumeric(cell)) {
                joined = false;
                continue;
            }
            double v = cellDouble(cell);
            if (scale.log) {
                if (!(v > kLogFloor)) continue;
                v = std::log10(v);
            }
            const double x = Interpolate(v, scale.from, scale.to, block.left, block.right);
            const double y = pass.sampleMidDepths[static_cast<size_t>(i - 1)];
            if (cellLong(doc.SampleTable(i, maskColumn)) & bit) joined = false;
            if (style.lineWidth > 0 && joined)
                c.PageLine(px, py, x, y, PenStyle::Solid, style.lineWidth, style.colour);
            if (drawsSymbol(style, size)) {
                drawSymbol(c, x, y, pass.settings().symbolLineWidth(), style.symbol, size, style.colour);
            } else if (!style.symbolText.empty()) {
                const Colour textColour = c.device().textColour();
                c.device().setTextColour(style.colour);
                c.PageText(x, y - h / 2, style.symbolText);
                c.device().setTextColour(textColour);
            }
            px = x;
            py = y;
            joined = true;
        }
    }
    c.setTextAlign(savedAlign);
}

void drawReferenceLines(LogPass& pass, int k, double x1, double x2, double pageTop, double pageBottom)
{
    const Document& doc = pass.doc();
    if (!referenceLinesShown(doc)) return;
    const GraphBlock block = graphBlock(doc, k, x1, x2);
    if (!block.drawn) return;
    PageCanvas& c = pass.canvas;
    // Dashes of 1.5 mm with 1 mm gaps on paper at every resolution; set apart from the grid's.
    const int dash = std::max(1, static_cast<int>(std::lround(1.5 * pass.geo.pxPerMmX)));
    const int gap = std::max(1, static_cast<int>(std::lround(1.0 * pass.geo.pxPerMmX)));
    for (int slot = 1; slot <= GraphRow::Slots; ++slot) {
        const int u = slotTest(doc, k, slot);
        if (u == 0) continue;
        const SlotScale scale = slotScale(doc, k, slot);
        if (!scale.ok) continue;
        const ReferenceValue ref = parseReferenceValue(doc.TestNameTable(u, TestCol::Reference));
        if (ref.kind != ReferenceValue::Number) continue;
        // Only for a test the log has values of: an empty slot or a new log stays uncluttered.
        bool measured = false;
        for (size_t i = 1; i <= pass.sampleMidDepths.size() && !measured; ++i)
            measured = isNumeric(doc.SampleTable(static_cast<int>(i), SampleCol::test(u)));
        if (!measured) continue;
        const double v = scale.log ? std::log10(ref.number) : ref.number;
        const double lo = std::min(scale.from, scale.to), hi = std::max(scale.from, scale.to);
        if (v < lo - 1e-9 || v > hi + 1e-9) continue;
        const TestStyle style = testStyle(doc, u);
        const double x = Interpolate(v, scale.from, scale.to, block.left, block.right);
        c.PageDashedLine(x, pageTop, x, pageBottom, dash, gap, std::max(1, style.lineWidth), style.colour);
    }
}

void drawGraphLabels(LogPass& pass, int k, double x1, double x2, int sampleCount, double h, double w)
{
    const Document& doc = pass.doc();
    if (cellInt(doc.HeaderTable(HeaderEntry::ValuesBesideSymbols)) != 1) return;
    PageCanvas& c = pass.canvas;
    const GraphBlock block = graphBlock(doc, k, x1, x2);
    if (!block.drawn) return;
    const int denominator = effectiveDenominator(pass.view().depthScaleDenominator);
    const int samples = std::min<int>(sampleCount, static_cast<int>(pass.sampleMidDepths.size()));
    int tests = 0;
    for (int slot = 1; slot <= GraphRow::Slots; ++slot)
        if (slotTest(doc, k, slot) != 0 && slotScale(doc, k, slot).ok) ++tests;
    const TextAlign savedAlign = c.textAlign();
    const Colour savedColour = c.device().textColour();
    c.setTextAlign(AlignLeftTop);
    // Labels already written in this graph: a label that would run over one moves down below
    // it; a label that would leave the column is written left of its point.
    struct Placed
    {
        double left, right, top, bottom;
    };
    std::vector<Placed> placed;
    const double textHeight = pass.geo.deviceToYUnits(c.device().textExtent("0").cy);
    const bool blackAndWhite = cellInt(doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols)) == 1;
    const LogicalFont labelFont = c.device().font();
    LogicalFont flaggedFont = labelFont;
    flaggedFont.weight = kBoldWeight;
    flaggedFont.underline = blackAndWhite || labelFont.underline;
    int order = 0;
    for (int slot = 1; slot <= GraphRow::Slots; ++slot) {
        const int u = slotTest(doc, k, slot);
        if (u == 0) continue;
        const SlotScale scale = slotScale(doc, k, slot);
        if (!scale.ok) continue;
        // The tests of one graph take their turn around the point, a fraction of a line apart.
        const double stagger = (order - (tests - 1) / 2.0) * h / tests;
        ++order;
        const std::map<int, double> shifts = displayShifts(doc.TestNameTable(u, TestCol::Shifts));
        const Colour colour = testStyle(doc, u).colour;
        const std::string& reference = doc.TestNameTable(u, TestCol::Reference);
        c.device().setTextColour(colour);
        for (int i = 1; i <= samples; ++i) {
            const std::string& cell = doc.SampleTable(i, 8 + u);
            if (!isNumeric(cell)) continue;
            double v = cellDouble(cell);
            if (scale.log) {
                if (!(v > kLogFloor)) continue;
                v = std::log10(v);
            }
            const double x = Interpolate(v, scale.from, scale.to, block.left, block.right);
            double y = pass.sampleMidDepths[static_cast<size_t>(i - 1)] - h / 2 + stagger;
            if (const auto it = shifts.find(i); it != shifts.end()) y += it->second * denominator * 0.001;
            // A value above its reference stands out: bold, red in colour, underlined in black and white.
            const bool flagged = compareWithReference(cell, reference).exceeds();
            if (flagged) {
                (void)c.device().selectFont(flaggedFont);
                c.device().setTextColour(blackAndWhite ? Colour{0} : kExceedanceRed);
            }
            const double width = c.textWidthMm(cell);
            double left = x + w / 2;
            if (left + width > x2 - 0.2) left = std::max(x1 + 0.2, x - w / 2 - width);
            for (int tries = 0; tries < 100; ++tries) {
                const auto over = std::find_if(placed.begin(), placed.end(), [&](const Placed& p) {
                    return left < p.right && p.left < left + width && y < p.bottom && p.top < y + textHeight;
                });
                if (over == placed.end()) break;
                y = over->bottom;
            }
            placed.push_back({left, left + width, y, y + textHeight});
            c.PageText(left, y, cell);
            if (flagged) {
                (void)c.device().selectFont(labelFont);
                c.device().setTextColour(colour);
            }
        }
    }
    c.device().setTextColour(savedColour);
    c.setTextAlign(savedAlign);
}

} // namespace qc
