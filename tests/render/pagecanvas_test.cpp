// Page primitives through the recording device: conversion, spread and stacked
// texts by byte position, the font and its failure message.

#include "platform/recordingdevice.h"
#include "platform/scriptedprompter.h"
#include "render/pagecanvas.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using Op = RecordingDevice::Op;

namespace {

struct Fixture
{
    RecordingDevice dev{600, 600};
    PageGeometry geo;
    ScriptedPrompter prompter;
    PageCanvas canvas{dev, geo, &prompter};

    Fixture()
    {
        geo.setUp(600, 600, 5, 5, 100, 100);
        geo.enterHeaderPhase(false, 100);
        geo.enterBodyPhase(0, false, 100);
    }
};

std::vector<int> xs(const std::vector<RecordingDevice::Call>& calls)
{
    std::vector<int> out;
    for (const auto& c : calls) out.push_back(c.points[0].x);
    return out;
}

std::vector<int> ys(const std::vector<RecordingDevice::Call>& calls)
{
    std::vector<int> out;
    for (const auto& c : calls) out.push_back(c.points[0].y);
    return out;
}

} // namespace

TEST(PageSpreadText, BytePositionsSetTheSpacing)
{
    struct Case
    {
        const char* name;
        std::string text;
        double x1, x2, w;
        std::vector<double> expectedX;
        std::vector<std::string> pieces;
    };
    const std::string a = test::sj("調"), b = test::sj("査"), c = test::sj("名");
    const Case cases[] = {
        // 6 bytes: step (20 - 2) / 4 = 4.5 a byte, 9 a character; the last ends at x2 - w.
        {"three two-byte characters", a + b + c, 10, 30, 2, {10, 19, 28}, {a, b, c}},
        // 3 bytes, odd: step (20 - 2) / (3 + 1 - 2) = 9.
        {"odd length", "abc", 10, 30, 2, {10, 19, 28}, {"a", "b", "c"}},
        // a half-width blank between two-byte characters takes one byte.
        {"mixed widths", a + " " + b, 10, 30, 2, {10, 19, 23.5}, {a, " ", b}},
        {"one character at x1", a, 10, 30, 2, {10}, {a}},
        // span narrower than a character: x1 + w is the right end, so no room to spread.
        {"narrow span", a + b, 10, 11, 4, {10, 10}, {a, b}},
    };
    for (const Case& k : cases) {
        Fixture f;
        f.canvas.setTextAlign(AlignCentreBottom);
        f.canvas.PageSpreadText(k.x1, k.x2, 1.0, 1.4, k.w, 0.2, k.text);
        const auto t = f.dev.texts();
        ASSERT_EQ(t.size(), k.expectedX.size()) << k.name;
        for (size_t i = 0; i < t.size(); ++i) {
            EXPECT_EQ(t[i].points[0].x, f.geo.PageX(k.expectedX[i])) << k.name << " " << i;
            EXPECT_EQ(t[i].points[0].y, f.geo.PageY(1.1)) << k.name;
            EXPECT_EQ(t[i].text, k.pieces[i]) << k.name;
            EXPECT_EQ(t[i].align, AlignLeftTop) << k.name;
        }
    }
}

TEST(PageVerticalText, StackedByBytePosition)
{
    const std::string four = test::sj("地盤勾配");
    {
        Fixture f;
        f.canvas.PageVerticalText(100, 108, 2.0, 3.0, 2.0, 0.1, test::sj("地"));
        const auto t = f.dev.texts();
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].points[0].y, f.geo.PageY(2.0));
        EXPECT_EQ(t[0].points[0].x, f.geo.PageX(103.0)); // (100 + 108 - 2) / 2
    }
    {
        Fixture f;
        f.canvas.PageVerticalText(100, 108, 2.0, 3.0, 2.0, 0.1, four);
        const double s = (1.0 - 0.1) / 3;
        EXPECT_EQ(ys(f.dev.texts()), (std::vector<int>{f.geo.PageY(2.0), f.geo.PageY(2.0 + s),
                                                       f.geo.PageY(2.0 + 2 * s), f.geo.PageY(2.0 + 0.9)}));
    }
    {
        // Narrower than 4 mm: centred minus 0.48 of a character.
        Fixture f;
        f.canvas.PageVerticalText(10, 13, 2.0, 3.0, 2.0, 0.1, four);
        EXPECT_EQ(xs(f.dev.texts()), std::vector<int>(4, f.geo.PageX(11.5 - 0.96)));
    }
}

TEST(PageCanvas, FiguresConvertEachCoordinate)
{
    Fixture f;
    const PageGeometry& g = f.geo;
    f.canvas.PageLine(12.6, 1.0, 70.6, 1.0, PenStyle::Solid, 2, 0);
    f.canvas.PageCircle(50, 2.0, 0.4, PenStyle::Solid, 1, 0);
    f.canvas.PageEllipse(50, 2.0, 3.0, 0.1, PenStyle::Solid, 1, 0);
    f.canvas.PageArc(50, 2.0, 0.4, 50, 2.385, 50, 1.615, PenStyle::Solid, 1, 0);
    const auto& c = f.dev.calls();
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0].points, (std::vector<DevPoint>{{g.PageX(12.6), 3070}, {g.PageX(70.6), 3070}}));
    const int r = static_cast<int>(0.4 * g.unitsPerMetre); // 94
    EXPECT_EQ(r, 94);
    EXPECT_EQ(c[1].rect, (DevRect{g.PageX(50) - r, g.PageY(2.0) - r, g.PageX(50) + r, g.PageY(2.0) + r}));
    const int rx = static_cast<int>(3.0 * g.unitsPerPageMm), ry = static_cast<int>(0.1 * g.unitsPerMetre);
    EXPECT_EQ(c[2].rect, (DevRect{g.PageX(50) - rx, g.PageY(2.0) - ry, g.PageX(50) + rx, g.PageY(2.0) + ry}));
    EXPECT_EQ(c[3].points,
              (std::vector<DevPoint>{{g.PageX(50), g.PageY(2.385)}, {g.PageX(50), g.PageY(1.615)}}));
}

TEST(PageCanvas, DiamondsPolygonsAndClip)
{
    Fixture f;
    f.canvas.PageDiamondBar(50, 2.0, 1.0, 0.1, PenStyle::Solid, 1, 0x10);
    auto l = f.dev.lines();
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0].points[0], (DevPoint{f.geo.PageX(49), f.geo.PageY(2.0)}));
    EXPECT_EQ(l[0].points[1], (DevPoint{f.geo.PageX(50), f.geo.PageY(1.9)}));
    EXPECT_EQ(l[4].points, (std::vector<DevPoint>{{f.geo.PageX(50), f.geo.PageY(2.0 - 0.08)},
                                                  {f.geo.PageX(50), f.geo.PageY(2.0 + 0.08)}}));

    std::vector<PagePoint> twelve;
    for (int i = 0; i < 12; ++i) twelve.push_back({10.0 + i, 1.0 + 0.1 * (i % 3)});
    f.canvas.PageFilledPolygon(twelve, 0x20);
    const auto poly = f.dev.ofKind(Op::Polygon);
    ASSERT_EQ(poly.size(), 1u);
    EXPECT_EQ(poly[0].points.size(), 10u);
    EXPECT_EQ(poly[0].brush, Brush::solidColour(0x20));

    f.canvas.PageClip(290, 10, 0, 0);
    const auto clip = f.dev.ofKind(Op::Clip);
    ASSERT_EQ(clip.size(), 1u);
    EXPECT_EQ(clip[0].rect, (DevRect{f.geo.PageX(0), f.geo.PageY(0), f.geo.PageX(290), f.geo.PageY(10)}));
}

TEST(PageCanvas, TextsInRectanglesAndRows)
{
    Fixture f;
    f.canvas.PageTextInRect(70, 3.0, 10, 1.0, "x", TextFormat::WordBreak);
    f.canvas.PageTextInRect(10, 1.0, 70, 3.0, "x", TextFormat::WordBreak);
    f.canvas.PageTextCentred(10, 1.0, 20, 1.5, "y");
    auto r = f.dev.ofKind(Op::TextInRect);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].rect, r[1].rect);
    EXPECT_EQ(r[2].flags,
              TextFormat::Centre | TextFormat::VCentre | TextFormat::SingleLine | TextFormat::NoClip);

    Fixture g;
    g.canvas.PageTextMidline(32.2, 1.0, 2.0, 0.2, "v");
    g.canvas.PageTwoTexts(32.0, 1.0, 2.0, "a", "b");
    const auto t = g.dev.texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].points[0], (DevPoint{g.geo.PageX(32.2), g.geo.PageY(1.4)}));
    EXPECT_EQ(t[1].points[0], (DevPoint{g.geo.PageX(32.5), g.geo.PageY(1.05)}));
    EXPECT_EQ(t[2].points[0], (DevPoint{g.geo.PageX(32.5), g.geo.PageY(1.55)}));
}

TEST(SelectTextFont, FillsTheLogicalFontAndSetsTheColour)
{
    Fixture f;
    const std::string face = test::sj("ＭＳ 明朝");
    ASSERT_TRUE(f.canvas.SelectTextFont(0x0000FF, 83, face, 90));
    const LogicalFont& lf = f.dev.font();
    EXPECT_EQ(lf.height, 83);
    EXPECT_EQ(lf.width, 0);
    EXPECT_EQ(lf.escapement, 900);
    EXPECT_EQ(lf.orientation, 0);
    EXPECT_EQ(lf.charSet, 128);
    EXPECT_EQ(lf.quality, 1);
    EXPECT_EQ(lf.face, face);
    EXPECT_EQ(f.dev.textColour(), 0x0000FFu);
    EXPECT_TRUE(f.prompter.entries().empty());
}

TEST(SelectTextFont, FailureShowsTheMessageAndKeepsTheFont)
{
    Fixture f;
    ASSERT_TRUE(f.canvas.SelectTextFont(0x10, 50, "", 0));
    f.dev.setFontCreationFails(true);
    EXPECT_FALSE(f.canvas.SelectTextFont(0x20, 70, "", 0));
    ASSERT_EQ(f.prompter.texts(), std::vector<std::string>{"Can't create font"});
    EXPECT_EQ(f.dev.font().height, 50);
    EXPECT_EQ(f.dev.textColour(), 0x10u);
}
