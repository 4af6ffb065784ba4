// The layer fill through the recording device: parts and fractions, the
// pattern-use modes and their fall-backs, components and raster operations,
// the page-overlap test, divider and edge lines, block marks, colours.

#include "app/patterncolours.h"
#include "app/settings.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/bmpimage.h"
#include "platform/files.h"
#include "platform/recordingdevice.h"
#include "render/patternfill.h"
#include "render/patterns.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using namespace qc;
using namespace qc::test;
using Op = RecordingDevice::Op;
using Call = RecordingDevice::Call;

namespace {

constexpr double kX4 = 50, kW = 20;

// A tile of w x h pixels, black on white, written as a BMP file. The default
// is higher than the layers of these tests are, so one stretch covers a layer.
void writeTile(const std::string& path, int w = 30, int h = 120)
{
    Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels.assign(static_cast<size_t>(w * h), 0xFFFFFF);
    b.pixels[0] = 0;
    ASSERT_TRUE(writeFileBytes(path, encodeBmp24(b)));
}

struct Fill
{
    Document doc;
    Settings settings = builtinSettings();
    PatternColourTable colours;
    TempDir dir;
    RecordingDevice dev{600, 600};
    PageGeometry geo;
    PageCanvas canvas{dev, geo};
    std::vector<unsigned char> marks = std::vector<unsigned char>(201, 0);

    Fill()
    {
        geo.setUp(600, 600, 5, 5, 100, 100);
        geo.enterBodyPhase(0, false, 100);
        settings.setInt(25, 0);
        settings.setInt(9, 1);
        std::filesystem::create_directory(folder());
        std::filesystem::create_directory(folder() + "01");
    }
    std::string folder() const { return dir.file("Jbptn"); }

    // Row with bottom depth, name, vector numbers and bitmap numbers.
    void row(int r, const char* depth, const char* v1, const char* v2 = "", const char* b1 = "",
             const char* b2 = "")
    {
        doc.GeologyTable(r, GeologyCol::Depth) = depth;
        doc.GeologyTable(r, GeologyCol::VectorName) = v1;
        doc.GeologyTable(r, GeologyCol::VectorAux) = v2;
        doc.GeologyTable(r, GeologyCol::Pattern1) = b1;
        doc.GeologyTable(r, GeologyCol::Pattern2) = b2;
    }

    int fill(int r, double top, double bottom, double pageTop = 0, bool markFlag = false)
    {
        PatternFillInputs in{doc, settings, colours, folder(), kX4, 16, 290};
        PatternFill f(canvas, in, &marks);
        return f.FillLayerPattern(r, markFlag, 1, bottom, top, bottom - top, pageTop, kW);
    }

    std::vector<Call> clips() const { return dev.ofKind(Op::Clip); }
    // Vertical lines over the whole layer (dividers and the left edge).
    std::vector<int> fullHeightVerticals(double top, double bottom) const
    {
        std::vector<int> xs;
        for (const Call& c : dev.lines())
            if (c.points[0].x == c.points[1].x && c.points[0].y == geo.PageY(top) &&
                c.points[1].y == geo.PageY(bottom))
                xs.push_back(c.points[0].x);
        return xs;
    }
    std::vector<Call> stretches() const { return dev.ofKind(Op::Stretch); }
};

// The polylines a direct call of the vector pattern records.
std::vector<std::vector<DevPoint>> directPattern(long n, double x1, double y1, double x2, double y2, double F)
{
    RecordingDevice dev(600, 600);
    PageGeometry geo;
    geo.setUp(600, 600, 5, 5, 100, 100);
    geo.enterBodyPhase(0, false, 100);
    PageCanvas canvas(dev, geo);
    DrawVectorPattern(canvas, n, x1, y1, x2, y2, F, 1, 0, 0);
    std::vector<std::vector<DevPoint>> out;
    for (const Call& c : dev.ofKind(Op::Polyline)) out.push_back(c.points);
    return out;
}

TEST(FillLayerPattern, DisplayPercentage)
{
    const struct
    {
        const char* text;
        int p;
    } cases[] = {{"", 100},  {"abc", 100}, {"0", 50},    {"150", 50},
                 {"-5", 50}, {"30", 30},   {"100", 100}, {"1", 1}};
    for (const auto& c : cases) EXPECT_EQ(PatternFill::displayPercentage(c.text), c.p) << c.text;
}

TEST(FillLayerPattern, TwoPatternsSplitAtThePercentageWithADivider)
{
    Fill f;
    f.row(1, "3.00", "2300.1", "2400.1");
    f.doc.GeologyTable(1, GeologyCol::Percent) = "30";
    f.doc.HeaderTable(HeaderEntry::AlternationLines) = "1";
    ASSERT_EQ(f.fill(1, 1, 3), 1);

    const auto clips = f.clips();
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0].rect.left, f.geo.PageX(kX4));
    EXPECT_EQ(clips[0].rect.right, f.geo.PageX(kX4 + 0.3 * kW - 0.1));
    EXPECT_EQ(clips[1].rect.left, f.geo.PageX(kX4 + 0.3 * kW));
    EXPECT_EQ(clips[1].rect.right, f.geo.PageX(kX4 + kW - 0.1));
    EXPECT_EQ(clips[0].rect.top, f.geo.PageY(1));
    EXPECT_EQ(clips[0].rect.bottom, f.geo.PageY(3));

    // The left edge of the column and one divider at 30 %.
    EXPECT_EQ(f.fullHeightVerticals(1, 3), (std::vector<int>{f.geo.PageX(kX4), f.geo.PageX(kX4 + 0.3 * kW)}));

    // The second pattern is laid out from 30 % over a whole column width with F = 0.69.
    const auto second = directPattern(2400, kX4 + 0.3 * kW, 1, kX4 + 0.3 * kW + kW, 3, 0.69);
    std::vector<std::vector<DevPoint>> drawn;
    bool inSecond = false;
    for (const Call& c : f.dev.calls()) {
        if (c.op == Op::Clip) inSecond = c.rect.left == clips[1].rect.left;
        if (inSecond && c.op == Op::Polyline && c.pen.width == 1 && c.points[0].x != c.points[1].x)
            drawn.push_back(c.points);
    }
    std::vector<std::vector<DevPoint>> expected;
    for (const auto& pts : second)
        if (pts[0].x != pts[1].x) expected.push_back(pts);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(drawn, expected);
}

TEST(FillLayerPattern, DividerSuppressedForAlternationsUnlessAskedFor)
{
    const struct
    {
        const char* header60;
        const char* suffix;
        const char* bitmap1;
        bool divider;
    } cases[] = {
        {"", "", "", true},        {"0", "互層", "", false}, {"1", "互層", "", true},
        {"0", "", "90001", false}, {"0", "", "90000", true},
    };
    for (const auto& c : cases) {
        Fill f;
        f.row(1, "3.00", "2300.1", "2400.1", c.bitmap1);
        f.doc.GeologyTable(1, GeologyCol::Percent) = "30";
        f.doc.GeologyTable(1, GeologyCol::Suffix) = sj(c.suffix);
        f.doc.HeaderTable(HeaderEntry::AlternationLines) = c.header60;
        f.fill(1, 1, 3);
        EXPECT_EQ(f.fullHeightVerticals(1, 3).size(), c.divider ? 2u : 1u) << c.header60 << " " << c.suffix;
    }
}

TEST(FillLayerPattern, LayerOffThePageDrawsNothingButCounts)
{
    for (const auto& [top, bottom] : {std::pair{20.0, 25.0}, std::pair{-5.0, 0.0}}) {
        Fill f;
        f.row(1, "25.00", "2300.1");
        EXPECT_EQ(f.fill(1, top, bottom, 0), 1);
        EXPECT_TRUE(f.dev.calls().empty()) << top;
    }
    Fill none;
    none.row(1, "3.00", "");
    EXPECT_EQ(none.fill(1, 1, 3), 0);
    EXPECT_TRUE(none.dev.calls().empty());
}

TEST(FillLayerPattern, ClipStartsJustBelowThePageTop)
{
    Fill f;
    f.row(1, "12.00", "600.1");
    f.fill(1, 5, 30, 10);
    ASSERT_EQ(f.clips().size(), 1u);
    EXPECT_EQ(f.clips()[0].rect.top, f.geo.PageY(10.02));
    EXPECT_EQ(f.clips()[0].rect.bottom, f.geo.PageY(26));
}

TEST(FillLayerPattern, ColoursFromTheTableOrAllBlack)
{
    for (bool allBlack : {false, true}) {
        Fill f;
        f.colours.parse("600,0x0000FF\r\n");
        f.settings.setPatternAllBlack(allBlack);
        f.row(1, "3.00", "600.1");
        f.fill(1, 1, 3);
        std::set<Colour> colours;
        for (const Call& c : f.dev.lines())
            if (c.points[0].y == c.points[1].y) colours.insert(c.pen.colour);
        EXPECT_EQ(colours, (std::set<Colour>{allBlack ? 0u : 0x0000FFu}));
    }
}

// The lines drawn under the n-th clip (from 1).
std::vector<Call> linesUnderClip(const RecordingDevice& dev, int n)
{
    std::vector<Call> out;
    int clip = 0;
    bool in = false;
    for (const Call& c : dev.calls()) {
        if (c.op == Op::Clip) in = ++clip == n;
        if (c.op == Op::ResetClip) in = false;
        if (in && c.op == Op::Polyline && c.pen.width == 1 && c.points[0].x != c.points[1].x)
            out.push_back(c);
    }
    return out;
}

TEST(FillLayerPattern, ComposedNumberShiftsItsUnitsOverlay)
{
    Fill ref;
    ref.row(1, "10.00", "4.1");
    ref.fill(1, 0, 10);
    const auto alone = linesUnderClip(ref.dev, 1);
    ASSERT_FALSE(alone.empty());
    // 3.75 W/60 frame units (10 paper mm each) lower when shifted.
    const int shiftDev = static_cast<int>(3.75 * kW / 60 * 10 * 600 / 25.4);
    for (bool shiftOff : {false, true}) {
        Fill f;
        f.settings.setInt(28, shiftOff ? 1 : 0);
        f.row(1, "10.00", "2314.1");
        f.fill(1, 0, 10);
        ASSERT_EQ(f.clips().size(), 3u);
        const auto units = linesUnderClip(f.dev, 3);
        ASSERT_FALSE(units.empty());
        EXPECT_NEAR(units[0].points[0].y - alone[0].points[0].y, shiftOff ? 0 : shiftDev, 1) << shiftOff;
    }
}

TEST(FillLayerPattern, PatternUseModesAndFallBacks)
{
    const struct
    {
        int use;
        bool tileExists;
        bool vectorNumber;
        size_t stretches;
        bool vectorDrawn;
    } cases[] = {
        {0, true, true, 0, true},  {1, true, true, 0, true},  {1, true, false, 1, false},
        {2, true, true, 1, false}, {2, false, true, 0, true}, {3, false, true, 0, false},
        {3, true, true, 1, false}, {4, true, true, 0, false},
    };
    for (const auto& c : cases) {
        Fill f;
        f.settings.setInt(25, c.use);
        if (c.tileExists) writeTile(f.folder() + "/J2300.BMP");
        f.row(1, "3.00", c.vectorNumber ? "2300.1" : "1000.1", "", "2300");
        f.fill(1, 1, 3);
        EXPECT_EQ(f.stretches().size(), c.stretches) << "use " << c.use;
        const auto lines = f.dev.lines();
        const bool vector = std::any_of(lines.begin(), lines.end(), [&](const Call& l) {
            return !(l.points[0].x == l.points[1].x); // pattern strokes, not the edge line
        });
        EXPECT_EQ(vector, c.vectorDrawn) << "use " << c.use;
    }
}

TEST(FillLayerPattern, ComposedBitmapCopiesTheBaseAndAndsTheOverlays)
{
    Fill f;
    f.settings.setInt(25, 3);
    for (const char* n : {"J2300.BMP", "j10.bmp", "J4.BMP"}) writeTile(f.folder() + "/" + n);
    f.row(1, "3.00", "", "", "2314");
    ASSERT_EQ(f.fill(1, 1, 3), 1);
    const auto s = f.stretches();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].rop, RasterOp::Copy);
    EXPECT_EQ(s[1].rop, RasterOp::And);
    EXPECT_EQ(s[2].rop, RasterOp::And);

    // Monochrome tiles come from the folder with "01".
    Fill mono;
    mono.settings.setInt(25, 3);
    mono.settings.setBitmapMonochrome(true);
    writeTile(mono.folder() + "/J2300.BMP");
    mono.row(1, "3.00", "", "", "2300");
    mono.fill(1, 1, 3);
    EXPECT_TRUE(mono.stretches().empty());
    writeTile(mono.folder() + "01/J2300.BMP");
    mono.dev.clear();
    mono.fill(1, 1, 3);
    EXPECT_EQ(mono.stretches().size(), 1u);
}

TEST(FillLayerPattern, VectorDevicesComposeAndOverlaysInOneImage)
{
    Fill f;
    f.dev.setExactRasterOps(false);
    f.settings.setInt(25, 3);
    for (const char* n : {"J2300.BMP", "J10.BMP", "J4.BMP"}) writeTile(f.folder() + "/" + n);
    f.row(1, "3.00", "", "", "2314");
    f.fill(1, 1, 3);
    const auto s = f.stretches();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].rop, RasterOp::Copy);
    ASSERT_TRUE(s[0].clip.has_value());
    // The left edge line comes after the image.
    ASSERT_FALSE(f.dev.lines().empty());
    EXPECT_EQ(f.dev.calls().back().op, Op::Polyline);
}

TEST(FillLayerPattern, PairDrawsTwoBasesSideBySide)
{
    Fill f;
    f.row(1, "3.00", "93624.1");
    f.fill(1, 1, 3);
    const auto clips = f.clips();
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0].rect.left, f.geo.PageX(kX4));
    EXPECT_EQ(clips[0].rect.right, f.geo.PageX(kX4 + kW - 0.1));
    // With 100 % the second component covers nothing but is still processed.
    EXPECT_EQ(clips[1].rect.right, f.geo.PageX(kX4 + kW));

    Fill half;
    half.row(1, "3.00", "93624.1");
    half.doc.GeologyTable(1, GeologyCol::Percent) = "50";
    half.fill(1, 1, 3);
    ASSERT_EQ(half.clips().size(), 2u);
    EXPECT_EQ(half.clips()[0].rect.right, half.geo.PageX(kX4 + 0.5 * kW - 0.1));
    EXPECT_EQ(half.clips()[1].rect.left, half.geo.PageX(kX4 + 0.5 * kW));
}

TEST(FillLayerPattern, OneAndTwoPartBlocks)
{
    // Rows: 1 fill (block mark, no auxiliary name) below an unnamed row.
    Fill one;
    one.row(1, "1.00", "");
    one.doc.GeologyTable(1, GeologyCol::Name) = sj("表土");
    one.row(2, "2.50", "10000.1");
    one.settings.setInt(25, 1);
    EXPECT_EQ(one.fill(2, 1, 2.5), 1);
    // From the depth of the named row above (1.00) to this row's depth; both steps end.
    const auto lines = one.dev.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points[0], (DevPoint{one.geo.PageX(kX4), one.geo.PageY(1)}));
    EXPECT_EQ(lines[0].points[1], (DevPoint{one.geo.PageX(kX4 + kW), one.geo.PageY(2.5)}));
    EXPECT_TRUE(one.stretches().empty());
    ASSERT_FALSE(one.clips().empty());
    EXPECT_EQ(one.clips()[0].rect.right, one.geo.PageX(290));

    // Rows 2 to 4 share name and auxiliary name: a two-part block from row 1's
    // depth to row 4's, the mark over the left 40 %, the second pattern beside it.
    Fill two;
    two.row(1, "1.00", "600.1");
    two.doc.GeologyTable(1, GeologyCol::Name) = sj("粘土");
    for (int r = 2; r <= 4; ++r) {
        two.row(r, r == 2 ? "2.00" : r == 3 ? "3.00" : "4.00", "10004.1", "600.1");
        two.doc.GeologyTable(r, GeologyCol::Name) = sj("盛土");
        two.doc.GeologyTable(r, GeologyCol::AuxName) = sj("砂");
        two.doc.GeologyTable(r, GeologyCol::Percent) = "40";
    }
    two.row(5, "6.00", "600.1");
    two.doc.GeologyTable(5, GeologyCol::Name) = sj("砂");
    EXPECT_EQ(two.fill(3, 2, 3, 0, true), 1);
    EXPECT_EQ(two.marks[3], 2);
    const double xm = kX4 + 0.4 * kW;
    const auto l = two.dev.lines();
    ASSERT_GE(l.size(), 2u);
    // Type 4: one diagonal from the top right of the mark's part to its bottom left.
    EXPECT_EQ(l[0].points[0], (DevPoint{two.geo.PageX(xm), two.geo.PageY(1)}));
    EXPECT_EQ(l[0].points[1], (DevPoint{two.geo.PageX(kX4), two.geo.PageY(4)}));
    EXPECT_EQ(l[1].points[0], (DevPoint{two.geo.PageX(xm), two.geo.PageY(1)}));
    EXPECT_EQ(l[1].points[1], (DevPoint{two.geo.PageX(xm), two.geo.PageY(4)}));
    // The second pattern (horizontal lines) starts at the mark's edge.
    bool second = false;
    for (const Call& c : l)
        if (c.points[0].y == c.points[1].y && c.points[0].x >= two.geo.PageX(xm)) second = true;
    EXPECT_TRUE(second);

    // The last row of the block gets no mark; "常に表土分割" makes the block
    // run from the nearest named row above to this row only.
    two.marks.assign(201, 0);
    two.dev.clear();
    two.fill(4, 3, 4, 0, true);
    EXPECT_EQ(two.marks[4], 0);
    two.dev.clear();
    two.doc.HeaderTable(HeaderEntry::SplitTopsoil) = "1";
    two.fill(3, 2, 3, 0, true);
    ASSERT_FALSE(two.dev.lines().empty());
    EXPECT_EQ(two.dev.lines()[0].points[0].y, two.geo.PageY(2));
    EXPECT_EQ(two.dev.lines()[0].points[1].y, two.geo.PageY(3));
}

} // namespace
