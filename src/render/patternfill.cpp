#include "render/patternfill.h"

#include "app/patterncolours.h"
#include "app/settings.h"
#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "render/patterns.h"

#include <algorithm>

namespace qc {

namespace {

// At most this many components are processed per layer.
constexpr long kMaxComponents = 10001;

struct Component
{
    long number = 0;
    double L = 0;     // left edge
    double width = 0; // width it covers
    RasterOp op = RasterOp::Copy;
    int shift = 0;
};

} // namespace

int PatternFill::displayPercentage(const std::string& cell)
{
    if (!isNumeric(cell)) return 100;
    const long p = cellLong(cell);
    return p < 1 || p > 100 ? 50 : static_cast<int>(p);
}

int PatternFill::FillLayerPattern(int row, bool markFlag, int penWidth, double bottom, double top,
                                  double thickness, double pageTop, double columnWidth)
{
    const TextTable& G = m_in.doc.GeologyTable;
    if (row < 1 || row > G.rows()) return 0;
    m_folder = m_in.bitmapFolder + (m_in.settings.BitmapMonochrome() ? "01" : "");
    m_processed = 0;
    m_stop = false;

    Layer layer;
    layer.row = row;
    layer.markFlag = markFlag;
    layer.penWidth = penWidth;
    layer.bottom = bottom;
    layer.top = top;
    layer.thickness = thickness;
    layer.pageTop = pageTop;
    layer.W = columnWidth;
    const int p = displayPercentage(G(row, GeologyCol::Percent));
    layer.f1 = p * 0.01;
    layer.f2 = 0.99 - layer.f1;
    const bool alternation = findText(G(row, GeologyCol::Suffix), QC_SJ("互層")) != std::string::npos ||
                             cellLong(G(row, GeologyCol::Pattern1)) >= 90001;
    layer.divider = !(cellInt(m_in.doc.HeaderTable(HeaderEntry::AlternationLines)) < 1 && alternation);

    int result = 0;
    switch (m_in.settings.PatternUse()) {
    case 0:
        runStep(Step::Vector, layer, result);
        break;
    case 1:
        if (!runStep(Step::Vector, layer, result)) runStep(Step::Bitmap, layer, result);
        break;
    case 2:
        if (!runStep(Step::Bitmap, layer, result)) runStep(Step::Vector, layer, result);
        break;
    case 3:
        runStep(Step::Bitmap, layer, result);
        break;
    default:
        break;
    }
    if (m_composer.pending()) m_composer.flush(m_c);
    return result;
}

bool PatternFill::runStep(Step step, const Layer& layer, int& result)
{
    if (m_stop) return true;
    const TextTable& G = m_in.doc.GeologyTable;
    const int c1 = step == Step::Vector ? 12 : 5;
    const long n1 = cellLong(G(layer.row, c1));
    const long n2 = cellLong(G(layer.row, c1 + 1));
    if (n1 < 1) return false;
    result = 1;
    const bool two = n2 >= 1;
    const double A = m_in.x4, B = m_in.x4 + layer.W;

    Part parts[2];
    int count = 1;
    if (two) {
        parts[0] = {1, n1, A, A + layer.f1 * layer.W, layer.f1};
        parts[1] = {2, n2, A + layer.f1 * layer.W, B, layer.f2};
        count = 2;
    } else {
        parts[0] = {1, n1, A, B, layer.f1};
    }

    int last = -1;
    for (int k = 0; k < count && !m_stop; ++k) {
        const int kind = PatternKind(parts[k].number);
        if (kind >= PatternKinds::BlockMark && kind <= PatternKinds::BlockMark + 4) {
            drawBlock(step, layer, kind - PatternKinds::BlockMark, n2);
            return true;
        }
        const int r = drawPart(step, layer, parts[k]);
        if (r >= 0) last = r;
    }
    return last == 1;
}

int PatternFill::drawPart(Step step, const Layer& layer, const Part& part)
{
    const long N = part.number;
    const double U = part.U, S = part.S, F = part.F;
    std::vector<Component> comps;
    const int kind = PatternKind(N);
    bool anyAnd = false;
    if (kind == PatternKinds::Whole) {
        comps.push_back({N, U, S - U, RasterOp::Copy, 0});
    } else if (kind == PatternKinds::Pair) {
        comps.push_back({pairFirst(N), U, F * (S - U), RasterOp::Copy, 0});
        const double L2 = S - (1 - F) * (S - U);
        comps.push_back({pairSecond(N), L2, S - L2, RasterOp::Copy, 0});
    } else {
        const long tens = patternTensOverlay(N);
        const int shift = tens != 0 && !m_in.settings.OverlayShiftOff() ? 1 : 0;
        comps.push_back({patternBase(N), U, S - U, RasterOp::Copy, 0});
        comps.push_back({tens, U, S - U, RasterOp::And, 0});
        comps.push_back({patternUnitsOverlay(N), U, S - U, RasterOp::And, shift});
        anyAnd = tens != 0 || patternUnitsOverlay(N) != 0;
    }

    // Only AND needs composing on devices that cannot do it.
    TileComposer* composer =
        step == Step::Bitmap && anyAnd && !m_c.device().exactRasterOps() ? &m_composer : nullptr;

    const double pageBottom = layer.pageTop + m_in.depthPerPage;
    int last = -1;
    for (const Component& comp : comps) {
        if (++m_processed > kMaxComponents) {
            m_stop = true;
            break;
        }
        if (comp.number == 0) continue;
        if (!(layer.top < pageBottom && layer.pageTop < layer.bottom)) continue;
        const double cx1 = comp.L, cx2 = comp.L + comp.width - 0.1;
        const double cy1 = std::max(layer.top, layer.pageTop + 0.02),
                     cy2 = std::min(layer.bottom, pageBottom);
        m_c.PageClip(cx1, cy1, cx2, cy2);
        if (step == Step::Vector) {
            const Colour colour = m_in.settings.PatternAllBlack() ? 0 : m_in.colours.colourOf(comp.number);
            last = DrawVectorPattern(m_c, comp.number, comp.L, layer.top, U + layer.W, layer.bottom, F,
                                     layer.penWidth, colour, comp.shift);
        } else {
            if (composer) composer->setClip(cx1, cy1, cx2, cy2);
            const std::string path = m_folder + "/J" + std::to_string(comp.number) + ".BMP";
            last =
                DrawBitmapPattern(m_c, path, comp.L, layer.top, layer.W, layer.thickness, comp.op, composer);
        }
        const int rule = m_in.settings.ruleWidth();
        auto line = [&](double x) {
            if (composer)
                composer->queueLine(x, layer.top, x, layer.bottom, rule);
            else
                m_c.PageLine(x, layer.top, x, layer.bottom, PenStyle::Solid, rule, 0);
        };
        if (comp.L > m_in.x4 + 0.1 && layer.divider) line(comp.L);
        if (part.index == 1 && m_processed == 1) line(U);
        m_c.resetClip();
    }
    if (composer && composer->pending()) composer->flush(m_c);
    return last;
}

void PatternFill::drawBlock(Step step, const Layer& layer, int type, long second)
{
    const TextTable& G = m_in.doc.GeologyTable;
    const int r = layer.row;
    const std::string& name = G(r, GeologyCol::Name);
    const bool aux = !G(r, GeologyCol::AuxName).empty();

    auto nearestNamedAbove = [&] {
        for (int k = r - 1; k >= 1; --k)
            if (!G(k, GeologyCol::Name).empty()) return k;
        return 0;
    };
    int first = 0, lastRow = r;
    bool twoPart = aux;
    if (!aux || cellInt(m_in.doc.HeaderTable(HeaderEntry::SplitTopsoil)) >= 1) {
        first = nearestNamedAbove();
    } else {
        for (int k = r - 1; k >= 1; --k) {
            if (G(k, GeologyCol::Name).empty()) continue;
            if (G(k, GeologyCol::Name) == name && !G(k, GeologyCol::AuxName).empty()) continue;
            first = k;
            break;
        }
        for (int k = r + 1; k <= G.rows(); ++k) {
            if (G(k, GeologyCol::Name).empty()) continue;
            if (G(k, GeologyCol::Name) == name && !G(k, GeologyCol::AuxName).empty()) {
                lastRow = k;
                continue;
            }
            break;
        }
    }
    if (second < 0) twoPart = false;

    const double x4 = m_in.x4, x5 = m_in.x4 + layer.W;
    const double y1 = cellDouble(G(first, GeologyCol::Depth)), y2 = cellDouble(G(lastRow, GeologyCol::Depth));
    const Colour colour = m_in.settings.PatternAllBlack() ? 0 : m_in.colours.colourOf(10000 + type);
    m_c.PageClip(0, layer.pageTop, m_in.clipWidthMm, layer.pageTop + m_in.depthPerPage);
    if (twoPart) {
        const double xm = x4 + (x5 - x4) * layer.f1;
        DrawBlockMark(m_c, type, x4, y1, xm, y2, layer.penWidth, colour);
        m_c.PageLine(xm, y1, xm, y2, PenStyle::Solid, layer.penWidth, 0);
    } else {
        DrawBlockMark(m_c, type, x4, y1, x5, y2, layer.penWidth, colour);
    }
    m_c.resetClip();

    if (!twoPart) {
        // A one-part block ends both steps.
        m_stop = true;
        return;
    }
    if (layer.markFlag && r < lastRow && m_marks && static_cast<size_t>(r) < m_marks->size())
        (*m_marks)[static_cast<size_t>(r)] = 2;
    // The second pattern of the layer in the part right of the mark, laid out
    // with its own fraction as the second part of an alternation.
    Part part{2, second, x4 + layer.f1 * layer.W, x5, layer.f2};
    if (second >= 1 && PatternKind(second) < PatternKinds::BlockMark) drawPart(step, layer, part);
}

} // namespace qc
