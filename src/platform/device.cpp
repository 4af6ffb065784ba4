#include "platform/device.h"

#include "platform/bmpimage.h"

#include <algorithm>

namespace qc {

DevRect DevRect::normalised() const
{
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

namespace {

int sign(long long v)
{
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

DevRect boxAround(int cx, int cy, int rx, int ry)
{
    return {
        clampDeviceCoord(static_cast<long long>(cx) - rx), clampDeviceCoord(static_cast<long long>(cy) - ry),
        clampDeviceCoord(static_cast<long long>(cx) + rx), clampDeviceCoord(static_cast<long long>(cy) + ry)};
}

bool insideDeviceRange(long long x, long long y)
{
    return x >= -kDeviceCoordLimit && x <= kDeviceCoordLimit && y >= -kDeviceCoordLimit &&
           y <= kDeviceCoordLimit;
}

} // namespace

void Device::DevLine(int x1, int y1, int x2, int y2, int style, int width, Colour colour)
{
    if (width == 0) return;
    const DevPoint points[] = {{x1, y1}, {x2, y2}}; // on the stack: pages draw thousands of lines
    drawPolyline(points, Pen{style, width, colour});
}

void Device::DevDashedLine(int x1, int y1, int x2, int y2, int dash, int gap, int width, Colour colour)
{
    if (width == 0) return;
    if (gap <= 0) {
        DevLine(x1, y1, x2, y2, PenStyle::Solid, width, colour);
        return;
    }
    if (dash <= 0) return;
    const int sx = sign(static_cast<long long>(x2) - x1);
    const int sy = sign(static_cast<long long>(y2) - y1);
    const long long dx = static_cast<long long>(sx) * dash;
    const long long dy = static_cast<long long>(sy) * dash;
    const Pen pen{PenStyle::Solid, width, colour};
    long long x = x1, y = y1;
    for (long n = 0; n < kDashedLineSegmentLimit && (x < x2 - dx || y < y2 - dy); ++n) {
        // A line given backwards would otherwise run on, off the device, to the segment limit.
        if (!insideDeviceRange(x, y)) break;
        const DevPoint points[] = {{clampDeviceCoord(x), clampDeviceCoord(y)},
                                   {clampDeviceCoord(x + dx), clampDeviceCoord(y + dy)}};
        drawPolyline(points, pen);
        x += dx + static_cast<long long>(sx) * gap;
        y += dy + static_cast<long long>(sy) * gap;
    }
}

void Device::DevFilledRect(int left, int top, int right, int bottom, int style, int width, Colour pen,
                           Colour fill)
{
    drawRectangle(DevRect{left, top, right, bottom}.normalised(), Pen{style, width, pen},
                  Brush::solidColour(fill));
}

void Device::DevRectOutline(int left, int top, int right, int bottom, int style, int width, Colour colour)
{
    const DevPoint points[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}};
    drawPolyline(points, Pen{style, width, colour});
}

void Device::DevCircle(int cx, int cy, int r, int style, int width, Colour colour)
{
    const DevPoint p{clampDeviceCoord(static_cast<long long>(cx) + r), cy};
    drawArc(boxAround(cx, cy, r, r), p, p, Pen{style, width, colour});
}

void Device::DevEllipse(int cx, int cy, int rx, int ry, int style, int width, Colour colour)
{
    const DevPoint p{clampDeviceCoord(static_cast<long long>(cx) + rx), cy};
    drawArc(boxAround(cx, cy, rx, ry), p, p, Pen{style, width, colour});
}

void Device::DevArc(int cx, int cy, int r, int sx, int sy, int ex, int ey, int style, int width,
                    Colour colour)
{
    drawArc(boxAround(cx, cy, r, r), {sx, sy}, {ex, ey}, Pen{style, width, colour});
}

void Device::DevFilledCircle(int cx, int cy, int r, int style, int width, Colour pen, Colour fill)
{
    drawEllipse(boxAround(cx, cy, r, r), Pen{style, width, pen}, Brush::solidColour(fill));
}

void Device::DevFilledPolygon(std::span<const DevPoint> points, Colour colour)
{
    if (points.empty()) return;
    drawPolygon(points, Pen{PenStyle::Solid, 1, colour}, Brush::solidColour(colour));
}

int Device::DevTextInRect(int left, int top, int right, int bottom, std::string_view text, unsigned flags)
{
    DevRect r = DevRect{left, top, right, bottom}.normalised();
    // Shrunk by one unit, and still within the device range at its clamped edges.
    r.left = clampDeviceCoord(r.left + 1LL);
    r.top = clampDeviceCoord(r.top + 1LL);
    r.right = clampDeviceCoord(r.right - 1LL);
    r.bottom = clampDeviceCoord(r.bottom - 1LL);
    return drawText(r, text, flags);
}

void Device::DevStretchBitmap(int left, int top, int width, int height, const Bitmap& image, int sx, int sy,
                              int sw, int sh, RasterOp op)
{
    if (!image.valid() || width <= 0 || height <= 0) return;
    // Keep the source inside the image; an empty part draws nothing.
    sx = std::clamp(sx, 0, image.width);
    sy = std::clamp(sy, 0, image.height);
    sw = std::min(sw, image.width - sx);
    sh = std::min(sh, image.height - sy);
    if (sw <= 0 || sh <= 0) return;
    stretchBitmap({left, top, clampDeviceCoord(static_cast<long long>(left) + width),
                   clampDeviceCoord(static_cast<long long>(top) + height)},
                  image, {sx, sy, sx + sw, sy + sh}, op);
}

bool Device::decodeBitmap(std::string_view bytes, Bitmap& out) const
{
    return decodeBmp(bytes, out) == BmpStatus::Ok;
}

} // namespace qc
