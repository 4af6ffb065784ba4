#include "render/logpage.h"

#include "app/appcontext.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "document/textformat.h"
#include "render/detail/columnheadings.h"
#include "render/detail/depthcolumns.h"
#include "render/detail/geologycolumn.h"
#include "render/detail/graphs.h"
#include "render/headerblock.h"
#include "render/paging.h"

#include <algorithm>
#include <cmath>

namespace qc {

namespace {

int marginOrDefault(int mm)
{
    return mm >= 1 && mm <= 100 ? mm : 5;
}

// Survey-name lines start 3 mm left of the header table's second column.
constexpr double kSurveyNameX = 28.0;

void drawSurveyNameLines(LogPass& pass)
{
    const Document& doc = pass.doc();
    PageCanvas& c = pass.canvas;
    const std::string& label = QC_SJ("調　 査　 名  ");
    auto underline = [&](const std::string& line, double y) {
        pass.rule(kSurveyNameX, y, kSurveyNameX + c.textWidthMm(line), y);
    };
    if (pass.compactHeader) {
        const std::string line = label + doc.HeaderTable(HeaderEntry::SurveyName);
        c.PageText(kSurveyNameX, -9.58, line);
        if (doc.HeaderTable(HeaderEntry::HeaderUnderline) == "1") underline(line, -9.58);
    } else {
        const std::string line1 =
            strprintf("%s  %s", label.c_str(), doc.HeaderTable(HeaderEntry::SurveyName).c_str());
        const std::string line2 = strprintf("%s  %s", QC_SJ("事業・工事名  ").c_str(),
                                            doc.HeaderTable(HeaderEntry::ProjectName).c_str());
        c.PageText(kSurveyNameX, -9.58, line1);
        underline(line1, -9.58);
        c.PageText(kSurveyNameX, -8.8, line2);
        underline(line2, -8.8);
    }
}

// Frame and column rules of the body; long pages get their rules in two halves.
void drawFrameAndRules(LogPass& pass)
{
    const ColumnEdges& X = pass.edges;
    PageCanvas& c = pass.canvas;
    const double top = pass.top, bottom = pass.bottom;
    c.PageLine(X[0], top, X[0], bottom, PenStyle::Solid, pass.frameWidth(), 0);
    c.PageLine(X[24], top, X[24], bottom, PenStyle::Solid, pass.frameWidth(), 0);
    const int perPage = pass.view().depthPerPage;
    const bool split = perPage >= 38 && perPage < 60;
    const double middle = top + perPage / 2;
    auto columnRule = [&](double x) {
        if (split) {
            pass.rule(x, top, x, middle);
            pass.rule(x, middle, x, bottom);
        } else {
            pass.rule(x, top, x, bottom);
        }
    };
    for (int i = 1; i <= 7; ++i) columnRule(X[i]);
    for (int i = 10; i <= 23; ++i) columnRule(X[i]);
    if (displayItemShown(pass.doc(), 6)) {
        columnRule(X[13] + 7.4);
        columnRule(X[13] + 14.0);
    }
}

void drawDepthScale(LogPass& pass, double h)
{
    const ColumnEdges& X = pass.edges;
    PageCanvas& c = pass.canvas;
    c.setTextAlign(AlignRightTop);
    const bool drillDates = displayItemShown(pass.doc(), 16);
    const double rightMetreTick = drillDates ? 2.0 : 1.0;
    // Bounded: a page never holds more metres than this, whatever the depths.
    const double last = pass.visibleBottom();
    double d = std::trunc(pass.visibleTop()) - 1;
    for (int guard = 0; d <= last && guard < 100000; ++guard) {
        for (int j = 1; j <= 9; ++j) {
            const double y = d + j * 0.1;
            const double length = j == 5 ? 1.4 : 0.8;
            pass.rule(X[0], y, X[0] + length, y);
            if (drillDates) pass.rule(X[24], y, X[24] - length - 0.2, y);
        }
        d += 1;
        pass.rule(X[0], d, X[0] + 1.8, d);
        pass.rule(X[24], d, X[24] - rightMetreTick, d);
        c.PageText(X[1] - 1.0, d - h / 2, strprintf("%4d", static_cast<int>(d)));
    }
}

void drawPageLabel(LogPass& pass)
{
    const Document& doc = pass.doc();
    const std::string text = pageLabelText(doc, pass.view().currentPage);
    if (text.empty()) return;
    pass.selectRole(FontSettings::Page);
    PageCanvas& c = pass.canvas;
    const PageGeometry saved = pass.geo;
    PageGeometry& g = pass.geo;
    g.marginLeftMm = 0;
    double x;
    if (cellInt(doc.HeaderTable(HeaderEntry::PageLeftFrom)) != 0) {
        c.setTextAlign(AlignCentreTop);
        x = cellDouble(doc.HeaderTable(HeaderEntry::PageCentreOffset));
    } else {
        c.setTextAlign(AlignLeftTop);
        x = cellDouble(doc.HeaderTable(HeaderEntry::PageLeft));
    }
    double y;
    if (cellInt(doc.HeaderTable(HeaderEntry::PageTopFrom)) == 0) {
        // From the paper's top edge: one y unit is one paper mm, the band offset cancelled.
        g.unitsPerMetre = g.pxPerMmY;
        g.depthOffset = 0;
        g.marginTopMm = 0;
        const double band = g.pxPerMmY > 0 ? g.headerBandCm * g.unitsPerHeaderCm / g.pxPerMmY : 0;
        y = cellDouble(doc.HeaderTable(HeaderEntry::PageTopFromPaper)) - band;
    } else {
        // From the bottom frame line, at the body scale.
        g.depthOffset = -pass.top;
        y = pass.bottom + cellDouble(doc.HeaderTable(HeaderEntry::PageTopFromLine)) *
                              effectiveDenominator(pass.view().depthScaleDenominator) * 0.001;
    }
    c.PageText(x, y, text);
    c.setTextAlign(AlignLeftTop);
    g = saved;
}

} // namespace

LogPass::LogPass(RenderContext& context, Device& dev)
    : ctx(context), device(dev), canvas(dev, geo, context.prompter)
{
}

TextSize LogPass::selectRole(int role, bool titleSize)
{
    const FontRole& r = ctx.fonts[role];
    const int devH = titleSize ? titleDeviceSize(device.logPixelsY(), r.points)
                               : fontDeviceSize(device.logPixelsY(), r.points);
    const int devW = titleSize ? titleDeviceSize(device.logPixelsX(), r.points)
                               : fontDeviceSize(device.logPixelsX(), r.points);
    (void)canvas.SelectTextFont(r.colour, devH, roleFace(ctx.fonts, role), 0);
    return {geo.deviceToYUnits(devH), geo.deviceToPageMm(devW)};
}

double LogPass::visibleTop() const
{
    if (!(geo.unitsPerMetre > 0.0001)) return top;
    return std::max(top, geo.DeviceToPageY(-kDeviceCoordLimit));
}

double LogPass::visibleBottom() const
{
    if (!(geo.unitsPerMetre > 0.0001)) return bottom;
    return std::min(bottom, geo.DeviceToPageY(kDeviceCoordLimit));
}

void LogPass::rule(double x1, double y1, double x2, double y2)
{
    canvas.PageLine(x1, y1, x2, y2, PenStyle::Solid, ruleWidth(), 0);
}

std::string roleFace(const FontSettings& fonts, int role)
{
    const std::string& face = fonts[role].face;
    return face.empty() ? QC_SJ("ＭＳ 明朝") : face;
}

std::vector<double> computeSampleMidDepths(const Document& doc)
{
    std::vector<double> out;
    for (int r = 1; r <= limits::Sample && isNumeric(doc.SampleTable(r, SampleCol::Top)); ++r) {
        const double top = cellDouble(doc.SampleTable(r, SampleCol::Top));
        // A sample without a bottom plots at its top, not halfway up to depth 0.
        out.push_back(sampleHasBottom(doc, r) ? (top + sampleBottomDepth(doc, r)) / 2 : top);
    }
    return out;
}

double groundElevationOf(const Document& doc)
{
    return isNumeric(doc.HeaderTable(HeaderEntry::Elevation))
               ? cellDouble(doc.HeaderTable(HeaderEntry::Elevation))
               : -999.99;
}

double boreholeAngleOf(const Document& doc)
{
    if (!isNumeric(doc.HeaderTable(HeaderEntry::HoleAngle))) return 0;
    const double a = cellDouble(doc.HeaderTable(HeaderEntry::HoleAngle));
    return a > 0.1 && a <= 180 ? a : 0;
}

std::string pageLabelText(const Document& doc, int page)
{
    const std::string& before = doc.HeaderTable(HeaderEntry::PagePrefix);
    const std::string& first = doc.HeaderTable(HeaderEntry::FirstPage);
    const std::string& after = doc.HeaderTable(HeaderEntry::PageSuffix);
    // Wide enough for any first page number the cell may hold.
    if (isNumeric(first))
        return strprintf("%s%lld%s", before.c_str(), static_cast<long long>(cellInt(first)) + page - 1,
                         after.c_str());
    return before + first + after;
}

RenderContext renderContextOf(const AppContext& app, const Document& doc, ViewState& view, Prompter* prompter)
{
    return RenderContext{
        doc, app.settings, app.fonts, view, prompter, &app.patternColours, app.paths.bitmapFolder};
}

bool drawLogPage(Device& device, RenderContext& ctx)
{
    ViewState& view = ctx.view;
    if (!view.screenDisplayOn && !view.printingNow) return false;
    const Document& doc = ctx.doc;
    const Settings& settings = ctx.settings;
    const int depthDen = view.depthScaleDenominator;

    LogPass pass(ctx, device);
    PageGeometry& g = pass.geo;
    PageCanvas& c = pass.canvas;
    pass.deepest = deepestDepth(doc);
    g.setUp(device.logPixelsX(), device.logPixelsY(), marginOrDefault(settings.marginLeftMm()),
            marginOrDefault(settings.marginTopMm()), view.horizontalScaleDenominator, depthDen);
    pass.compactHeader = doc.HeaderTable(HeaderEntry::CompactHeader) == "1";

    // 1. Remember the font the device had.
    const LogicalFont previousFont = device.font();
    const Colour previousColour = device.textColour();
    // 2, 3. Page range and the sample depths.
    pass.top = pageTopDepth(view);
    pass.bottom = pageBottomDepth(view, pass.top);
    pass.sampleMidDepths = computeSampleMidDepths(doc);
    // 4. Header phase.
    g.enterHeaderPhase(view.scaleDepthPartOnly, depthDen);
    // 5. Title.
    const TextSize title = pass.selectRole(FontSettings::Heading, true);
    c.PageSpreadText(100.0, 177.0, -10.9, -10.9 + title.h, title.w, title.h,
                     doc.HeaderTable(HeaderEntry::LogTitle));
    // 6, 7. Survey names and the header block.
    const TextSize heading = pass.selectRole(FontSettings::Heading);
    c.setTextAlign(AlignLeftBottom);
    drawSurveyNameLines(pass);
    if (pass.compactHeader) {
        drawCompactHeader(pass, -8.8, heading.h, heading.w);
    } else {
        c.setTextAlign(AlignLeftTop);
        drawHeaderBlock(pass, heading.h, heading.w);
    }
    g.headingBandTop = headingBandTop(pass.compactHeader);
    // 8, 9.
    pass.edges = ColumnEdges::compute(doc);
    pass.groundElevation = groundElevationOf(doc);
    pass.boreholeAngle = boreholeAngleOf(doc);
    const ColumnEdges& X = pass.edges;
    // 10. Column headings.
    const TextSize items = pass.selectRole(FontSettings::Items);
    c.setTextAlign(AlignLeftTop);
    drawColumnHeadings(pass, items.h, items.w, pass.boreholeAngle);
    // 11, 12. Graph headings below the mode's band.
    g.headerBandCm = headerBandCm(pass.compactHeader);
    const TextSize legend = pass.selectRole(FontSettings::GraphLegend);
    for (int k = 1; k <= 5; ++k)
        if (graphDrawn(doc, X, k)) {
            c.setTextAlign(AlignLeftTop);
            drawGraphHeading(pass, k, X[14 + k], X[15 + k], legend.h, legend.w, kFullHeadingBandTop);
        }
    // 13. Body phase: y is depth.
    g.enterBodyPhase(pass.top, view.scaleDepthPartOnly, depthDen);
    // 14, 15. Bottom frame line and the body clip.
    c.PageLine(X[0], pass.bottom, X[24], pass.bottom, PenStyle::Solid, pass.frameWidth(), 0);
    c.PageClip(0, pass.top, view.clipWidthMm, pass.bottom);
    // 16, 17. Graph grids.
    for (int i = 0; i < 4; ++i)
        pass.gridColours[static_cast<size_t>(i)] = settings.gridMonochrome() ? 0 : settings.gridColour(i);
    const bool across = settings.horizontalGridAcrossGraphs();
    int firstGraph = 0;
    double graphsRight = 0;
    for (int k = 1; k <= 5; ++k) {
        if (!graphDrawn(doc, X, k)) continue;
        drawGraphGrid(pass, k, X[14 + k], X[15 + k], pass.visibleTop(), pass.visibleBottom());
        if (across) {
            if (firstGraph == 0) firstGraph = k;
            graphsRight = std::max(graphsRight, X[15 + k]);
        } else {
            const double gridWidth = clampColumnWidth(
                cellDouble(doc.DisplayItemTable(DisplayRow::graph(k), DisplayCol::GridWidth)));
            if (gridWidth > 0.5) {
                const double left = X[14 + k] + ((X[15 + k] - X[14 + k]) - gridWidth) / 2;
                drawDepthGrid(pass, left, left + gridWidth, pass.visibleTop(), pass.visibleBottom());
            }
        }
    }
    if (across && firstGraph != 0 && graphsRight > 1.0)
        drawDepthGrid(pass, X[14 + firstGraph], graphsRight, pass.visibleTop(), pass.visibleBottom());
    // 18. Observation notes.
    const TextSize notes = pass.selectRole(FontSettings::Notes);
    drawNotesColumn(pass, notes.h, notes.w);
    // 19, 20. The body font; frame and rules.
    const TextSize body = pass.selectRole(FontSettings::Body);
    c.setTextAlign(AlignLeftTop);
    drawFrameAndRules(pass);
    // 21. Depth scale.
    drawDepthScale(pass, body.h);
    // 22. Graph data, then their value labels.
    c.setTextAlign(AlignCentreTop);
    const int samples = static_cast<int>(pass.sampleMidDepths.size());
    for (int k = 1; k <= 5; ++k)
        if (graphDrawn(doc, X, k))
            drawReferenceLines(pass, k, X[14 + k], X[15 + k], pass.visibleTop(), pass.visibleBottom());
    for (int k = 1; k <= 5; ++k)
        if (graphDrawn(doc, X, k)) drawGraphData(pass, k, X[14 + k], X[15 + k], samples, body.h, body.w);
    for (int k = 1; k <= 5; ++k)
        if (graphDrawn(doc, X, k)) drawGraphLabels(pass, k, X[14 + k], X[15 + k], samples, body.h, body.w);
    // 23. Depth columns.
    c.setTextAlign(AlignRightTop);
    drawWaterLevelColumn(pass, body.h, body.w);
    drawGrainSizeColumn(pass, body.h, body.w);
    drawSampleColumn(pass, body.h, body.w);
    drawStratumColumn(pass, body.h, body.w);
    drawFreeColumn(pass, body.h, body.w);
    drawDrillDateColumn(pass, body.h, body.w);
    // 24, 25. Unclipped: casing and geology limit themselves to the page.
    c.resetClip();
    drawCasingColumn(pass, body.h, body.w);
    drawGeologyColumns(pass, body.h, pass.top, pass.groundElevation, pass.boreholeAngle);
    // 26. Page label.
    drawPageLabel(pass);
    // 27. Footer company name 2 mm of paper below the frame.
    pass.selectRole(FontSettings::Heading);
    c.setTextAlign(AlignRightTop);
    c.PageText(X[24] - 3.0, pass.bottom + 0.002 * effectiveDenominator(depthDen),
               doc.HeaderTable(HeaderEntry::Company));
    // 28. The device's own font again.
    c.setTextAlign(AlignLeftTop);
    if (device.selectFont(previousFont)) device.setTextColour(previousColour);
    // 29. The top line over the graphs and the columns right of them.
    pass.rule(X[15], pass.top, X[24], pass.top);
    // 30.
    g.headerBandCm = kFullHeaderBandCm;
    return true;
}

} // namespace qc
