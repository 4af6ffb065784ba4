// Zoom steps, fits and the pointer anchor of the screen view.

#include "app/zoom.h"

#include <gtest/gtest.h>

using namespace qc;

namespace {

TEST(Zoom, StepsUpAndDownStopAtTheBounds)
{
    struct Case
    {
        int dpi, in, out;
    };
    const Case cases[] = {
        {96, 120, 72},   // 100 % -> 125 % / 75 %
        {24, 32, 24},    // 25 %: the smallest stays
        {384, 384, 288}, // 400 %: the largest stays
        {36, 48, 32},    // a fit between 33 % and 50 % goes to its neighbours
        {200, 240, 192}, // between 200 % and 250 %
        {10, 24, 24},    // below every step (a stored value from elsewhere)
        {500, 384, 384}, // above every step
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zoomInDpi(c.dpi), c.in) << c.dpi;
        EXPECT_EQ(zoomOutDpi(c.dpi), c.out) << c.dpi;
    }
    // Every step is a whole number of dots per inch and a round percentage.
    const int percents[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 250, 300, 400};
    ASSERT_EQ(zoomStepsDpi().size(), std::size(percents));
    for (size_t i = 0; i < std::size(percents); ++i)
        EXPECT_EQ((Zoom{ZoomMode::Fixed, zoomStepsDpi()[i]}.percent()), percents[i]);
    // Stepping up from the smallest reaches the largest and back again.
    int dpi = kZoomMinDpi, steps = 0;
    while (dpi != kZoomMaxDpi && steps < 50) dpi = zoomInDpi(dpi), ++steps;
    EXPECT_EQ(steps, static_cast<int>(zoomStepsDpi().size()) - 1);
    EXPECT_EQ(clampZoomDpi(0), kZoomMinDpi);
    EXPECT_EQ(clampZoomDpi(100000), kZoomMaxDpi);
}

// A maximised window on the usual laptop and desktop screens, with the A3 page of a
// printer-less machine and an A4 page: the whole page shows, and one dot per inch more
// would not fit.
TEST(Zoom, FitPageShowsTheWholePageOnCommonScreens)
{
    struct Case
    {
        int screenW, screenH, pageW, pageH;
    };
    const Case cases[] = {{1366, 768, 297, 420},
                          {1920, 1080, 297, 420},
                          {1366, 768, 210, 297},
                          {1920, 1080, 210, 297},
                          {1366, 768, 280, 280}};
    for (const Case& c : cases) {
        const ViewArea area = viewAreaOnScreen(c.screenW, c.screenH);
        ASSERT_GT(area.height, 0);
        const int dpi = fitPageDpi(area.width, area.height, c.pageW, c.pageH);
        SCOPED_TRACE(testing::Message() << c.screenW << "x" << c.screenH << " page " << c.pageW << "x"
                                        << c.pageH << " dpi " << dpi);
        EXPECT_LE(pixelsOfMm(c.pageW, dpi), area.width);
        EXPECT_LE(pixelsOfMm(c.pageH, dpi), area.height);
        EXPECT_TRUE(pixelsOfMm(c.pageW, dpi + 1) > area.width || pixelsOfMm(c.pageH, dpi + 1) > area.height);
        EXPECT_GE(dpi, kZoomMinDpi);
    }
    // 1366 x 768 leaves 596 pixels of height: A3 at 36 dpi (38 %) is 595 pixels high; 1920 x 1080
    // leaves 908: 54 dpi (56 %), 893 pixels.
    const ViewArea laptop = viewAreaOnScreen(1366, 768);
    EXPECT_EQ(laptop.height, 596);
    EXPECT_EQ(fitPageDpi(laptop.width, laptop.height, 297, 420), 36);
    EXPECT_EQ(fitPageDpi(viewAreaOnScreen(1920, 1080).width, viewAreaOnScreen(1920, 1080).height, 297, 420),
              54);
}

TEST(Zoom, FitWidthFillsTheWidthWithinTheBounds)
{
    struct Case
    {
        int width, pageW, dpi;
    };
    const Case cases[] = {
        {1346, 297, 115}, // 1366 screen: 1346 pixels over 297 mm
        {1122, 297, 96},  // 297 mm at 96 dpi are 1122.5 pixels, truncated to 1122: it fits
        {1121, 297, 95},
        {100, 297, kZoomMinDpi},    // a tiny window keeps the smallest zoom
        {100000, 297, kZoomMaxDpi}, // a huge one the largest
        {0, 297, kZoomMinDpi},
        {800, 0, kZoomMinDpi}, // no page at all
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fitWidthDpi(c.width, c.pageW), c.dpi) << c.width << " " << c.pageW;
        if (c.dpi > kZoomMinDpi && c.dpi < kZoomMaxDpi) {
            EXPECT_LE(pixelsOfMm(c.pageW, c.dpi), c.width);
            EXPECT_GT(pixelsOfMm(c.pageW, c.dpi + 1), c.width);
        }
    }
}

TEST(Zoom, WheelKeepsThePagePointUnderThePointer)
{
    struct Case
    {
        int scroll, pointer, oldDpi, newDpi, expected;
    };
    const Case cases[] = {
        {0, 0, 96, 192, 0},      // the corner stays the corner
        {100, 50, 96, 192, 250}, // page point 150 becomes 300, still 50 from the edge
        {250, 50, 192, 96, 100}, // and back
        {0, 400, 96, 48, 0},     // zooming out near the top cannot scroll above the page
        {300, 200, 96, 96, 300}, // no change
        {300, 200, 0, 96, 300},  // no old zoom: nothing moves
    };
    for (const Case& c : cases)
        EXPECT_EQ(anchoredScroll(c.scroll, c.pointer, c.oldDpi, c.newDpi), c.expected)
            << c.scroll << " " << c.pointer << " " << c.oldDpi << "->" << c.newDpi;
}

TEST(Zoom, ModeNamesRoundTripAndUnknownIsFixed)
{
    for (ZoomMode m : {ZoomMode::Fixed, ZoomMode::FitWidth, ZoomMode::FitPage})
        EXPECT_EQ(zoomModeFromName(zoomModeName(m)), m);
    EXPECT_EQ(zoomModeFromName("whatever"), ZoomMode::Fixed);
    EXPECT_EQ(zoomModeFromName(nullptr), ZoomMode::Fixed);
}

} // namespace
