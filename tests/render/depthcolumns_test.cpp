// The depth columns through the recording device: groundwater levels and
// their mark, samples with their figures and the elevation variant, notes
// that never overlap and their underlines, the three placements of a stratum
// name, the free column, the grain-size bar and its hatches, the casing pipe
// and the drilling dates.

#include "render/detail/depthcolumns.h"

#include "columnpass.h"
#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/textformat.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace qc;
using namespace qc::test;

namespace {

struct Columns : ColumnPass
{
    std::vector<Call> textsAt(double x) const
    {
        std::vector<Call> out;
        for (const Call& c : dev.texts())
            if (c.points[0].x == px(x)) out.push_back(c);
        return out;
    }
    // Five-point outlines (rectangles).
    std::vector<Call> outlines() const
    {
        std::vector<Call> out;
        for (const Call& c : dev.ofKind(Op::Polyline))
            if (c.points.size() == 5) out.push_back(c);
        return out;
    }
};

bool isAt(const Call& c, int x, int y)
{
    return c.points[0].x == x && c.points[0].y == y;
}

} // namespace

TEST(WaterLevelColumn, LevelsBelowAndAboveTheGround)
{
    Columns p;
    auto& W = p.doc.WaterLevelTable;
    const char* rows[][4] = {
        {"-1.20", "04/12", "", "3"},     {"+0.50", "04/13", "自噴", "3"}, {"+6.50", "04/14", "高い", "3"},
        {"-7.00", "04/15", "洗浄", "1"}, {"+6.00", "04/16", "", "1"},     {"-0.10", "", "", "1"},
        {"-3.00", "04/17", "記事", "0"},
    };
    int r = 1;
    for (const auto& row : rows) {
        for (int c = 0; c < 4; ++c) W(r, c + 1) = sj(row[c]);
        ++r;
    }
    LogPass& pass = p.body();
    const double h = p.h();
    drawWaterLevelColumn(pass, h, p.w());
    const double inside = p.X(12) + 0.5, outside = p.X(12) - 3.0;

    // A note under a level starts on the level's baseline instead of printing over it.
    struct Expect
    {
        const char* text;
        double x, y;
        TextAlign align = AlignLeftBaseline;
    } expected[] = {
        {" 1.20", inside, 1.20 - 0.8 * h},
        {"04/12", inside, 1.20 - 1.6 * h},
        {"+0.50", outside, -0.5 - 0.8 * h},
        {"04/13", outside, -0.5 - 1.6 * h},
        {"自噴", outside, -0.5 - 0.8 * h, AlignLeftTop},
        {" 7.00", inside, 7.0 - 0.8 * h},
        {"洗浄", inside, 7.0 - 0.8 * h, AlignLeftTop},
        {"+6.00", outside, -6.0 - 0.8 * h},
        {" 0.10", outside, 0.1 - 0.8 * h},
        {"記事", inside, 3.0 - 0.2 * h},
    };
    for (const Expect& e : expected) {
        bool found = false;
        for (const Call& c : p.dev.textsEqual(sj(e.text)))
            if (isAt(c, p.px(e.x), p.py(e.y))) {
                found = true;
                EXPECT_EQ(c.align, e.align) << e.text;
            }
        EXPECT_TRUE(found) << e.text;
    }
    // More than 6 m above the ground is skipped; a level of 6 m is not.
    EXPECT_TRUE(p.dev.textsEqual(sj("高い")).empty());
    EXPECT_TRUE(p.dev.textsEqual("04/14").empty());
    // Without bit 1 no level and no mark; without bit 2 no date.
    EXPECT_TRUE(p.dev.textsEqual(" 3.00").empty());
    EXPECT_TRUE(p.dev.textsEqual("04/15").empty());
    EXPECT_TRUE(p.hasLine(p.X(12) + 1.2 - 1.6, 7.0, p.X(12) + 1.2 + 1.6, 7.0));
    EXPECT_FALSE(p.hasLine(p.X(12) + 1.2 - 1.6, 3.0, p.X(12) + 1.2 + 1.6, 3.0));
    EXPECT_FALSE(p.hasLine(p.X(12) + 1.2 - 1.6, -6.5, p.X(12) + 1.2 + 1.6, -6.5));
}

TEST(WaterLevelColumn, TheMark)
{
    Columns p;
    drawWaterMark(p.body(), 50.0, 2.0);
    const auto lines = p.lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(p.hasLine(50.0, 2.0, 49.2, 1.84));
    EXPECT_TRUE(p.hasLine(49.2, 1.84, 50.8, 1.84));
    EXPECT_TRUE(p.hasLine(50.8, 1.84, 50.0, 2.0));
    EXPECT_TRUE(p.hasLine(48.4, 2.0, 51.6, 2.0));
    EXPECT_TRUE(p.hasLine(49.2, 2.04, 50.8, 2.04));
    EXPECT_TRUE(p.hasLine(49.8, 2.08, 50.2, 2.08));
}

TEST(DrillDateColumn, SplitDateWithItsSlantedStroke)
{
    Columns p;
    p.doc.DrillDateTable(1, DrillDateCol::Depth) = "5.00";
    p.doc.DrillDateTable(1, DrillDateCol::Date) = "4/12";
    p.doc.DrillDateTable(2, DrillDateCol::Depth) = "6.00";
    p.doc.DrillDateTable(2, DrillDateCol::Date) = sj("終了");
    LogPass& pass = p.body();
    const double h = p.h(), x = p.X(23);
    drawDrillDateColumn(pass, h, p.w());
    const auto month = p.text("4"), day = p.text("12"), other = p.text(sj("終了"));
    ASSERT_TRUE(month && day && other);
    EXPECT_TRUE(isAt(*month, p.px(x + 0.4), p.py(5.0 - 0.9 * h)));
    EXPECT_TRUE(isAt(*day, p.px(x + 0.8), p.py(5.0)));
    EXPECT_TRUE(isAt(*other, p.px(x), p.py(6.0)));
    EXPECT_EQ(day->align, AlignLeftBaseline);
    EXPECT_TRUE(p.hasLine(x + 0.6, 5.0 - 0.8 * h, (x + p.X(24) + 1) / 2, 5.0 - h));
    EXPECT_TRUE(p.hasLine(x, 5.0, p.X(24), 5.0));
    EXPECT_TRUE(p.hasLine(x, 6.0, p.X(24), 6.0));
}

TEST(SampleColumn, DepthsOrElevations)
{
    for (const bool elevations : {false, true}) {
        Columns p;
        p.doc.HeaderTable(HeaderEntry::Elevation) = "10.00";
        p.doc.HeaderTable(HeaderEntry::ShowElevation) = elevations ? "1" : "0";
        p.doc.SampleTable(1, SampleCol::Top) = "1.00";
        p.doc.SampleTable(1, SampleCol::Bottom) = "1.50";
        p.doc.SampleTable(1, SampleCol::Number) = "S-1";
        p.doc.SampleTable(1, SampleCol::Method) = "T";
        LogPass& pass = p.body();
        const double h = p.h();
        drawSampleColumn(pass, h, p.w());
        const auto figures = p.textsAt(p.X(13) + 3.7);
        ASSERT_EQ(figures.size(), 2u) << elevations;
        EXPECT_EQ(figures[0].text, elevations ? " 9.00" : " 1.00");
        EXPECT_EQ(figures[1].text, elevations ? " 8.50" : " 1.50");
        EXPECT_EQ(figures[0].points[0].y, p.py(1.00));
        EXPECT_EQ(figures[1].points[0].y, p.py(1.50));

        // Lines at both depths, the bar between them, the number and the method in its circle.
        EXPECT_TRUE(p.hasLine(p.X(13), 1.00, p.X(13) + 7.4, 1.00));
        EXPECT_TRUE(p.hasLine(p.X(13), 1.50, p.X(13) + 7.4, 1.50));
        const auto bars = p.dev.ofKind(Op::Rectangle);
        ASSERT_EQ(bars.size(), 1u);
        EXPECT_EQ(bars[0].rect, (DevRect{p.px(p.X(13)), p.py(1.00), p.px(p.X(13) + 0.5), p.py(1.50)}));
        EXPECT_EQ(bars[0].brush, Brush::solidColour(0));
        const auto number = p.text("S-1");
        ASSERT_TRUE(number);
        EXPECT_EQ(number->points[0].x, p.px(p.X(13) + 7.4 + 0.5));
        const double methodX = (p.X(13) + 14.0 + p.X(14)) / 2;
        const auto method = p.text("T");
        ASSERT_TRUE(method);
        EXPECT_EQ(method->points[0].x, p.px(methodX));
        EXPECT_EQ(method->align, AlignCentreTop);
        const auto circles = p.dev.ofKind(Op::Arc);
        ASSERT_EQ(circles.size(), 1u);
        EXPECT_EQ((circles[0].rect.left + circles[0].rect.right) / 2, p.px(methodX));
        EXPECT_EQ(circles[0].rect.bottom - circles[0].rect.top, 2 * p.pass->canvas.deviceRadiusY(h / 2));
    }
}

TEST(SampleColumn, NoElevationWritesNoFigures)
{
    Columns p;
    p.doc.HeaderTable(HeaderEntry::ShowElevation) = "1";
    p.doc.SampleTable(1, SampleCol::Top) = "1.00";
    p.doc.SampleTable(1, SampleCol::Bottom) = "1.50";
    drawSampleColumn(p.body(), p.h(), p.w());
    EXPECT_TRUE(p.textsAt(p.X(13) + 3.7).empty());
    EXPECT_TRUE(p.hasLine(p.X(13), 1.00, p.X(13) + 7.4, 1.00));
}

TEST(SampleColumn, FigureAlignment)
{
    struct Case
    {
        const char* name;
        int position;    // StyleSettings line 5
        const char* top; // second sample
        const char* bottom;
        TextAlign topAlign, bottomAlign;
        bool bottomWritten;
    } cases[] = {
        {"above the line", 0, "3.00", "4.00", AlignCentreBottom, AlignCentreBottom, true},
        // The bottom figure would print over the top one: it starts on the top figure's baseline.
        {"above, short sample", 0, "3.00", "3.10", AlignCentreBottom, AlignCentreTop, true},
        {"below the line", 1, "3.00", "3.10", AlignCentreBottom, AlignCentreTop, true},
        {"not written", 2, "3.00", "4.00", AlignCentreBottom, AlignCentreBottom, false},
        // The previous bottom figure hangs below 2.00: the next top figure starts below it.
        {"close below the previous bottom", 1, "2.10", "2.80", AlignCentreTop, AlignCentreTop, true},
    };
    for (const Case& c : cases) {
        Columns p;
        p.settings.setInt(5, c.position);
        p.doc.SampleTable(1, SampleCol::Top) = "1.00";
        p.doc.SampleTable(1, SampleCol::Bottom) = "2.00";
        p.doc.SampleTable(2, SampleCol::Top) = c.top;
        p.doc.SampleTable(2, SampleCol::Bottom) = c.bottom;
        drawSampleColumn(p.body(), p.h(), p.w());
        const auto top = p.textsEqual(strprintf("%5.2f", cellDouble(c.top)));
        ASSERT_EQ(top.size(), 1u) << c.name;
        EXPECT_EQ(top[0].align, c.topAlign) << c.name;
        const auto bottom = p.textsEqual(strprintf("%5.2f", cellDouble(c.bottom)));
        ASSERT_EQ(bottom.size(), c.bottomWritten ? 1u : 0u) << c.name;
        if (c.bottomWritten) {
            EXPECT_EQ(bottom[0].align, c.bottomAlign) << c.name;
        }
    }
}

TEST(SampleColumn, ASampleWithATopDepthOnly)
{
    Columns p;
    p.doc.SampleTable(1, SampleCol::Top) = "10.00";
    p.doc.SampleTable(1, SampleCol::Number) = "5";
    drawSampleColumn(p.body(), p.h(), p.w());
    EXPECT_EQ(p.textsEqual("10.00").size(), 1u);
    EXPECT_TRUE(p.dev.ofKind(Op::Rectangle).empty());
    EXPECT_TRUE(p.dev.ofKind(Op::Arc).empty());
    EXPECT_TRUE(p.text("5"));
}

TEST(NotesColumn, NotesNeverOverlapAndUnderlineTheirEnd)
{
    Columns p;
    auto& N = p.doc.NoteTable;
    const std::string longText = sj("薄層。指圧で容易に凹む。油臭あり。油膜あり。含水多い。貝殻片混入。");
    struct Row
    {
        const char *top, *bottom;
        std::string text;
        const char* underline;
    } rows[] = {
        {"0.00", "1.00", sj("表土。"), "1"},   {"1.00", "1.10", longText, ""},
        {"1.10", "3.00", sj("砂。"), "x"},     {"3.00", "4.00", sj("粘土。"), "0"},
        {"4.00", "5.00", sj("礫。\r\n"), "2"},
    };
    int r = 1;
    for (const Row& row : rows) {
        N(r, NoteCol::Top) = row.top;
        N(r, NoteCol::Bottom) = row.bottom;
        N(r, NoteCol::Text) = row.text;
        N(r, NoteCol::Underline) = row.underline;
        ++r;
    }
    LogPass& pass = p.body();
    drawNotesColumn(pass, p.h(), p.w());
    const auto boxes = p.dev.ofKind(Op::TextInRect);
    ASSERT_EQ(boxes.size(), 5u);
    const double x9 = p.X(9), x10 = p.X(10);
    // A trailing line break is added once.
    EXPECT_EQ(boxes[0].text, sj("表土。\r\n"));
    EXPECT_EQ(boxes[4].text, sj("礫。\r\n"));
    // The first note starts 0.03 below the top of the column, its text 0.1 further down.
    EXPECT_EQ(boxes[0].rect.top, p.py(0.13) + 1);
    EXPECT_EQ(boxes[0].rect.left, p.px(x9 + 0.2) + 1);
    EXPECT_EQ(boxes[0].rect.right, p.px(x10 + 0.8) - 1);
    EXPECT_TRUE(p.hasLine(x9 + 1, 1.00, x10 - 1, 1.00));

    // The long note runs past 1.10: it is underlined below its last line, with slants.
    const int width = (p.px(x10 + 0.8) - 1) - (p.px(x9 + 0.2) + 1);
    const auto lines = RecordingDevice::layoutLines(longText, width, TextFormat::WordBreak, p.dev.font());
    ASSERT_GE(lines.size(), 2u);
    const double end = 1.03 + 0.1 + pass.geo.deviceToYUnits(static_cast<double>(lines.size()) * 66);
    EXPECT_TRUE(p.hasLine(x9, 1.10, x9 + 1, end));
    EXPECT_TRUE(p.hasLine(x9 + 1, end, x10 - 1, end));
    EXPECT_TRUE(p.hasLine(x10 - 1, end, x10, 1.10));
    // The next note starts below it, although its top depth is 1.10.
    EXPECT_EQ(boxes[2].rect.top, p.py(end + 0.03 + 0.1) + 1);
    // Underline flags: "x" and "" are on, "0" and "2" off.
    EXPECT_TRUE(p.hasLine(x9 + 1, 3.00, x10 - 1, 3.00));
    EXPECT_FALSE(p.hasLine(x9 + 1, 4.00, x10 - 1, 4.00));
    EXPECT_FALSE(p.hasLine(x9 + 1, 5.00, x10 - 1, 5.00));
}

TEST(NotesColumn, ANarrowColumnDrawsNothing)
{
    Columns p;
    p.doc.DisplayItemTable(DisplayRow::Notes, DisplayCol::Width) = "0.9";
    p.doc.NoteTable(1, NoteCol::Top) = "0.00";
    p.doc.NoteTable(1, NoteCol::Bottom) = "1.00";
    p.doc.NoteTable(1, NoteCol::Text) = sj("表土。");
    drawNotesColumn(p.body(), p.h(), p.w());
    EXPECT_TRUE(p.dev.calls().empty());
}

TEST(StratumColumn, ThreePlacementsOfTheName)
{
    Columns p;
    auto& S = p.doc.StratumTable;
    const char* rows[][3] = {
        {"0.00", "3.00", "沖積層"}, // room for one character per line
        {"3.00", "3.70", "洪積層"}, // closer lines
        {"3.70", "4.00", "岩盤層"}, // one piece
        {"4.00", "x", "無視"},      // no bottom: skipped
        {"5.00", "6.00", "Dg"},
    };
    int r = 1;
    for (const auto& row : rows) {
        for (int c = 0; c < 3; ++c) S(r, c + 1) = sj(row[c]);
        ++r;
    }
    LogPass& pass = p.body();
    drawStratumColumn(pass, p.h(), p.w());
    const double lambda = pass.geo.deviceToYUnits(66); // one line of "あ"
    const double x = p.X(10) + 0.2;
    auto at = [&](const char* ch, double y) {
        for (const Call& c : p.dev.textsEqual(sj(ch)))
            if (isAt(c, p.px(x), p.py(y))) return true;
        return false;
    };
    const double s1 = 1.5 - 1.5 * lambda;
    EXPECT_TRUE(at("沖", s1));
    EXPECT_TRUE(at("積", s1 + lambda));
    EXPECT_TRUE(at("層", s1 + 2 * lambda));
    const double s2 = 3.35 - 3 * 0.7 * lambda / 2;
    EXPECT_TRUE(at("洪", s2));
    EXPECT_TRUE(at("積", s2 + 0.7 * lambda));
    EXPECT_TRUE(at("層", s2 + 1.4 * lambda));
    EXPECT_GE(s2, 3.00); // the closer stack stays inside its interval
    // In one piece the name is wider than the column: shrunk, then cut with "…".
    EXPECT_TRUE(at("岩…", 3.80));
    EXPECT_TRUE(p.dev.textsEqual(sj("無視")).empty());
    EXPECT_TRUE(at("D", 5.5 - lambda));
    EXPECT_TRUE(at("g", 5.5));
    // Interval lines with their ticks.
    EXPECT_TRUE(p.hasLine(p.X(10), 3.00, p.X(11), 3.00));
    EXPECT_TRUE(p.hasLine(p.X(10), 3.00, p.X(10) + 0.4, 3.30));
    EXPECT_TRUE(p.hasLine(p.X(10), 3.70, p.X(10) + 0.4, 3.40));
}

TEST(FreeColumn, PlacementUnderlinesAndBaseline)
{
    struct Case
    {
        const char* placement;
        HAlign align;
        double dx; // from X11, or from X12 for right alignment
        bool fromRight;
    } cases[] = {
        {"", HAlign::Left, 0.2, false},  {"abc", HAlign::Left, 0.2, false}, {"0", HAlign::Left, 0.2, false},
        {"1", HAlign::Centre, 0, false}, {"2", HAlign::Right, -0.2, true},  {"3", HAlign::Centre, 0, false},
    };
    for (const Case& c : cases) {
        Columns p;
        p.doc.HeaderTable(HeaderEntry::FreeColumnOption) = c.placement;
        auto& F = p.doc.FreeColumnTable;
        F(1, FreeCol::Depth) = "1.00", F(1, FreeCol::Text) = "A", F(1, FreeCol::Underline) = "1";
        F(2, FreeCol::Depth) = "1.10", F(2, FreeCol::Text) = "B", F(2, FreeCol::Underline) = "2";
        F(3, FreeCol::Depth) = "5.00", F(3, FreeCol::Text) = "C", F(3, FreeCol::Underline) = "3";
        F(4, FreeCol::Depth) = "6.00", F(4, FreeCol::Text) = "D", F(4, FreeCol::Underline) = "";
        drawFreeColumn(p.body(), p.h(), p.w());
        const double x =
            c.align == HAlign::Centre ? (p.X(11) + p.X(12)) / 2 : (c.fromRight ? p.X(12) : p.X(11)) + c.dx;
        const auto a = p.text("A"), b = p.text("B"), cc = p.text("C");
        ASSERT_TRUE(a && b && cc) << c.placement;
        EXPECT_EQ(a->points[0].x, p.px(x)) << c.placement;
        EXPECT_EQ(a->align, (TextAlign{c.align, VAlign::Bottom})) << c.placement;
        // B, 0.1 m below A, would print over it: it starts where A ends.
        EXPECT_EQ(b->align, (TextAlign{c.align, VAlign::Top})) << c.placement;
        EXPECT_EQ(b->points[0].y, a->points[0].y) << c.placement;
        EXPECT_EQ(cc->align, (TextAlign{c.align, VAlign::Bottom})) << c.placement;
        EXPECT_TRUE(p.hasLine(p.X(11), 1.00, p.X(12), 1.00));
        EXPECT_FALSE(p.hasLine(p.X(11), 1.10, p.X(12), 1.10));
        EXPECT_TRUE(p.hasLine(p.X(11), 5.00, p.X(12), 5.00));
        EXPECT_FALSE(p.hasLine(p.X(11), 6.00, p.X(12), 6.00));
    }
}

TEST(GrainSizeColumn, BarEdgesFollowTheComponents)
{
    Columns p;
    auto& S = p.doc.SampleTable;
    // Columns 5 to 8: gravel, sand, silt, clay; the bar runs clay, silt, sand, gravel.
    S(1, 1) = "1.00", S(1, 2) = "2.00", S(1, 5) = "10", S(1, 6) = "20", S(1, 7) = "30", S(1, 8) = "40";
    S(2, 1) = "3.00", S(2, 2) = "3.50"; // no composition: nothing
    S(3, 1) = "4.00", S(3, 2) = "5.00", S(3, 8) = "100";
    S(4, 1) = "6.00", S(4, 2) = "7.00", S(4, 5) = "60", S(4, 6) = "60"; // over 100: stays in its column
    LogPass& pass = p.body();
    drawGrainSizeColumn(pass, p.h(), p.w());
    const double x14 = p.X(14), W = p.X(15) - p.X(14);
    const auto boxes = p.outlines();
    ASSERT_EQ(boxes.size(), 4u + 1u + 2u);
    const double edges[] = {0, 0.4, 0.7, 0.9, 1.0};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes[static_cast<size_t>(i)].points[0], (DevPoint{p.px(x14 + edges[i] * W), p.py(1.00)}))
            << i;
        EXPECT_EQ(boxes[static_cast<size_t>(i)].points[2],
                  (DevPoint{p.px(x14 + edges[i + 1] * W), p.py(2.00)}))
            << i;
    }
    EXPECT_EQ(boxes[4].points[2].x, p.px(p.X(15)));
    EXPECT_EQ(boxes[6].points[2].x, p.px(p.X(15)));
    // Clay alone: full-width hatch lines from 0.06 below the top, every 0.12.
    EXPECT_TRUE(p.hasLine(x14, 4.06, p.X(15), 4.06));
    EXPECT_TRUE(p.hasLine(x14, 4.18, p.X(15), 4.18));
    EXPECT_TRUE(p.hasLine(x14, 4.90, p.X(15), 4.90));
    EXPECT_FALSE(p.hasLine(x14, 5.02, p.X(15), 5.02));
}

TEST(GrainSizeColumn, ASampleWithoutANumericBottomHasNoBarAndNoLine)
{
    // Bottom cells that are no number: the sample has no interval to fill.
    for (const char* bottom : {"?", "－", "", " ", "　", "abc"}) {
        SCOPED_TRACE(bottom);
        Columns p;
        auto& S = p.doc.SampleTable;
        S(1, 1) = "1.00", S(1, 2) = "2.00", S(1, 8) = "100";
        S(2, 1) = "3.00", S(2, 2) = sj(bottom), S(2, 5) = "50", S(2, 8) = "50";
        LogPass& pass = p.body();
        drawGrainSizeColumn(pass, p.h(), p.w());
        for (const Call& c : p.dev.calls()) {
            if (c.op != Op::Polyline && c.op != Op::Arc) continue;
            EXPECT_LE(c.bounds.bottom, p.py(2.00)); // only the first sample's bar
        }
        EXPECT_EQ(p.outlines().size(), 1u);
        EXPECT_FALSE(p.hasLine(p.X(14), 3.00, p.X(15), 3.00));

        // The samples column marks it at its top depth only.
        p.dev.clear();
        drawSampleColumn(pass, p.h(), p.w());
        EXPECT_EQ(p.textsEqual(" 3.00").size(), 1u);
        EXPECT_EQ(p.lineCount(p.X(13), 3.00, p.X(13) + 7.4, 3.00), 1);
        EXPECT_FALSE(p.hasLine(p.X(13), 0.00, p.X(13) + 7.4, 0.00));
    }
}

TEST(GrainSizeColumn, EveryHatchMarkStaysInsideItsSegment)
{
    Columns p;
    auto& S = p.doc.SampleTable;
    S(1, 1) = "1.00", S(1, 2) = "2.37";
    for (int c = 5; c <= 8; ++c) S(1, c) = "25";
    LogPass& pass = p.body();
    drawGrainSizeColumn(pass, p.h(), p.w());
    const double x14 = p.X(14), W = p.X(15) - p.X(14);
    const auto segmentOf = [&](int x) {
        for (int i = 0; i < 4; ++i)
            if (x >= p.px(x14 + i * W / 4) && x <= p.px(x14 + (i + 1) * W / 4)) return i;
        return -1;
    };
    int marks = 0;
    for (const Call& c : p.dev.calls()) {
        if (c.op != Op::Polyline && c.op != Op::Arc) continue;
        if (c.op == Op::Polyline && c.points.size() == 5) continue; // the outlines
        ++marks;
        EXPECT_GE(c.bounds.top, p.py(1.00));
        EXPECT_LE(c.bounds.bottom, p.py(2.37));
        const int seg = segmentOf(c.bounds.left);
        EXPECT_GE(seg, 0);
        EXPECT_EQ(seg, segmentOf(c.bounds.right)) << c.bounds.left << " " << c.bounds.right;
    }
    EXPECT_GT(marks, 40);
    // Gravel circles have a radius of 0.06 m.
    const auto circles = p.dev.ofKind(Op::Arc);
    ASSERT_FALSE(circles.empty());
    EXPECT_EQ(circles[0].rect.right - circles[0].rect.left, 2 * pass.canvas.deviceRadiusY(0.06));
}

TEST(CasingColumn, PipeKindsChooseTheFill)
{
    struct Case
    {
        const char* text;
        CasingFill fill;
    } cases[] = {
        {"有孔区間　oo", CasingFill::Perforated},
        {"遮水区間　■", CasingFill::WaterSealed},
        {"無孔区間　| |", CasingFill::Blind},
        {"保孔管なし", CasingFill::None},
        {"その他", CasingFill::None},
        {"", CasingFill::None},
        {"有孔・遮水", CasingFill::Perforated},
    };
    for (const Case& c : cases) EXPECT_EQ(casingFillOf(sj(c.text)), c.fill) << c.text;
}

TEST(CasingColumn, IntervalsOnThePage)
{
    Columns p;
    auto& T = p.doc.CasingTable;
    const char* rows[][2] = {
        {"4.00", "有孔"}, {"8.00", "無孔"}, {"8.30", "無孔"}, {"13.00", "遮水"}, {"40.00", "有孔"},
    };
    int r = 1;
    for (const auto& row : rows) {
        T(r, CasingCol::Depth) = row[0];
        T(r, CasingCol::PipeKind) = sj(row[1]);
        ++r;
    }
    p.settings.setInt(27, 2);     // pattern pen 3
    LogPass& pass = p.body(10.0); // the page shows 10 to 30 m
    drawCasingColumn(pass, p.h(), p.w());
    const double x20 = p.X(20), x21 = p.X(21);
    // 0-4 lies above the page: no fill, no line. 4-8 blind: its text lies above the page too.
    for (const Call& c : p.dev.calls()) {
        if (c.op == Op::Clip) {
            EXPECT_GE(c.rect.top, p.py(10.0));
            EXPECT_LE(c.rect.bottom, p.py(30.0));
            EXPECT_EQ(c.rect.left, p.px(x20));
            EXPECT_EQ(c.rect.right, p.px(x21 - 0.1));
        } else if (c.op != Op::ResetClip) {
            EXPECT_TRUE(c.clip || c.bounds.top >= p.py(10.0)) << static_cast<int>(c.op);
        }
    }
    const auto clips = p.dev.ofKind(Op::Clip);
    ASSERT_EQ(clips.size(), 2u); // 8.30-13.00 water-sealed and 13-40 perforated
    EXPECT_EQ(clips[0].rect.top, p.py(10.0));
    EXPECT_EQ(clips[0].rect.bottom, p.py(13.0));
    EXPECT_EQ(clips[1].rect.top, p.py(13.0));
    EXPECT_EQ(clips[1].rect.bottom, p.py(30.0));
    EXPECT_FALSE(p.hasLine(x20, 8.00, x21, 8.00));
    EXPECT_TRUE(p.hasLine(x20, 13.00, x21, 13.00));
    EXPECT_FALSE(p.hasLine(x20, 40.00, x21, 40.00));
    EXPECT_TRUE(p.dev.ofKind(Op::TextInRect).empty());
    // Patterns in the pattern pen (the pattern line setting + 1; 20200 one wider), interval
    // lines in the rule width.
    int patternLines = 0;
    for (const Call& c : p.dev.lines()) {
        if (c.clip) {
            EXPECT_TRUE(c.pen.width == 3 || c.pen.width == 4) << c.pen.width;
            ++patternLines;
        } else {
            EXPECT_EQ(c.pen.width, 1);
        }
    }
    EXPECT_GT(patternLines, 10);
}

TEST(CasingColumn, BlindIntervalsWriteTheirTextWhenLongEnough)
{
    Columns p;
    auto& T = p.doc.CasingTable;
    T(1, CasingCol::Depth) = "1.00", T(1, CasingCol::PipeKind) = sj("保孔管なし");
    T(2, CasingCol::Depth) = "3.00", T(2, CasingCol::PipeKind) = sj("無孔区間　| |");
    T(3, CasingCol::Depth) = "3.40", T(3, CasingCol::PipeKind) = sj("無孔区間　| |");
    T(4, CasingCol::Depth) = "3.81", T(4, CasingCol::PipeKind) = sj("無孔区間　| |");
    drawCasingColumn(p.body(), p.h(), p.w());
    const auto texts = p.dev.ofKind(Op::TextInRect);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, sj("無孔"));
    EXPECT_EQ(texts[0].rect, (DevRect{p.px(p.X(20)) + 1, p.py(1.00) + 1, p.px(p.X(21)) - 1, p.py(3.00) - 1}));
    EXPECT_EQ(texts[1].rect.top, p.py(3.40) + 1);
    for (const char* d : {"1.00", "3.00", "3.40", "3.81"})
        EXPECT_TRUE(p.hasLine(p.X(20), cellDouble(d), p.X(21), cellDouble(d))) << d;
}

TEST(DepthColumns, HiddenColumnsDrawNothing)
{
    Columns p;
    for (int r = 2; r <= 16; ++r) p.doc.DisplayItemTable(r, DisplayCol::Shown) = "0";
    p.doc.NoteTable(1, NoteCol::Top) = "0.00", p.doc.NoteTable(1, NoteCol::Bottom) = "1.00",
                       p.doc.NoteTable(1, NoteCol::Text) = "a";
    p.doc.StratumTable(1, StratumCol::Top) = "0.00", p.doc.StratumTable(1, StratumCol::Bottom) = "1.00",
                          p.doc.StratumTable(1, StratumCol::Name) = "a";
    p.doc.FreeColumnTable(1, FreeCol::Depth) = "1.00", p.doc.FreeColumnTable(1, FreeCol::Text) = "a";
    p.doc.WaterLevelTable(1, WaterCol::Level) = "-1.00", p.doc.WaterLevelTable(1, WaterCol::Flags) = "3";
    p.doc.SampleTable(1, SampleCol::Top) = "1.00", p.doc.SampleTable(1, SampleCol::Bottom) = "2.00",
                         p.doc.SampleTable(1, SampleCol::Clay) = "100";
    p.doc.CasingTable(1, CasingCol::Depth) = "3.00", p.doc.CasingTable(1, CasingCol::PipeKind) = sj("有孔");
    p.doc.DrillDateTable(1, DrillDateCol::Depth) = "1.00",
                            p.doc.DrillDateTable(1, DrillDateCol::Date) = "4/12";
    LogPass& pass = p.body();
    for (auto draw : {drawNotesColumn, drawStratumColumn, drawFreeColumn, drawWaterLevelColumn,
                      drawSampleColumn, drawGrainSizeColumn, drawCasingColumn, drawDrillDateColumn})
        draw(pass, p.h(), p.w());
    for (const Call& c : p.dev.calls()) EXPECT_EQ(c.op, Op::Font) << static_cast<int>(c.op);
}

TEST(DepthColumns, ExtremeCellsKeepThePassBounded)
{
    // Depths far outside any page, unsorted or huge, in every table the columns read, on the
    // first page and on one a thousand kilometres down.
    const char* depths[] = {"1e300", "-1e300", "1e17", "0", "-0.00", "99999", "3", "2.5", "1e-300", "-7"};
    for (const double pageTop : {0.0, 1e6}) {
        const char* deep = pageTop > 0 ? "1e300" : "50";
        Columns p;
        p.view.screenPageTop = pageTop;
        int r = 1;
        for (const char* d : depths) {
            p.doc.GeologyTable(r, GeologyCol::Depth) = d;
            p.doc.GeologyTable(r, GeologyCol::Name) = sj("砂");
            p.doc.GeologyTable(r, GeologyCol::Tone) = sj("灰");
            p.doc.GeologyTable(r, GeologyCol::Attributes) = "503";
            p.doc.GeologyTable(r, GeologyCol::VectorName) = "600.0";
            p.doc.NoteTable(r, NoteCol::Top) = d, p.doc.NoteTable(r, NoteCol::Bottom) = deep,
                               p.doc.NoteTable(r, NoteCol::Text) = sj("記事");
            p.doc.FreeColumnTable(r, FreeCol::Depth) = d, p.doc.FreeColumnTable(r, FreeCol::Text) = "a",
                                     p.doc.FreeColumnTable(r, FreeCol::Underline) = "1";
            p.doc.WaterLevelTable(r, WaterCol::Level) = d, p.doc.WaterLevelTable(r, WaterCol::Flags) = "3";
            p.doc.SampleTable(r, SampleCol::Top) = d, p.doc.SampleTable(r, SampleCol::Bottom) = deep;
            for (int c = 5; c <= 8; ++c) p.doc.SampleTable(r, c) = "25";
            p.doc.CasingTable(r, CasingCol::Depth) = d,
                                 p.doc.CasingTable(r, CasingCol::PipeKind) = sj(r % 2 ? "有孔" : "遮水");
            p.doc.DrillDateTable(r, DrillDateCol::Depth) = d,
                                    p.doc.DrillDateTable(r, DrillDateCol::Date) = "4/12";
            if (r <= 10)
                p.doc.StratumTable(r, StratumCol::Top) = d, p.doc.StratumTable(r, StratumCol::Bottom) = deep,
                                      p.doc.StratumTable(r, StratumCol::Name) = "A";
            ++r;
        }
        p.doc.HeaderTable(HeaderEntry::Elevation) = "1e300";
        p.doc.HeaderTable(HeaderEntry::ShowElevation) = "1";
        EXPECT_TRUE(drawLogPage(p.dev, p.ctx)) << deep;
        EXPECT_LT(p.dev.calls().size(), 2000000u) << deep;
        for (const Call& c : p.dev.calls())
            for (const DevPoint& pt : c.points) {
                ASSERT_LE(std::abs(pt.x), kDeviceCoordLimit);
                ASSERT_LE(std::abs(pt.y), kDeviceCoordLimit);
            }
    }
}

TEST(SampleColumn, ExceedanceMarkBeforeTheNumber)
{
    struct Case
    {
        const char* name;
        const char* value; // test 3, reference 0.01
        const char* blackAndWhite;
        bool marked;
        Colour colour;
    } cases[] = {
        {"above the reference", "0.02", "0", true, makeColour(255, 0, 0)},
        {"black and white", "0.02", "1", true, 0},
        {"at the reference", "0.01", "0", false, 0},
        {"limit above the reference", "<0.02", "0", false, 0},
    };
    for (const Case& c : cases) {
        Columns p;
        p.doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols) = c.blackAndWhite;
        p.doc.TestNameTable(3, TestCol::Reference) = "0.01";
        p.doc.SampleTable(1, SampleCol::Top) = "1.00";
        p.doc.SampleTable(1, SampleCol::Bottom) = "2.00";
        p.doc.SampleTable(1, SampleCol::Number) = "S-1";
        p.doc.SampleTable(1, SampleCol::test(3)) = c.value;
        drawSampleColumn(p.body(), p.h(), p.w());
        const auto number = p.text("S-1");
        ASSERT_TRUE(number) << c.name;
        const auto polygons = p.dev.ofKind(Op::Polygon);
        if (!c.marked) {
            EXPECT_TRUE(polygons.empty()) << c.name;
            EXPECT_EQ(number->points[0].x, p.px(p.X(13) + 7.4 + 0.5)) << c.name;
            continue;
        }
        ASSERT_EQ(polygons.size(), 1u) << c.name;
        const Call& mark = polygons[0];
        EXPECT_EQ(mark.brush.colour, c.colour) << c.name;
        ASSERT_EQ(mark.points.size(), 3u) << c.name;
        // Apex up, base below it; wholly before the number, which moves right to make room.
        EXPECT_LT(mark.points[0].y, mark.points[1].y) << c.name;
        EXPECT_EQ(mark.points[1].y, mark.points[2].y) << c.name;
        const int markRight = std::max({mark.points[0].x, mark.points[1].x, mark.points[2].x});
        EXPECT_LT(markRight, number->points[0].x) << c.name;
        EXPECT_GT(std::min({mark.points[0].x, mark.points[1].x, mark.points[2].x}), p.px(p.X(13) + 7.0))
            << c.name;
        // Centred on the number's line.
        const int middle = (mark.points[0].y + mark.points[1].y) / 2;
        EXPECT_NEAR(middle, number->points[0].y + ColumnPass::kFontHeight / 2, 2) << c.name;
    }
}
