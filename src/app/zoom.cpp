#include "app/zoom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace qc {

namespace {

constexpr std::array<int, 12> kSteps = {24, 32, 48, 64, 72, 96, 120, 144, 192, 240, 288, 384};

} // namespace

int Zoom::percent() const
{
    return static_cast<int>(std::lround(dpi * 100.0 / kZoomBaseDpi));
}

std::span<const int> zoomStepsDpi()
{
    return kSteps;
}

int clampZoomDpi(int dpi)
{
    return std::clamp(dpi, kZoomMinDpi, kZoomMaxDpi);
}

int zoomInDpi(int dpi)
{
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), dpi);
    return next == kSteps.end() ? kSteps.back() : *next;
}

int zoomOutDpi(int dpi)
{
    const auto at = std::lower_bound(kSteps.begin(), kSteps.end(), dpi);
    return at == kSteps.begin() ? kSteps.front() : *std::prev(at);
}

int pixelsOfMm(double mm, int dpi)
{
    return static_cast<int>(std::trunc(mm * dpi / 25.4));
}

int fitWidthDpi(int width, int pageWidthMm)
{
    if (width <= 0 || pageWidthMm <= 0) return kZoomMinDpi;
    // The largest dpi whose truncated page width still fits: the extent truncates, so the
    // quotient may be one below it, and rounding may make it one too large.
    int dpi = static_cast<int>(std::floor(width * 25.4 / pageWidthMm)) + 1;
    while (dpi > kZoomMinDpi && pixelsOfMm(pageWidthMm, dpi) > width) --dpi;
    return clampZoomDpi(dpi);
}

int fitPageDpi(int width, int height, int pageWidthMm, int pageHeightMm)
{
    if (height <= 0 || pageHeightMm <= 0) return kZoomMinDpi;
    return std::min(fitWidthDpi(width, pageWidthMm), fitWidthDpi(height, pageHeightMm));
}

ViewArea viewAreaOnScreen(int screenWidth, int screenHeight, const WindowChrome& c)
{
    ViewArea a;
    a.width = std::max(0, screenWidth - 2 * c.frame - c.scrollBar);
    a.height = std::max(0, screenHeight - c.taskBar - c.titleBar - c.menuBar - c.toolBar - c.statusBar -
                               2 * c.frame - c.scrollBar);
    return a;
}

int anchoredScroll(int scroll, int pointer, int oldDpi, int newDpi)
{
    if (oldDpi <= 0) return scroll;
    const double pagePoint = static_cast<double>(scroll + pointer) * newDpi / oldDpi;
    return std::max(0, static_cast<int>(std::lround(pagePoint)) - pointer);
}

const char* zoomModeName(ZoomMode mode)
{
    switch (mode) {
    case ZoomMode::FitWidth:
        return "fitWidth";
    case ZoomMode::FitPage:
        return "fitPage";
    case ZoomMode::Fixed:
        break;
    }
    return "fixed";
}

ZoomMode zoomModeFromName(const char* name)
{
    if (name && std::strcmp(name, "fitWidth") == 0) return ZoomMode::FitWidth;
    if (name && std::strcmp(name, "fitPage") == 0) return ZoomMode::FitPage;
    return ZoomMode::Fixed;
}

} // namespace qc
