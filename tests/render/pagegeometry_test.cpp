// Page coordinates to device units: truncation, the clamp, the phases and the inverses.

#include "render/detail/pagegeometry.h"
#include "render/detail/primitives.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qc;

namespace {

PageGeometry body(int dpi, int hDen, int dDen, double top, bool depthPartOnly = false)
{
    PageGeometry g;
    g.setUp(dpi, dpi, 5, 5, hDen, dDen);
    g.enterHeaderPhase(depthPartOnly, dDen);
    g.enterBodyPhase(top, depthPartOnly, dDen);
    return g;
}

double mm(const PageGeometry& g, int deviceUnits)
{
    return deviceUnits / g.pxPerMmY;
}

} // namespace

TEST(PageGeometry, OneMetreAt600DpiIs3070)
{
    // 118.11 margin + 2716.54 header band + 236.22 for one metre, truncated.
    const PageGeometry g = body(600, 100, 100, 0);
    EXPECT_EQ(g.PageY(1.0), 3070);
    EXPECT_EQ(g.PageY(0.0), 2834);
    EXPECT_EQ(g.PageX(0.0), 118);
    EXPECT_EQ(g.PageX(70.6), 1785); // 118.11 + 70.6 x 23.622
}

TEST(PageGeometry, TruncationAndClamp)
{
    PageGeometry unit;
    unit.pxPerMmX = unit.pxPerMmY = 1;
    unit.unitsPerPageMm = unit.unitsPerMetre = 1;
    unit.marginLeftMm = unit.marginTopMm = 0;
    unit.headerBandCm = 0;
    EXPECT_EQ(unit.PageX(0.9999), 0);
    EXPECT_EQ(unit.PageX(-0.9999), 0); // toward zero, not down
    EXPECT_EQ(unit.PageX(1.9999), 1);

    const PageGeometry g = body(600, 100, 100, 0);
    EXPECT_EQ(g.PageX(1e9), 32767);
    EXPECT_EQ(g.PageX(-1e9), -32767);
    EXPECT_EQ(g.PageY(1e6), 32767);
    EXPECT_EQ(g.PageY(-1e6), -32767);
    EXPECT_EQ(g.PageY(std::nan("")), 0);
    EXPECT_EQ(g.PageY(1e300 * 1e300), 32767);
}

TEST(PageGeometry, HeaderBandAndDepthScales)
{
    // Depth part only at 1/200: the band still 115 mm, one metre 5 mm.
    const PageGeometry partOnly = body(600, 100, 200, 0, true);
    EXPECT_NEAR(mm(partOnly, partOnly.PageY(0)) - 5, 115, 0.1);
    EXPECT_NEAR(mm(partOnly, partOnly.PageY(10) - partOnly.PageY(0)), 50, 0.1);

    // Without it the band shrinks with the depth scale.
    const PageGeometry whole = body(600, 100, 200, 0, false);
    EXPECT_NEAR(mm(whole, whole.PageY(0)) - 5, 57.5, 0.1);

    // Compact header: the page top line 78.5 mm below the top margin.
    PageGeometry compact = body(600, 100, 100, 0);
    compact.headerBandCm = headerBandCm(true);
    EXPECT_NEAR(mm(compact, compact.PageY(0)) - 5, 78.5, 0.1);

    // Header phase: y in header cm from the band base.
    PageGeometry header;
    header.setUp(600, 600, 5, 5, 100, 100);
    header.enterHeaderPhase(false, 100);
    EXPECT_NEAR(mm(header, header.PageY(-4.15)) - 5, 73.5, 0.1);
    EXPECT_EQ(header.PageY(0), 2834);

    // 1/50 horizontally: a page millimetre is two paper millimetres.
    const PageGeometry wide = body(600, 50, 100, 0);
    EXPECT_NEAR((wide.PageX(10) - wide.PageX(0)) / wide.pxPerMmX, 20, 0.1);

    // A page whose top is 12.3 m puts 12.3 m on the band base.
    const PageGeometry deep = body(600, 100, 100, 12.3);
    EXPECT_EQ(deep.PageY(12.3), 2834);
}

TEST(PageGeometry, InversesAndTheirGuards)
{
    const PageGeometry g = body(600, 100, 100, 7);
    for (double x : {0.0, 12.6, 70.6, 274.0}) EXPECT_NEAR(g.DeviceToPageX(g.PageX(x)), x, 0.05);
    for (double y : {7.0, 8.25, 20.0}) EXPECT_NEAR(g.DeviceToPageY(g.PageY(y)), y, 0.005);

    PageGeometry flat = g;
    flat.unitsPerPageMm = 0.0001;
    flat.unitsPerMetre = 0.00005;
    EXPECT_EQ(flat.DeviceToPageX(500), 0);
    EXPECT_EQ(flat.DeviceToPageY(500), 0);
    EXPECT_EQ(flat.deviceToYUnits(10), 0);
    EXPECT_EQ(flat.deviceToPageMm(10), 0);
}

TEST(PageGeometry, PatternFrameDepthLandsOnTheSameRow)
{
    for (int den : {100, 200, 50}) {
        for (double top : {0.0, 3.0, 12.3}) {
            const PageGeometry g = body(600, 100, den, top);
            PageGeometry frame = g;
            frame.unitsPerMetre = 10 * g.pxPerMmY;
            for (double y : {top, top + 1.25, top + 7.5}) {
                const double f = g.PatternFrameDepth(y);
                EXPECT_NEAR(frame.PageY(f), g.PageY(y), 1) << den << " " << top << " " << y;
            }
        }
    }
    // At 1/100 one frame unit is 10 mm, as is one metre: the depth stays.
    EXPECT_NEAR(body(600, 100, 100, 0).PatternFrameDepth(2.0), 2.0, 0.01);
    // At 1/200 two metres are one frame unit.
    EXPECT_NEAR(body(600, 100, 200, 0).PatternFrameDepth(2.0), 1.0, 0.01);
}

TEST(PageGeometry, TextSizes)
{
    EXPECT_EQ(fontDeviceSize(600, 10), 83);
    EXPECT_EQ(fontDeviceSize(96, 7), 9);
    EXPECT_EQ(titleDeviceSize(600, 10), 133);
}

TEST(RenderHelpers, DigitPart)
{
    struct Case
    {
        double n, m, expected;
    };
    for (const Case& c : {Case{2314, 1000, 2000}, Case{2314, 100, 300}, Case{2314, 10, 10}, Case{2314, 1, 4},
                          Case{93624, 10000, 90000}, Case{20100, 10, 0}, Case{5, 0, 0}})
        EXPECT_DOUBLE_EQ(DigitPart(c.n, c.m), c.expected) << c.n << " at " << c.m;
}

TEST(RenderHelpers, DegreesToRadiansUsesTheLogsPi)
{
    struct Case
    {
        double degrees, radians;
    };
    for (const Case& c : {Case{-90, 4.712385}, Case{0, 0}, Case{360, 0}, Case{90, 1.570795},
                          Case{450, 1.570795}, Case{180, 3.14159}, Case{-360, 0}})
        EXPECT_NEAR(DegreesToRadians(c.degrees), c.radians, 1e-9) << c.degrees;
}

TEST(RenderHelpers, InterpolateAndFloor)
{
    EXPECT_DOUBLE_EQ(Interpolate(5, 0, 10, 100, 200), 150);
    EXPECT_DOUBLE_EQ(Interpolate(5, 1, 1 + 1e-7, 100, 200), 0);
    EXPECT_DOUBLE_EQ(Interpolate(-1, 0, 10, 0, 50), -5);
    EXPECT_DOUBLE_EQ(FloorToMultiple(2.3, 1), 2);
    EXPECT_DOUBLE_EQ(FloorToMultiple(7, 0), 0);
}

TEST(RenderHelpers, GraphSymbolNumbers)
{
    const char* symbols[] = {"●", "○", "×", "▲", "△", "■", "□"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(graphSymbolNumber(test::sj(symbols[i])), i + 1) << symbols[i];
    EXPECT_EQ(graphSymbolNumber(""), 0);
    EXPECT_EQ(graphSymbolNumber("x"), 0);
    EXPECT_EQ(graphSymbolNumber(test::sj("◇")), 0);
    EXPECT_EQ(test::u8(graphSymbols()), kGraphSymbolsUtf8);
}
