#pragma once
// The scrolling view of the log: paints the screen page through the drawing
// pass, pages with PageUp/PageDown and the arrow keys, and scrolls over the
// extent the page geometry gives.

#include "render/paging.h"

#include <QAbstractScrollArea>

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

    ViewController& m_controller;
    std::unique_ptr<DeferredPrompter> m_paintPrompter;
    ScrollSizes m_sizes;
};

} // namespace qc
