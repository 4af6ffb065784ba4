#include "qt/logview.h"

#include "commands/viewcontroller.h"
#include "qt/deferredprompter.h"
#include "qt/qtpainterdevice.h"

#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace qc {

LogView::LogView(ViewController& controller, Prompter& prompter, QWidget* parent)
    : QAbstractScrollArea(parent), m_controller(controller),
      m_paintPrompter(std::make_unique<DeferredPrompter>(prompter))
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setObjectName(QStringLiteral("logView"));
}

LogView::~LogView() = default;

void LogView::setScrollSizes(const ScrollSizes& sizes)
{
    m_sizes = sizes;
    updateScrollBars();
    invalidatePage();
}

void LogView::invalidatePage()
{
    m_pageValid = false;
    viewport()->update();
}

void LogView::renderPage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize size(std::max(1, m_sizes.totalX), std::max(1, m_sizes.totalY));
    if (m_page.size() != size * dpr || m_page.devicePixelRatio() != dpr) {
        m_page = QImage(size * dpr, QImage::Format_RGB32);
        m_page.setDevicePixelRatio(dpr);
    }
    m_page.fill(Qt::white);
    QPainter painter(&m_page);
    QtPainterDevice device(painter, kScreenDpi, kScreenDpi);
    m_controller.drawScreen(device, m_paintPrompter.get());
    m_pageValid = true;
    ++m_renders;
}

void LogView::updateScrollBars()
{
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_sizes.totalX - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, m_sizes.totalY - view.height()));
    horizontalScrollBar()->setPageStep(m_sizes.pageX > 0 ? m_sizes.pageX : view.width());
    verticalScrollBar()->setPageStep(m_sizes.pageY > 0 ? m_sizes.pageY : view.height());
    horizontalScrollBar()->setSingleStep(std::max(1, m_sizes.lineX));
    verticalScrollBar()->setSingleStep(std::max(1, m_sizes.lineY));
}

void LogView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LogView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void LogView::paintEvent(QPaintEvent* event)
{
    if (!m_pageValid || m_page.devicePixelRatio() != devicePixelRatioF()) renderPage();
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    // The part of the page under the exposed area (the page may be smaller than the view).
    const QRect visible =
        area.translated(scroll) & QRect(QPoint(0, 0), m_page.deviceIndependentSize().toSize());
    if (visible.isEmpty()) return;
    const qreal dpr = m_page.devicePixelRatio();
    painter.drawImage(QRectF(visible.translated(-scroll)), m_page,
                      QRectF(QPointF(visible.topLeft()) * dpr, QSizeF(visible.size()) * dpr));
}

QImage LogView::renderToImage()
{
    QImage image(std::max(1, m_sizes.totalX), std::max(1, m_sizes.totalY), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtPainterDevice device(painter, kScreenDpi, kScreenDpi);
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
