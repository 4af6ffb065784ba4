#pragma once
// The scrolling view of the log: paints the screen page through the drawing
// pass, pages with PageUp/PageDown and the arrow keys, zooms (Ctrl + wheel about
// the pointer, the steps and fits of app/zoom.h) and scrolls over the extent the
// page geometry gives, scaled by the zoom.
//
// The page is drawn at the zoomed resolution times the screen's device pixel ratio
// (never a bitmap scaled) into a cache around the window: after a change the part the
// window shows is drawn first, the rest of the cache when the program is idle, so that
// scrolling near the window shows pixels already drawn.

#include "app/zoom.h"
#include "render/paging.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>
#include <QTimer>

#include <memory>
#include <optional>

namespace qc {

class ViewController;
class Prompter;
class DeferredPrompter;
class TextWidthCache;

class LogView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // 100 %: the screen is drawn at 96 dots per inch, the resolution of the scroll extent (3.78 px/mm).
    static constexpr int kScreenDpi = kZoomBaseDpi;

    LogView(ViewController& controller, Prompter& prompter, QWidget* parent = nullptr);
    ~LogView() override;

    void setScrollSizes(const ScrollSizes& sizes);
    // The page changed: draw it again at the next paint (a fit follows a new paper).
    void invalidatePage();
    // How often the drawing pass ran for the screen (tests).
    int pageRenders() const { return m_renders; }
    const ScrollSizes& scrollSizes() const { return m_sizes; }

    const Zoom& zoom() const { return m_zoom; }
    // A fixed zoom keeps the point at `anchor` (view pixels; the view's centre when not
    // given) in place; the fits start at the page's left edge (and top, for the whole page).
    void setZoom(const Zoom& zoom, std::optional<QPoint> anchor = std::nullopt);
    void zoomIn(std::optional<QPoint> anchor = std::nullopt);
    void zoomOut(std::optional<QPoint> anchor = std::nullopt);
    // The page (the paper of the printer, within the scroll extent) in millimetres.
    QSize pageSizeMm() const;
    // The scroll extent at the zoom, view pixels.
    QSize extentPixels() const;
    // The resolution the page is drawn at: the zoom times the device pixel ratio.
    int renderDpi() const;

    // The drawn pixels and the page rectangle they cover (device pixels of the page at
    // renderDpi), and whether all of it is drawn (tests).
    const QImage& cacheImage() const { return m_cache; }
    QRect cacheRect() const { return m_cacheRect; }
    bool cacheComplete() const;

    // Paints the screen page into an image of the extent at the zoom (tests and benchmarks).
    QImage renderToImage();

signals:
    void zoomChanged(const qc::Zoom& zoom);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateScrollBars();
    // The dpi of a fit for the view's size now; the zoom's own dpi when fixed.
    int fittedDpi(ZoomMode mode) const;
    void refit();
    // Makes the cache cover `needed` (page device pixels), keeping what is drawn.
    void placeCache(const QRect& needed, const QRect& window);
    // One drawing pass for `rect` (page device pixels, inside the cache).
    void renderRect(const QRect& rect);
    void drawWhenIdle();
    QRect physicalExtent() const;

    ViewController& m_controller;
    std::unique_ptr<DeferredPrompter> m_paintPrompter;
    std::unique_ptr<TextWidthCache> m_textWidths;
    ScrollSizes m_sizes;
    Zoom m_zoom;
    int m_wheelAngle = 0;

    QImage m_cache;
    QImage m_part; // one pass's drawing, kept for the next pass of that size
    QRect m_cacheRect;
    QRegion m_valid; // the part of m_cacheRect drawn since the last change
    int m_cacheDpi = 0;
    QTimer m_idle;
    int m_renders = 0;
};

} // namespace qc
