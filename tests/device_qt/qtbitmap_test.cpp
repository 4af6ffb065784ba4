// Tiles decoded by QImage, and drawn smaller than they are.

#include "platform/bmpimage.h"
#include "qt/qtpainterdevice.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

using namespace qc;

namespace {

void ensureApp()
{
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

// QImage decodes only after the core's header checks, and agrees with the core decoder.
TEST(QtBitmapDecoding, AgreesWithTheCoreAndRefusesWhatItRefuses)
{
    ensureApp();
    Bitmap b;
    b.width = 5;
    b.height = 3;
    for (int i = 0; i < 15; ++i) b.pixels.push_back(i % 3 == 0 ? 0x0000FF : 0xFFFFFF);
    for (const std::string& file : {encodeBmp24(b), encodeBmp1(b, 0xFFFFFF, 0x0000FF)}) {
        Bitmap viaQt, viaCore;
        ASSERT_TRUE(decodeBmpWithQt(file, viaQt));
        ASSERT_EQ(decodeBmp(file, viaCore), BmpStatus::Ok);
        EXPECT_EQ(viaQt.pixels, viaCore.pixels);
    }
    std::string cut = encodeBmp24(b);
    cut.resize(cut.size() - 8);
    std::string huge = encodeBmp24(b);
    huge[18] = huge[19] = huge[20] = static_cast<char>(0xFF);
    huge[21] = 0x0F; // width 0x0FFFFFFF
    for (const std::string& bad : {cut, huge, std::string("BM"), std::string()}) {
        Bitmap out;
        EXPECT_FALSE(decodeBmpWithQt(bad, out));
        EXPECT_FALSE(out.valid());
    }
}

// A one-pixel stroke of a tile shown at a third of its size stays visible.
TEST(QtBitmapDecoding, ShrunkTilesKeepThinStrokes)
{
    ensureApp();
    Bitmap tile;
    tile.width = 30;
    tile.height = 3;
    tile.pixels.assign(90, 0xFFFFFF);
    for (int y = 0; y < 3; ++y)
        tile.pixels[static_cast<size_t>(y * 30 + 16)] = 0; // a vertical stroke at x = 16
    QImage img(10, 1, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        QtPainterDevice dev(p, 96, 96);
        dev.DevStretchBitmap(0, 0, 10, 1, tile, 0, 0, 30, 3, RasterOp::Copy);
    }
    int darkest = 255;
    for (int x = 0; x < 10; ++x) darkest = std::min(darkest, qGray(img.pixel(x, 0)));
    EXPECT_LT(darkest, 230);
}

} // namespace
