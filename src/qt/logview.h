#pragma once
// The scrolling view of the log: paints the screen page through the drawing
// pass, pages with PageUp/PageDown and the arrow keys, and scrolls over the
// extent the page geometry gives. The page is drawn once into an image of the
// whole extent and scrolling shows parts of it; invalidatePage draws it again.

#include "render/paging.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <memory>

namespace qc {

class ViewController;
class Prompter;
class DeferredPrompter;

class LogView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // The screen is drawn at 96 dots per inch, the resolution of the scroll extent (3.78 px/mm).
    static constexpr int kScreenDpi = 96;

    LogView(ViewController& controller, Prompter& prompter, QWidget* parent = nullptr);
    ~LogView() override;

    void setScrollSizes(const ScrollSizes& sizes);
    // The page changed: draw it again at the next paint.
    void invalidatePage();
    // How often the page was drawn for the screen (tests).
    int pageRenders() const { return m_renders; }
    const ScrollSizes& scrollSizes() const { return m_sizes; }

    // Paints the screen page into an image of the extent (for tests and benchmarks).
    QImage renderToImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void updateScrollBars();
    void renderPage();

    ViewController& m_controller;
    QImage m_page;
    bool m_pageValid = false;
    int m_renders = 0;
    std::unique_ptr<DeferredPrompter> m_paintPrompter;
    ScrollSizes m_sizes;
};

} // namespace qc
