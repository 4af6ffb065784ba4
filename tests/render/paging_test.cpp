// Page ranges, page count, paper size, default and maximum page depth, scroll extent.

#include "app/settings.h"
#include "document/positions.h"
#include "document/tables.h"
#include "render/paging.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qc;

TEST(Paging, DeepestDepthIsTheLastUsedLayer)
{
    Document doc;
    EXPECT_EQ(deepestDepth(doc), 0);
    doc.GeologyTable(1, GeologyCol::Depth) = "1.50";
    doc.GeologyTable(2, GeologyCol::Depth) = " 4.25";
    doc.GeologyTable(3, GeologyCol::Depth) = "!9.00"; // ends the table
    doc.GeologyTable(4, GeologyCol::Depth) = "12.00";
    EXPECT_DOUBLE_EQ(deepestDepth(doc), 4.25);
    // A depth typed after a full-width blank is that depth, not 0.
    doc.GeologyTable(3, 1) = qc::test::sj("　6.00");
    EXPECT_DOUBLE_EQ(deepestDepth(doc), 12.00);
    doc.GeologyTable(4, 1) = qc::test::sj("　13.50");
    EXPECT_DOUBLE_EQ(deepestDepth(doc), 13.50);
}

TEST(Paging, PageCount)
{
    struct Case
    {
        const char* name;
        double deepest, start;
        int perPage, overlap, expected;
    };
    const Case cases[] = {
        {"empty log", 0, 0, 16, 0, 1},
        {"exactly one page deep", 16, 0, 16, 0, 2},
        {"with overlap", 35, 0, 20, 2, 2},
        {"with overlap, one more", 36, 0, 20, 2, 3},
        {"from a start depth", 35, 10, 20, 0, 2},
        {"start below the log", 10, 25, 10, 0, 1},
        {"page depth not above the overlap", 50, 0, 5, 5, 1},
    };
    for (const Case& c : cases) {
        ViewState v;
        v.printStartDepth = c.start;
        v.depthPerPage = c.perPage;
        v.pageOverlap = c.overlap;
        EXPECT_EQ(pageCount(v, c.deepest), c.expected) << c.name;
    }
}

TEST(Paging, PrintedPagesRepeatTheOverlap)
{
    ViewState v;
    v.depthPerPage = 20;
    v.pageOverlap = 2;
    v.printStartDepth = 0;
    v.screenPageTop = 44;
    v.printingNow = true;
    v.currentPage = 1;
    EXPECT_EQ(pageTopDepth(v), 0);
    EXPECT_EQ(v.screenPageTop, 0); // the screen goes back to the first printed page
    v.currentPage = 2;
    EXPECT_EQ(pageTopDepth(v), 18);
    EXPECT_EQ(pageBottomDepth(v, 18), 38);

    v.printStartDepth = 5;
    v.currentPage = 3;
    EXPECT_EQ(pageTopDepth(v), 41);

    v.printingNow = false;
    v.screenPageTop = 7.5;
    EXPECT_EQ(pageTopDepth(v), 7.5);
}

TEST(Paging, ScreenPagingStopsAtTheLogEnd)
{
    ViewState v;
    v.depthPerPage = 20;
    v.pageOverlap = 0;
    // Deepest 10: the limit is 50 m.
    for (int i = 0; i < 10; ++i) nextScreenPage(v, 10);
    EXPECT_EQ(v.screenPageTop, 60);
    EXPECT_EQ(v.currentPage, 4);

    // Deepest 80: the limit is 85 m.
    ViewState d;
    d.depthPerPage = 20;
    for (int i = 0; i < 10; ++i) nextScreenPage(d, 80);
    EXPECT_EQ(d.screenPageTop, 100);

    // Previous page never goes above depth 0.
    ViewState p;
    p.depthPerPage = 20;
    p.screenPageTop = 10;
    p.currentPage = 2;
    previousScreenPage(p);
    EXPECT_EQ(p.screenPageTop, 0);
    EXPECT_EQ(p.currentPage, 1);
    previousScreenPage(p);
    EXPECT_EQ(p.screenPageTop, 0);
    EXPECT_EQ(p.currentPage, 1);

    ViewState q;
    q.depthPerPage = 20;
    q.pageOverlap = 2;
    q.screenPageTop = 36;
    q.currentPage = 3;
    previousScreenPage(q);
    EXPECT_EQ(q.screenPageTop, 18);
    EXPECT_EQ(q.currentPage, 2);

    ViewState s;
    s.currentPage = 5;
    setPrintStartDepth(s, 0.5);
    EXPECT_EQ(s.screenPageTop, 0.5);
    EXPECT_EQ(s.currentPage, 1);
    s.currentPage = 5;
    setPrintStartDepth(s, 12);
    EXPECT_EQ(s.currentPage, 5);
}

TEST(Paging, PaperSizeAndDefaultPageDepth)
{
    // No printer: 280 x 280 mm, 240 usable, 16 m a page at 1/100.
    ViewState none;
    none.screenPageTop = 30;
    none.currentPage = 3;
    computePaperSize(none, nullptr);
    EXPECT_EQ(none.paperWidthMm, 280);
    EXPECT_EQ(none.paperHeightMm, 280);
    EXPECT_EQ(none.usablePaperHeightMm, 240);
    EXPECT_EQ(none.depthPerPage, 16);
    EXPECT_EQ(none.screenPageTop, 0);
    EXPECT_EQ(none.currentPage, 1);

    // A4 portrait at 600 dpi: 297 -> 243 -> 100 x (243 - 80) / 1000 = 16 m.
    ViewState a4;
    const PrinterPage printer{4961, 7016, 600, 600};
    computePaperSize(a4, &printer);
    EXPECT_EQ(a4.paperWidthMm, 210);
    EXPECT_EQ(a4.paperHeightMm, 297);
    EXPECT_EQ(a4.usablePaperHeightMm, 243);
    EXPECT_EQ(a4.depthPerPage, 16);

    // A page depth already set stays, and so does the position.
    ViewState set;
    set.depthPerPage = 30;
    set.screenPageTop = 60;
    computePaperSize(set, &printer);
    EXPECT_EQ(set.depthPerPage, 30);
    EXPECT_EQ(set.screenPageTop, 60);

    // 1/200 on A3 (420 mm): 344 usable -> 200 x (344 - 40) / 1000 = 60 m.
    ViewState a3;
    a3.depthScaleDenominator = 200;
    const PrinterPage a3printer{3508, 4961, 300, 300};
    computePaperSize(a3, &a3printer);
    EXPECT_EQ(a3.paperHeightMm, 420);
    EXPECT_EQ(a3.depthPerPage, 60);

    // A paper too small for the header still gets one metre.
    ViewState tiny;
    const PrinterPage card{600, 600, 600, 600};
    computePaperSize(tiny, &card);
    EXPECT_EQ(tiny.depthPerPage, 1);
}

TEST(Paging, PaperSizeIsTheNominalOneAtEveryResolution)
{
    // A page reaches the geometry as whole dots (rounded, as a printer or an export
    // device sizes it), with or without its nominal size; the millimetres, the page
    // depth and the page count must not depend on the resolution.
    struct Paper
    {
        const char* name;
        double widthMm, heightMm;
        int expectedWidth, expectedHeight, depthPerPage;
    } papers[] = {
        {"A4", 210, 297, 210, 297, 16},         {"A3", 297, 420, 297, 420, 26},
        {"297x415", 297, 415, 297, 415, 26},    {"297x414", 297, 414, 297, 414, 25},
        {"B4", 257, 364, 257, 364, 21},         {"square", 280, 280, 280, 280, 14},
        {"Letter", 215.9, 279.4, 215, 279, 14}, {"Tabloid", 279.4, 431.8, 279, 431, 27},
    };
    for (const Paper& paper : papers) {
        const bool wholeMm = paper.widthMm == paper.expectedWidth && paper.heightMm == paper.expectedHeight;
        for (int dpi : {50, 72, 96, 100, 150, 200, 300, 360, 600, 720, 1200}) {
            const auto dots = [dpi](double mm) { return static_cast<int>(std::lround(mm / 25.4 * dpi)); };
            for (bool nominal : {true, false}) {
                // Dots alone cannot tell 215.9 mm from 216 mm at a coarse resolution.
                if (!nominal && !wholeMm) continue;
                SCOPED_TRACE(std::string(paper.name) + " at " + std::to_string(dpi) +
                             (nominal ? " with its nominal size" : " in dots"));
                PrinterPage printer{dots(paper.widthMm), dots(paper.heightMm), dpi, dpi};
                if (nominal) {
                    printer.nominalWidthMm = paper.widthMm;
                    printer.nominalHeightMm = paper.heightMm;
                }
                ViewState v;
                computePaperSize(v, &printer);
                EXPECT_EQ(v.paperWidthMm, paper.expectedWidth);
                EXPECT_EQ(v.paperHeightMm, paper.expectedHeight);
                EXPECT_EQ(v.depthPerPage, paper.depthPerPage);
                // A 25 m log: one page from 26 m a page on, two below.
                EXPECT_EQ(pageCount(v, 25.0), 25 / paper.depthPerPage + 1);
            }
        }
    }
}

TEST(Paging, MaximumPageDepth)
{
    ViewState v;
    v.paperHeightMm = 297;
    EXPECT_EQ(maxDepthPerPage(v, false, 5), 16); // 100 x (297 - 115 - 5 - 10) / 1000
    EXPECT_EQ(maxDepthPerPage(v, true, 5), 20);  // 100 x (297 - 80 - 15) / 1000
    v.depthScaleDenominator = 500;
    EXPECT_EQ(maxDepthPerPage(v, false, 5), 83);
    v.depthScaleDenominator = 0;
    EXPECT_EQ(maxDepthPerPage(v, false, 5), 16);
}

TEST(Paging, ScrollSizes)
{
    ViewState v;
    v.depthPerPage = 16;
    ScrollSizes wide = scrollSizes(v, 1920);
    EXPECT_EQ(v.clipWidthMm, 350);
    EXPECT_EQ(wide.widthMm, 354);
    EXPECT_EQ(wide.heightMm, 600);
    EXPECT_EQ(wide.totalX, 1337);
    EXPECT_EQ(wide.totalY, 2267);
    EXPECT_EQ(wide.pageX, 1337 / 8);
    EXPECT_EQ(wide.lineY, 2267 / 32);

    v.depthPerPage = 38;
    ScrollSizes narrow = scrollSizes(v, 800);
    EXPECT_EQ(v.clipWidthMm, 290);
    EXPECT_EQ(narrow.widthMm, 300);
    EXPECT_EQ(narrow.heightMm, 900);
    EXPECT_EQ(narrow.totalY, 3401);
}

TEST(ViewState, ScaleSettingsLines)
{
    Settings s = builtinSettings();
    s.setInt(53, 25);
    s.setInt(54, 3);
    s.setInt(55, 1);
    ViewState v;
    v.loadScaleSettings(s);
    EXPECT_EQ(v.depthPerPage, 25);
    EXPECT_EQ(v.pageOverlap, 3);
    EXPECT_TRUE(v.scaleDepthPartOnly);
    EXPECT_EQ(v.depthScaleDenominator, 100);
    v.depthPerPage = 18;
    v.scaleDepthPartOnly = false;
    v.storeScaleSettings(s);
    EXPECT_EQ(s.intAt(53), 18);
    EXPECT_EQ(s.intAt(55), 0);
}
