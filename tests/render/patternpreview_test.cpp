// The previews of the geology-name master editor: every component of a number
// in its colour and part of the box, and the tiles of the bundled folder.

#include "app/patterncolours.h"
#include "platform/recordingdevice.h"
#include "render/patternpreview.h"

#include <gtest/gtest.h>

#include <set>

using namespace qc;
using Op = RecordingDevice::Op;

namespace {

std::set<Colour> penColours(const RecordingDevice& d)
{
    std::set<Colour> out;
    for (const auto& c : d.calls())
        if (c.op != Op::Rectangle && c.op != Op::Clip && c.op != Op::ResetClip) out.insert(c.pen.colour);
    return out;
}

std::string bundledTiles(const char* folder)
{
    return std::string(QC_SOURCE_DIR) + "/data/install/" + folder;
}

} // namespace

TEST(PatternPreview, ComponentsInTheirColoursAndParts)
{
    PatternColourTable colours;
    colours.parse("2300,0x0000ff,\r\n10,0x00ff00,\r\n4,0xff0000,\r\n2400,0x123456,\r\n");
    struct Case
    {
        long number;
        bool allBlack;
        std::set<Colour> expected;
        int clips;
    };
    const Case cases[] = {
        {2314, false, {0x0000ff, 0x00ff00, 0xff0000}, 3}, // base with tens and units overlays
        {2314, true, {0}, 3},
        {92324, false, {0x0000ff, 0x123456}, 2}, // a pair: 2300 beside 2400
        {2300, false, {0x0000ff}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        RecordingDevice d(96, 96);
        PatternPreviewStyle style{&colours, c.allBlack, 1, false};
        EXPECT_EQ(drawVectorPreview(d, c.number, 120, 200, style), 1);
        EXPECT_EQ(penColours(d), c.expected);
        EXPECT_EQ(static_cast<int>(d.ofKind(Op::Clip).size()), c.clips);
        // The white ground first, and nothing outside the box.
        ASSERT_FALSE(d.calls().empty());
        EXPECT_EQ(d.calls().front().op, Op::Rectangle);
        for (const auto& call : d.calls()) {
            EXPECT_GE(call.bounds.left, 0);
            EXPECT_LE(call.bounds.right, 121);
            EXPECT_LE(call.bounds.bottom, 201);
        }
    }
    // A pair's halves are clipped to the left and the right half.
    RecordingDevice d(96, 96);
    drawVectorPreview(d, 92324, 120, 200, {});
    auto clips = d.ofKind(Op::Clip);
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0].rect.left, 0);
    EXPECT_NEAR(clips[0].rect.right, 60, 1);
    EXPECT_NEAR(clips[1].rect.left, 60, 1);
    EXPECT_NEAR(clips[1].rect.right, 120, 1);
}

TEST(PatternPreview, UnknownNumbersAndEmptyBoxesDrawNoPattern)
{
    for (long n : {0L, 9999L, -5L}) {
        RecordingDevice d(96, 96);
        EXPECT_EQ(drawVectorPreview(d, n, 100, 100, {}), 0) << n;
    }
    RecordingDevice d(96, 96);
    EXPECT_EQ(drawVectorPreview(d, 1500, 0, 100, {}), 0);
    EXPECT_TRUE(d.calls().empty());
}

TEST(PatternPreview, BitmapTilesOfTheBundledFolders)
{
    for (const char* folder : {"Jbptn", "Jbptn01"}) {
        SCOPED_TRACE(folder);
        RecordingDevice d(96, 96);
        EXPECT_EQ(drawBitmapPreview(d, bundledTiles(folder), 2314, 120, 200), 1);
        auto stretches = d.ofKind(Op::Stretch);
        ASSERT_FALSE(stretches.empty());
        std::set<RasterOp> ops;
        for (const auto& s : stretches) ops.insert(s.rop);
        EXPECT_EQ(ops, (std::set<RasterOp>{RasterOp::Copy, RasterOp::And}));
        EXPECT_EQ(stretches.front().rop, RasterOp::Copy) << "the base first";
    }
    RecordingDevice d(96, 96);
    EXPECT_EQ(drawBitmapPreview(d, bundledTiles("Jbptn"), 9999, 120, 200), 0);
    EXPECT_TRUE(d.ofKind(Op::Stretch).empty());
}
