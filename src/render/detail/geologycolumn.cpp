#include "render/detail/geologycolumn.h"

#include "app/patterncolours.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "render/detail/textfit.h"
#include "render/logpage.h"
#include "render/patternfill.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qc {

namespace {

// Degrees to radians as the log has always converted the hole angle.
constexpr double kAngleFactor = 0.01745327777777778;

constexpr unsigned kMeasureFlags = TextFormat::CalcRect | TextFormat::WordBreak | TextFormat::ExternalLeading;
constexpr unsigned kBoxFlags = TextFormat::WordBreak | TextFormat::NoClip | TextFormat::ExternalLeading;

// Height in metres a text needs word-wrapped between x1 and x2; an empty text needs none.
double wrappedHeight(PageCanvas& c, double x1, double x2, double y, const std::string& text)
{
    if (text.empty()) return 0;
    return c.geometry().deviceToYUnits(c.PageTextInRect(x1, y, x2, y, text, kMeasureFlags));
}

// A text box that ends on the boundary d, or below it when the previous box
// of its column or the text's own height pushes it down. Returns the box bottom.
struct Box
{
    double height = 0;
    double bottom = 0;
};

Box placeBox(PageCanvas& c, double x1, double x2, double d, double previousBottom, const std::string& text)
{
    Box b;
    b.height = wrappedHeight(c, x1, x2, d, text);
    b.bottom = d - previousBottom >= b.height ? d : previousBottom + b.height;
    return b;
}

// A figure centred in its column. The blanks of its fixed format count when they leave the
// digits inside the column; else the digits alone are centred, shrunk when they must be.
void drawFigure(LogPass& pass, const std::string& text, double x1, double x2, double y, TextAlign align)
{
    PageCanvas& c = pass.canvas;
    const double centre = (x1 + x2) / 2;
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return;
    const double width = c.textWidthMm(text);
    const double blanks = width - c.textWidthMm(text.substr(first));
    if (centre - width / 2 + blanks >= x1 && centre + width / 2 <= x2) {
        c.setTextAlign(align);
        c.PageText(centre, y, text);
        c.setTextAlign(AlignLeftTop);
        return;
    }
    drawFitted(pass, FontSettings::Body, text.substr(first), centre, y, x2 - x1 - 0.2, align);
}

} // namespace

std::optional<std::string> elevationText(double depth, double elevation, double angle, const char* format)
{
    if (elevation <= -999.9) return std::nullopt;
    double v = angle != 0 ? elevation - depth * std::cos(angle * kAngleFactor) : elevation - depth;
    if (std::fabs(v) < 0.005) v = 0;
    return strprintf(format, v);
}

std::optional<std::string> elevationText(const Document& doc, double depth, double elevation, double angle,
                                         const char* format, int flag)
{
    if (doc.HeaderTable(HeaderEntry::ShowElevation) != "1" && flag != 1) return strprintf(format, depth);
    return elevationText(depth, elevation, angle, format);
}

std::string geologyNameText(const Document& doc, int row, int symbolOption)
{
    const TextTable& G = doc.GeologyTable;
    const int bits = cellInt(G(row, GeologyCol::Attributes));
    std::string text;
    if (bits & GeologyBits::ShowName) text = G(row, GeologyCol::Name);
    if ((bits & GeologyBits::ShowAuxiliary) && !G(row, GeologyCol::AuxName).empty())
        text += G(row, GeologyCol::Prefix) + G(row, GeologyCol::AuxName) + G(row, GeologyCol::Suffix);
    const std::string& symbol = G(row, GeologyCol::Symbol);
    if ((bits & GeologyBits::ShowName) && !symbol.empty()) {
        if (symbolOption == 1)
            text += " (" + symbol + ")";
        else if (symbolOption == 2)
            text += " " + symbol;
    }
    return text;
}

void drawGeologyColumns(LogPass& pass, double h, double pageTop, double elevation, double angle)
{
    const Document& doc = pass.doc();
    const Settings& settings = pass.settings();
    const TextTable& G = doc.GeologyTable;
    const ColumnEdges& X = pass.edges;
    PageCanvas& c = pass.canvas;
    const double pageBottom = pass.bottom;
    const int patternPen = std::max(1, settings.patternLineWidthIndex() + 1);
    const int symbolOption = settings.intAt(48); // "ｱﾙﾌｧﾍﾞｯﾄ記号をつける": 1 " (S)", 2 " S"

    const PatternColourTable noColours;
    const PatternFillInputs inputs{doc,
                                   settings,
                                   pass.ctx.patternColours ? *pass.ctx.patternColours : noColours,
                                   pass.ctx.bitmapFolder,
                                   X[4],
                                   pageBottom - pageTop,
                                   static_cast<double>(pass.view().clipWidthMm)};
    // One byte per row, shared with the fill: 1 a boundary over the pattern
    // column, 2 a boundary from the middle of a two-part block.
    std::vector<unsigned char> marks(static_cast<size_t>(G.rows()) + 1, 0);
    PatternFill fill(c, inputs, &marks);

    double layerTop = 0;       // the last drawn boundary
    double lastMarked = 0;     // the last boundary with figures or a depth line
    double lastLabel = 0;      // where the last figures were placed
    double nameBottom = 0;     // bottom of the previous name box
    double toneBottom = 0;     // bottom of the previous colour-tone box
    bool boundaryAsked = true; // the previous layer asked for a pattern-column boundary
    auto onPage = [&](double y) { return y >= pageTop && y <= pageBottom; };

    int rows = 0;
    for (int r = 1; r <= G.rows() && isNumeric(G(r, GeologyCol::Depth)); ++r) {
        rows = r;
        marks[static_cast<size_t>(r)] = 0;
        const int bits = cellInt(G(r, GeologyCol::Attributes));
        const double d = cellDouble(G(r, GeologyCol::Depth));
        const double t = d - layerTop;

        const int filled = fill.FillLayerPattern(r, (bits & GeologyBits::AuxiliaryMark) != 0, patternPen, d,
                                                 layerTop, t, pageTop, X[5] - X[4]);
        const bool drawn = filled == 1 || !G(r, GeologyCol::Name).empty();

        // Figures of boundaries closer than a text height move down to the label depth and sit
        // on their baseline there, so that they never print over the figures above.
        VAlign vertical = VAlign::Bottom;
        double labelDepth = lastLabel;
        double figuresAt = d;
        if (filled == 1) {
            if (d - lastLabel < h) {
                labelDepth = lastLabel + std::max(t, h);
                vertical = VAlign::Baseline;
                figuresAt = std::max(d, labelDepth);
            } else {
                labelDepth = d;
            }
        }

        c.PageClip(0, pageTop, pass.view().clipWidthMm, pageBottom);
        if (bits & GeologyBits::DepthLine) pass.rule(X[1], d, X[4], d);
        const double shownThickness = d - lastMarked;
        if (bits & (GeologyBits::DepthLine | GeologyBits::Figures)) lastMarked = d;
        if (bits & GeologyBits::Figures) {
            const TextAlign align{HAlign::Centre, vertical};
            if (auto e = elevationText(d, elevation, angle, "%7.2f"))
                drawFigure(pass, *e, X[1], X[2], figuresAt, align);
            drawFigure(pass, strprintf("%4.2f", shownThickness), X[2], X[3], figuresAt, align);
            drawFigure(pass, strprintf("%5.2f", d), X[3], X[4], figuresAt, align);
            // A short leader from the boundary to the figures that moved below it.
            if (figuresAt > d + 1e-9) pass.rule(X[4], d, X[4] - 0.8, figuresAt - 0.8 * h);
        }

        // Colour tone: the box ends on the boundary unless its text needs more room.
        const std::string& tone = G(r, GeologyCol::Tone);
        const Box toneBox = placeBox(c, X[6], X[7], d, toneBottom, tone);
        if (!tone.empty())
            c.PageTextInRect(X[6], toneBox.bottom - toneBox.height, X[7], toneBox.bottom, tone, kBoxFlags);
        if (bits & GeologyBits::ToneUnderline) {
            pass.rule(X[6], toneBox.bottom, X[7] - 1.0, toneBox.bottom);
            pass.rule(X[7] - 1.0, toneBox.bottom, X[7], d);
        }

        // Name, the same way.
        const std::string name = geologyNameText(doc, r, symbolOption);
        const Box nameBox = placeBox(c, X[5], X[6], d, nameBottom, name);
        if ((bits & (GeologyBits::ShowName | GeologyBits::ShowAuxiliary)) && !name.empty())
            c.PageTextInRect(X[5], nameBox.bottom - nameBox.height, X[6], nameBox.bottom, name, kBoxFlags);
        if (bits & GeologyBits::NameUnderline) {
            pass.rule(X[5], d, X[5] + 0.6, nameBox.bottom);
            pass.rule(X[5] + 0.6, nameBox.bottom, X[6] - 1.0, nameBox.bottom);
            pass.rule(X[6] - 1.0, nameBox.bottom, X[6], d);
        }

        // The pattern column's boundary is drawn over the next layer's pattern.
        if (onPage(d) && (bits & GeologyBits::PatternLine)) marks[static_cast<size_t>(r)] = 1;
        if (onPage(layerTop) && boundaryAsked) pass.rule(X[4], layerTop, X[5], layerTop);
        c.resetClip();

        if (drawn) {
            layerTop = d;
            nameBottom = nameBox.bottom;
            // A figure on its baseline reaches a descent below it.
            lastLabel = vertical == VAlign::Baseline ? labelDepth + 0.2 * h : labelDepth;
            boundaryAsked = (bits & GeologyBits::PatternLine) != 0;
        }
        toneBottom = toneBox.bottom;
    }

    for (int r = 1; r <= rows; ++r) {
        const double d = cellDouble(G(r, GeologyCol::Depth));
        if (d < pageTop) continue;
        if (d > pageBottom) break;
        const unsigned char mark = marks[static_cast<size_t>(r)];
        if (mark == 1)
            pass.rule(X[4], d, X[5], d);
        else if (mark == 2)
            pass.rule((X[4] + X[5]) / 2, d, X[5], d);
    }
}

} // namespace qc
