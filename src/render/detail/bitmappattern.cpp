#include "render/detail/bitmappattern.h"

#include "platform/files.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace qc {

namespace {

std::string lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::string findBitmapFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path p(path);
    if (fs::is_regular_file(p, ec)) return path;
    const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
    const std::string want = lower(p.filename().string());
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (lower(it->path().filename().string()) != want) continue;
        std::error_code fe;
        if (it->is_regular_file(fe)) return it->path().string();
    }
    return {};
}

void TileComposer::setClip(double x1, double y1, double x2, double y2)
{
    m_clip[0] = x1;
    m_clip[1] = y1;
    m_clip[2] = x2;
    m_clip[3] = y2;
}

void TileComposer::stretch(PageCanvas& canvas, const DevRect& area, const DevRect& dest, const Bitmap& image,
                           const DevRect& source, RasterOp op)
{
    if (!image.valid() || area.width() <= 0 || area.height() <= 0) return;
    if (m_active && !(area == m_area)) flush(canvas);
    if (!m_active) {
        const double pixels = static_cast<double>(area.width()) * static_cast<double>(area.height());
        m_scale = pixels > static_cast<double>(kMaxPixels)
                      ? std::sqrt(static_cast<double>(kMaxPixels) / pixels)
                      : 1.0;
        m_image.width = std::max(1, static_cast<int>(std::ceil(area.width() * m_scale)));
        m_image.height = std::max(1, static_cast<int>(std::ceil(area.height() * m_scale)));
        m_image.pixels.assign(static_cast<size_t>(m_image.width) * static_cast<size_t>(m_image.height),
                              0xFFFFFF);
        m_area = area;
        std::copy(std::begin(m_clip), std::end(m_clip), std::begin(m_imageClip));
        m_active = true;
    }
    const DevRect s = source.normalised();
    if (s.width() <= 0 || s.height() <= 0 || dest.width() <= 0 || dest.height() <= 0) return;
    // Destination pixels of the composed image, sampled from the source part.
    const int x0 =
        std::clamp(static_cast<int>(std::floor((dest.left - area.left) * m_scale)), 0, m_image.width);
    const int x1 =
        std::clamp(static_cast<int>(std::ceil((dest.right - area.left) * m_scale)), 0, m_image.width);
    const int y0 =
        std::clamp(static_cast<int>(std::floor((dest.top - area.top) * m_scale)), 0, m_image.height);
    const int y1 =
        std::clamp(static_cast<int>(std::ceil((dest.bottom - area.top) * m_scale)), 0, m_image.height);
    const double fx = s.width() / (dest.width() * m_scale);
    const double fy = s.height() / (dest.height() * m_scale);
    const double ox = (dest.left - area.left) * m_scale, oy = (dest.top - area.top) * m_scale;
    for (int y = y0; y < y1; ++y) {
        const int sy = std::clamp(s.top + static_cast<int>((y + 0.5 - oy) * fy), s.top, s.bottom - 1);
        for (int x = x0; x < x1; ++x) {
            const int sx = std::clamp(s.left + static_cast<int>((x + 0.5 - ox) * fx), s.left, s.right - 1);
            Colour& d = m_image.pixels[static_cast<size_t>(y) * static_cast<size_t>(m_image.width) +
                                       static_cast<size_t>(x)];
            const Colour c = image.at(sx, sy) & 0xFFFFFF;
            d = op == RasterOp::And ? (d & c) : c;
        }
    }
}

void TileComposer::queueLine(double x1, double y1, double x2, double y2, int width)
{
    m_lines.push_back({x1, y1, x2, y2, width});
}

void TileComposer::flush(PageCanvas& canvas)
{
    if (m_active) {
        canvas.PageClip(m_imageClip[0], m_imageClip[1], m_imageClip[2], m_imageClip[3]);
        canvas.device().DevStretchBitmap(m_area.left, m_area.top, m_area.width(), m_area.height(), m_image, 0,
                                         0, m_image.width, m_image.height, RasterOp::Copy);
        canvas.resetClip();
        m_active = false;
        m_image = {};
    }
    for (const Line& l : m_lines) canvas.PageLine(l.x1, l.y1, l.x2, l.y2, PenStyle::Solid, l.width, 0);
    m_lines.clear();
}

int DrawBitmapPattern(PageCanvas& canvas, const std::string& path, double x, double y, double width,
                      double height, RasterOp op, TileComposer* composer)
{
    const std::string file = findBitmapFile(path);
    if (file.empty()) return 0;
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec || size > static_cast<unsigned long long>(kMaxBitmapFileBytes)) return 0;
    std::string bytes;
    if (!readFileBytes(file, bytes)) return 0;
    Bitmap image;
    if (!canvas.device().decodeBitmap(bytes, image) || !image.valid()) return 0;

    const PageGeometry& g = canvas.geometry();
    const int left = canvas.PageX(x) + 1;
    const int top = canvas.PageY(y);
    const int w = truncateToDevice(g.unitsPerPageMm * width) - 1;
    const int H = truncateToDevice(g.unitsPerMetre * height);
    if (w <= 0 || H <= 0) return 1;

    const DevRect area{left, top, left + w, top + H};
    auto stretch = [&](int dy, int dh, int sh) {
        if (composer) {
            composer->stretch(canvas, area, DevRect{left, dy, left + w, dy + dh}, image,
                              DevRect{0, 0, image.width, sh}, op);
        } else {
            canvas.device().DevStretchBitmap(left, dy, w, dh, image, 0, 0, image.width, sh, op);
        }
    };

    const double exact = static_cast<double>(w) / image.width * image.height;
    const long long th = static_cast<long long>(std::trunc(exact));
    if (th < 1) {
        // An image far wider than it is high on this column: one stretch of the
        // whole image rather than tiles of no height.
        stretch(top, H, image.height);
        return 1;
    }
    if (H <= th) {
        const int sh = std::max(1, static_cast<int>(static_cast<long long>(image.height) * H / th));
        stretch(top, H, sh);
        return 1;
    }
    long long dy = top;
    const long long bottom = static_cast<long long>(top) + H;
    while (dy + th <= bottom) {
        stretch(static_cast<int>(dy), static_cast<int>(th), image.height);
        dy += th;
    }
    const long long rest = bottom - dy;
    const long long sh = static_cast<long long>(image.height) * rest / th;
    if (rest > 0 && sh >= 1) stretch(static_cast<int>(dy), static_cast<int>(rest), static_cast<int>(sh));
    return 1;
}

} // namespace qc
