// Generates the bitmap tile set of the install folder from the vector
// patterns: one 1-bit BMP per base pattern and overlay number, a colour set
// ("Jbptn": the pattern's ink on a light tint of its soil family, overlays on
// white so that AND keeps the base) and a black-and-white set ("Jbptn01").
//
//   qc_maketiles OUT_DIR [--colours PtnvcJG.ndx] [--width PX]
//
// A tile is as wide as the column and one vertical period of its pattern high,
// cut from the inside of a taller drawing so that it starts in the same phase
// as the vector pattern starts at the top of a layer.

#include "app/patterncolours.h"
#include "platform/bmpimage.h"
#include "platform/files.h"
#include "qt/qtpainterdevice.h"
#include "render/pagecanvas.h"
#include "render/patterns.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace qc;

namespace {

// The vertical period of a pattern, in column widths of pattern units.
double periodOf(long n)
{
    if (isUnitsOverlay(n) || isTensOverlay(n)) return 0.13;
    switch (n) {
    case 1700:
    case 8500:
        return 0.2;
    case 2600:
    case 5000:
    case 8200:
        return 0.15;
    default:
        return 0.1;
    }
}

// A light background by soil or rock family (0x00BBGGRR), white for overlays.
Colour tintOf(long n)
{
    if (isUnitsOverlay(n) || isTensOverlay(n)) return 0xFFFFFF;
    switch (n) {
    case 200:
    case 300:
    case 400:
    case 1400:
    case 3300:
    case 3400:
    case 3500:
    case 3600:
    case 3800:
    case 4400:
    case 4500:
    case 6800:
    case 6900:
        return makeColour(255, 226, 190); // gravel: orange
    case 100:
    case 1500:
    case 1600:
    case 2200:
    case 5100:
        return makeColour(255, 246, 186); // sand: yellow
    case 500:
    case 1300:
    case 4700:
    case 4900:
        return makeColour(222, 236, 250); // silt: light blue
    case 600:
    case 4300:
    case 4800:
    case 8700:
        return makeColour(214, 240, 214); // clay: green
    case 700:
    case 900:
    case 1200:
    case 1700:
    case 8400:
    case 8500:
    case 8600:
        return makeColour(232, 214, 196); // peat, humus: brown
    case 10091:
    case 10092:
    case 10093:
    case 4600:
    case 6400:
        return makeColour(226, 226, 226); // mudstone, shale, sandstone: grey
    case 4200:
    case 2600:
    case 8200:
        return makeColour(214, 238, 242); // limestone and built figures: cyan grey
    case 1100:
    case 8100:
    case 8300:
    case 5000:
    case 5200:
        return makeColour(246, 220, 228); // chert, triangles: pink
    case 3000:
    case 3100:
    case 2700:
    case 2800:
    case 2900:
    case 4100:
        return makeColour(234, 222, 246); // tuff, volcanic: lilac
    case 2100:
    case 2300:
    case 2400:
    case 2500:
        return makeColour(248, 226, 220); // granite, plutonic: rose
    case 800:
    case 6100:
    case 6200:
    case 6300:
        return makeColour(222, 242, 226); // schist, gneiss: pale green
    default:
        return makeColour(240, 240, 240);
    }
}

// Strokes are two pixels wide so that they survive being shown at a third of the size.
constexpr int penWidth = 2;

Bitmap renderTile(long n, int width)
{
    const double W = width;                // mm at one device unit per mm
    const double period = periodOf(n) * W; // pattern units
    const int tileHeight = static_cast<int>(std::lround(period * 10));
    // Draw five periods and keep the third.
    const int drawHeight = tileHeight * 5;
    QImage image(width, drawHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtPainterDevice device(painter, 25, 25);
        PageGeometry geo;
        geo.pxPerMmX = geo.pxPerMmY = 1;
        geo.unitsPerPageMm = 1;
        geo.unitsPerMetre = 10; // one y unit is 10 device units: the pattern frame
        geo.unitsPerHeaderCm = 0;
        geo.headerBandCm = 0;
        geo.marginLeftMm = geo.marginTopMm = 0;
        PageCanvas canvas(device, geo);
        DispatchPattern(canvas, n, 0, 0, W, drawHeight / 10.0, 1.0, penWidth, 0, 0);
    }
    Bitmap tile;
    tile.width = width;
    tile.height = tileHeight;
    for (int y = 0; y < tileHeight; ++y)
        for (int x = 0; x < width; ++x)
            tile.pixels.push_back(qGray(image.pixel(x, 2 * tileHeight + y)) < 128 ? 0 : 0xFFFFFF);
    return tile;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qc_maketiles OUT_DIR [--colours PtnvcJG.ndx] [--width PX]\n");
        return 2;
    }
    const std::string out = argv[1];
    PatternColourTable colours;
    int width = 240;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--colours") {
            std::string bytes;
            if (!readFileBytes(argv[i + 1], bytes)) {
                std::fprintf(stderr, "qc_maketiles: cannot read %s\n", argv[i + 1]);
                return 1;
            }
            colours.parse(bytes);
        } else if (a == "--width") {
            width = std::atoi(argv[i + 1]);
            if (width < 16 || width > 1024) {
                std::fprintf(stderr, "qc_maketiles: --width takes 16 to 1024 pixels\n");
                return 1;
            }
        } else {
            std::fprintf(stderr, "qc_maketiles: unexpected argument %s\n", a.c_str());
            return 2;
        }
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::error_code ec;
    std::filesystem::create_directories(out + "/Jbptn", ec);
    std::filesystem::create_directories(out + "/Jbptn01", ec);
    int written = 0;
    std::string list;
    for (long n : vectorPatternNumbers()) {
        if (!isUnitsOverlay(n) && !isTensOverlay(n) && !isBasePattern(n)) continue;
        const Bitmap tile = renderTile(n, width);
        const std::string name = "/J" + std::to_string(n) + ".BMP";
        const Colour tint = tintOf(n);
        Colour ink = colours.colourOf(n);
        if (ink == tint) ink = 0;
        Bitmap coloured = tile;
        for (Colour& c : coloured.pixels) c = c == 0xFFFFFF ? tint : ink;
        if (!writeFileAtomically(out + "/Jbptn" + name, encodeBmp1(coloured, tint, ink)) ||
            !writeFileAtomically(out + "/Jbptn01" + name, encodeBmp1(tile, 0xFFFFFF, 0))) {
            std::fprintf(stderr, "qc_maketiles: cannot write %s\n", name.c_str());
            return 1;
        }
        ++written;
        list += " " + std::to_string(n);
    }
    std::printf("%d tiles in %s/Jbptn and %s/Jbptn01:%s\n", written, out.c_str(), out.c_str(), list.c_str());
    return 0;
}
