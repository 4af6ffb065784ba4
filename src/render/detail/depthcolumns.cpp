#include "render/detail/depthcolumns.h"

#include "app/patterncolours.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/referencevalue.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "document/textops.h"
#include "render/detail/geologycolumn.h"
#include "render/detail/primitives.h"
#include "render/detail/textfit.h"
#include "render/logpage.h"
#include "render/patterns.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace qc {

namespace {

// Display-item rows of the columns.
namespace Row {
constexpr int Notes = 2, Strata = 3, Free = 4, Water = 5, Samples = 6, GrainSize = 7, Casing = 13,
              DrillDates = 16;
}

// Sub-columns of the samples column, from its left edge.
constexpr double kSampleNumberLeft = 7.4;
constexpr double kSampleMethodLeft = 14.0;
// The mark of a sample above a reference value: its width with the room after it, mm, and its colour.
constexpr double kExceedanceMarkMm = 1.4;
constexpr Colour kExceedanceMarkColour = makeColour(255, 0, 0);

// Water levels more than this far above the ground are not drawn (m).
constexpr double kHighestWaterLevel = -6.0;

bool shown(const LogPass& pass, int row, double x1, double x2, double minWidth = 1e-9)
{
    return displayItemShown(pass.doc(), row) && x2 - x1 >= minWidth;
}

// Height in device units of a text word-wrapped in the width x1..x2.
int measure(PageCanvas& c, double x1, double x2, std::string_view text, unsigned extraFlags = 0)
{
    return c.PageTextInRect(x1, 0, x2, 0, text, TextFormat::CalcRect | TextFormat::WordBreak | extraFlags);
}

bool endsWithLineBreak(const std::string& text)
{
    return text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
}

// Characters one below the other from y, down to the bottom of what can be seen.
void stackCharacters(PageCanvas& c, double x, double y, double step, std::string_view text,
                     double visibleBottom)
{
    constexpr int kMaxCharacters = 4096; // whatever the step
    for (size_t p = 0, count = 0; p < text.size() && y <= visibleBottom && count < kMaxCharacters; ++count) {
        const size_t n = charLengthAt(text, p);
        c.PageText(x, y, text.substr(p, n));
        y += step;
        p += n;
    }
}

// The texts of one column from the top down: a text whose box would start above
// the bottom of the one before moves down just far enough, the way notes stack,
// so that close depths never print their texts over each other.
class TextStack
{
public:
    explicit TextStack(LogPass& pass) : m_pass(pass) {}

    // Where a text of the current font placed at y by the vertical alignment begins, moved below
    // the texts above it. The returned top is for a top-aligned text.
    double place(double y, VAlign vertical, std::string_view text)
    {
        const double height = m_pass.geo.deviceToYUnits(m_pass.canvas.device().textExtent(text).cy);
        double top = y;
        if (vertical == VAlign::Bottom) top = y - height;
        if (vertical == VAlign::Baseline) top = y - kAscent * height;
        top = std::max(top, m_bottom);
        // Figures have no descenders: the next text may start on their baseline.
        const bool figures = text.find_first_not_of(" 0123456789.+-/:%") == std::string_view::npos;
        m_bottom = top + (figures ? kAscent : 1.0) * height;
        return top;
    }
    // Draws a text at (x, y) by the alignment, or lower when it would run over the text above.
    // With a width, the text is fitted into it in the body role (shrunk, then shortened).
    // Returns the top of the text as drawn (y for an empty text).
    double draw(double x, double y, TextAlign align, std::string_view text,
                double widthMm = std::numeric_limits<double>::infinity())
    {
        if (text.empty()) return y;
        FittedText fit{std::string(text), 1, 0};
        if (std::isfinite(widthMm)) {
            fit = fitText(m_pass, FontSettings::Body, text, widthMm);
            if (fit.scale != 1) selectRoleScaled(m_pass, FontSettings::Body, fit.scale);
        }
        const double top = place(y, align.v, fit.text);
        PageCanvas& c = m_pass.canvas;
        const TextAlign previous = c.textAlign();
        if (top > topOf(y, align.v, fit.text) + 1e-9) {
            c.setTextAlign({align.h, VAlign::Top});
            c.PageText(x, top, fit.text);
        } else {
            c.setTextAlign(align);
            c.PageText(x, y, fit.text);
        }
        c.setTextAlign(previous);
        if (fit.scale != 1) m_pass.selectRole(FontSettings::Body);
        return top;
    }
    double bottom() const { return m_bottom; }
    void setBottom(double bottom) { m_bottom = bottom; }

private:
    // The share of a text's height above its baseline.
    static constexpr double kAscent = 0.8;
    double topOf(double y, VAlign vertical, std::string_view text) const
    {
        const double height = m_pass.geo.deviceToYUnits(m_pass.canvas.device().textExtent(text).cy);
        return vertical == VAlign::Bottom     ? y - height
               : vertical == VAlign::Baseline ? y - kAscent * height
                                              : y;
    }

    LogPass& m_pass;
    double m_bottom = -std::numeric_limits<double>::infinity();
};

// The hatches of the grain-size bar. Rows of marks start 0.06 below the top
// and repeat every 0.12, each mark drawn only while it ends inside its segment.
constexpr double kHatchFirstRow = 0.06;
constexpr double kHatchRowStep = 0.12;
// Rows that cannot be seen are skipped; this many rows at most, whatever the depths.
constexpr int kMaxHatchRows = 100000;
// Marks right of the visible part are not drawn; this many in a row at most.
constexpr int kMaxHatchMarks = 2000;

struct BarPart
{
    LogPass& pass;
    double x1, x2, top, bottom;
    double visibleTop, visibleBottom;
    double visibleRight;
    int pen;

    void line(double ax, double ay, double bx, double by) const
    {
        pass.canvas.PageLine(ax, ay, bx, by, PenStyle::Solid, pen, 0);
    }

    // draw(odd, y) for the rows top + first + i x step whose marks (half their height
    // above and below the row) end above the bottom, from the first one that can be seen.
    template <class Draw> void rows(double first, double step, double half, Draw draw) const
    {
        double i = std::max(0.0, std::floor((visibleTop - top - first - half) / step));
        double previous = -std::numeric_limits<double>::infinity();
        for (int n = 0; n < kMaxHatchRows; ++n, i += 1) {
            const double y = top + first + i * step;
            // At depths where a row step is lost in rounding there is nothing to show.
            if (!(y + half < bottom) || y - half > visibleBottom || !(y > previous)) break;
            draw(std::fmod(i, 2.0) != 0, y);
            previous = y;
        }
    }

    // draw(x) for x = first, first + pitch, ... while the mark (reaching `after` right of x)
    // ends inside the part, and no further than can be seen.
    template <class Draw> void marks(double first, double pitch, double after, Draw draw) const
    {
        double x = first;
        for (int n = 0; n < kMaxHatchMarks && x + after < x2 && x < visibleRight; ++n, x += pitch) draw(x);
    }
};

void hatchClay(const BarPart& b)
{
    b.rows(kHatchFirstRow, kHatchRowStep, 0, [&](bool, double y) { b.line(b.x1, y, b.x2, y); });
}

void hatchSilt(const BarPart& b)
{
    constexpr double dash = 1.408, pitch = 2.2, rowShift = 1.1;
    const double inset = (pitch - dash) / 2;
    b.rows(kHatchFirstRow, kHatchRowStep, 0, [&](bool odd, double y) {
        b.marks(b.x1 + inset + (odd ? rowShift : 0), pitch, dash,
                [&](double x) { b.line(x, y, x + dash, y); });
    });
}

void hatchSand(const BarPart& b)
{
    constexpr double halfWidth = 0.1, halfHeight = 0.01, pitch = 1.1, firstX = 0.55, rowShift = 0.55;
    b.rows(kHatchFirstRow, kHatchRowStep, halfHeight, [&](bool odd, double y) {
        b.marks(b.x1 + firstX + (odd ? rowShift : 0), pitch, halfWidth, [&](double x) {
            b.line(x - halfWidth, y, x + halfWidth, y);
            b.line(x, y - halfHeight, x, y + halfHeight);
        });
    });
}

void hatchGravel(const BarPart& b)
{
    constexpr double radius = 0.06, pitch = 3.2, firstX = 0.62, rowShift = 1.6, firstRow = 0.08,
                     rowStep = 0.14;
    // The circle's radius is in depth units; across the page it measures this many mm.
    const PageGeometry& g = b.pass.geo;
    const double radiusMm = g.unitsPerPageMm > 0.0001 ? radius * g.unitsPerMetre / g.unitsPerPageMm : 0;
    b.rows(firstRow, rowStep, radius, [&](bool odd, double y) {
        b.marks(b.x1 + firstX + (odd ? rowShift : 0), pitch, radiusMm,
                [&](double x) { b.pass.canvas.PageCircle(x, y, radius, PenStyle::Solid, b.pen, 0); });
    });
}

} // namespace

GrainSizes sampleGrainSizes(const Document& doc, int row)
{
    const TextTable& S = doc.SampleTable;
    return {cellDouble(S(row, SampleCol::Clay)), cellDouble(S(row, SampleCol::Silt)),
            cellDouble(S(row, SampleCol::Sand)), cellDouble(S(row, SampleCol::Gravel))};
}

bool sampleHasBottom(const Document& doc, int row)
{
    return isNumeric(doc.SampleTable(row, SampleCol::Bottom));
}

double sampleBottomDepth(const Document& doc, int row)
{
    return cellDouble(doc.SampleTable(row, sampleHasBottom(doc, row) ? SampleCol::Bottom : SampleCol::Top));
}

CasingFill casingFillOf(const std::string& casingText)
{
    if (findText(casingText, QC_SJ("有孔")) != std::string::npos) return CasingFill::Perforated;
    if (findText(casingText, QC_SJ("遮水")) != std::string::npos) return CasingFill::WaterSealed;
    if (findText(casingText, QC_SJ("無孔")) != std::string::npos) return CasingFill::Blind;
    return CasingFill::None;
}

void drawGrainSizeBar(LogPass& pass, double x1, double x2, double top, double bottom, const GrainSizes& pct,
                      double visibleTop, double visibleBottom)
{
    double total = 0;
    for (double p : pct) total += p;
    if (total <= 0) return;
    const int pen = std::max(1, pass.ruleWidth());
    // The body is clipped at the view's clip width; the heading band ends there too.
    const double visibleRight = pass.view().clipWidthMm;
    // A bar never leaves its column: negative parts count as 0 and the sum stops at 100.
    double edges[5];
    double sum = 0;
    edges[0] = x1;
    for (int i = 0; i < 4; ++i) {
        sum = std::clamp(sum + std::max(0.0, pct[static_cast<size_t>(i)]), 0.0, 100.0);
        edges[i + 1] = Interpolate(sum, 0, 100, x1, x2);
    }
    using Hatch = void (*)(const BarPart&);
    static constexpr Hatch hatches[4] = {hatchClay, hatchSilt, hatchSand, hatchGravel};
    for (int i = 0; i < 4; ++i) {
        const double a = edges[i], b = edges[i + 1];
        if (b - a < 1e-6) continue;
        pass.canvas.PageRectOutline(a, top, b, bottom, PenStyle::Solid, pen, 0);
        hatches[i](BarPart{pass, a, b, top, bottom, visibleTop, visibleBottom, visibleRight, pen});
    }
}

void drawWaterMark(LogPass& pass, double x, double y)
{
    pass.rule(x, y, x - 0.8, y - 0.16);
    pass.rule(x - 0.8, y - 0.16, x + 0.8, y - 0.16);
    pass.rule(x + 0.8, y - 0.16, x, y);
    pass.rule(x - 1.6, y, x + 1.6, y);
    pass.rule(x - 0.8, y + 0.04, x + 0.8, y + 0.04);
    pass.rule(x - 0.2, y + 0.08, x + 0.2, y + 0.08);
}

// A note longer than this is laid out in parts of growing length until it reaches the page bottom.
constexpr size_t kNotePartBytes = 8192;

// The text of a note as it is laid out (closed by a line break), and its height: the whole
// text, or a long one's beginning that already runs from textTop past reach, so that a note
// of many megabytes costs no more than a page of it.
std::string notePart(PageCanvas& c, const PageGeometry& g, double left, double right, const std::string& text,
                     double textTop, double reach, int& height)
{
    for (size_t want = kNotePartBytes;; want *= 4) {
        if (want >= text.size()) {
            std::string whole = text;
            if (!endsWithLineBreak(whole)) whole += "\r\n";
            height = measure(c, left, right, whole);
            return whole;
        }
        size_t cut = 0;
        while (cut < want) cut += charLengthAt(text, cut);
        std::string part = text.substr(0, cut) + "\r\n";
        height = measure(c, left, right, part);
        if (textTop + g.deviceToYUnits(height) > reach) return part;
    }
}

void drawNotesColumn(LogPass& pass, double, double)
{
    const ColumnEdges& X = pass.edges;
    if (!shown(pass, Row::Notes, X[9], X[10], 1.0)) return;
    const TextTable& N = pass.doc().NoteTable;
    PageCanvas& c = pass.canvas;
    const PageGeometry& g = pass.geo;
    c.setTextAlign(AlignLeftTop);
    // The wrap width reaches 0.8 mm past the column edge.
    const double left = X[9] + 0.2, right = X[10] + 0.8;
    const int lineHeight = measure(c, left, right, " ");
    double end = 0; // bottom of the previous note's text
    // Texts are laid out down to a line below the visible part.
    const double reach = pass.visibleBottom() + g.deviceToYUnits(lineHeight);
    for (int r = 1; r <= N.rows() && isNumeric(N(r, 1)); ++r) {
        const double top = cellDouble(N(r, 1));
        const double y0 = std::max(top, end + 0.03); // notes never overlap
        // A bottom that is not a number lets the note end with its text.
        const double bottom = isNumeric(N(r, 2)) ? cellDouble(N(r, 2)) : y0;
        const std::string& underline = N(r, 5);
        const bool underlined = underline == "1" || !isNumeric(underline);

        const double textTop = y0 + 0.1;
        int height = 0;
        // A text that starts below what can be seen is not laid out (nor any after it).
        if (textTop <= reach) {
            const std::string text = notePart(c, g, left, right, N(r, 4), textTop, reach, height);
            c.PageTextInRect(left, textTop, right, textTop + g.deviceToYUnits(height), text,
                             TextFormat::WordBreak | TextFormat::NoClip);
        }
        if (height >= 2 * lineHeight) height -= lineHeight; // the empty line of the closing break
        // The note ends on its bottom depth, or below its text when that runs further; the
        // text starts 0.1 below y0, so that is where its last line ends.
        const double textBottom = textTop + g.deviceToYUnits(height);
        const double noteEnd = textBottom > bottom ? textBottom : bottom;
        end = noteEnd;
        if (underlined) {
            pass.rule(X[9], bottom, X[9] + 1, noteEnd);
            pass.rule(X[9] + 1, noteEnd, X[10] - 1, noteEnd);
            pass.rule(X[10] - 1, noteEnd, X[10], bottom);
        }
    }
}

void drawStratumColumn(LogPass& pass, double, double)
{
    const ColumnEdges& X = pass.edges;
    if (!shown(pass, Row::Strata, X[10], X[11])) return;
    const TextTable& S = pass.doc().StratumTable;
    PageCanvas& c = pass.canvas;
    c.setTextAlign(AlignLeftTop);
    const double lambda = pass.geo.deviceToYUnits(measure(c, X[10], X[11], QC_SJ("あ")));
    const double x = X[10] + 0.2;
    TextStack stack(pass);
    for (int r = 1; r <= S.rows() && isNumeric(S(r, StratumCol::Top)); ++r) {
        if (!isNumeric(S(r, StratumCol::Bottom))) continue;
        const double top = cellDouble(S(r, StratumCol::Top)), bottom = cellDouble(S(r, StratumCol::Bottom));
        pass.rule(X[10], top, X[11], top);
        pass.rule(X[10], bottom, X[11], bottom);
        pass.rule(X[10], top, X[10] + 0.4, top + 0.3);
        pass.rule(X[10], bottom, X[10] + 0.4, bottom - 0.3);

        const std::string& name = S(r, SampleCol::Number);
        const int n = std::max(1, CharCount(name));
        const double middle = (top + bottom) / 2;
        const double start = middle - n * lambda / 2;
        // A stack starts below the name of the stratum above.
        if (start >= top) {
            const double first = std::max(start, stack.bottom());
            stackCharacters(c, x, first, lambda, name, pass.visibleBottom());
            stack.setBottom(first + n * lambda);
        } else if ((bottom - top) / n >= 0.7 * lambda) {
            // Closer lines, still centred in the interval.
            const double first = std::max(middle - n * 0.7 * lambda / 2, stack.bottom());
            stackCharacters(c, x, first, 0.7 * lambda, name, pass.visibleBottom());
            stack.setBottom(first + (n - 1) * 0.7 * lambda + lambda);
        } else {
            stack.draw(x, top + 0.1, AlignLeftTop, name, X[11] - 0.2 - x);
        }
    }
}

void drawFreeColumn(LogPass& pass, double h, double)
{
    const ColumnEdges& X = pass.edges;
    if (!shown(pass, Row::Free, X[11], X[12])) return;
    const Document& doc = pass.doc();
    const TextTable& F = doc.FreeColumnTable;
    PageCanvas& c = pass.canvas;
    HAlign horizontal = HAlign::Left;
    double x = X[11] + 0.2;
    if (isNumeric(doc.HeaderTable(HeaderEntry::FreeColumnOption))) {
        const int placement = cellInt(doc.HeaderTable(HeaderEntry::FreeColumnOption));
        if (placement & 1) {
            horizontal = HAlign::Centre;
            x = (X[11] + X[12]) / 2;
        } else if (placement & 2) {
            horizontal = HAlign::Right;
            x = X[12] - 0.2;
        }
    }
    const double room = X[12] - X[11] - 0.4;
    double previous = -std::numeric_limits<double>::infinity();
    TextStack stack(pass);
    for (int r = 1; r <= F.rows() && isNumeric(F(r, FreeCol::Depth)); ++r) {
        const double d = cellDouble(F(r, FreeCol::Depth));
        if (isNumeric(F(r, FreeCol::Underline)) && cellLong(F(r, FreeCol::Underline)) % 2 != 0)
            pass.rule(X[11], d, X[12], d);
        stack.draw(x, d, {horizontal, d - previous < h ? VAlign::Baseline : VAlign::Bottom},
                   F(r, FreeCol::Text), room);
        previous = d;
    }
    c.setTextAlign(AlignLeftTop);
}

void drawWaterLevelColumn(LogPass& pass, double h, double)
{
    const ColumnEdges& X = pass.edges;
    if (!shown(pass, Row::Water, X[12], X[13])) return;
    const TextTable& W = pass.doc().WaterLevelTable;
    PageCanvas& c = pass.canvas;
    c.setTextAlign(AlignLeftBaseline);
    // The texts stack from the top down, so the levels are taken by depth.
    std::vector<std::pair<double, int>> levels;
    for (int r = 1; r <= W.rows() && isNumeric(W(r, WaterCol::Level)); ++r) {
        const double d = -cellDouble(W(r, WaterCol::Level)); // drawn downward from the ground
        if (d >= kHighestWaterLevel) levels.emplace_back(d, r);
    }
    std::stable_sort(levels.begin(), levels.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    TextStack stack(pass);
    for (const auto& [d, r] : levels) {
        const double x = d <= 0.2 ? X[12] - 3.0 : X[12] + 0.5;
        const double room = X[13] - 0.2 - x;
        const int bits = cellInt(W(r, WaterCol::Flags));
        // Date, level and note each on a line of their own, in that order from the top.
        if (bits & WaterBits::DateShown)
            stack.draw(x, d - 1.6 * h, AlignLeftBaseline, W(r, WaterCol::Date), room);
        if (bits & WaterBits::LevelShown) {
            drawWaterMark(pass, X[12] + 1.2, d);
            stack.draw(x, d - 0.8 * h, AlignLeftBaseline,
                       d >= 0 ? strprintf("%5.2f", d) : strprintf("%+4.2f", -d), room);
        }
        stack.draw(x, d - 0.2 * h, AlignLeftBaseline, W(r, WaterCol::Note), room);
    }
    c.setTextAlign(AlignLeftTop);
}

void drawSampleColumn(LogPass& pass, double h, double)
{
    const ColumnEdges& X = pass.edges;
    if (!shown(pass, Row::Samples, X[13], X[14])) return;
    const Document& doc = pass.doc();
    const TextTable& S = doc.SampleTable;
    PageCanvas& c = pass.canvas;
    const int bottomPosition = pass.settings().sampleBottomLabelPosition();
    const double figureX = X[13] + kSampleNumberLeft / 2;
    const double numberX = X[13] + kSampleNumberLeft + 0.5;
    const double methodX = (X[13] + kSampleMethodLeft + X[14]) / 2;
    auto figure = [&](double depth) {
        return elevationText(doc, depth, pass.groundElevation, pass.boreholeAngle, "%5.2f", 0);
    };
    // The figures, the numbers and the methods each keep their texts apart.
    TextStack figures(pass), numbers(pass), methods(pass);
    const double figureRoom = kSampleNumberLeft - 0.4;
    const double numberRoom = kSampleMethodLeft - kSampleNumberLeft - 0.7;
    double previousBottom = -std::numeric_limits<double>::infinity();
    for (int r = 1; r <= S.rows() && isNumeric(S(r, SampleCol::Top)); ++r) {
        const double t = cellDouble(S(r, SampleCol::Top));
        const bool hasBottom = sampleHasBottom(doc, r);
        const double b = sampleBottomDepth(doc, r);

        if (auto text = figure(t))
            figures.draw(figureX, t, t - previousBottom < h ? AlignCentreBaseline : AlignCentreBottom, *text,
                         figureRoom);
        // A sample with a top depth only has no second figure.
        if (hasBottom && bottomPosition != 2) {
            const TextAlign align = bottomPosition == 1 ? AlignCentreTop
                                    : b - t < h         ? AlignCentreBaseline
                                                        : AlignCentreBottom;
            if (auto text = figure(b)) figures.draw(figureX, b, align, *text, figureRoom);
        }

        pass.rule(X[13], t, X[13] + kSampleNumberLeft, t);
        if (hasBottom) pass.rule(X[13], b, X[13] + kSampleNumberLeft, b);
        if (b != t) c.PageFilledRect(X[13], t, X[13] + 0.5, b, PenStyle::Solid, 1, 0, 0);

        // Number and method on the middle of the sampled interval, below those above them.
        const double middle = (t + b) / 2;
        // A sample above any reference value: a filled triangle before its number.
        if (sampleExceedsAny(doc, r)) {
            const double top = numbers.draw(numberX + kExceedanceMarkMm, middle - h / 2, AlignLeftTop,
                                            S(r, SampleCol::Number), numberRoom - kExceedanceMarkMm);
            const double half = 0.35 * h, y = top + h / 2;
            const double left = numberX - 0.2, right = left + kExceedanceMarkMm - 0.2;
            const bool blackAndWhite = cellInt(doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols)) == 1;
            c.PageFilledPolygon({{(left + right) / 2, y - half}, {left, y + half}, {right, y + half}},
                                blackAndWhite ? Colour{0} : kExceedanceMarkColour);
        } else {
            numbers.draw(numberX, middle - h / 2, AlignLeftTop, S(r, SampleCol::Number), numberRoom);
        }
        const std::string& method = S(r, SampleCol::Method);
        if (!method.empty()) {
            const double top = methods.place(middle - h / 2, VAlign::Top, method);
            methods.setBottom(std::max(methods.bottom(), top + h));
            c.setTextAlign(AlignCentreTop);
            c.PageText(methodX, top, method);
            c.PageCircle(methodX, top + h / 2, h / 2, PenStyle::Solid, pass.ruleWidth(), 0);
        }
        previousBottom = b;
    }
    c.setTextAlign(AlignLeftTop);
}

void drawGrainSizeColumn(LogPass& pass, double, double)
{
    const ColumnEdges& X = pass.edges;
    if (!shown(pass, Row::GrainSize, X[14], X[15], 1.0)) return;
    const Document& doc = pass.doc();
    for (int r = 1; r <= doc.SampleTable.rows() && isNumeric(doc.SampleTable(r, SampleCol::Top)); ++r) {
        // Without a bottom there is no interval to fill (a bar of no height would be a line).
        if (!sampleHasBottom(doc, r)) continue;
        drawGrainSizeBar(pass, X[14], X[15], cellDouble(doc.SampleTable(r, SampleCol::Top)),
                         sampleBottomDepth(doc, r), sampleGrainSizes(doc, r), pass.visibleTop(),
                         pass.visibleBottom());
    }
}

void drawCasingColumn(LogPass& pass, double, double)
{
    const ColumnEdges& X = pass.edges;
    if (!shown(pass, Row::Casing, X[20], X[21])) return;
    const Document& doc = pass.doc();
    const TextTable& T = doc.CasingTable;
    PageCanvas& c = pass.canvas;
    const double pageTop = pass.top, pageBottom = pass.bottom;
    const int patternPen = std::max(1, pass.settings().patternLineWidthIndex() + 1);
    const PatternColourTable* colours = pass.ctx.patternColours;
    double intervalTop = 0;
    for (int r = 1; r <= T.rows() && isNumeric(T(r, CasingCol::Depth)); ++r) {
        const double d = cellDouble(T(r, CasingCol::Depth));
        const CasingFill fill = casingFillOf(T(r, CasingCol::PipeKind));
        const bool onPage = d > pageTop && intervalTop < pageBottom;
        if (onPage && fill != CasingFill::None) {
            c.PageClip(X[20], std::max(intervalTop, pageTop), X[21] - 0.1, std::min(d, pageBottom));
            if (fill == CasingFill::Blind) {
                if (d - intervalTop > 0.4) c.PageTextCentred(X[20], intervalTop, X[21], d, QC_SJ("無孔"));
            } else {
                const long number = fill == CasingFill::Perforated ? 20100 : 20200;
                const Colour colour =
                    colours && !pass.settings().PatternAllBlack() ? colours->colourOf(number) : 0;
                DrawVectorPattern(c, number, X[20], intervalTop, X[21], d, 1.0, patternPen, colour, 0);
            }
            c.resetClip();
        }
        if (d >= pageTop && d <= pageBottom) pass.rule(X[20], d, X[21], d);
        intervalTop = d;
    }
}

void drawDrillDateColumn(LogPass& pass, double h, double)
{
    const ColumnEdges& X = pass.edges;
    if (!shown(pass, Row::DrillDates, X[23], X[24])) return;
    const TextTable& D = pass.doc().DrillDateTable;
    PageCanvas& c = pass.canvas;
    c.setTextAlign(AlignLeftBaseline);
    TextStack stack(pass);
    for (int r = 1; r <= D.rows() && isNumeric(D(r, DrillDateCol::Depth)); ++r) {
        const double d = cellDouble(D(r, DrillDateCol::Depth));
        const std::string& date = D(r, DrillDateCol::Date);
        pass.rule(X[23], d, X[24], d);
        const size_t slash = findText(date, "/");
        if (slash != std::string::npos) {
            // The month above a stroke and the day below it, lower as one when the date above is near.
            const double top = stack.place(d - 1.7 * h, VAlign::Top, date.substr(0, slash));
            const double y = d + (top - (d - 1.7 * h));
            stack.setBottom(y + 0.2 * h);
            c.PageText(X[23] + 0.4, y - 0.9 * h, date.substr(0, slash));
            c.PageText(X[23] + 0.8, y, date.substr(slash + 1));
            pass.rule(X[23] + 0.6, y - 0.8 * h, (X[23] + X[24] + 1) / 2, y - h);
        } else {
            stack.draw(X[23], d, AlignLeftBaseline, date, X[24] - X[23]);
        }
    }
    c.setTextAlign(AlignLeftTop);
}

} // namespace qc
