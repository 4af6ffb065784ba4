// The vector pattern library through the recording device: exact positions of
// the patterns told in full, the number scheme, the pattern frame, and a sweep
// of every number over awkward rectangles.

#include "platform/recordingdevice.h"
#include "render/pagecanvas.h"
#include "render/patterns.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <set>

using namespace qc;
using Op = RecordingDevice::Op;
using Call = RecordingDevice::Call;

namespace {

// 10 device units per page mm and 1000 per y unit, no margins: pattern
// coordinates read straight off the device.
struct Plain
{
    RecordingDevice dev{254, 254};
    PageGeometry geo;
    PageCanvas canvas{dev, geo};

    Plain()
    {
        geo.pxPerMmX = geo.pxPerMmY = 10;
        geo.unitsPerPageMm = 10;
        geo.unitsPerMetre = 1000;
        geo.unitsPerHeaderCm = 0;
        geo.headerBandCm = 0;
        geo.marginLeftMm = geo.marginTopMm = 0;
        geo.depthOffset = 0;
    }
};

DevPoint centreOf(const Call& c)
{
    return {(c.rect.left + c.rect.right) / 2, (c.rect.top + c.rect.bottom) / 2};
}

// The bounds of an arc from its start ray, against the clock hands as seen on
// the page (y grows downward), to its end ray.
DevRect arcBounds(const Call& c)
{
    const double cx = (c.rect.left + c.rect.right) / 2.0, cy = (c.rect.top + c.rect.bottom) / 2.0;
    const double r = (c.rect.right - c.rect.left) / 2.0;
    auto angle = [&](DevPoint p) { return std::atan2(-(p.y - cy), p.x - cx); };
    const double a0 = angle(c.points[0]);
    double sweep = angle(c.points[1]) - a0;
    while (sweep <= 0) sweep += 2 * M_PI;
    DevRect b{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int i = 0; i <= 64; ++i) {
        const double a = a0 + sweep * i / 64;
        const int x = static_cast<int>(std::lround(cx + r * std::cos(a)));
        const int y = static_cast<int>(std::lround(cy - r * std::sin(a)));
        b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
    }
    return b;
}

std::vector<Call> circles(const RecordingDevice& dev)
{
    std::vector<Call> out;
    for (const Call& c : dev.ofKind(Op::Arc))
        if (c.points.size() == 2 && c.points[0] == c.points[1]) out.push_back(c);
    return out;
}

TEST(PatternKind, NumberScheme)
{
    const struct
    {
        long number;
        int kind;
    } cases[] = {{10000, 7}, {10004, 11}, {10005, 4}, {10091, 4}, {93624, 6},
                 {2314, 3},  {20100, 3},  {2300, 3},  {0, 3},     {19999, 4}};
    for (const auto& c : cases) EXPECT_EQ(PatternKind(c.number), c.kind) << c.number;

    EXPECT_EQ(patternBase(2314), 2300);
    EXPECT_EQ(patternTensOverlay(2314), 10);
    EXPECT_EQ(patternUnitsOverlay(2314), 4);
    EXPECT_EQ(patternBase(20100), 100);
    EXPECT_EQ(pairFirst(93624), 3600);
    EXPECT_EQ(pairSecond(93624), 2400);
}

TEST(PatternLibrary, HasEightyTwoDistinctNumbers)
{
    const auto& all = vectorPatternNumbers();
    EXPECT_EQ(all.size(), 82u);
    EXPECT_EQ(std::set<long>(all.begin(), all.end()).size(), 82u);
    for (long n : {0L, 9L, 60L, 1000L, 2000L, 7000L, 10005L, 20000L}) EXPECT_FALSE(isVectorPattern(n)) << n;
}

TEST(Pattern600, LinesAtHalfPitchAndFractionCutsThem)
{
    Plain p;
    ASSERT_EQ(DispatchPattern(p.canvas, 600, 0, 0, 10, 1, 1.0, 1, 0, 0), 1);
    std::vector<int> ys;
    for (const Call& c : p.dev.lines()) {
        ys.push_back(c.points[0].y);
        EXPECT_EQ(c.points[0].x, 0);
        EXPECT_EQ(c.points[1].x, 100);
    }
    EXPECT_EQ(ys, (std::vector<int>{125, 375, 625, 875}));

    Plain half;
    DispatchPattern(half.canvas, 600, 0, 0, 10, 1, 0.5, 1, 0, 0);
    ASSERT_EQ(half.dev.lines().size(), 4u);
    for (const Call& c : half.dev.lines()) EXPECT_EQ(c.points[1].x, 50);
}

TEST(Pattern1, ShiftFlagMovesTheFirstRun)
{
    for (int shift : {0, 1}) {
        Plain p;
        DispatchPattern(p.canvas, 1, 0, 0, 60, 10, 1.0, 1, 0, shift);
        const auto cs = circles(p.dev);
        ASSERT_FALSE(cs.empty());
        // W = 60: v = 1 y unit; the run starts at R - A/2 = 55 mm.
        EXPECT_EQ(centreOf(cs[0]).y, shift ? 4250 : 500);
        EXPECT_EQ(centreOf(cs[0]).x, 550);
        EXPECT_EQ(centreOf(cs[1]).y - centreOf(cs[0]).y, 1000);
    }
}

TEST(Pattern200, FourCirclesPerRowAtOddMillimetres)
{
    Plain p;
    DispatchPattern(p.canvas, 200, 0, 0, 8, 1, 1.0, 1, 0, 0);
    const auto cs = circles(p.dev);
    ASSERT_GE(cs.size(), 8u);
    const int firstRow = centreOf(cs[0]).y;
    std::vector<int> xs;
    for (const Call& c : cs)
        if (centreOf(c).y == firstRow) xs.push_back(centreOf(c).x);
    EXPECT_EQ(xs, (std::vector<int>{10, 30, 50, 70}));
}

TEST(Pattern3300, StaggeredRowsOfThreeAndTwo)
{
    Plain p;
    DispatchPattern(p.canvas, 3300, 0, 0, 6, 1, 1.0, 1, 0, 0);
    const auto cs = circles(p.dev);
    ASSERT_GE(cs.size(), 5u);
    std::vector<int> row1, row2;
    for (size_t i = 0; i < 3; ++i) row1.push_back(centreOf(cs[i]).x);
    for (size_t i = 3; i < 5; ++i) row2.push_back(centreOf(cs[i]).x);
    EXPECT_EQ(row1, (std::vector<int>{10, 30, 50}));
    EXPECT_EQ(row2, (std::vector<int>{18, 38})); // offset 0.8 of a column width
    EXPECT_EQ(centreOf(cs[0]).y, centreOf(cs[2]).y);
    EXPECT_GT(centreOf(cs[3]).y, centreOf(cs[2]).y);
}

TEST(DrawVectorPattern, FrameOfTenMillimetresAndFactorRestored)
{
    RecordingDevice dev(600, 600);
    PageGeometry geo;
    geo.setUp(600, 600, 5, 5, 100, 200);
    geo.enterBodyPhase(10, false, 200);
    PageCanvas canvas(dev, geo);
    const double before = geo.unitsPerMetre;
    ASSERT_EQ(DrawVectorPattern(canvas, 600, 20, 12, 40, 14, 1.0, 1, 0, 0), 1);
    EXPECT_EQ(geo.unitsPerMetre, before);
    // The rectangle still lands on the device rows of depths 12 and 14, but the
    // line pitch is 0.025 W = 0.5 frame units = 5 mm of paper at any depth scale.
    const auto lines = dev.lines();
    ASSERT_GE(lines.size(), 2u);
    const double perMm = 600 / 25.4;
    EXPECT_NEAR(lines[1].points[0].y - lines[0].points[0].y, 5 * perMm, 1.0);
    EXPECT_GE(lines.front().points[0].y, geo.PageY(12));
    EXPECT_LE(lines.back().points[0].y, geo.PageY(14));

    dev.clear();
    EXPECT_EQ(DrawVectorPattern(canvas, 1000, 20, 12, 40, 14, 1.0, 1, 0, 0), 0);
    EXPECT_EQ(geo.unitsPerMetre, before);
    EXPECT_TRUE(dev.calls().empty());
}

TEST(BlockMark, ShapesOfTheFiveTypes)
{
    const struct
    {
        int type;
        size_t lines;
    } cases[] = {{0, 2}, {1, 3}, {2, 4}, {3, 2}, {4, 1}};
    for (const auto& c : cases) {
        Plain p;
        DrawBlockMark(p.canvas, c.type, 0, 0, 12, 1, 1, 0x0000FF);
        const auto lines = p.dev.lines();
        EXPECT_EQ(lines.size(), c.lines) << c.type;
        for (const Call& l : lines) EXPECT_EQ(l.pen.colour, 0x0000FFu);
    }
    Plain p;
    DrawBlockMark(p.canvas, 4, 0, 0, 12, 1, 1, 0);
    EXPECT_EQ(p.dev.lines()[0].points[0], (DevPoint{120, 0}));
    EXPECT_EQ(p.dev.lines()[0].points[1], (DevPoint{0, 1000}));
    Plain flat;
    DrawBlockMark(flat.canvas, 0, 0, 0, 12, 0.0005, 1, 0);
    EXPECT_TRUE(flat.dev.calls().empty());
}

// Every number stays inside its rectangle (the visible part x1 .. x1 + F W,
// with a margin of a few device units for pens and truncation) and returns,
// whatever the rectangle and fraction.
TEST(PatternSweep, EveryNumberStaysInsideAndTerminates)
{
    struct Rect
    {
        const char* name;
        double x1, y1, x2, y2, F;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Rect rects[] = {
        {"column", 40, 2, 60, 5.5, 1.0},
        {"narrow part", 40, 2, 60, 5.5, 0.3},
        {"second part", 46, 2, 66, 5.5, 0.69},
        {"negative fraction", 60, 2, 80, 5.5, -0.01},
        {"thin layer", 40, 2, 60, 2.01, 1.0},
        {"tiny", 40, 2, 40.002, 2.002, 1.0},
        {"hair wide, deep", 40, 0, 40.01, 300, 1.0},
        {"huge", -1e5, -1e5, 1e5, 1e5, 1.0},
        {"tall", 40, -500, 60, 500, 1.0},
        {"zero width", 40, 2, 40, 5, 1.0},
        {"upside down", 60, 5, 40, 2, 1.0},
        {"not a number", nan, 2, 60, 5, 1.0},
        {"fraction not a number", 40, 2, 60, 5, nan},
        {"huge fraction", 40, 2, 60, 5, 1e12},
    };
    for (long number : vectorPatternNumbers()) {
        for (const Rect& r : rects) {
            RecordingDevice dev(600, 600);
            PageGeometry geo;
            geo.setUp(600, 600, 5, 5, 100, 100);
            geo.enterBodyPhase(0, false, 100);
            PageCanvas canvas(dev, geo);
            const auto start = std::chrono::steady_clock::now();
            const int drew = DrawVectorPattern(canvas, number, r.x1, r.y1, r.x2, r.y2, r.F, 1, 0, 1);
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
            EXPECT_EQ(drew, 1) << number << " " << r.name;
            EXPECT_LT(ms, 2000) << number << " " << r.name;
            EXPECT_LT(dev.calls().size(), 200000u) << number << " " << r.name;
            if (!(r.x2 > r.x1) || std::isnan(r.x1) || std::isnan(r.F)) {
                EXPECT_TRUE(dev.calls().empty()) << number << " " << r.name;
                continue;
            }
            // A fraction below 1 lays the pattern out over the whole width and
            // leaves the cut at x1 + F W to the clip; above 1 it reaches further.
            const double F = std::clamp(r.F, -1.0, 2.0);
            const double right = F > 1 ? r.x1 + F * (r.x2 - r.x1) : r.x2;
            // Waves of 800 reach 0.01 W past the sides by their definition; with a
            // part of the width, a mark centred inside may overhang x1 by half its
            // width (at most W/6): the fill's clip cuts both.
            const double overhang = (F == 1.0 ? 0.011 : 1.0 / 6) * (r.x2 - r.x1) * geo.unitsPerPageMm;
            const int tol = 3;
            const int left = geo.PageX(r.x1) - tol - static_cast<int>(overhang);
            const int rightDev = geo.PageX(right) + tol + static_cast<int>(overhang);
            const int top = geo.PageY(r.y1) - tol, bottom = geo.PageY(r.y2) + tol;
            for (const Call& c : dev.calls()) {
                DevRect b = c.bounds;
                // An arc covers only the part of its circle it turns through.
                if (c.op == Op::Arc && c.points.size() == 2 && !(c.points[0] == c.points[1]))
                    b = arcBounds(c);
                const bool inside =
                    b.left >= left && b.right <= rightDev && b.top >= top && b.bottom <= bottom;
                EXPECT_TRUE(inside) << number << " " << r.name << ": [" << b.left << "," << b.top << " - "
                                    << b.right << "," << b.bottom << "] outside [" << left << "," << top
                                    << " - " << rightDev << "," << bottom << "]";
                if (!inside) break;
            }
        }
    }
}

} // namespace
