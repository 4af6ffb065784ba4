// Bitmap tiles: the device rectangle, whole tiles from the top of the layer,
// the cut last tile, a tile taller than the layer, a tile of no height, and
// files that are missing, damaged or named in another case.

#include "platform/bmpimage.h"
#include "platform/files.h"
#include "platform/recordingdevice.h"
#include "render/detail/bitmappattern.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

using namespace qc;
using namespace qc::test;
using Op = RecordingDevice::Op;

namespace {

std::string tile(int w, int h)
{
    Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0xFFFFFF);
    return encodeBmp24(b);
}

// 100 device units per page mm and per metre, no margins.
struct Tiles
{
    RecordingDevice dev{254, 254};
    PageGeometry geo;
    PageCanvas canvas{dev, geo};
    TempDir dir;

    Tiles()
    {
        geo.pxPerMmX = geo.pxPerMmY = 10;
        geo.unitsPerPageMm = 100;
        geo.unitsPerMetre = 100;
        geo.unitsPerHeaderCm = 0;
        geo.headerBandCm = 0;
        geo.marginLeftMm = geo.marginTopMm = 0;
    }
    std::string put(const std::string& name, const std::string& bytes)
    {
        EXPECT_TRUE(writeFileBytes(dir.file(name), bytes));
        return dir.file(name);
    }
    std::vector<RecordingDevice::Call> stretches() const { return dev.ofKind(Op::Stretch); }
};

TEST(DrawBitmapPattern, WholeTilesFromTheTopThenTheCutRest)
{
    Tiles t;
    // Column 2 mm = 200 units: the device width is 199; a 10 x 4 image gives tiles 79 high.
    const std::string path = t.put("J600.BMP", tile(10, 4));
    ASSERT_EQ(DrawBitmapPattern(t.canvas, path, 1, 2, 2, 2.5, RasterOp::And), 1);
    const auto s = t.stretches();
    // 3 x 79 = 237 of 250 units; the rest of 13 would show 13 x 4 / 79 = 0 image rows.
    ASSERT_EQ(s.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(s[i].rect,
                  (DevRect{101, 200 + 79 * static_cast<int>(i), 300, 279 + 79 * static_cast<int>(i)}));
        EXPECT_EQ(s[i].source, (DevRect{0, 0, 10, 4}));
        EXPECT_EQ(s[i].rop, RasterOp::And);
    }
}

TEST(DrawBitmapPattern, CutRestShowsTheTopRowsOfTheImage)
{
    Tiles t;
    const std::string path = t.put("J1.BMP", tile(10, 40)); // tiles of 796 units
    ASSERT_EQ(DrawBitmapPattern(t.canvas, path, 1, 0, 2, 10, RasterOp::Copy), 1);
    const auto s = t.stretches();
    ASSERT_EQ(s.size(), 2u); // 796 of 1000, then 204
    EXPECT_EQ(s[1].rect, (DevRect{101, 796, 300, 1000}));
    EXPECT_EQ(s[1].source, (DevRect{0, 0, 10, 40 * 204 / 796}));
}

TEST(DrawBitmapPattern, TileTallerThanTheLayerShowsItsTopPart)
{
    Tiles t;
    const std::string path = t.put("J2.BMP", tile(10, 40));
    ASSERT_EQ(DrawBitmapPattern(t.canvas, path, 1, 0, 2, 2, RasterOp::Copy), 1);
    const auto s = t.stretches();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].rect, (DevRect{101, 0, 300, 200}));
    EXPECT_EQ(s[0].source, (DevRect{0, 0, 10, 40 * 200 / 796}));
}

TEST(DrawBitmapPattern, TileOfNoHeightDrawsOnceAndEnds)
{
    Tiles t;
    const std::string path = t.put("J3.BMP", tile(1000, 1)); // 199 / 1000 x 1 = 0 units high
    ASSERT_EQ(DrawBitmapPattern(t.canvas, path, 1, 0, 2, 300, RasterOp::Copy), 1);
    EXPECT_EQ(t.stretches().size(), 1u);
}

TEST(DrawBitmapPattern, MissingDamagedAndOtherCase)
{
    Tiles t;
    EXPECT_EQ(DrawBitmapPattern(t.canvas, t.dir.file("J9.BMP"), 1, 0, 2, 2, RasterOp::Copy), 0);
    std::string broken = tile(10, 10);
    broken.resize(70);
    EXPECT_EQ(DrawBitmapPattern(t.canvas, t.put("J8.BMP", broken), 1, 0, 2, 2, RasterOp::Copy), 0);
    EXPECT_EQ(DrawBitmapPattern(t.canvas,
                                t.put("J7.BMP", "BM not a bitmap at all, just text......................"), 1,
                                0, 2, 2, RasterOp::Copy),
              0);
    EXPECT_TRUE(t.dev.calls().empty());

    t.put("j2300.bmp", tile(10, 10));
    EXPECT_EQ(findBitmapFile(t.dir.file("J2300.BMP")), t.dir.file("j2300.bmp"));
    EXPECT_EQ(DrawBitmapPattern(t.canvas, t.dir.file("J2300.BMP"), 1, 0, 2, 2, RasterOp::Copy), 1);
    EXPECT_EQ(findBitmapFile(t.dir.file("J2301.BMP")), "");
}

TEST(TileComposer, AndOfOverlaysOnTheBaseInOneImage)
{
    Tiles t;
    Bitmap base, overlay;
    base.width = overlay.width = 2;
    base.height = overlay.height = 1;
    base.pixels = {0x0000FF, 0xFFFFFF};    // red, white
    overlay.pixels = {0xFFFFFF, 0x00FF00}; // white, green
    TileComposer c;
    c.setClip(0, 0, 10, 10);
    const DevRect area{0, 0, 2, 1};
    c.stretch(t.canvas, area, area, base, DevRect{0, 0, 2, 1}, RasterOp::Copy);
    c.stretch(t.canvas, area, area, overlay, DevRect{0, 0, 2, 1}, RasterOp::And);
    c.queueLine(0, 0, 0, 1, 1);
    c.flush(t.canvas);
    const auto s = t.stretches();
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].rop, RasterOp::Copy);
    EXPECT_EQ(s[0].bitmapSize, (DevSize{2, 1}));
    EXPECT_EQ(t.dev.calls().back().op, Op::Polyline);
    EXPECT_FALSE(c.pending());
}

} // namespace
