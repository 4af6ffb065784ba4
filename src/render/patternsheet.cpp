#include "render/patternsheet.h"

#include "app/patterncolours.h"
#include "document/cp932.h"
#include "render/detail/bitmappattern.h"
#include "render/pagecanvas.h"
#include "render/patterns.h"

#include <algorithm>
#include <cmath>

namespace qc {

namespace {

constexpr double kMargin = 10; // mm
constexpr double kTitle = 14;  // mm above the first row
constexpr double kLabel = 6;   // mm above each box
constexpr double kGap = 6;     // mm between cells
constexpr double kTileGap = 2; // mm between a pattern and its tile

std::string tilePath(const PatternSheetOptions& o, long number)
{
    if (o.bitmapFolder.empty()) return {};
    return findBitmapFile(o.bitmapFolder + "/J" + std::to_string(number) + ".BMP");
}

double cellWidth(const PatternSheetOptions& o)
{
    const bool tiles = !o.bitmapFolder.empty();
    return o.columnWidthMm * (tiles ? 2 : 1) + (tiles ? kTileGap : 0) + kGap;
}

const char* groupOf(long n)
{
    if (isUnitsOverlay(n)) return "units";
    if (isTensOverlay(n)) return "tens";
    if (n >= 10000 && n <= 10004) return "block";
    if (isCasingPattern(n)) return "casing";
    return "";
}

} // namespace

PatternSheetLayout patternSheetLayout(const PatternSheetOptions& o)
{
    PatternSheetLayout l;
    const double usable = std::max(o.pageWidthMm - 2 * kMargin, 1.0);
    l.columns = std::max(1, static_cast<int>((usable + kGap) / cellWidth(o)));
    const int n = static_cast<int>(vectorPatternNumbers().size());
    l.rows = (n + l.columns - 1) / l.columns;
    l.pageWidthMm = o.pageWidthMm;
    l.pageHeightMm = 2 * kMargin + kTitle + l.rows * (kLabel + o.boxHeightMm + kGap);
    return l;
}

void drawPatternSheet(Device& device, const PatternSheetOptions& o)
{
    const PatternSheetLayout layout = patternSheetLayout(o);
    PageGeometry geo;
    geo.setUp(device.logPixelsX(), device.logPixelsY(), static_cast<int>(kMargin), static_cast<int>(kMargin),
              100, 100);
    geo.enterBodyPhase(0, false, 100);
    geo.headerBandCm = 0;
    PageCanvas c(device, geo);
    // y in metres at 1/100: one metre is 10 mm of paper.
    auto my = [](double mm) { return mm / 10; };

    const int labelHeight = static_cast<int>(device.logPixelsY() * 9 / 72.0);
    const int titleHeight = static_cast<int>(device.logPixelsY() * 14 / 72.0);
    const std::string face = QC_SJ("ＭＳ 明朝");
    c.setTextAlign(AlignLeftTop);
    (void)c.SelectTextFont(0, titleHeight, face);
    char title[160];
    std::snprintf(title, sizeof title, "%s  (%g mm column, 1/100)",
                  cp932::fromUtf8("土質パターン一覧").c_str(), o.columnWidthMm);
    c.PageText(0, my(0), title);

    (void)c.SelectTextFont(0, labelHeight, face);
    const auto& numbers = vectorPatternNumbers();
    for (size_t i = 0; i < numbers.size(); ++i) {
        const long n = numbers[i];
        const int col = static_cast<int>(i) % layout.columns;
        const int row = static_cast<int>(i) / layout.columns;
        const double x = col * cellWidth(o);
        const double top = kTitle + row * (kLabel + o.boxHeightMm + kGap);
        const double boxTop = top + kLabel;
        std::string label = std::to_string(n);
        if (*groupOf(n)) label += std::string(" ") + groupOf(n);
        c.PageText(x, my(top), label);

        const double x2 = x + o.columnWidthMm;
        const Colour colour = o.colours ? o.colours->colourOf(n) : 0;
        c.PageClip(x, my(boxTop), x2, my(boxTop + o.boxHeightMm));
        DrawVectorPattern(c, n, x, my(boxTop), x2, my(boxTop + o.boxHeightMm), 1.0, o.penWidth, colour, 0);
        c.resetClip();
        c.PageRectOutline(x, my(boxTop), x2, my(boxTop + o.boxHeightMm), PenStyle::Solid, 1, 0x808080);

        const std::string tile = tilePath(o, n);
        if (!tile.empty()) {
            const double tx = x2 + kTileGap;
            c.PageClip(tx, my(boxTop), tx + o.columnWidthMm, my(boxTop + o.boxHeightMm));
            DrawBitmapPattern(c, tile, tx, my(boxTop), o.columnWidthMm, my(o.boxHeightMm), RasterOp::Copy);
            c.resetClip();
            c.PageRectOutline(tx, my(boxTop), tx + o.columnWidthMm, my(boxTop + o.boxHeightMm),
                              PenStyle::Solid, 1, 0x808080);
        }
    }
}

} // namespace qc
