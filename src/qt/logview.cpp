#include "qt/logview.h"

#include "app/viewstate.h"
#include "commands/viewcontroller.h"
#include "qt/deferredprompter.h"
#include "qt/qtpainterdevice.h"

#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace qc {

namespace {

// The cache covers the whole extent while it is this small, else the window and a margin around it.
constexpr qint64 kCachePixels = 8 * 1024 * 1024;

qint64 areaOf(const QSize& s)
{
    return static_cast<qint64>(s.width()) * s.height();
}

} // namespace

LogView::LogView(ViewController& controller, Prompter& prompter, QWidget* parent)
    : QAbstractScrollArea(parent), m_controller(controller),
      m_paintPrompter(std::make_unique<DeferredPrompter>(prompter)),
      m_textWidths(std::make_unique<TextWidthCache>())
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("logView"));
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &LogView::drawWhenIdle);
}

LogView::~LogView() = default;

void LogView::setScrollSizes(const ScrollSizes& sizes)
{
    m_sizes = sizes;
    invalidatePage();
    updateScrollBars();
}

void LogView::invalidatePage()
{
    m_valid = QRegion();
    m_idle.stop();
    refit(); // a new paper changes the fit
    viewport()->update();
}

QSize LogView::pageSizeMm() const
{
    const ViewState& v = m_controller.view();
    const int w = m_sizes.widthMm > 0 ? std::min(v.paperWidthMm, m_sizes.widthMm) : v.paperWidthMm;
    const int h = m_sizes.heightMm > 0 ? std::min(v.paperHeightMm, m_sizes.heightMm) : v.paperHeightMm;
    return {w, h};
}

QSize LogView::extentPixels() const
{
    return {std::max(1, pixelsOfMm(m_sizes.widthMm, m_zoom.dpi)),
            std::max(1, pixelsOfMm(m_sizes.heightMm, m_zoom.dpi))};
}

int LogView::renderDpi() const
{
    return std::max(1, static_cast<int>(std::lround(m_zoom.dpi * devicePixelRatioF())));
}

QRect LogView::physicalExtent() const
{
    const int dpi = renderDpi();
    return {0, 0, std::max(1, pixelsOfMm(m_sizes.widthMm, dpi)),
            std::max(1, pixelsOfMm(m_sizes.heightMm, dpi))};
}

bool LogView::cacheComplete() const
{
    return !m_cache.isNull() && m_valid.contains(m_cacheRect) && (QRegion(m_cacheRect) - m_valid).isEmpty();
}

int LogView::fittedDpi(ZoomMode mode) const
{
    const QSize page = pageSizeMm();
    // The room of the view with both scroll bars (the extent is larger than the page).
    const QSize room = size() - QSize(2 * frameWidth() + verticalScrollBar()->sizeHint().width(),
                                      2 * frameWidth() + horizontalScrollBar()->sizeHint().height());
    switch (mode) {
    case ZoomMode::FitWidth:
        return fitWidthDpi(room.width(), page.width());
    case ZoomMode::FitPage:
        return fitPageDpi(room.width(), room.height(), page.width(), page.height());
    case ZoomMode::Fixed:
        break;
    }
    return clampZoomDpi(m_zoom.dpi);
}

void LogView::refit()
{
    if (m_zoom.mode == ZoomMode::Fixed) return;
    const int dpi = fittedDpi(m_zoom.mode);
    if (dpi != m_zoom.dpi) setZoom({m_zoom.mode, dpi});
}

void LogView::setZoom(const Zoom& requested, std::optional<QPoint> anchor)
{
    Zoom z = requested;
    z.dpi = z.mode == ZoomMode::Fixed ? clampZoomDpi(z.dpi) : fittedDpi(z.mode);
    const Zoom old = m_zoom;
    m_zoom = z;
    if (old == z) return;
    if (old.dpi != z.dpi) {
        const QPoint at = anchor.value_or(QPoint(viewport()->width() / 2, viewport()->height() / 2));
        int x = anchoredScroll(horizontalScrollBar()->value(), at.x(), old.dpi, z.dpi);
        int y = anchoredScroll(verticalScrollBar()->value(), at.y(), old.dpi, z.dpi);
        if (z.mode != ZoomMode::Fixed) x = 0;
        if (z.mode == ZoomMode::FitPage) y = 0;
        m_valid = QRegion();
        m_idle.stop();
        updateScrollBars();
        horizontalScrollBar()->setValue(x);
        verticalScrollBar()->setValue(y);
        viewport()->update();
    } else if (z.mode == ZoomMode::FitPage) {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
    }
    emit zoomChanged(m_zoom);
}

void LogView::zoomIn(std::optional<QPoint> anchor)
{
    setZoom({ZoomMode::Fixed, zoomInDpi(m_zoom.dpi)}, anchor);
}

void LogView::zoomOut(std::optional<QPoint> anchor)
{
    setZoom({ZoomMode::Fixed, zoomOutDpi(m_zoom.dpi)}, anchor);
}

void LogView::updateScrollBars()
{
    const QSize view = viewport()->size();
    const QSize extent = extentPixels();
    horizontalScrollBar()->setRange(0, std::max(0, extent.width() - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, extent.height() - view.height()));
    // Page and line steps: an eighth and a thirty-second of the extent, at the zoom.
    horizontalScrollBar()->setPageStep(m_sizes.pageX > 0 ? std::max(1, extent.width() / 8) : view.width());
    verticalScrollBar()->setPageStep(m_sizes.pageY > 0 ? std::max(1, extent.height() / 8) : view.height());
    horizontalScrollBar()->setSingleStep(std::max(1, extent.width() / 32));
    verticalScrollBar()->setSingleStep(std::max(1, extent.height() / 32));
}

void LogView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    refit();
    updateScrollBars();
}

void LogView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void LogView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        m_wheelAngle = 0;
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // One step a notch (120); a touch pad's small deltas add up.
    m_wheelAngle += event->angleDelta().y();
    const QPoint at = event->position().toPoint();
    while (m_wheelAngle >= 120) {
        zoomIn(at);
        m_wheelAngle -= 120;
    }
    while (m_wheelAngle <= -120) {
        zoomOut(at);
        m_wheelAngle += 120;
    }
    event->accept();
}

void LogView::placeCache(const QRect& needed, const QRect& window)
{
    const int dpi = renderDpi();
    if (dpi != m_cacheDpi) {
        m_cache = QImage();
        m_cacheRect = QRect();
        m_valid = QRegion();
        m_cacheDpi = dpi;
        m_textWidths->clear();
    }
    if (!m_cache.isNull() && m_cacheRect.contains(needed)) return;
    const QRect extent = physicalExtent();
    QRect want = extent;
    if (areaOf(extent.size()) > kCachePixels) {
        // The window and up to half a window around it, within the pixel budget.
        const double room =
            std::sqrt(static_cast<double>(kCachePixels) / std::max<qint64>(1, areaOf(window.size())));
        const double margin = std::clamp((room - 1) / 2, 0.0, 0.5);
        const int mx = static_cast<int>(window.width() * margin),
                  my = static_cast<int>(window.height() * margin);
        want = (window.adjusted(-mx, -my, mx, my) | needed) & extent;
    }
    QImage image(want.size(), QImage::Format_RGB32);
    const QRegion kept = m_valid & want;
    if (!kept.isEmpty()) {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : kept)
            p.drawImage(r.topLeft() - want.topLeft(), m_cache, r.translated(-m_cacheRect.topLeft()));
    }
    m_cache = std::move(image);
    m_cacheRect = want;
    m_valid = kept;
}

void LogView::renderRect(const QRect& wanted)
{
    const QRect rect = wanted & m_cacheRect;
    if (rect.isEmpty()) return;
    // The painter cuts figures at the image's edge before it rasterises them, which may move a
    // pixel next to the edge: the part is drawn with a band around it that is then left out.
    constexpr int kBand = 16;
    const QRect drawn = rect.adjusted(-kBand, -kBand, kBand, kBand);
    if (m_part.size() != drawn.size()) m_part = QImage(drawn.size(), QImage::Format_RGB32);
    m_part.fill(Qt::white);
    {
        QPainter painter(&m_part);
        painter.translate(-drawn.topLeft());
        QtPainterDevice device(painter, m_cacheDpi, m_cacheDpi);
        device.setTextWidthCache(m_textWidths.get());
        m_controller.drawScreen(device, m_paintPrompter.get());
    }
    QPainter copy(&m_cache);
    copy.setCompositionMode(QPainter::CompositionMode_Source);
    copy.drawImage(rect.topLeft() - m_cacheRect.topLeft(), m_part, QRect(QPoint(kBand, kBand), rect.size()));
    m_valid += rect;
    ++m_renders;
}

void LogView::drawWhenIdle()
{
    if (m_cache.isNull()) return;
    const QRegion rest = QRegion(m_cacheRect) - m_valid;
    if (rest.isEmpty()) return;
    renderRect(*rest.begin());
    if (!cacheComplete()) m_idle.start();
}

void LogView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect area = event->rect();
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QSize extent = extentPixels();
    // The part of the page under the exposed area (the page may be smaller than the view).
    const QRect visible = area.translated(scroll) & QRect(QPoint(0, 0), extent);
    if (visible != area.translated(scroll)) painter.fillRect(area, Qt::white);
    if (visible.isEmpty()) return;

    const qreal dpr = devicePixelRatioF();
    auto physical = [&](const QRect& r) {
        return QRect(
            QPoint(static_cast<int>(std::floor(r.left() * dpr)), static_cast<int>(std::floor(r.top() * dpr))),
            QPoint(static_cast<int>(std::ceil((r.right() + 1) * dpr)) - 1,
                   static_cast<int>(std::ceil((r.bottom() + 1) * dpr)) - 1));
    };
    const QRect window = physical(QRect(scroll, viewport()->size())) & physicalExtent();
    const QRect needed = physical(visible) & physicalExtent();
    placeCache(needed, window.isEmpty() ? needed : window);
    const QRegion missing = QRegion(needed) - m_valid;
    if (!missing.isEmpty()) renderRect(missing.boundingRect());

    const QRectF source(QPointF(visible.topLeft()) * dpr - QPointF(m_cacheRect.topLeft()),
                        QSizeF(visible.size()) * dpr);
    painter.drawImage(QRectF(visible.translated(-scroll)), m_cache, source);
    if (!cacheComplete()) m_idle.start();
}

QImage LogView::renderToImage()
{
    const QSize extent = extentPixels();
    QImage image(extent, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtPainterDevice device(painter, m_zoom.dpi, m_zoom.dpi);
    m_controller.drawScreen(device, m_paintPrompter.get());
    return image;
}

void LogView::keyPressEvent(QKeyEvent* event)
{
    ViewKey key = ViewKey::Other;
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_PageUp:
            key = ViewKey::PageUp;
            break;
        case Qt::Key_PageDown:
            key = ViewKey::PageDown;
            break;
        case Qt::Key_Up:
            key = ViewKey::Up;
            break;
        case Qt::Key_Down:
            key = ViewKey::Down;
            break;
        default:
            break;
        }
    }
    if (m_controller.keyDown(key)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

} // namespace qc
