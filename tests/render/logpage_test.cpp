// The drawing pass through the recording device: column edges, frame and
// rules, depth scale and clip, text roles, survey names, footer and page label.

#include "app/docflows.h"
#include "app/settings.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/recordingdevice.h"
#include "platform/scriptedprompter.h"
#include "render/logpage.h"
#include "render/paging.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace qc;
using qc::test::sj;
using Call = RecordingDevice::Call;
using Op = RecordingDevice::Op;

namespace {

// Display items of a log with every column shown at the usual widths.
void showAllColumns(Document& doc)
{
    const char* widths[17] = {"",     "0.0",  "31.8", "3.4",  "3.4", "6.4", "17.6", "24.0", "23.0",
                              "23.0", "23.0", "23.0", "23.0", "5.6", "0.0", "0.0",  "5.6"};
    for (int r = 1; r <= 16; ++r) {
        doc.DisplayItemTable(r, DisplayCol::Shown) = (r == 14 || r == 15) ? "0" : "1";
        doc.DisplayItemTable(r, DisplayCol::Width) = widths[r];
    }
    for (int r = 8; r <= 12; ++r) doc.DisplayItemTable(r, DisplayCol::GridWidth) = "20.0";
}

void hideOptionalColumns(Document& doc)
{
    for (int r = 2; r <= 16; ++r) doc.DisplayItemTable(r, DisplayCol::Shown) = "0";
}

struct Pass
{
    Document doc;
    Settings settings = builtinSettings();
    FontSettings fonts = builtinFonts();
    ViewState view;
    ScriptedPrompter prompter;
    RecordingDevice dev{600, 600};

    Pass()
    {
        view.depthPerPage = 20;
        doc.HeaderTable(HeaderEntry::LogTitle) = sj("ボーリング柱状図");
        showAllColumns(doc);
    }

    bool draw()
    {
        RenderContext ctx{doc, settings, fonts, view, &prompter};
        return drawLogPage(dev, ctx);
    }

    // The geometry of the body of the page the pass drew.
    PageGeometry body(double top) const
    {
        PageGeometry g;
        g.setUp(600, 600, 5, 5, view.horizontalScaleDenominator, view.depthScaleDenominator);
        g.enterHeaderPhase(view.scaleDepthPartOnly, view.depthScaleDenominator);
        g.enterBodyPhase(top, view.scaleDepthPartOnly, view.depthScaleDenominator);
        g.headerBandCm = headerBandCm(doc.HeaderTable(HeaderEntry::CompactHeader) == "1");
        return g;
    }

    // Vertical lines at device x, in order.
    std::vector<Call> verticalsAt(int x) const
    {
        std::vector<Call> out;
        for (const Call& c : dev.lines())
            if (c.points[0].x == x && c.points[1].x == x && c.points[0].y != c.points[1].y) out.push_back(c);
        return out;
    }

    // Horizontal lines at device y.
    std::vector<Call> horizontalsAt(int y) const
    {
        std::vector<Call> out;
        for (const Call& c : dev.lines())
            if (c.points[0].y == y && c.points[1].y == y) out.push_back(c);
        return out;
    }

    std::optional<Call> text(const std::string& t) const
    {
        const auto all = dev.textsEqual(t);
        if (all.empty()) return std::nullopt;
        return all.front();
    }
};

} // namespace

TEST(ColumnEdges, RunningSumOfShownWidths)
{
    Document doc;
    showAllColumns(doc);
    ColumnEdges e = ColumnEdges::compute(doc);
    const double fixed[] = {5.0, 12.6, 21.4, 29.0, 36.6, 44.8, 62.2, 70.6, 70.6, 70.6};
    for (int i = 0; i < 10; ++i) EXPECT_NEAR(e[i], fixed[i], 1e-9) << i;
    EXPECT_NEAR(e[10], 102.4, 1e-9); // notes 31.8
    EXPECT_NEAR(e[15], 102.4 + 3.4 + 3.4 + 6.4 + 17.6 + 24.0, 1e-9);
    EXPECT_NEAR(e[20], e[15] + 5 * 23.0, 1e-9);
    EXPECT_NEAR(e[24], 283.4, 1e-9);

    // A hidden column collapses and everything right of it moves left.
    doc.DisplayItemTable(DisplayRow::Notes, DisplayCol::Shown) = "0";
    doc.DisplayItemTable(DisplayRow::graph(2), DisplayCol::Shown) = "2"; // only 1 counts as shown
    e = ColumnEdges::compute(doc);
    EXPECT_NEAR(e[10], 70.6, 1e-9);
    EXPECT_NEAR(e[17], e[16], 1e-9);
    EXPECT_NEAR(e[24], 283.4 - 31.8 - 23.0, 1e-9);
    EXPECT_FALSE(graphDrawn(doc, e, 2));
    EXPECT_TRUE(graphDrawn(doc, e, 1));

    hideOptionalColumns(doc);
    e = ColumnEdges::compute(doc);
    for (int i = 7; i <= 24; ++i) EXPECT_NEAR(e[i], 70.6, 1e-9) << i;
    for (int k = 1; k <= 5; ++k) EXPECT_FALSE(graphDrawn(doc, e, k));

    // A graph column under 1.0 mm is not drawn even when shown.
    showAllColumns(doc);
    doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width) = "0.9";
    EXPECT_FALSE(graphDrawn(doc, ColumnEdges::compute(doc), 1));
}

TEST(DrawLogPage, ScreenDisplayOffDrawsNothingButPrintingDoes)
{
    Pass p;
    p.view.screenDisplayOn = false;
    EXPECT_FALSE(p.draw());
    EXPECT_TRUE(p.dev.calls().empty());
    p.view.printingNow = true;
    EXPECT_TRUE(p.draw());
    EXPECT_FALSE(p.dev.calls().empty());
}

TEST(DrawLogPage, TextRolesAtTheirSizesAndTheDevicesFontRestored)
{
    Pass p;
    p.fonts[FontSettings::Page].points = 9;
    p.doc.HeaderTable(HeaderEntry::PagePrefix) = "P";
    ASSERT_TRUE(p.draw());
    std::vector<int> heights;
    for (const Call& c : p.dev.ofKind(Op::Font)) heights.push_back(c.font.height);
    // Title (10 pt at /45), heading 10, items 8 (the stacked "シルト" of the grain-size heading
    // set smaller to fit between its rules, then 8 again), legend 8, notes 7, body 8, page 9,
    // heading 10, then the device's own font.
    EXPECT_EQ(heights, (std::vector<int>{133, 83, 66, 57, 66, 66, 58, 66, 75, 83, 0}));
    const auto fonts = p.dev.ofKind(Op::Font);
    EXPECT_EQ(fonts[0].font.face, sj("ＭＳ 明朝"));
    EXPECT_EQ(fonts[0].font.charSet, 128);
    EXPECT_EQ(p.dev.font(), LogicalFont{});
    EXPECT_EQ(p.dev.textAlign(), AlignLeftTop);
}

TEST(DrawLogPage, FrameRulesAndTheSplitAtFortyMetres)
{
    struct Case
    {
        int perPage;
        bool split;
    };
    for (const Case& c : {Case{40, true}, Case{38, true}, Case{59, true}, Case{37, false}, Case{60, false}}) {
        Pass p;
        p.view.depthPerPage = c.perPage;
        ASSERT_TRUE(p.draw());
        const PageGeometry g = p.body(0);
        const ColumnEdges X = ColumnEdges::compute(p.doc);
        const int top = g.PageY(0), bottom = g.PageY(c.perPage), middle = g.PageY(c.perPage / 2);
        for (int i : {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23}) {
            std::vector<Call> v;
            for (const Call& l : p.verticalsAt(g.PageX(X[i])))
                if (l.points[0].y >= top && l.points[1].y <= bottom) v.push_back(l);
            ASSERT_GE(v.size(), 1u) << c.perPage << " X" << i;
            if (c.split) {
                ASSERT_EQ(v.size() % 2, 0u) << c.perPage << " X" << i;
                EXPECT_EQ(v[0].points,
                          (std::vector<DevPoint>{{g.PageX(X[i]), top}, {g.PageX(X[i]), middle}}));
                EXPECT_EQ(v[1].points,
                          (std::vector<DevPoint>{{g.PageX(X[i]), middle}, {g.PageX(X[i]), bottom}}));
            } else {
                EXPECT_EQ(v[0].points,
                          (std::vector<DevPoint>{{g.PageX(X[i]), top}, {g.PageX(X[i]), bottom}}));
            }
            EXPECT_EQ(v[0].pen, (Pen{PenStyle::Solid, 1, 0})) << i;
        }
        // The frame in the frame width, never split.
        for (int i : {0, 24}) {
            const auto v = p.verticalsAt(g.PageX(X[i]));
            auto frame = std::find_if(
                v.begin(), v.end(), [&](const Call& l) { return l.pen.width == 2 && l.points[0].y == top; });
            ASSERT_NE(frame, v.end()) << i;
            EXPECT_EQ(frame->points, (std::vector<DevPoint>{{g.PageX(X[i]), top}, {g.PageX(X[i]), bottom}}));
        }
        // The samples sub-column rules.
        EXPECT_FALSE(p.verticalsAt(g.PageX(X[13] + 7.4)).empty());
        EXPECT_FALSE(p.verticalsAt(g.PageX(X[13] + 14.0)).empty());
    }
}

TEST(DrawLogPage, AllOptionalColumnsHidden)
{
    Pass p;
    hideOptionalColumns(p.doc);
    ASSERT_TRUE(p.draw());
    const PageGeometry g = p.body(0);
    const int right = g.PageX(70.6);
    const auto v = p.verticalsAt(right);
    EXPECT_TRUE(std::any_of(v.begin(), v.end(), [](const Call& l) { return l.pen.width == 2; }));
    // The right-edge metre ticks sit on it: 1.0 mm long without the drilling dates.
    const auto ticks = p.horizontalsAt(g.PageY(5));
    EXPECT_TRUE(std::any_of(ticks.begin(), ticks.end(), [&](const Call& l) {
        return l.points[0].x == right && l.points[1].x == g.PageX(69.6);
    }));
    EXPECT_FALSE(p.verticalsAt(g.PageX(70.6 + 7.4)).size() > 0);
}

TEST(DrawLogPage, DepthScaleOfAPageStartingAt12_3)
{
    Pass p;
    p.view.screenPageTop = 12.3;
    ASSERT_TRUE(p.draw());
    const PageGeometry g = p.body(12.3);
    const ColumnEdges X = ColumnEdges::compute(p.doc);

    // Numbers "%4d", right-aligned 1 mm left of X1, top at the metre minus half the body font.
    const int bodyHeight = fontDeviceSize(600, p.fonts[FontSettings::Body].points);
    for (int d : {13, 14, 20, 32}) {
        auto t = p.text(std::string(d < 10 ? "   " : "  ") + std::to_string(d));
        ASSERT_TRUE(t) << d;
        EXPECT_EQ(t->align, AlignRightTop);
        EXPECT_EQ(t->points[0].x, g.PageX(X[1] - 1.0));
        EXPECT_EQ(t->points[0].y, g.PageY(d - g.deviceToYUnits(bodyHeight) / 2));
        EXPECT_EQ(t->font.height, bodyHeight);
        EXPECT_TRUE(RecordingDevice::visible(*t)) << d;
    }
    // Numbers outside the page are drawn and clipped; the loop ends after the page bottom.
    for (const char* d : {"  12", "  33"}) {
        auto t = p.text(d);
        ASSERT_TRUE(t) << d;
        EXPECT_FALSE(RecordingDevice::visible(*t)) << d;
    }
    EXPECT_FALSE(p.text("  34"));

    // Left ticks: minor from 12.3 on, half-metre 1.4, metre 1.8 mm; above 12.3 clipped.
    // (The heading band's last line lies on the page top too, but outside the body clip.)
    auto leftTick = [&](double depth) -> std::optional<Call> {
        for (const Call& l : p.horizontalsAt(g.PageY(depth)))
            if (l.points[0].x == g.PageX(X[0]) && l.clip) return l;
        return std::nullopt;
    };
    // Minor ticks lie at metre + j x 0.1, as the scale computes them.
    for (int j : {1, 2}) {
        auto t = leftTick(12 + j * 0.1);
        ASSERT_TRUE(t) << j;
        EXPECT_FALSE(RecordingDevice::visible(*t)) << j;
    }
    struct Tick
    {
        int metre, tenth;
        double length;
    };
    for (const Tick& k :
         {Tick{12, 3, 0.8}, Tick{12, 5, 1.4}, Tick{13, 0, 1.8}, Tick{13, 7, 0.8}, Tick{32, 2, 0.8}}) {
        auto t = leftTick(k.metre + k.tenth * 0.1);
        ASSERT_TRUE(t) << k.metre << "." << k.tenth;
        EXPECT_TRUE(RecordingDevice::visible(*t)) << k.metre << "." << k.tenth;
        EXPECT_EQ(t->points[1].x, g.PageX(X[0] + k.length)) << k.metre << "." << k.tenth;
        EXPECT_EQ(t->pen, (Pen{PenStyle::Solid, 1, 0}));
    }
    EXPECT_FALSE(RecordingDevice::visible(*leftTick(32 + 4 * 0.1)));

    // The clip of the body: from the page top to the bottom, 290 mm wide.
    const auto clips = p.dev.ofKind(Op::Clip);
    ASSERT_GE(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (DevRect{g.PageX(0), g.PageY(12.3), g.PageX(290), g.PageY(32.3)}));
}

TEST(DrawLogPage, DrillingDatesLengthenTheRightTicks)
{
    for (bool dates : {false, true}) {
        Pass p;
        p.doc.DisplayItemTable(DisplayRow::DrillDate, DisplayCol::Shown) = dates ? "1" : "0";
        ASSERT_TRUE(p.draw());
        const PageGeometry g = p.body(0);
        const double right = ColumnEdges::compute(p.doc)[24];
        auto tickTo = [&](double depth, double x) {
            const auto h = p.horizontalsAt(g.PageY(depth));
            return std::any_of(h.begin(), h.end(), [&](const Call& l) {
                return l.points[0].x == g.PageX(right) && l.points[1].x == g.PageX(x);
            });
        };
        EXPECT_TRUE(tickTo(4.0, right - (dates ? 2.0 : 1.0))) << dates;
        EXPECT_EQ(tickTo(4.5, right - 1.6), dates);
        EXPECT_EQ(tickTo(4.2, right - 1.0), dates);
    }
}

TEST(DrawLogPage, SurveyNameLinesAndTheirUnderlines)
{
    for (bool compact : {false, true}) {
        for (bool underline : {false, true}) {
            Pass p;
            p.doc.HeaderTable(HeaderEntry::SurveyName) = sj("土壌調査");
            p.doc.HeaderTable(HeaderEntry::ProjectName) = sj("整備工事");
            p.doc.HeaderTable(HeaderEntry::CompactHeader) = compact ? "1" : "0";
            p.doc.HeaderTable(HeaderEntry::HeaderUnderline) = underline ? "1" : "0";
            ASSERT_TRUE(p.draw());
            PageGeometry header;
            header.setUp(600, 600, 5, 5, 100, 100);
            header.enterHeaderPhase(false, 100);
            const std::string line1 = compact ? sj("調　 査　 名  土壌調査") : sj("調　 査　 名    土壌調査");
            auto t1 = p.text(line1);
            ASSERT_TRUE(t1) << compact;
            EXPECT_EQ(t1->points[0], (DevPoint{header.PageX(28.0), header.PageY(-9.58)}));
            EXPECT_EQ(t1->align, AlignLeftBottom);
            auto line2 = p.text(sj("事業・工事名    整備工事"));
            EXPECT_EQ(line2.has_value(), !compact);
            // Underline: from 28 mm to 28 mm + the line's extent, on the text bottom.
            const int width = RecordingDevice::extentOf(line1, t1->font);
            const int x2 = header.PageX(28.0 + header.deviceToPageMm(width));
            const auto under = p.horizontalsAt(header.PageY(-9.58));
            const bool found = std::any_of(under.begin(), under.end(), [&](const Call& l) {
                return l.points[0].x == header.PageX(28.0) && l.points[1].x == x2;
            });
            EXPECT_EQ(found, !compact || underline) << compact << underline;
        }
    }
}

TEST(DrawLogPage, FooterCompanyNameAndTheTopLineOverTheGraphs)
{
    Pass p;
    p.doc.HeaderTable(HeaderEntry::Company) = sj("株式会社　地質");
    p.view.depthScaleDenominator = 200;
    ASSERT_TRUE(p.draw());
    const PageGeometry g = p.body(0);
    const ColumnEdges X = ColumnEdges::compute(p.doc);
    // The header block writes it too; the footer is the last.
    const auto all = p.dev.textsEqual(sj("株式会社　地質"));
    ASSERT_EQ(all.size(), 2u);
    const Call* t = &all.back();
    EXPECT_EQ(t->align, AlignRightTop);
    EXPECT_EQ(t->points[0], (DevPoint{g.PageX(X[24] - 3.0), g.PageY(20 + 0.4)})); // 2 mm at 1/200
    EXPECT_EQ(t->font.height, 83);
    EXPECT_FALSE(t->clip);

    const auto& calls = p.dev.calls();
    const Call& last = calls.back();
    EXPECT_EQ(last.op, Op::Polyline);
    EXPECT_EQ(last.points,
              (std::vector<DevPoint>{{g.PageX(X[15]), g.PageY(0)}, {g.PageX(X[24]), g.PageY(0)}}));
}

TEST(DrawLogPage, PageLabel)
{
    struct Case
    {
        const char* name;
        std::string before, first, after;
        int page;
        std::string expected;
    };
    const Case cases[] = {
        {"numbered from 3, page 2", "P-", "3", sj(" 頁"), 2, "P-4" + sj(" 頁")},
        {"first page", "", "1", "", 1, "1"},
        {"not a number is joined", sj("付録"), "A", "-", 2, sj("付録") + "A-"},
        {"empty draws nothing", "", "", "", 1, ""},
        {"the largest first number goes on counting", "", "99999999999", "", 2, "2147483648"},
    };
    for (const Case& c : cases) {
        Document doc;
        doc.HeaderTable(HeaderEntry::PagePrefix) = c.before;
        doc.HeaderTable(HeaderEntry::FirstPage) = c.first;
        doc.HeaderTable(HeaderEntry::PageSuffix) = c.after;
        EXPECT_EQ(pageLabelText(doc, c.page), c.expected) << c.name;
    }
}

TEST(DrawLogPage, PageLabelReferences)
{
    struct Case
    {
        const char* name;
        const char *vertical, *horizontal;
        int depthDenominator;
    };
    for (const Case& c :
         {Case{"top edge, left", "0", "0", 100}, Case{"top edge, centred", "0", "1", 100},
          Case{"under the frame, left", "1", "0", 100}, Case{"under the frame at 1/200", "1", "1", 200},
          Case{"top edge at 1/200", "0", "0", 200}}) {
        Pass p;
        p.view.depthScaleDenominator = c.depthDenominator;
        p.view.printingNow = true;
        p.view.currentPage = 2;
        p.doc.HeaderTable(HeaderEntry::PagePrefix) = "No.";
        p.doc.HeaderTable(HeaderEntry::FirstPage) = "3";
        p.doc.HeaderTable(HeaderEntry::PageTopFrom) = c.vertical;
        p.doc.HeaderTable(HeaderEntry::PageTopFromPaper) = "12";
        p.doc.HeaderTable(HeaderEntry::PageTopFromLine) = "6";
        p.doc.HeaderTable(HeaderEntry::PageLeftFrom) = c.horizontal;
        p.doc.HeaderTable(HeaderEntry::PageLeft) = "20";
        p.doc.HeaderTable(HeaderEntry::PageCentreOffset) = "140";
        ASSERT_TRUE(p.draw());
        auto t = p.text("No.4");
        ASSERT_TRUE(t) << c.name;
        EXPECT_EQ(t->font.height, 75) << c.name;
        const double pxPerMm = 600 * kInchesPerMm;
        // x from the paper's left edge (no margin), at the horizontal scale.
        const double x = c.horizontal[0] == '1' ? 140 : 20;
        EXPECT_EQ(t->points[0].x, static_cast<int>(x * pxPerMm)) << c.name;
        EXPECT_EQ(t->align, c.horizontal[0] == '1' ? AlignCentreTop : AlignLeftTop) << c.name;
        if (c.vertical[0] == '0') {
            EXPECT_NEAR(t->points[0].y, 12 * pxPerMm, 1) << c.name;
        } else {
            // Page 2 of 20 m pages runs from 20 to 40 m.
            const int bottom = p.body(20).PageY(40);
            EXPECT_NEAR(t->points[0].y, bottom + 6 * pxPerMm, 1) << c.name;
        }
    }
}

TEST(DrawLogPage, ValuesHandedToTheColumns)
{
    Document doc;
    doc.SampleTable(1, SampleCol::Top) = "1.00";
    doc.SampleTable(1, SampleCol::Bottom) = "2.00";
    doc.SampleTable(2, SampleCol::Top) = "3.00";
    doc.SampleTable(3, SampleCol::Top) = "5.00";
    doc.SampleTable(3, SampleCol::Bottom) = "5.50";
    doc.SampleTable(4, SampleCol::Top) = "x";
    doc.SampleTable(5, SampleCol::Top) = "9.00";
    EXPECT_EQ(computeSampleMidDepths(doc), (std::vector<double>{1.5, 3.0, 5.25}));
    // A bottom that is no number is no bottom: the points sit at the top depth.
    for (const char* bottom : {"?", "－", " ", "　", "x1"}) {
        doc.SampleTable(2, 2) = sj(bottom);
        EXPECT_EQ(computeSampleMidDepths(doc), (std::vector<double>{1.5, 3.0, 5.25})) << bottom;
    }
    doc.SampleTable(2, 2) = sj("　4.00");
    EXPECT_EQ(computeSampleMidDepths(doc), (std::vector<double>{1.5, 3.5, 5.25}));
    doc.SampleTable(2, 2).clear();

    struct Case
    {
        const char *elevation, *angle;
        double expectedElevation, expectedAngle;
    };
    for (const Case& c :
         {Case{"12.30", "30", 12.3, 30}, Case{"", "0.1", -999.99, 0}, Case{"T.P.", "180", -999.99, 180},
          Case{"-3.5", "180.5", -3.5, 0}, Case{" 4", "abc", 4, 0}, Case{"0", "0.2", 0, 0.2}}) {
        doc.HeaderTable(HeaderEntry::Elevation) = c.elevation;
        doc.HeaderTable(HeaderEntry::HoleAngle) = c.angle;
        EXPECT_DOUBLE_EQ(groundElevationOf(doc), c.expectedElevation) << c.elevation;
        EXPECT_DOUBLE_EQ(boreholeAngleOf(doc), c.expectedAngle) << c.angle;
    }
}

TEST(DrawLogPage, HeaderBandsOfBothModesAndGeometryReset)
{
    // The last line (the top line over the graphs) lies on the page top of the mode's band.
    for (bool compact : {false, true}) {
        Pass p;
        p.doc.HeaderTable(HeaderEntry::CompactHeader) = compact ? "1" : "0";
        ASSERT_TRUE(p.draw());
        const double pxPerMm = 600 * kInchesPerMm;
        const int top = p.dev.calls().back().points[0].y;
        EXPECT_NEAR(top, (5 + (compact ? 78.5 : 115)) * pxPerMm, 1) << compact;
    }
}

TEST(DrawLogPage, TheFixtureLogDrawsItsWholeHeader)
{
    Document doc;
    ScriptedPrompter prompter;
    ASSERT_EQ(LoadByPath(doc, test::dataPath("fullheader.bhc"), prompter), FlowResult::Done);
    Settings settings = builtinSettings();
    FontSettings fonts = builtinFonts();
    ViewState view;
    computePaperSize(view, nullptr);
    RecordingDevice dev;
    RenderContext ctx{doc, settings, fonts, view, &prompter};
    ASSERT_TRUE(drawLogPage(dev, ctx));
    EXPECT_TRUE(prompter.entries().empty());
    for (const char* t : {"B-1", "YBM-05DA", "NFD-9", "V-5", " 12.30m", " 15.00m", "45ﾟ", "10ﾟ", "5ﾟ"})
        EXPECT_FALSE(dev.textsEqual(sj(t)).empty()) << t;
    EXPECT_FALSE(dev.textsEqual(sj("令和5年4月1日～令和5年4月15日")).empty());
    EXPECT_FALSE(dev.textsEqual(sj(" 35ﾟ41'22.5\"")).empty());
    EXPECT_FALSE(dev.textsEqual(sj("No.1 頁")).empty());
    EXPECT_EQ(dev.ofKind(Op::Polygon).size(), 3u); // three arrowheads
}
