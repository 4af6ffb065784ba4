#pragma once
// The zoom of the screen view: the page is drawn at a resolution of its own (96 dots per
// inch is 100 %), so that every figure keeps its exact geometry at any size. The steps,
// the fit of a page into the window and the scroll position that keeps the point under
// the mouse pointer in place live here, without widgets.

#include <span>

namespace qc {

// 100 %: the screen resolution of the scroll extent (3.78 pixels a millimetre).
inline constexpr int kZoomBaseDpi = 96;
// The smallest and largest zoom: 25 % and 400 %.
inline constexpr int kZoomMinDpi = 24;
inline constexpr int kZoomMaxDpi = 384;

enum class ZoomMode {
    Fixed,    // the resolution stays as chosen
    FitWidth, // "ページ幅に合わせる": the page width fills the window, again at every resize
    FitPage,  // "ページ全体": the whole page in the window, again at every resize
};

// The resolution the page is drawn at, in dots per inch of the screen, and how it is chosen.
struct Zoom
{
    ZoomMode mode = ZoomMode::Fixed;
    int dpi = kZoomBaseDpi;

    // The zoom in percent for the status bar, rounded.
    int percent() const;
    bool operator==(const Zoom&) const = default;
};

// The steps of 拡大 and 縮小: 25, 33, 50, 67, 75, 100, 125, 150, 200, 250, 300 and 400 %,
// each a whole number of dots per inch.
std::span<const int> zoomStepsDpi();
// The next step above (below) dpi; the largest (smallest) step stays where it is. A zoom
// between two steps (a fit) goes to the neighbouring step.
int zoomInDpi(int dpi);
int zoomOutDpi(int dpi);
// Any stored or computed resolution brought within the bounds.
int clampZoomDpi(int dpi);

// Pixels that `mm` millimetres cover at `dpi` (truncated, as the scroll extent is).
int pixelsOfMm(double mm, int dpi);

// The largest resolution at which the page width fits `width` pixels (fit width), or the
// whole page fits width x height pixels (fit page); within the zoom bounds.
int fitWidthDpi(int width, int pageWidthMm);
int fitPageDpi(int width, int height, int pageWidthMm, int pageHeightMm);

// What a maximised main window leaves for the page on a screen: the task bar, the title
// bar, menu bar, tool bar and status bar, the frame of the view and its two scroll bars.
struct WindowChrome
{
    int taskBar = 40;
    int titleBar = 30;
    int menuBar = 24;
    int toolBar = 34;
    int statusBar = 24;
    int frame = 2;      // each side of the view
    int scrollBar = 16; // the vertical bar's width, the horizontal bar's height
};
struct ViewArea
{
    int width = 0;
    int height = 0;
};
ViewArea viewAreaOnScreen(int screenWidth, int screenHeight, const WindowChrome& chrome = {});

// Ctrl + mouse wheel: the scroll position that keeps the page point under the pointer
// (at `pointer` pixels from the view's edge) under it after the zoom changes.
int anchoredScroll(int scroll, int pointer, int oldDpi, int newDpi);

// The stored form of a zoom (settings): "fixed", "fitWidth" or "fitPage" and the dpi.
const char* zoomModeName(ZoomMode mode);
ZoomMode zoomModeFromName(const char* name);

} // namespace qc
