// The device primitives as a recording shows them: what each one asks the device to draw.

#include "platform/recordingdevice.h"

#include <gtest/gtest.h>

using namespace qc;
using Op = RecordingDevice::Op;

namespace {

std::vector<std::pair<DevPoint, DevPoint>> segments(const RecordingDevice& dev)
{
    std::vector<std::pair<DevPoint, DevPoint>> out;
    for (const auto& c : dev.lines()) out.push_back({c.points[0], c.points[1]});
    return out;
}

using Segs = std::vector<std::pair<DevPoint, DevPoint>>;

} // namespace

TEST(DevDashedLine, Cases)
{
    struct Case
    {
        const char* name;
        int x1, y1, x2, y2, dash, gap, width;
        Segs expected;
    };
    const Case cases[] = {
        {"length 10, dash 3, gap 2: 0-3 and 5-8 only",
         0,
         0,
         10,
         0,
         3,
         2,
         1,
         {{{0, 0}, {3, 0}}, {{5, 0}, {8, 0}}}},
        {"downward", 4, 0, 4, 10, 3, 2, 1, {{{4, 0}, {4, 3}}, {{4, 5}, {4, 8}}}},
        {"diagonal", 0, 0, 10, 10, 3, 2, 1, {{{0, 0}, {3, 3}}, {{5, 5}, {8, 8}}}},
        {"gap 0 is solid", 0, 0, 10, 0, 3, 0, 1, {{{0, 0}, {10, 0}}}},
        {"dash 0 with a gap draws nothing", 0, 0, 10, 0, 0, 2, 1, {}},
        {"width 0 draws nothing", 0, 0, 10, 0, 3, 2, 0, {}},
        {"backwards draws nothing", 10, 0, 0, 0, 3, 2, 1, {}},
        {"a dash that would pass the end is left out", 0, 0, 7, 0, 3, 2, 1, {{{0, 0}, {3, 0}}}},
    };
    for (const Case& c : cases) {
        RecordingDevice dev;
        dev.DevDashedLine(c.x1, c.y1, c.x2, c.y2, c.dash, c.gap, c.width, 0x123456);
        EXPECT_EQ(segments(dev), c.expected) << c.name;
        for (const auto& call : dev.lines()) {
            EXPECT_EQ(call.pen.style, PenStyle::Solid) << c.name;
            EXPECT_EQ(call.pen.colour, 0x123456u) << c.name;
        }
    }
}

TEST(DevDashedLine, BackwardsWithinOneDashStopsAtTheDeviceEdge)
{
    // Ends within one dash of each other, given backwards: the loop never meets its end.
    RecordingDevice dev;
    dev.DevDashedLine(2, 0, 0, 0, 3, 2, 1, 0);
    const auto segs = dev.lines();
    ASSERT_FALSE(segs.empty());
    EXPECT_LT(segs.size(), 7000u);
    for (const auto& s : segs) EXPECT_GE(s.points[1].x, -kDeviceCoordLimit);
}

TEST(DevicePrimitives, ShapesPensAndBrushes)
{
    RecordingDevice dev;
    dev.DevLine(1, 2, 3, 4, PenStyle::Dot, 0, 0); // width 0: nothing
    dev.DevLine(1, 2, 3, 4, PenStyle::Dot, 2, 0xFF);
    dev.DevRectOutline(10, 20, 30, 40, PenStyle::Solid, 1, 0);
    dev.DevFilledRect(30, 40, 10, 20, PenStyle::Solid, 1, 0x1, 0x2);
    dev.DevCircle(100, 100, 10, PenStyle::Solid, 3, 0x5);
    dev.DevEllipse(100, 100, 10, 5, PenStyle::Solid, 1, 0);
    dev.DevArc(100, 100, 10, 100, 110, 100, 90, PenStyle::Solid, 1, 0);
    dev.DevFilledCircle(50, 50, 4, PenStyle::Solid, 1, 0x7, 0x8);
    const DevPoint triangle[] = {{0, 0}, {10, 0}, {5, 8}};
    dev.DevFilledPolygon(triangle, 0x9);

    const auto& calls = dev.calls();
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[0].op, Op::Polyline);
    EXPECT_EQ(calls[0].pen, (Pen{PenStyle::Dot, 2, 0xFF}));

    EXPECT_EQ(calls[1].op, Op::Polyline);
    EXPECT_EQ(calls[1].points, (std::vector<DevPoint>{{10, 20}, {30, 20}, {30, 40}, {10, 40}, {10, 20}}));

    EXPECT_EQ(calls[2].op, Op::Rectangle);
    EXPECT_EQ(calls[2].rect, (DevRect{10, 20, 30, 40}));
    EXPECT_EQ(calls[2].brush, Brush::solidColour(0x2));
    EXPECT_EQ(calls[2].pen.colour, 0x1u);

    // A full circle is an arc that starts and ends at (cx + r, cy).
    EXPECT_EQ(calls[3].op, Op::Arc);
    EXPECT_EQ(calls[3].rect, (DevRect{90, 90, 110, 110}));
    EXPECT_EQ(calls[3].points, (std::vector<DevPoint>{{110, 100}, {110, 100}}));
    EXPECT_EQ(calls[3].pen.width, 3);

    EXPECT_EQ(calls[4].rect, (DevRect{90, 95, 110, 105}));
    EXPECT_EQ(calls[4].points[0], (DevPoint{110, 100}));

    EXPECT_EQ(calls[5].op, Op::Arc);
    EXPECT_EQ(calls[5].points, (std::vector<DevPoint>{{100, 110}, {100, 90}}));

    EXPECT_EQ(calls[6].op, Op::Ellipse);
    EXPECT_EQ(calls[6].rect, (DevRect{46, 46, 54, 54}));
    EXPECT_EQ(calls[6].brush, Brush::solidColour(0x8));

    EXPECT_EQ(calls[7].op, Op::Polygon);
    EXPECT_EQ(calls[7].pen, (Pen{PenStyle::Solid, 1, 0x9}));
    EXPECT_EQ(calls[7].brush, Brush::solidColour(0x9));
}

TEST(DevicePrimitives, TextInRectIsNormalisedAndShrunk)
{
    RecordingDevice a, b;
    a.DevTextInRect(100, 50, 10, 5, "ab", TextFormat::Centre);
    b.DevTextInRect(10, 5, 100, 50, "ab", TextFormat::Centre);
    ASSERT_EQ(a.calls().size(), 1u);
    EXPECT_EQ(a.calls()[0].rect, (DevRect{11, 6, 99, 49}));
    EXPECT_EQ(a.calls()[0].rect, b.calls()[0].rect);
    EXPECT_EQ(a.calls()[0].bounds, b.calls()[0].bounds);
}

TEST(DevicePrimitives, StretchKeepsTheSourceInsideTheImage)
{
    Bitmap img{4, 6, std::vector<Colour>(24, 0xFFFFFF)};
    RecordingDevice dev;
    dev.DevStretchBitmap(10, 20, 40, 30, img, 0, 2, 4, 10, RasterOp::And);
    dev.DevStretchBitmap(10, 20, 40, 30, img, 0, 6, 4, 1, RasterOp::Copy); // nothing left of the image
    dev.DevStretchBitmap(10, 20, 40, 30, Bitmap{}, 0, 0, 1, 1, RasterOp::Copy);
    const auto s = dev.ofKind(Op::Stretch);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].rect, (DevRect{10, 20, 50, 50}));
    EXPECT_EQ(s[0].source, (DevRect{0, 2, 4, 6}));
    EXPECT_EQ(s[0].rop, RasterOp::And);
    EXPECT_EQ(s[0].bitmapSize, (DevSize{4, 6}));
}

TEST(RecordingDevice, FixedTextMetrics)
{
    RecordingDevice dev;
    LogicalFont f;
    f.height = 40;
    ASSERT_TRUE(dev.selectFont(f));
    EXPECT_EQ(dev.textExtent("abc"), (DevSize{60, 40}));
    EXPECT_EQ(dev.textExtent("\x8a\xbf"), (DevSize{40, 40})); // one two-byte character

    dev.setTextAlign(AlignRightTop);
    dev.textOut(100, 200, "ab");
    dev.setTextAlign(AlignCentreBottom);
    dev.textOut(100, 200, "ab");
    dev.setTextAlign(AlignLeftBaseline);
    dev.textOut(100, 200, "ab");
    const auto t = dev.texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].bounds, (DevRect{60, 200, 99, 239}));
    EXPECT_EQ(t[1].bounds, (DevRect{80, 160, 119, 199}));
    EXPECT_EQ(t[2].bounds, (DevRect{100, 168, 139, 207}));
    EXPECT_EQ(t[2].font.height, 40);
}

TEST(RecordingDevice, WrappedTextHeights)
{
    LogicalFont f;
    f.height = 10;
    struct Case
    {
        const char* name;
        std::string text;
        int width;
        unsigned flags;
        size_t lines;
    };
    const std::string kanji4 = "\x88\x9f\x88\x9f\x88\x9f\x88\x9f"; // four two-byte characters, 40 wide
    const Case cases[] = {
        {"fits", "abcd", 100, TextFormat::WordBreak, 1},
        {"two-byte characters break anywhere", kanji4, 25, TextFormat::WordBreak, 2},
        {"words break at blanks", "aaaa bbbb", 25, TextFormat::WordBreak, 2},
        {"a long word is not cut", "aaaaaaaaaa", 10, TextFormat::WordBreak, 1},
        {"line breaks", "a\r\nb", 100, TextFormat::WordBreak, 2},
        {"a trailing line break adds an empty line", "a\r\n", 100, TextFormat::WordBreak, 2},
        {"single line ignores breaks", "a\r\nb", 5, TextFormat::SingleLine | TextFormat::WordBreak, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecordingDevice::layoutLines(c.text, c.width, c.flags, f).size(), c.lines) << c.name;

    RecordingDevice dev;
    ASSERT_TRUE(dev.selectFont(f));
    DevRect calc;
    EXPECT_EQ(dev.drawText({0, 0, 25, 100}, kanji4, TextFormat::WordBreak | TextFormat::CalcRect, &calc), 20);
    EXPECT_EQ(calc, (DevRect{0, 0, 20, 20}));
    EXPECT_TRUE(dev.calls().size() == 1u); // the font only: measuring draws nothing
}

TEST(RecordingDevice, ClipVisibility)
{
    RecordingDevice dev;
    dev.intersectClip({0, 100, 500, 200});
    dev.intersectClip({50, 0, 1000, 1000}); // intersected: 50, 100, 500, 200
    dev.DevLine(0, 100, 400, 100, 0, 1, 0); // on the top edge: inside
    dev.DevLine(0, 99, 400, 99, 0, 1, 0);   // above
    dev.DevLine(0, 200, 400, 200, 0, 1, 0); // on the bottom edge: outside
    dev.DevLine(0, 150, 49, 150, 0, 1, 0);  // left of it
    dev.resetClip();
    dev.DevLine(0, 99, 400, 99, 0, 1, 0);
    const auto l = dev.lines();
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(*l[0].clip, (DevRect{50, 100, 500, 200}));
    EXPECT_TRUE(RecordingDevice::visible(l[0]));
    EXPECT_FALSE(RecordingDevice::visible(l[1]));
    EXPECT_FALSE(RecordingDevice::visible(l[2]));
    EXPECT_FALSE(RecordingDevice::visible(l[3]));
    EXPECT_TRUE(RecordingDevice::visible(l[4]));
}

TEST(RecordingDevice, FailedFontKeepsThePreviousOne)
{
    RecordingDevice dev;
    LogicalFont a;
    a.height = 12;
    ASSERT_TRUE(dev.selectFont(a));
    dev.setFontCreationFails(true);
    LogicalFont b;
    b.height = 99;
    EXPECT_FALSE(dev.selectFont(b));
    EXPECT_EQ(dev.font().height, 12);
}
