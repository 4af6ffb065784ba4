// The test graphs through the recording device: vertical grids (linear and
// logarithmic) with their loop limits, the horizontal depth grid, polylines
// with their breaks, the symbols and their text fall-back, colours, the value
// labels and the heading with its scale numbers.

#include "app/settings.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/recordingdevice.h"
#include "render/detail/graphs.h"
#include "render/logpage.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

using namespace qc;
using qc::test::sj;
using Call = RecordingDevice::Call;
using Op = RecordingDevice::Op;

namespace {

constexpr Colour kV1 = 0x000011, kV2 = 0x000022, kH1 = 0x000033, kH2 = 0x000044;
constexpr Colour kTestColour = 0x0000ff;

// Graph 1 in a 46 mm column from 100 to 146 mm with a 40 mm block (103 to 143 mm), at 600 dpi
// and 1/100, in the body phase of a page from 0 to 20 m. Solid grid pens told apart by colour.
struct Graphs
{
    Document doc;
    Settings settings = builtinSettings();
    FontSettings fonts = builtinFonts();
    ViewState view;
    RenderContext ctx{doc, settings, fonts, view, nullptr};
    RecordingDevice dev{600, 600};
    LogPass pass{ctx, dev};
    static constexpr double x1 = 100, x2 = 146, left = 103, right = 143;
    static constexpr double h = 0.3, w = 1.4; // the body font's character in m and mm

    Graphs()
    {
        doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Shown) = "1";
        doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width) = "46.0";
        doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::GridWidth) = "40.0";
        const int widths[4] = {1, 2, 1, 2};
        for (int g = 0; g < 4; ++g) {
            settings.setInt(12 + 3 * g, widths[g]);
            settings.setInt(13 + 3 * g, 10);
            settings.setInt(14 + 3 * g, 0);
        }
        settings.setText(57, "0x000011");
        settings.setText(58, "0x000022");
        settings.setText(59, "0x000033");
        settings.setText(60, "0x000044");
        pass.gridColours = {kV1, kV2, kH1, kH2};
        pass.geo.setUp(600, 600, 5, 5, 100, 100);
        pass.geo.enterHeaderPhase(false, 100);
        pass.geo.enterBodyPhase(0, false, 100);
        pass.top = 0;
        pass.bottom = 20;
        // Test 1 in slot 1: a red filled circle of 1 mm, polyline 3 px.
        doc.TestNameTable(1, TestCol::Name) = sj("鉛");
        doc.TestNameTable(1, TestCol::Unit) = "mg/L";
        doc.TestNameTable(1, TestCol::Remark) = "0.01";
        doc.TestNameTable(1, TestCol::Symbol) = sj("●");
        doc.TestNameTable(1, TestCol::SymbolSize) = "1.0";
        doc.TestNameTable(1, TestCol::LineWidth) = "3";
        doc.TestNameTable(1, TestCol::Colour) = "0x0000ff";
        slot(1, 1);
    }

    std::string& fmt(int row, int field) { return doc.GraphFormatTable(1, row, field); }
    void linear(const char* step1, const char* step2)
    {
        fmt(4, 1) = "0";
        fmt(4, 2) = step1;
        fmt(4, 3) = step2;
    }
    void logGrid(const char* a, const char* b, const char* g)
    {
        fmt(4, 1) = "1";
        fmt(4, 4) = a;
        fmt(4, 5) = b;
        fmt(4, 6) = g;
    }
    void slot(int s, int test, const char* from = "0", const char* to = "10")
    {
        fmt(4 + s, 1) = std::to_string(test);
        fmt(4 + s, 4) = from;
        fmt(4 + s, 5) = to;
        fmt(4 + s, 8) = from;
        fmt(4 + s, 9) = to;
    }
    // Samples at the given mid depths, with the values of test u.
    void samples(int u, const std::vector<std::pair<double, const char*>>& rows)
    {
        pass.sampleMidDepths.clear();
        for (size_t i = 0; i < rows.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            doc.SampleTable(r, SampleCol::Top) = std::to_string(rows[i].first);
            doc.SampleTable(r, 8 + u) = rows[i].second;
            pass.sampleMidDepths.push_back(rows[i].first);
        }
    }

    int X(double x) const { return pass.geo.PageX(x); }
    int Y(double y) const { return pass.geo.PageY(y); }

    void grid() { drawGraphGrid(pass, 1, x1, x2, pass.top, pass.bottom); }
    void data() { drawGraphData(pass, 1, x1, x2, static_cast<int>(pass.sampleMidDepths.size()), h, w); }
    void labels() { drawGraphLabels(pass, 1, x1, x2, static_cast<int>(pass.sampleMidDepths.size()), h, w); }

    // Device x of the vertical lines drawn in a colour.
    std::multiset<int> verticalsIn(Colour colour) const
    {
        std::multiset<int> out;
        for (const Call& c : dev.lines())
            if (c.pen.colour == colour && c.points[0].x == c.points[1].x) out.insert(c.points[0].x);
        return out;
    }
    std::multiset<int> horizontalsIn(Colour colour) const
    {
        std::multiset<int> out;
        for (const Call& c : dev.lines())
            if (c.pen.colour == colour && c.points[0].y == c.points[1].y) out.insert(c.points[0].y);
        return out;
    }
    // Lines of the test's polyline width.
    std::vector<Call> segments() const
    {
        std::vector<Call> out;
        for (const Call& c : dev.lines())
            if (c.pen.width == 3) out.push_back(c);
        return out;
    }
};

bool containsNear(const std::multiset<int>& xs, int x)
{
    return xs.count(x) || xs.count(x - 1) || xs.count(x + 1);
}

// Device points equal within one unit: the drawing and the test may round a page
// coordinate to either side of a device unit.
::testing::AssertionResult near(const std::vector<DevPoint>& a, const std::vector<DevPoint>& b)
{
    bool same = a.size() == b.size();
    for (size_t i = 0; same && i < a.size(); ++i)
        same = std::abs(a[i].x - b[i].x) <= 1 && std::abs(a[i].y - b[i].y) <= 1;
    if (same) return ::testing::AssertionSuccess();
    auto text = [](const std::vector<DevPoint>& v) {
        std::string s;
        for (const DevPoint& p : v) s += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
        return s;
    };
    return ::testing::AssertionFailure() << text(a) << " vs " << text(b);
}
::testing::AssertionResult near(DevPoint a, DevPoint b)
{
    return near(std::vector<DevPoint>{a}, std::vector<DevPoint>{b});
}

} // namespace

TEST(GraphGrid, LinearStepsOverFortyMillimetres)
{
    Graphs t;
    t.linear("10", "2");
    t.grid();
    // Grid-1 at 0, 10, 20, 30, 40 mm (the ends once from the step loop's start and once as ends).
    const std::multiset<int> ones = t.verticalsIn(kV1);
    const std::set<int> distinctOnes(ones.begin(), ones.end());
    std::set<int> expectedOnes;
    for (int mm = 0; mm <= 40; mm += 10) expectedOnes.insert(t.X(t.left + mm));
    EXPECT_EQ(distinctOnes, expectedOnes);
    // Grid-2 every 2 mm strictly inside the block.
    std::multiset<int> expectedTwos;
    for (int mm = 2; mm < 40; mm += 2) expectedTwos.insert(t.X(t.left + mm));
    EXPECT_EQ(t.verticalsIn(kV2), expectedTwos);
    // Lines run over the whole page.
    for (const Call& c : t.dev.lines()) {
        EXPECT_EQ(c.points[0].y, t.Y(0));
        EXPECT_EQ(c.points[1].y, t.Y(20));
    }
}

TEST(GraphGrid, LinearLoopsStopAtFourHundredLines)
{
    Graphs t;
    t.doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width) = "1000.0";
    t.doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::GridWidth) = "900.0";
    t.linear("0.1", "0.1");
    drawGraphGrid(t.pass, 1, 0, 1000, 0, 20);
    EXPECT_EQ(t.verticalsIn(kV2).size(), 400u);
    EXPECT_EQ(t.verticalsIn(kV1).size(), 402u);

    // Steps below 0.1 mm draw only the two ends.
    Graphs u;
    u.linear("0.05", "0");
    u.grid();
    EXPECT_EQ(u.verticalsIn(kV1), (std::multiset<int>{u.X(u.left), u.X(u.right)}));
    EXPECT_TRUE(u.verticalsIn(kV2).empty());
}

TEST(GraphGrid, LogarithmicFromOneThousandthToTen)
{
    Graphs t;
    t.logGrid("0.001", "10", "5");
    t.grid();
    auto xOf = [&](double v) { return t.X(t.left + (std::log10(v) + 3) / 4 * 40); };
    const std::multiset<int> ones = t.verticalsIn(kV1);
    const std::multiset<int> twos = t.verticalsIn(kV2);
    // The ends, then 1 to 9 times every decade inside: 8 in the first decade, 9 in the three others.
    EXPECT_EQ(ones.size(), 2u + 8 + 27);
    EXPECT_TRUE(containsNear(ones, xOf(0.001)));
    EXPECT_TRUE(containsNear(ones, xOf(10)));
    for (double v : {0.002, 0.009, 0.01, 0.05, 1.0, 3.0, 9.0}) EXPECT_TRUE(containsNear(ones, xOf(v))) << v;
    // Grid-2: every 0.1 up to 4.9, every 0.2 from 5.2 on: 36 + 20 in each of the four decades.
    EXPECT_EQ(twos.size(), 4u * 56);
    for (double v : {0.0011, 0.0019, 0.0021, 0.0049, 0.0052, 0.0098, 1.1, 4.9, 5.2, 9.8})
        EXPECT_TRUE(containsNear(twos, xOf(v))) << v;
}

TEST(GraphGrid, LogarithmicBoundsAndStepChoice)
{
    // The smaller bound is taken as the first; g outside 0 to 9 counts as 5.
    Graphs a;
    a.logGrid("10", "0.001", "12");
    a.grid();
    Graphs b;
    b.logGrid("0.001", "10", "5");
    b.grid();
    EXPECT_EQ(a.verticalsIn(kV1), b.verticalsIn(kV1));
    EXPECT_EQ(a.verticalsIn(kV2), b.verticalsIn(kV2));

    // g = 0 steps by 2 from the start of each decade.
    Graphs c;
    c.logGrid("1", "10", "0");
    c.grid();
    EXPECT_EQ(c.verticalsIn(kV2).size(), 36u); // 1.2 ... 9.8 without 2, 3, ... 9

    // Bounds that are not positive, or too close, draw nothing; a huge range stops after 1000 decades.
    for (auto [lo, hi] : {std::pair{"0", "10"}, std::pair{"1", "1"}, std::pair{"-1", "10"}}) {
        Graphs d;
        d.logGrid(lo, hi, "5");
        d.grid();
        EXPECT_TRUE(d.dev.lines().empty()) << lo << " " << hi;
    }
    Graphs e;
    e.logGrid("1e-8", "1e300", "9");
    e.grid();
    EXPECT_LE(e.dev.lines().size(), 2u + 1000u * 90u);
}

TEST(GraphGrid, NarrowBlockDrawsNothing)
{
    Graphs t;
    t.linear("10", "2");
    t.doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::GridWidth) = "0.4";
    t.grid();
    t.samples(1, {{1.0, "2"}, {2.0, "3"}});
    t.data();
    EXPECT_TRUE(t.dev.calls().empty());
}

TEST(DepthGrid, MetresAndHalfMetres)
{
    Graphs t;
    t.settings.setInt(3, 10);
    t.settings.setInt(4, 5);
    t.pass.geo.enterBodyPhase(12.3, false, 100);
    drawDepthGrid(t.pass, 103, 143, 12.3, 14.0);
    // Grid-1 every metre below the page top, grid-2 on the half metres only.
    EXPECT_EQ(t.horizontalsIn(kH1), (std::multiset<int>{t.Y(13.0), t.Y(14.0)}));
    EXPECT_EQ(t.horizontalsIn(kH2), (std::multiset<int>{t.Y(12.5), t.Y(13.5)}));
    for (const Call& c : t.dev.lines()) {
        EXPECT_EQ(c.points[0].x, t.X(103));
        EXPECT_EQ(c.points[1].x, t.X(143));
    }

    // s1 = 0: only the grid-2 lines, none skipped; s2 = 0: only grid-1.
    Graphs u;
    u.settings.setInt(3, 0);
    u.settings.setInt(4, 2);
    drawDepthGrid(u.pass, 103, 143, 0, 1.0);
    EXPECT_EQ(u.horizontalsIn(kH2).size(), 5u); // 0.2 ... 1.0
    EXPECT_TRUE(u.horizontalsIn(kH1).empty());
    Graphs v;
    v.settings.setInt(3, 5);
    v.settings.setInt(4, 0);
    drawDepthGrid(v.pass, 103, 143, 0, 2.0);
    EXPECT_EQ(v.horizontalsIn(kH1), (std::multiset<int>{v.Y(0.5), v.Y(1.0), v.Y(1.5), v.Y(2.0)}));
}

TEST(GraphData, PolylineBreaks)
{
    Graphs t;
    t.linear("10", "2");
    // An empty cell and a text below the quantification limit break the line; so does the
    // attribute bit "not joined to the previous depth" of test 1 (value 2) on row 7.
    t.samples(1, {{1, "1"}, {2, ""}, {3, "3"}, {4, "4"}, {5, "<0.5"}, {6, "6"}, {7, "7"}, {8, "8"}});
    t.doc.SampleTable(7, SampleCol::FirstMask) = "2";
    t.data();
    auto at = [&](double v, double y) { return DevPoint{t.X(t.left + v * 4), t.Y(y)}; };
    const std::vector<Call> segs = t.segments();
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[0].points, (std::vector<DevPoint>{at(3, 3), at(4, 4)}));
    EXPECT_EQ(segs[1].points, (std::vector<DevPoint>{at(7, 7), at(8, 8)}));
    EXPECT_EQ(segs[0].pen.colour, kTestColour);
    // A symbol at every numeric value.
    EXPECT_EQ(t.dev.ofKind(Op::Ellipse).size(), 6u);
}

TEST(GraphData, AttributeMaskOfTheTestsGroup)
{
    // Test 19 is the third of its group: the bit of value 8 in column 58.
    Graphs t;
    t.linear("10", "2");
    t.doc.TestNameTable(19, TestCol::Symbol) = sj("●");
    t.doc.TestNameTable(19, TestCol::SymbolSize) = "1.0";
    t.doc.TestNameTable(19, TestCol::LineWidth) = "3";
    t.slot(1, 19);
    t.samples(19, {{1, "1"}, {2, "2"}, {3, "3"}});
    t.doc.SampleTable(2, SampleCol::FirstMask + 1) = "8";
    t.doc.SampleTable(3, SampleCol::FirstMask) = "8"; // another group's column: no effect
    t.data();
    ASSERT_EQ(t.segments().size(), 1u);
    EXPECT_EQ(t.segments()[0].points[0].y, t.Y(2));
}

TEST(GraphData, LogarithmicScaleSkipsWithoutBreaking)
{
    Graphs t;
    t.logGrid("1", "1000", "5");
    t.slot(1, 1, "0.1", "100");
    // 0 has no logarithm: skipped, and the line joins 1 and 10.
    t.samples(1, {{1, "1"}, {2, "0"}, {3, "10"}});
    t.data();
    auto x = [&](double v) { return t.X(t.left + (std::log10(v) + 1) / 3 * 40); };
    ASSERT_EQ(t.segments().size(), 1u);
    EXPECT_EQ(t.segments()[0].points, (std::vector<DevPoint>{{x(1), t.Y(1)}, {x(10), t.Y(3)}}));

    // A slot whose log scale bound is not positive is skipped.
    Graphs u;
    u.logGrid("1", "1000", "5");
    u.slot(1, 1, "0", "100");
    u.samples(1, {{1, "1"}, {3, "10"}});
    u.data();
    EXPECT_TRUE(u.dev.calls().empty());
}

TEST(GraphData, ScaleWithoutExtentDrawsNothing)
{
    // Without it every point would land at the page's left edge, over the depth scale.
    Graphs t;
    t.linear("10", "2");
    t.slot(1, 1, "", "");
    t.samples(1, {{1, "1"}, {3, "10"}});
    t.data();
    t.labels();
    EXPECT_TRUE(t.dev.calls().empty());
}

TEST(GraphData, SlotsOutsideTheTestRangeAreSkipped)
{
    Graphs t;
    t.linear("10", "2");
    t.fmt(5, 1) = "0";
    t.fmt(6, 1) = "49";
    t.fmt(7, 1) = "abc";
    t.samples(1, {{1, "1"}, {3, "10"}});
    t.data();
    EXPECT_TRUE(t.dev.calls().empty());
}

TEST(GraphData, SymbolTextFallBack)
{
    struct Case
    {
        const char* symbol;
        const char* size;
        bool drawnAsText;
    };
    const Case cases[] = {
        {"＊", "1.0", true},                     // not one of the seven
        {"●", "0", true},                        // size 0
        {"●", "", true},                         // no size
        {"●", "1.0", false}, {"", "1.0", false}, // nothing at all
    };
    for (const Case& c : cases) {
        Graphs t;
        t.linear("10", "2");
        t.doc.TestNameTable(1, TestCol::Symbol) = sj(c.symbol);
        t.doc.TestNameTable(1, TestCol::SymbolSize) = c.size;
        t.samples(1, {{2, "5"}});
        t.data();
        const auto texts = t.dev.texts();
        if (c.drawnAsText) {
            ASSERT_EQ(texts.size(), 1u) << c.symbol << c.size;
            EXPECT_EQ(texts[0].text, sj(c.symbol));
            EXPECT_EQ(texts[0].points[0], (DevPoint{t.X(t.left + 20), t.Y(2 - t.h / 2)}));
            EXPECT_EQ(texts[0].align, AlignCentreTop);
            EXPECT_EQ(texts[0].textColour, kTestColour);
            EXPECT_TRUE(t.dev.ofKind(Op::Ellipse).empty());
        } else {
            EXPECT_TRUE(texts.empty()) << c.symbol << c.size;
        }
    }
}

TEST(GraphData, BlackAndWhite)
{
    Graphs t;
    t.linear("10", "2");
    t.doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols) = "1";
    t.samples(1, {{1, "1"}, {2, "2"}});
    t.data();
    ASSERT_EQ(t.segments().size(), 1u);
    EXPECT_EQ(t.segments()[0].pen.colour, 0u);
    for (const Call& c : t.dev.ofKind(Op::Ellipse)) {
        EXPECT_EQ(c.pen.colour, 0u);
        EXPECT_EQ(c.brush.colour, 0u);
    }
    // The grid's own black-and-white setting.
    t.settings.setInt(56, 1);
    for (int g = 0; g < 4; ++g) EXPECT_EQ(graphGridColour(t.settings, g), 0u);
    t.settings.setInt(56, 0);
    EXPECT_EQ(graphGridColour(t.settings, 2), 0x000033u);
}

TEST(DrawSymbol, TheSevenShapes)
{
    Graphs t;
    const int r = t.pass.canvas.deviceRadiusY(0.1); // 1 mm at 1/100
    const int cx = t.X(50), cy = t.Y(5);
    const DevRect box{cx - r, cy - r, cx + r, cy + r};
    for (int type = 1; type <= 7; ++type) {
        t.dev.clear();
        drawSymbol(t.pass.canvas, 50, 5, 2, type, 0.1, kTestColour);
        const auto& calls = t.dev.calls();
        ASSERT_FALSE(calls.empty()) << type;
        for (const Call& c : calls) {
            EXPECT_GE(c.bounds.left, cx - r - 2) << type;
            EXPECT_LE(c.bounds.right, cx + r + 2) << type;
            EXPECT_GE(c.bounds.top, cy - r - 2) << type;
            EXPECT_LE(c.bounds.bottom, cy + r + 2) << type;
        }
        switch (type) {
        case 1:
            ASSERT_EQ(t.dev.ofKind(Op::Ellipse).size(), 1u);
            EXPECT_EQ(calls[0].rect, box);
            EXPECT_TRUE(calls[0].brush.solid);
            EXPECT_EQ(calls[0].pen.width, 2);
            break;
        case 2:
            ASSERT_EQ(t.dev.ofKind(Op::Arc).size(), 1u);
            EXPECT_EQ(calls[0].rect, box);
            break;
        case 3:
            ASSERT_EQ(t.dev.lines().size(), 2u);
            EXPECT_TRUE(near(calls[0].points, {{t.X(49), t.Y(4.9)}, {t.X(51), t.Y(5.1)}}));
            break;
        case 4:
            ASSERT_EQ(t.dev.ofKind(Op::Polygon).size(), 1u);
            EXPECT_TRUE(near(t.dev.ofKind(Op::Polygon)[0].points,
                             {{cx, t.Y(4.9)}, {t.X(49), t.Y(5.1)}, {t.X(51), t.Y(5.1)}}));
            EXPECT_EQ(t.dev.lines().size(), 3u);
            break;
        case 5:
            EXPECT_TRUE(t.dev.ofKind(Op::Polygon).empty());
            EXPECT_EQ(t.dev.lines().size(), 3u);
            break;
        case 6:
            ASSERT_EQ(t.dev.ofKind(Op::Rectangle).size(), 1u);
            EXPECT_TRUE(
                near({{calls[0].rect.left, calls[0].rect.top}, {calls[0].rect.right, calls[0].rect.bottom}},
                     {{t.X(49.1), t.Y(4.91)}, {t.X(50.9), t.Y(5.09)}}));
            EXPECT_EQ(t.dev.ofKind(Op::Polyline).size(), 1u);
            break;
        case 7:
            EXPECT_TRUE(t.dev.ofKind(Op::Rectangle).empty());
            ASSERT_EQ(t.dev.ofKind(Op::Polyline).size(), 1u);
            EXPECT_EQ(calls[0].points.size(), 5u);
            break;
        }
    }
    t.dev.clear();
    drawSymbol(t.pass.canvas, 4000.5, 5, 2, 1, 0.1, 0);
    drawSymbol(t.pass.canvas, 50, 4001, 2, 1, 0.1, 0);
    drawSymbol(t.pass.canvas, 50, 5, 2, 8, 0.1, 0);
    EXPECT_TRUE(t.dev.calls().empty());
}

TEST(DrawSymbol, KeepsItsShapeAtOtherDepthScales)
{
    // At 1/200 one metre is 5 mm: a 1 mm symbol is 0.2 m high and still 1 mm wide.
    Graphs t;
    t.view.depthScaleDenominator = 200;
    t.pass.geo.enterBodyPhase(0, false, 200);
    t.linear("10", "2");
    t.doc.TestNameTable(1, TestCol::Symbol) = sj("×");
    t.samples(1, {{2, "5"}});
    t.data();
    const auto lines = t.dev.lines();
    ASSERT_EQ(lines.size(), 2u);
    const int wide = lines[0].points[1].x - lines[0].points[0].x;
    const int high = lines[0].points[1].y - lines[0].points[0].y;
    EXPECT_NEAR(wide, high, 2);
    EXPECT_NEAR(high, 2 * 600 / 25.4, 2);
}

TEST(ScaleLabels, Format)
{
    struct Case
    {
        double from, to, step;
        const char* expected;
    };
    const Case cases[] = {
        {0, 40, 10, "%.0f"},
        {4, 12, 2, "%.0f"},
        {0, 0.2, 0.05, "%.2f"},
        {1.5, 2.25, 0.125, "%.3f"},
        {0, 1, 0.1234567, "%.6f"},
        {0, 1, 0.000123457, "%.6f"},
        {0, 1e-5, 0, "%.0f"}, // "1e-05": no point, no decimals
        {3, 3, 1, ""},
        {3, 3 + 1e-9, 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scaleLabelFormat(c.from, c.to, c.step), c.expected)
            << c.from << " " << c.to << " " << c.step;

    const std::pair<double, const char*> logs[] = {{1, "1"},       {10, "10"},       {5000, "5000"},
                                                   {0.1, "0.1"},   {0.002, "0.002"}, {0.0005, "0.0005"},
                                                   {2e-5, "2e-05"}};
    for (auto [v, s] : logs) EXPECT_EQ(logScaleLabel(v), s) << v;
}

TEST(GraphLabels, StaggeredAndShifted)
{
    Graphs t;
    t.linear("10", "2");
    t.doc.HeaderTable(HeaderEntry::ValuesBesideSymbols) = "1";
    t.doc.TestNameTable(2, TestCol::Symbol) = sj("○");
    t.doc.TestNameTable(2, TestCol::SymbolSize) = "1.0";
    t.doc.TestNameTable(2, TestCol::Colour) = "0x00ff00";
    t.doc.TestNameTable(2, TestCol::Shifts) = "2:1.5,x:3,";
    t.slot(2, 2);
    t.samples(1, {{1, "2.5"}, {3, "<0.5"}});
    t.doc.SampleTable(1, SampleCol::test(2)) = "5";
    t.doc.SampleTable(2, SampleCol::test(2)) = "6.00";
    t.labels();
    const auto texts = t.dev.texts();
    ASSERT_EQ(texts.size(), 3u);
    // Two tests: a quarter line above and below the point, half a character right of it.
    EXPECT_EQ(texts[0].text, "2.5");
    EXPECT_TRUE(near(texts[0].points[0], {t.X(t.left + 10 + t.w / 2), t.Y(1 - t.h / 2 - t.h / 4)}));
    EXPECT_EQ(texts[0].textColour, kTestColour);
    EXPECT_EQ(texts[0].align, AlignLeftTop);
    EXPECT_EQ(texts[1].text, "5");
    EXPECT_TRUE(near(texts[1].points[0], {t.X(t.left + 20 + t.w / 2), t.Y(1 - t.h / 2 + t.h / 4)}));
    EXPECT_EQ(texts[1].textColour, 0x00ff00u);
    // The cell as entered, moved 1.5 mm down on row 2.
    EXPECT_EQ(texts[2].text, "6.00");
    EXPECT_TRUE(near(texts[2].points[0], {t.X(t.left + 24 + t.w / 2), t.Y(3 - t.h / 2 + t.h / 4 + 0.15)}));

    // Off without HeaderTable 49.
    Graphs u;
    u.linear("10", "2");
    u.samples(1, {{1, "2.5"}});
    u.labels();
    EXPECT_TRUE(u.dev.calls().empty());
}

TEST(GraphLabels, LogarithmicValuesAboveTheFloorOnly)
{
    Graphs t;
    t.logGrid("1", "1000", "5");
    t.slot(1, 1, "0.01", "10");
    t.doc.HeaderTable(HeaderEntry::ValuesBesideSymbols) = "1";
    t.samples(1, {{1, "0"}, {2, "-1"}, {3, "0.05"}});
    t.labels();
    const auto texts = t.dev.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "0.05");
}

namespace {

// A pass in its header phase with the legend font, for the heading of graph 1.
struct Heading : Graphs
{
    TextSize size;
    Heading()
    {
        pass.geo.enterHeaderPhase(false, 100);
        size = pass.selectRole(FontSettings::GraphLegend);
        dev.clear();
        fmt(1, 1) = sj("重金属等溶出量");
        fmt(1, 2) = "0";
        fmt(1, 3) = "2";
        fmt(1, 4) = "72";
        fmt(1, 5) = "2";
        fmt(2, 1) = sj("基準値");
        fmt(2, 2) = "1";
        fmt(2, 3) = "75";
        fmt(2, 4) = "99";
        fmt(2, 5) = "2";
        fmt(3, 1) = "0";
        fmt(3, 2) = "10";
        fmt(3, 3) = "48";
        fmt(3, 5) = "49";
        fmt(3, 7) = "0";
        fmt(3, 8) = "75";
        fmt(3, 9) = "99";
        fmt(5, 3) = "20";
    }
    double px(double pct) const { return x1 + pct * 0.01 * (x2 - x1); }
    static double py(double pct) { return -4.15 + pct * 0.01 * 4.15; }
    void draw() { drawGraphHeading(pass, 1, x1, x2, size.h, size.w, -4.15); }
    std::optional<Call> text(const std::string& t) const
    {
        const auto all = dev.textsEqual(t);
        if (all.empty()) return std::nullopt;
        return all.front();
    }
};

} // namespace

TEST(GraphHeading, TitlesAndLegendTexts)
{
    Heading t;
    t.linear("10", "2");
    t.draw();
    // Title 1 at its left end; title 2 spread, so its first character starts at 75 %.
    ASSERT_TRUE(t.text(sj("重金属等溶出量")));
    EXPECT_EQ(t.text(sj("重金属等溶出量"))->points[0], (DevPoint{t.X(t.px(2)), t.Y(t.py(2))}));
    ASSERT_TRUE(t.text(sj("基")));
    EXPECT_EQ(t.text(sj("基"))->points[0].x, t.X(t.px(75)));
    EXPECT_FALSE(t.text(sj("基準値")));
    // Name, unit and remark on the slot's line at 20 %.
    const int y = t.Y(t.py(20));
    EXPECT_EQ(t.text(sj("鉛"))->points[0], (DevPoint{t.X(t.px(10)), y}));
    EXPECT_EQ(t.text("mg/L")->points[0], (DevPoint{t.X(t.px(49)), y}));
    EXPECT_EQ(t.text("0.01")->points[0], (DevPoint{t.X(t.px(75)), y}));
    // A title whose left percentage is empty is not drawn, nor a unit without a position.
    Heading u;
    u.fmt(1, 3) = "";
    u.fmt(3, 5) = "";
    u.draw();
    EXPECT_FALSE(u.text(sj("重金属等溶出量")));
    EXPECT_FALSE(u.text("mg/L"));
}

TEST(GraphHeading, LegendSymbolPositions)
{
    // 0: just before the test name; 1: 1.5 mm into the column; 2: none. Centred on the name line.
    for (int position : {0, 1, 2}) {
        Heading t;
        t.settings.setInt(47, position);
        t.draw();
        const auto ellipses = t.dev.ofKind(Op::Ellipse);
        if (position == 2) {
            EXPECT_TRUE(ellipses.empty());
            continue;
        }
        ASSERT_EQ(ellipses.size(), 1u) << position;
        const DevRect& box = ellipses[0].rect;
        const double x = position == 1 ? t.x1 + 1.5 : t.px(10) - 1.0 - 0.3;
        EXPECT_NEAR((box.left + box.right) / 2, t.X(x), 1) << position;
        EXPECT_NEAR((box.top + box.bottom) / 2, t.Y(t.py(20) + t.size.h / 2), 1);
        EXPECT_NEAR(box.bottom - box.top, 2 * 600 / 25.4, 2); // 1 mm around the centre
        EXPECT_EQ(ellipses[0].pen.width, t.settings.symbolLineWidth());
    }
    // A symbol that cannot be drawn is written as text.
    Heading t;
    t.doc.TestNameTable(1, TestCol::Symbol) = sj("＊");
    t.draw();
    EXPECT_TRUE(t.text(sj("＊")));
}

TEST(GraphHeading, LinearScaleNumbersTicksAndAxis)
{
    Heading t;
    t.linear("10", "2");
    t.fmt(4, 8) = "1"; // axis in the grid colours
    t.slot(1, 1, "0", "0.4");
    t.fmt(5, 6) = "0.1";
    t.fmt(5, 10) = "90";
    t.fmt(5, 11) = "1";
    t.draw();
    const double y = t.py(90);
    const char* numbers[] = {"0.0", "0.1", "0.2", "0.3", "0.4"};
    for (int i = 0; i < 5; ++i) {
        const auto n = t.text(numbers[i]);
        ASSERT_TRUE(n) << numbers[i];
        EXPECT_TRUE(near(n->points[0], {t.X(t.left + 10 * i), t.Y(y)}));
        EXPECT_EQ(n->align, AlignCentreBottom);
    }
    // Ticks are the grid lines over 0.1 header cm; the axis runs across the block below them.
    std::multiset<int> ticks;
    for (const Call& c : t.dev.lines())
        if (c.points[0].x == c.points[1].x) {
            EXPECT_EQ(c.points[0].y, t.Y(y));
            EXPECT_EQ(c.points[1].y, t.Y(y + 0.1));
            ticks.insert(c.points[0].x);
        }
    EXPECT_EQ(ticks.size(), 19u + 4 + 2); // grid-2 every 2 mm; grid-1 at 0, 10, 20, 30 and both ends
    EXPECT_EQ(t.horizontalsIn(graphGridColour(t.settings, 0)).size(), 1u);
    const auto axis = t.dev.lines().back();
    EXPECT_EQ(axis.points,
              (std::vector<DevPoint>{{t.X(t.left), t.Y(y + 0.1)}, {t.X(t.right), t.Y(y + 0.1)}}));
    // Axis colour "黒色": black ticks and axis.
    Heading b;
    b.linear("10", "2");
    b.slot(1, 1, "0", "0.4");
    b.fmt(4, 8) = "0";
    b.fmt(5, 11) = "1";
    b.draw();
    for (const Call& c : b.dev.lines()) EXPECT_EQ(c.pen.colour, 0u);
}

TEST(GraphHeading, LogarithmicScaleNumbersByMultiplier)
{
    struct Case
    {
        const char* choice;
        std::vector<std::string> numbers;
    };
    const Case cases[] = {
        {"0", {"0.01", "0.1", "1", "10"}},
        {"1", {"0.01", "0.02", "0.05", "0.1", "0.2", "0.5", "1", "2", "5", "10"}},
        {"2", {"0.01", "0.02", "0.03", "0.04", "0.05", "0.06", "0.07", "0.08", "0.09", "0.1",
               "0.2",  "0.3",  "0.4",  "0.5",  "0.6",  "0.7",  "0.8",  "0.9",  "1",    "2",
               "3",    "4",    "5",    "6",    "7",    "8",    "9",    "10"}},
    };
    for (const Case& c : cases) {
        Heading t;
        // Numbers small enough that none of them touches its neighbour.
        t.fonts[FontSettings::GraphLegend].points = 0.5;
        t.size = t.pass.selectRole(FontSettings::GraphLegend);
        t.dev.clear();
        t.logGrid("1", "1000", "5");
        t.slot(1, 1, "0.01", "10");
        t.fmt(4, 7) = c.choice;
        t.fmt(5, 10) = "90";
        t.fmt(5, 11) = "1";
        t.draw();
        std::vector<std::string> drawn;
        for (const Call& call : t.dev.texts())
            if (call.align == AlignCentreBottom) drawn.push_back(call.text);
        EXPECT_EQ(drawn, c.numbers) << c.choice;
        // 2 sits at log10(2) of the first decade's third of the block.
        if (std::string(c.choice) == "1") {
            EXPECT_NEAR(t.text("0.02")->points[0].x, t.X(t.left + std::log10(2) / 3 * 40), 1);
        }
    }
}

// Numbers that would run together leave out every second one (again, until none touches),
// and the numbers at the ends stay inside the graph's column.
TEST(GraphHeading, ScaleNumbersThatWouldTouchAreThinnedAndKeptInTheColumn)
{
    Heading t;
    t.logGrid("1", "1000", "5");
    t.slot(1, 1, "0.01", "10");
    t.fmt(4, 7) = "1"; // 1, 2 and 5 of every decade
    t.fmt(5, 10) = "90";
    t.fmt(5, 11) = "1";
    t.draw();
    std::vector<Call> numbers;
    for (const Call& call : t.dev.texts())
        if (call.align == AlignCentreBottom) numbers.push_back(call);
    std::vector<std::string> drawn;
    for (const Call& n : numbers) drawn.push_back(n.text);
    EXPECT_EQ(drawn, (std::vector<std::string>{"0.01", "0.05", "0.2", "1", "5"}));
    for (size_t i = 0; i < numbers.size(); ++i) {
        EXPECT_GE(numbers[i].bounds.left, t.X(t.x1)) << numbers[i].text;
        EXPECT_LE(numbers[i].bounds.right, t.X(t.x2)) << numbers[i].text;
        if (i > 0) {
            EXPECT_LT(numbers[i - 1].bounds.right, numbers[i].bounds.left) << numbers[i].text;
        }
    }
}

TEST(GraphPass, DepthGridPerGraphOrAcrossTheGraphArea)
{
    for (const bool across : {false, true}) {
        Document doc;
        Settings settings = builtinSettings();
        FontSettings fonts = builtinFonts();
        ViewState view;
        view.depthPerPage = 5;
        RecordingDevice dev(600, 600);
        for (int r = 1; r <= 16; ++r) doc.DisplayItemTable(r, DisplayCol::Shown) = "0";
        for (int k = 1; k <= 5; ++k) {
            doc.DisplayItemTable(7 + k, DisplayCol::Shown) = "1";
            doc.DisplayItemTable(7 + k, DisplayCol::Width) = "23.0";
            doc.DisplayItemTable(7 + k, DisplayCol::GridWidth) = "20.0";
        }
        doc.DisplayItemTable(DisplayRow::graph(3), DisplayCol::Shown) =
            "0"; // graph 3 hidden: its neighbours close up
        settings.setInt(7, across ? 1 : 0);
        settings.setText(59, "0x000033");
        RenderContext ctx{doc, settings, fonts, view, nullptr};
        ASSERT_TRUE(drawLogPage(dev, ctx));

        PageGeometry g;
        g.setUp(600, 600, 5, 5, 100, 100);
        g.enterBodyPhase(0, false, 100);
        std::vector<std::pair<int, int>> spans; // of the lines at 1 m
        for (const Call& c : dev.lines())
            if (c.pen.colour == kH1 && c.points[0].y == g.PageY(1.0) && c.points[1].y == g.PageY(1.0))
                spans.emplace_back(c.points[0].x, c.points[1].x);
        // Four graphs from X15 = 70.6 mm, 23 mm each.
        if (across) {
            EXPECT_EQ(spans, (std::vector<std::pair<int, int>>{{g.PageX(70.6), g.PageX(70.6 + 4 * 23)}}));
        } else {
            ASSERT_EQ(spans.size(), 4u);
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(spans[static_cast<size_t>(i)],
                          (std::pair<int, int>{g.PageX(70.6 + 23 * i + 1.5), g.PageX(70.6 + 23 * i + 21.5)}));
        }
    }
}

TEST(GraphPass, HeadingsSitInTheBandOfTheHeaderMode)
{
    // The graph headings lie 4.15 header cm above the body's top in both modes.
    for (const bool compact : {false, true}) {
        Document doc;
        Settings settings = builtinSettings();
        FontSettings fonts = builtinFonts();
        ViewState view;
        view.depthPerPage = 5;
        RecordingDevice dev(600, 600);
        doc.HeaderTable(HeaderEntry::CompactHeader) = compact ? "1" : "0";
        doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Shown) = "1";
        doc.DisplayItemTable(DisplayRow::graph(1), DisplayCol::Width) = "23.0";
        doc.GraphFormatTable(1, 1, 1) = "TITLE";
        doc.GraphFormatTable(1, 1, 3) = "2";
        doc.GraphFormatTable(1, 1, 5) = "0";
        RenderContext ctx{doc, settings, fonts, view, nullptr};
        ASSERT_TRUE(drawLogPage(dev, ctx));
        const auto titles = dev.textsEqual("TITLE");
        ASSERT_EQ(titles.size(), 1u);
        const double band = compact ? 7.85 : 11.5;
        EXPECT_NEAR(titles[0].points[0].y, (5 + (band - 4.15) * 10) * 600 / 25.4, 1.5) << compact;
    }
}

TEST(ReferenceLines, DashedInTheTestsColourWhereTheReferenceLiesOnTheScale)
{
    struct Case
    {
        const char* name;
        bool log;
        std::string reference;
        const char* switchCell; // DisplayItemTable row 14, column 3
        double expectedMm;      // from the block's left edge; < 0: no line
    } cases[] = {
        {"linear", false, "2.5", "", 10},
        {"linear, switch on", false, "2.5", "1", 10},
        {"linear, switch off", false, "2.5", "0", -1},
        {"linear, full-width digits", false, sj("７．５"), "", 30},
        {"linear, at the scale's end", false, "10", "", 40},
        {"linear, beyond the scale", false, "10.5", "", -1},
        {"log, 0.1 on 0.01 to 10", true, "0.1", "", 40.0 / 3},
        {"log, below the scale", true, "0.001", "", -1},
        {"no reference", false, "", "", -1},
        {"reference 0", false, "0", "", -1},
        {"must not be detected", false, sj("検出されないこと"), "", -1},
        {"no value of the test", false, "2.5", "", -1},
    };
    for (const Case& c : cases) {
        Graphs t;
        if (c.log) {
            t.logGrid("1", "1000", "5");
            t.slot(1, 1, "0.01", "10");
        } else {
            t.linear("10", "2");
        }
        t.doc.TestNameTable(1, TestCol::Reference) = c.reference;
        t.doc.DisplayItemTable(ReferenceLinesCell::Row, ReferenceLinesCell::Col) = c.switchCell;
        t.samples(1, {{1, "<0.5"}, {2, std::string(c.name) == "no value of the test" ? "" : "0.5"}});
        drawReferenceLines(t.pass, 1, t.x1, t.x2, 0, 20);
        const std::vector<Call> dashes = t.dev.lines();
        if (c.expectedMm < 0) {
            EXPECT_TRUE(dashes.empty()) << c.name;
            continue;
        }
        ASSERT_GE(dashes.size(), 79u) << c.name; // 1.5 mm dashes, 1 mm gaps: 200 mm of paper
        const int x = t.X(t.left + c.expectedMm);
        const int dash = static_cast<int>(std::lround(1.5 * 600 / 25.4));
        const int gap = static_cast<int>(std::lround(1.0 * 600 / 25.4));
        for (const Call& d : dashes) {
            EXPECT_TRUE(std::abs(d.points[0].x - x) <= 1 && d.points[1].x == d.points[0].x) << c.name;
            EXPECT_EQ(d.points[1].y - d.points[0].y, dash) << c.name;
            EXPECT_EQ(d.pen.colour, kTestColour) << c.name;
            EXPECT_EQ(d.pen.width, 3) << c.name; // the test's polyline width
        }
        // Over the whole depth range of the page.
        EXPECT_EQ(dashes.front().points[0].y, t.Y(0)) << c.name;
        EXPECT_GT(dashes.back().points[1].y, t.Y(20) - dash - gap) << c.name;
        EXPECT_LE(dashes.back().points[1].y, t.Y(20)) << c.name;
    }
}

TEST(ReferenceLines, BlackAndWhiteAndTheirOwnWidthWithoutAPolyline)
{
    Graphs t;
    t.linear("10", "2");
    t.doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols) = "1";
    t.doc.TestNameTable(1, TestCol::LineWidth) = "0";
    t.doc.TestNameTable(1, TestCol::Reference) = "5";
    t.samples(1, {{1, "1"}});
    drawReferenceLines(t.pass, 1, t.x1, t.x2, 0, 20);
    ASSERT_FALSE(t.dev.lines().empty());
    EXPECT_EQ(t.dev.lines()[0].pen.colour, 0u);
    EXPECT_EQ(t.dev.lines()[0].pen.width, 1);
}

TEST(GraphLabels, ValuesAboveTheReferenceStandOut)
{
    for (const bool blackAndWhite : {false, true}) {
        Graphs t;
        t.linear("10", "2");
        t.doc.HeaderTable(HeaderEntry::ValuesBesideSymbols) = "1";
        t.doc.HeaderTable(HeaderEntry::BlackAndWhiteSymbols) = blackAndWhite ? "1" : "0";
        t.doc.TestNameTable(1, TestCol::Colour) = "0x00ff00";
        t.doc.TestNameTable(1, TestCol::Reference) = "5";
        t.samples(1, {{1, "2.5"}, {2, "7"}, {3, "5"}, {4, "<8"}, {5, "6.0"}});
        t.labels();
        const auto texts = t.dev.texts();
        ASSERT_EQ(texts.size(), 4u); // "<8" is not plotted, so not labelled
        struct Expect
        {
            const char* text;
            bool flagged;
        } expect[] = {{"2.5", false}, {"7", true}, {"5", false}, {"6.0", true}};
        for (size_t i = 0; i < 4; ++i) {
            const Call& c = texts[i];
            EXPECT_EQ(c.text, expect[i].text);
            const bool flagged = expect[i].flagged;
            EXPECT_EQ(c.font.weight, flagged ? 700 : 0) << c.text << blackAndWhite;
            EXPECT_EQ(c.font.underline, flagged && blackAndWhite) << c.text << blackAndWhite;
            const Colour normal = blackAndWhite ? 0u : 0x00ff00u;
            const Colour red = blackAndWhite ? 0u : makeColour(255, 0, 0);
            EXPECT_EQ(c.textColour, flagged ? red : normal) << c.text << blackAndWhite;
        }
    }
}
