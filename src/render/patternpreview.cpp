#include "render/patternpreview.h"

#include "app/patterncolours.h"
#include "render/detail/bitmappattern.h"
#include "render/pagecanvas.h"
#include "render/patterns.h"

#include <string>
#include <vector>

namespace qc {

namespace {

struct Component
{
    long number;
    double left;  // share of the box where the component's part starts (0 or 0.5)
    double share; // share of the box the part covers
    RasterOp op;
    int shift;
};

// The components of a number and the part of the box each covers.
std::vector<Component> componentsOf(long number, bool overlayShiftOff)
{
    const int kind = PatternKind(number);
    if (kind == PatternKinds::Pair)
        return {{pairFirst(number), 0, 0.5, RasterOp::Copy, 0},
                {pairSecond(number), 0.5, 0.5, RasterOp::Copy, 0}};
    if (kind != PatternKinds::Composed) return {{number, 0, 1, RasterOp::Copy, 0}};
    const long tens = patternTensOverlay(number);
    const int shift = tens != 0 && !overlayShiftOff ? 1 : 0;
    return {{patternBase(number), 0, 1, RasterOp::Copy, 0},
            {tens, 0, 1, RasterOp::And, 0},
            {patternUnitsOverlay(number), 0, 1, RasterOp::And, shift}};
}

// Page coordinates over the box: x in mm from its left edge, y in units of
// 10 mm of paper from its top, as the pattern frame of the log.
struct Frame
{
    PageGeometry geo;
    double widthMm = 0;
    double heightUnits = 0;

    Frame(const Device& device, int widthPx, int heightPx)
    {
        geo.setUp(device.logPixelsX(), device.logPixelsY(), 0, 0, 100, 100);
        geo.enterBodyPhase(0, false, 100);
        geo.headerBandCm = 0;
        widthMm = geo.pxPerMmX > 0 ? widthPx / geo.pxPerMmX : 0;
        heightUnits = geo.pxPerMmY > 0 ? heightPx / geo.pxPerMmY / 10 : 0;
    }
};

} // namespace

int drawVectorPreview(Device& device, long number, int widthPx, int heightPx,
                      const PatternPreviewStyle& style)
{
    if (widthPx <= 0 || heightPx <= 0) return 0;
    Frame f(device, widthPx, heightPx);
    PageCanvas c(device, f.geo);
    c.PageFilledRect(0, 0, f.widthMm, f.heightUnits, PenStyle::Null, 0, 0xffffff, 0xffffff);
    const double W = f.widthMm, H = f.heightUnits;
    int drawn = 0;
    for (const Component& comp : componentsOf(number, style.overlayShiftOff)) {
        if (comp.number <= 0) continue;
        const Colour colour = style.allBlack || !style.colours ? 0 : style.colours->colourOf(comp.number);
        const double x1 = comp.left * W;
        c.PageClip(x1, 0, x1 + comp.share * W, H);
        // The part is laid out over a whole box width, so the figures keep their size.
        if (DispatchPattern(c, comp.number, x1, 0, x1 + W, H, comp.share, style.penWidth, colour, comp.shift))
            drawn = 1;
        c.resetClip();
    }
    return drawn;
}

int drawBitmapPreview(Device& device, const std::string& folder, long number, int widthPx, int heightPx)
{
    if (widthPx <= 0 || heightPx <= 0) return 0;
    Frame f(device, widthPx, heightPx);
    PageCanvas c(device, f.geo);
    c.PageFilledRect(0, 0, f.widthMm, f.heightUnits, PenStyle::Null, 0, 0xffffff, 0xffffff);
    const double W = f.widthMm, H = f.heightUnits;
    int drawn = 0;
    for (const Component& comp : componentsOf(number, true)) {
        if (comp.number <= 0) continue;
        const double x1 = comp.left * W;
        c.PageClip(x1, 0, x1 + comp.share * W, H);
        const std::string path = folder + "/J" + std::to_string(comp.number) + ".BMP";
        if (DrawBitmapPattern(c, path, x1, 0, comp.share * W, H, comp.op)) drawn = 1;
        c.resetClip();
    }
    return drawn;
}

} // namespace qc
