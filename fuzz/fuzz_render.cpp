// A page of the log drawn from arbitrary bytes: whatever the file holds (scales,
// grid steps, depths, test values), the drawing ends, and every figure stays
// within the device range. A whole page costs a few hundred microseconds, so most
// inputs draw one part of it (the header, the graphs, the depth columns or the
// geology) on a pass set up as the page sets it up; the replay draws everything.

#include "app/settings.h"
#include "app/viewstate.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/device.h"
#include "render/detail/columnheadings.h"
#include "render/detail/depthcolumns.h"
#include "render/detail/geologycolumn.h"
#include "render/detail/graphs.h"
#include "render/headerblock.h"
#include "render/logpage.h"
#include "render/paging.h"

#include <cstdint>
#include <string_view>

namespace {

// Draws nothing; checks the coordinates it is given.
class CheckingDevice : public qc::Device
{
public:
    int logPixelsX() const override { return 600; }
    int logPixelsY() const override { return 600; }
    bool selectFont(const qc::LogicalFont& font) override
    {
        m_font = font;
        return true;
    }
    const qc::LogicalFont& font() const override { return m_font; }
    void setTextColour(qc::Colour c) override { m_colour = c; }
    qc::Colour textColour() const override { return m_colour; }
    void setTextAlign(qc::TextAlign a) override { m_align = a; }
    qc::TextAlign textAlign() const override { return m_align; }
    void textOut(int x, int y, std::string_view) override { check(qc::DevPoint{x, y}); }
    qc::DevSize textExtent(std::string_view text) override
    {
        return {static_cast<int>(text.size()) * 10, 20};
    }
    int drawText(const qc::DevRect& r, std::string_view, unsigned, qc::DevRect* calculated) override
    {
        check(r);
        if (calculated) *calculated = r;
        return 20;
    }
    void intersectClip(const qc::DevRect& r) override { check(r); }
    void resetClip() override {}
    void drawPolyline(std::span<const qc::DevPoint> points, const qc::Pen&) override { check(points); }
    void drawPolygon(std::span<const qc::DevPoint> points, const qc::Pen&, const qc::Brush&) override
    {
        check(points);
    }
    void drawRectangle(const qc::DevRect& r, const qc::Pen&, const qc::Brush&) override { check(r); }
    void drawEllipse(const qc::DevRect& r, const qc::Pen&, const qc::Brush&) override { check(r); }
    void drawArc(const qc::DevRect& r, qc::DevPoint a, qc::DevPoint b, const qc::Pen&) override
    {
        check(r);
        check(a);
        check(b);
    }
    void stretchBitmap(const qc::DevRect& r, const qc::Bitmap&, const qc::DevRect&, qc::RasterOp) override
    {
        check(r);
    }

private:
    static void check(qc::DevPoint p)
    {
        if (p.x < -qc::kDeviceCoordLimit || p.x > qc::kDeviceCoordLimit || p.y < -qc::kDeviceCoordLimit ||
            p.y > qc::kDeviceCoordLimit)
            __builtin_trap();
    }
    static void check(std::span<const qc::DevPoint> points)
    {
        for (const qc::DevPoint& p : points) check(p);
    }
    static void check(const qc::DevRect& r)
    {
        check(qc::DevPoint{r.left, r.top});
        check(qc::DevPoint{r.right, r.bottom});
    }

    qc::LogicalFont m_font;
    qc::Colour m_colour = 0;
    qc::TextAlign m_align;
};

// Parts of the page; the input's size picks one, so mutations move between them.
enum class Part { WholePage, Header, Graphs, DepthColumns, Geology };
constexpr Part kParts[] = {Part::WholePage,    Part::Header,       Part::Graphs,  Part::Graphs,
                           Part::DepthColumns, Part::DepthColumns, Part::Geology, Part::Geology};

// The pass as the page sets it up before its header (margins 5 mm, the view's scales).
void setUp(qc::LogPass& pass)
{
    const qc::Document& doc = pass.doc();
    qc::ViewState& view = pass.ctx.view;
    qc::PageGeometry& g = pass.geo;
    pass.deepest = qc::deepestDepth(doc);
    g.setUp(pass.device.logPixelsX(), pass.device.logPixelsY(), 5, 5, view.horizontalScaleDenominator,
            view.depthScaleDenominator);
    pass.compactHeader = doc.HeaderTable(qc::HeaderEntry::CompactHeader) == "1";
    pass.top = qc::pageTopDepth(view);
    pass.bottom = qc::pageBottomDepth(view, pass.top);
    pass.sampleMidDepths = qc::computeSampleMidDepths(doc);
    g.enterHeaderPhase(view.scaleDepthPartOnly, view.depthScaleDenominator);
    g.headingBandTop = qc::headingBandTop(pass.compactHeader);
    pass.edges = qc::ColumnEdges::compute(doc);
    pass.groundElevation = qc::groundElevationOf(doc);
    pass.boreholeAngle = qc::boreholeAngleOf(doc);
}

void drawPart(Part part, qc::Device& device, qc::RenderContext& ctx)
{
    if (part == Part::WholePage) {
        qc::drawLogPage(device, ctx);
        return;
    }
    qc::LogPass pass(ctx, device);
    setUp(pass);
    const qc::Document& doc = ctx.doc;
    const qc::ColumnEdges& X = pass.edges;
    qc::PageGeometry& g = pass.geo;
    if (part == Part::Header) {
        const qc::TextSize heading = pass.selectRole(qc::FontSettings::Heading);
        if (pass.compactHeader)
            qc::drawCompactHeader(pass, -8.8, heading.h, heading.w);
        else
            qc::drawHeaderBlock(pass, heading.h, heading.w);
        const qc::TextSize items = pass.selectRole(qc::FontSettings::Items);
        qc::drawColumnHeadings(pass, items.h, items.w, pass.boreholeAngle);
        g.headerBandCm = qc::headerBandCm(pass.compactHeader);
        const qc::TextSize legend = pass.selectRole(qc::FontSettings::GraphLegend);
        for (int k = 1; k <= 5; ++k)
            if (qc::graphDrawn(doc, X, k))
                qc::drawGraphHeading(pass, k, X[14 + k], X[15 + k], legend.h, legend.w,
                                     qc::kFullHeadingBandTop);
        return;
    }
    g.headerBandCm = qc::headerBandCm(pass.compactHeader);
    g.enterBodyPhase(pass.top, ctx.view.scaleDepthPartOnly, ctx.view.depthScaleDenominator);
    const double top = pass.visibleTop(), bottom = pass.visibleBottom();
    const qc::TextSize body = pass.selectRole(qc::FontSettings::Body);
    switch (part) {
    case Part::Graphs: {
        const int samples = static_cast<int>(pass.sampleMidDepths.size());
        for (int k = 1; k <= 5; ++k) {
            if (!qc::graphDrawn(doc, X, k)) continue;
            qc::drawGraphGrid(pass, k, X[14 + k], X[15 + k], top, bottom);
            qc::drawDepthGrid(pass, X[14 + k], X[15 + k], top, bottom);
            qc::drawReferenceLines(pass, k, X[14 + k], X[15 + k], top, bottom);
            qc::drawGraphData(pass, k, X[14 + k], X[15 + k], samples, body.h, body.w);
            qc::drawGraphLabels(pass, k, X[14 + k], X[15 + k], samples, body.h, body.w);
        }
        break;
    }
    case Part::DepthColumns: {
        const qc::TextSize notes = pass.selectRole(qc::FontSettings::Notes);
        qc::drawNotesColumn(pass, notes.h, notes.w);
        pass.selectRole(qc::FontSettings::Body);
        qc::drawWaterLevelColumn(pass, body.h, body.w);
        qc::drawGrainSizeColumn(pass, body.h, body.w);
        qc::drawSampleColumn(pass, body.h, body.w);
        qc::drawStratumColumn(pass, body.h, body.w);
        qc::drawFreeColumn(pass, body.h, body.w);
        qc::drawDrillDateColumn(pass, body.h, body.w);
        break;
    }
    case Part::Geology:
        qc::drawCasingColumn(pass, body.h, body.w);
        qc::drawGeologyColumns(pass, body.h, pass.top, pass.groundElevation, pass.boreholeAngle);
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static qc::Document& doc = *new qc::Document;
    qc::ClearAll(doc);
    const qc::TokenLine token = qc::findTokenLine(bytes, 7);
    qc::readLogText(doc, bytes,
                    token.version == qc::logversion::None ? qc::TokenLine{qc::logversion::Current, 0}
                                                          : token);
    static const qc::Settings settings = qc::builtinSettings();
    static const qc::FontSettings fonts = qc::builtinFonts();
    qc::ViewState view;
    view.depthPerPage = 26;
    // The first page, and one further down when the log reaches there (pages past its
    // end are never drawn by the program).
    const double deepest = qc::deepestDepth(doc);
    for (double top : {0.0, 40.0}) {
        if (top > 0 && deepest <= top) break;
        view.screenPageTop = top;
        qc::RenderContext ctx{doc, settings, fonts, view, nullptr};
        CheckingDevice device;
#ifdef QC_FUZZ_REPLAY
        for (Part part : {Part::WholePage, Part::Header, Part::Graphs, Part::DepthColumns, Part::Geology})
            drawPart(part, device, ctx);
#else
        drawPart(kParts[size % std::size(kParts)], device, ctx);
#endif
    }
    return 0;
}
