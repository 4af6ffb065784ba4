#include "qt/printing.h"

#include "commands/viewcontroller.h"
#include "qt/logexport.h"
#include "qt/qtpainterdevice.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace qc {

PrinterPage printerPageOf(const QPrinter& printer)
{
    const int dpi = printer.resolution();
    const QRect full = printer.pageLayout().fullRectPixels(dpi);
    const QSizeF mm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    return PrinterPage{full.width(), full.height(), dpi, dpi, mm.width(), mm.height()};
}

void limitPdfResolution(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat) return;
    const QSizeF mm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const int limit = std::min(1200, maxExportDpi(mm.width(), mm.height()));
    if (printer.resolution() > limit) printer.setResolution(limit);
}

PrintOutcome printLogPages(ViewController& controller, QPrinter& printer, int first, int last,
                           Prompter* prompter, const std::function<bool(int, int)>& progress)
{
    PrintOutcome outcome;
    printer.setFullPage(true); // page coordinates start at the paper's corner
    QPainter painter;
    if (!painter.begin(&printer)) return outcome;
    outcome.started = true;
    const int dpiX = printer.logicalDpiX();
    const int dpiY = printer.logicalDpiY();
    for (int page = first; page <= last; ++page) {
        if (progress && !progress(page - first, last - first + 1)) {
            outcome.cancelled = true;
            break;
        }
        if (page > first && !printer.newPage()) break;
        QtPainterDevice device(painter, dpiX, dpiY);
        controller.printPage(device, page, prompter);
        ++outcome.pagesPrinted;
    }
    if (outcome.cancelled) printer.abort();
    if (painter.isActive()) painter.end();
    return outcome;
}

} // namespace qc
