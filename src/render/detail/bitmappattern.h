#pragma once
// Bitmap patterns: BMP tiles stretched to the column width and repeated down a
// layer from its top.

#include "platform/device.h"
#include "render/pagecanvas.h"

#include <string>
#include <vector>

namespace qc {

// Where AND cannot be done by the device (PDF, SVG), the tiles of one layer
// part are composed here first, at the device size (scaled down past a few
// million pixels), and copied as one image. Lines that belong on top of the
// part wait until the image is out.
class TileComposer
{
public:
    // The clip (page coordinates) the composed image is drawn under.
    void setClip(double x1, double y1, double x2, double y2);
    // Draws the source part of image onto dest inside the area (device units);
    // a new area first sends out the previous one.
    void stretch(PageCanvas& canvas, const DevRect& area, const DevRect& dest, const Bitmap& image,
                 const DevRect& source, RasterOp op);
    void queueLine(double x1, double y1, double x2, double y2, int width);
    bool pending() const { return m_active || !m_lines.empty(); }
    // Copies the composed image under its clip, then draws the queued lines.
    void flush(PageCanvas& canvas);

    // The pixel budget of one composition.
    static constexpr long long kMaxPixels = 4LL * 1024 * 1024;

private:
    struct Line
    {
        double x1, y1, x2, y2;
        int width;
    };
    bool m_active = false;
    DevRect m_area{};
    double m_scale = 1;
    Bitmap m_image;
    double m_clip[4] = {0, 0, 0, 0};
    double m_imageClip[4] = {0, 0, 0, 0};
    std::vector<Line> m_lines;
};

// The file at path, or a file of the same folder whose name matches it but for
// case; empty when there is none.
std::string findBitmapFile(const std::string& path);

// Draws the tile file at path over x..x + width (page mm), y..y + height
// (metres of depth, the real depth scale): tiles as wide as the rectangle in
// the image's proportions, from the top down, the last one cut. Returns 1 when
// the file could be read as a bitmap, else 0 and nothing is drawn. With a
// composer the stretches go into its image instead of the device.
int DrawBitmapPattern(PageCanvas& canvas, const std::string& path, double x, double y, double width,
                      double height, RasterOp op, TileComposer* composer = nullptr);

// Tiles larger than this are not read.
constexpr long long kMaxBitmapFileBytes = 64LL * 1024 * 1024;

} // namespace qc
