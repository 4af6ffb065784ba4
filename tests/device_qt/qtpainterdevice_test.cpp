// The Qt device draws what the primitives ask for: pixels of lines, arcs, texts,
// clips and raster operations on a QImage; Japanese faces resolve to installed fonts.

#include "qt/qtpainterdevice.h"
#include "support/testutil.h"

#include <QBuffer>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qc;

namespace {

// One application for the process, never destroyed: Qt's own statics outlive the tests.
void ensureGuiApp()
{
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

QImage whiteImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool inked(const QImage& img, int x, int y)
{
    return qGray(img.pixel(x, y)) < 128;
}

// Bounding box of the dark pixels.
QRect inkBox(const QImage& img)
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (inked(img, x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(QtPainterDevice, LinesClipAndArcs)
{
    ensureGuiApp();
    QImage img = whiteImage(200, 200);
    {
        QPainter p(&img);
        QtPainterDevice dev(p, 600, 600);
        EXPECT_EQ(dev.logPixelsX(), 600);
        dev.DevLine(10, 10, 100, 10, PenStyle::Solid, 1, 0);
        dev.DevLine(10, 20, 100, 20, PenStyle::Solid, 0, 0); // width 0: nothing
        dev.intersectClip({0, 30, 50, 60});
        dev.DevLine(10, 40, 100, 40, PenStyle::Solid, 1, 0); // cut at x 50
        dev.resetClip();
        // From the downward ray against the clock hands to the upward ray: the right half.
        dev.DevArc(150, 150, 30, 150, 190, 150, 110, PenStyle::Solid, 1, 0);
    }
    EXPECT_TRUE(inked(img, 10, 10));
    EXPECT_TRUE(inked(img, 99, 10));
    EXPECT_FALSE(inked(img, 50, 20));
    EXPECT_TRUE(inked(img, 45, 40));
    EXPECT_FALSE(inked(img, 60, 40));
    auto anyInRow = [&](int x1, int x2, int y) {
        for (int x = x1; x <= x2; ++x)
            if (inked(img, x, y)) return true;
        return false;
    };
    EXPECT_TRUE(anyInRow(174, 182, 150));
    EXPECT_FALSE(anyInRow(118, 126, 150));
    EXPECT_TRUE(anyInRow(150, 160, 121) || anyInRow(150, 160, 120)); // top end of the arc
    EXPECT_TRUE(anyInRow(150, 160, 178) || anyInRow(150, 160, 179)); // bottom end
}

TEST(QtPainterDevice, JapaneseFacesResolve)
{
    ensureGuiApp();
    LogicalFont f;
    f.height = 40;
    f.face = test::sj("ＭＳ 明朝");
    QFontInfo info(QtPainterDevice::toQFont(f));
    EXPECT_TRUE(info.family().contains(QStringLiteral("IPA"))) << info.family().toStdString();
    f.face = test::sj("ＭＳ Ｐ明朝");
    QFontInfo pinfo(QtPainterDevice::toQFont(f));
    EXPECT_TRUE(pinfo.family().contains(QStringLiteral("IPAP")) ||
                pinfo.family().contains(QStringLiteral("IPA P")))
        << pinfo.family().toStdString();
    f.face.clear(); // the default face
    EXPECT_TRUE(QFontInfo(QtPainterDevice::toQFont(f)).family().contains(QStringLiteral("IPA")));
}

TEST(QtPainterDevice, TextSitsOnItsReferencePoint)
{
    ensureGuiApp();
    struct Case
    {
        const char* name;
        TextAlign align;
    };
    for (const Case& c : {Case{"left/top", AlignLeftTop}, Case{"right/top", AlignRightTop},
                          Case{"centre/bottom", AlignCentreBottom}, Case{"left/bottom", AlignLeftBottom}}) {
        QImage img = whiteImage(400, 200);
        DevSize extent;
        {
            QPainter p(&img);
            QtPainterDevice dev(p, 600, 600);
            LogicalFont f;
            f.height = 60;
            ASSERT_TRUE(dev.selectFont(f));
            dev.setTextAlign(c.align);
            const std::string text = test::sj("柱状図");
            extent = dev.textExtent(text);
            dev.textOut(200, 100, text);
        }
        EXPECT_GT(extent.cx, 150) << c.name; // three full-width characters of about 60
        EXPECT_LT(extent.cx, 200) << c.name;
        const QRect ink = inkBox(img);
        ASSERT_FALSE(ink.isNull()) << c.name;
        const int left = c.align.h == HAlign::Left    ? 200
                         : c.align.h == HAlign::Right ? 200 - extent.cx
                                                      : 200 - extent.cx / 2;
        const int top = c.align.v == VAlign::Top ? 100 : 100 - extent.cy;
        EXPECT_GE(ink.left(), left - 2) << c.name;
        EXPECT_LE(ink.right(), left + extent.cx + 2) << c.name;
        EXPECT_GE(ink.top(), top - 2) << c.name;
        EXPECT_LE(ink.bottom(), top + extent.cy + 2) << c.name;
    }
}

TEST(QtPainterDevice, FormattedTextHeights)
{
    ensureGuiApp();
    QImage img = whiteImage(100, 100);
    QPainter p(&img);
    QtPainterDevice dev(p, 600, 600);
    LogicalFont f;
    f.height = 20;
    ASSERT_TRUE(dev.selectFont(f));
    const unsigned measure = TextFormat::WordBreak | TextFormat::CalcRect;
    const int one = dev.drawText({0, 0, 1000, 0}, "a", measure);
    EXPECT_GT(one, 15);
    EXPECT_EQ(dev.drawText({0, 0, 1000, 0}, "a\r\nb", measure), 2 * one);
    EXPECT_EQ(dev.drawText({0, 0, 1000, 0}, "a\r\n", measure), 2 * one);
    // Thirteen full-width characters in a box four characters wide: four lines.
    EXPECT_EQ(dev.drawText({0, 0, 85, 0}, test::sj("粘土混じり砂礫層の記事です"), measure) / one, 4);
    EXPECT_EQ(dev.drawText({0, 0, 10, 0}, "a\r\nb", measure | TextFormat::SingleLine), one);
}

TEST(QtPainterDevice, AndKeepsWhatIsUnderWhite)
{
    ensureGuiApp();
    QImage img(4, 1, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 0));
    Bitmap tile{2, 1, {0x000000, 0xFFFFFF}};
    {
        QPainter p(&img);
        QtPainterDevice dev(p, 96, 96);
        EXPECT_TRUE(dev.exactRasterOps());
        dev.DevStretchBitmap(0, 0, 4, 1, tile, 0, 0, 2, 1, RasterOp::And);
    }
    EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(img.pixel(1, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(img.pixel(2, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(3, 0) & 0xFFFFFF, 0xFF0000u);

    // Copy replaces.
    {
        QPainter p(&img);
        QtPainterDevice dev(p, 96, 96);
        dev.DevStretchBitmap(0, 0, 4, 1, tile, 0, 0, 2, 1, RasterOp::Copy);
    }
    EXPECT_EQ(img.pixel(3, 0) & 0xFFFFFF, 0xFFFFFFu);

    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath(QStringLiteral("x.pdf")));
    QPainter pp(&pdf);
    QtPainterDevice vec(pp);
    EXPECT_FALSE(vec.exactRasterOps());
    EXPECT_EQ(vec.logPixelsX(), pdf.resolution());
}

TEST(QtPainterDevice, SvgOutputIsClippedHere)
{
    // The SVG engine ignores clip regions: the device clips lines, texts and figures itself.
    ensureGuiApp();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(400, 400));
    svg.setViewBox(QRect(0, 0, 400, 400));
    {
        QPainter p(&svg);
        QtPainterDevice dev(p, 96, 96);
        LogicalFont f;
        f.height = 40;
        ASSERT_TRUE(dev.selectFont(f));
        dev.intersectClip({100, 100, 300, 300});
        dev.DevLine(0, 200, 400, 200, PenStyle::Solid, 3, 0);
        dev.DevFilledCircle(300, 150, 30, PenStyle::Solid, 1, 0, 0); // half inside
        dev.DevRectOutline(10, 10, 60, 60, PenStyle::Solid, 3, 0);   // wholly outside
        dev.textOut(320, 320, "XX");                                 // outside
        dev.textOut(110, 110, "XX");                                 // inside
        dev.textOut(280, 240, "XXXX");                               // cut at x 300
        dev.resetClip();
        dev.DevLine(0, 380, 400, 380, PenStyle::Solid, 3, 0);
    }
    QSvgRenderer renderer(buffer.data());
    QImage img = whiteImage(400, 400);
    {
        QPainter p(&img);
        renderer.render(&p);
    }
    EXPECT_FALSE(inked(img, 50, 200));
    EXPECT_TRUE(inked(img, 200, 200));
    EXPECT_FALSE(inked(img, 350, 200));
    EXPECT_TRUE(inked(img, 290, 150));
    EXPECT_FALSE(inked(img, 315, 150));
    EXPECT_FALSE(inked(img, 10, 35));
    EXPECT_TRUE(inkBox(img.copy(100, 100, 60, 50)).isValid());
    EXPECT_FALSE(inkBox(img.copy(305, 230, 95, 60)).isValid());
    EXPECT_TRUE(inkBox(img.copy(280, 230, 20, 60)).isValid());
    EXPECT_FALSE(inkBox(img.copy(310, 310, 90, 60)).isValid());
    EXPECT_TRUE(inked(img, 50, 380) && inked(img, 350, 380));
}

TEST(QtPainterDevice, PdfLeavesOutTextsOutsideTheClip)
{
    // A clipped text would stay in the file, invisible but found by search: it is not sent.
    // With no text left the file embeds no font at all.
    ensureGuiApp();
    auto pdfWithText = [](int x, int y) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(96);
            QPainter p(&writer);
            QtPainterDevice dev(p, 96, 96);
            LogicalFont f;
            f.height = 40;
            EXPECT_TRUE(dev.selectFont(f));
            dev.intersectClip({100, 100, 300, 300});
            if (x >= 0) dev.textOut(x, y, "XX");
            dev.resetClip();
        }
        return buffer.data();
    };
    EXPECT_FALSE(pdfWithText(-1, 0).contains("/FontDescriptor"));
    EXPECT_TRUE(pdfWithText(110, 110).contains("/FontDescriptor"));
    EXPECT_FALSE(pdfWithText(320, 320).contains("/FontDescriptor"));
    EXPECT_FALSE(pdfWithText(110, 20).contains("/FontDescriptor"));
    EXPECT_TRUE(pdfWithText(80, 90).contains("/FontDescriptor")); // reaching into the clip
}

TEST(QtPainterDevice, CopiedEllipsesMatchDrawnOnes)
{
    ensureGuiApp();
    struct Case
    {
        int r, rx, ry, style, width;
        bool filled;
    } cases[] = {
        {1, 0, 0, 0, 1, false}, {3, 0, 0, 0, 2, true},   {6, 0, 0, 0, 2, false}, {7, 0, 0, 1, 1, false},
        {12, 0, 0, 0, 3, true}, {30, 0, 0, 0, 1, false}, {0, 9, 4, 0, 2, false}, {0, 5, 14, 0, 1, true},
    };
    auto draw = [&](bool stamps) {
        QImage img = whiteImage(400, 200);
        QPainter painter(&img);
        painter.translate(3, -2); // a whole-unit shift, as the log view's scrolling gives
        QtPainterDevice dev(painter, 96, 96);
        dev.setEllipseStamps(stamps);
        int x = 20;
        for (const Case& c : cases) {
            for (int y : {20, 61, 150}) { // the same shape several times, partly clipped at the edge
                if (c.r > 0 && c.filled)
                    dev.DevFilledCircle(x, y, c.r, c.style, c.width, 0x0000ff, 0x00ff00);
                else if (c.r > 0)
                    dev.DevCircle(x, y, c.r, c.style, c.width, 0xff0000);
                else
                    dev.DevEllipse(x, y, c.rx, c.ry, c.style, c.width, 0x008000);
            }
            x += 47;
        }
        painter.end();
        return img;
    };
    EXPECT_EQ(draw(true), draw(false));
}
