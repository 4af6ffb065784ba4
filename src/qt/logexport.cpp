#include "qt/logexport.h"

#include "document/tables.h"
#include "platform/files.h"
#include "qt/qtext.h"
#include "qt/qtpainterdevice.h"
#include "render/paging.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace qc {

namespace {

// Leftover pages of an earlier export looked for at most.
constexpr int kMaxStalePagesReported = 10000;

int unitsFor(double mm, int dpi)
{
    return static_cast<int>(std::lround(mm / 25.4 * dpi));
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Writes what a Qt writer produced in memory; a writer's own file errors would go unnoticed.
bool writeOut(const QByteArray& bytes, const std::string& path, ExportResult& result)
{
    FileError error;
    if (writeFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                            &error))
        return true;
    result.error = "cannot write " + path + ": " + error.reason;
    return false;
}

// Draws pages first..last on a device, one call of newPage between two pages;
// false when progress asked to stop.
template <typename NewPage>
bool printPages(RenderContext& ctx, Device& device, int first, int last, const ExportProgress& progress,
                NewPage newPage)
{
    ViewState& view = ctx.view;
    for (int page = first; page <= last; ++page) {
        if (progress && !progress(page - first + 1, last - first + 1)) {
            view.currentPage = 1;
            return false;
        }
        if (page > first) newPage(page);
        view.printingNow = true;
        view.currentPage = page;
        drawLogPage(device, ctx);
        view.printingNow = false;
    }
    view.currentPage = 1;
    return true;
}

} // namespace

bool exportFormatOf(const std::string& path, ExportFormat& format)
{
    const std::string l = lower(path);
    auto ends = [&](const char* ext) { return l.size() > 4 && l.compare(l.size() - 4, 4, ext) == 0; };
    if (ends(".pdf"))
        format = ExportFormat::Pdf;
    else if (ends(".png"))
        format = ExportFormat::Png;
    else if (ends(".svg"))
        format = ExportFormat::Svg;
    else
        return false;
    return true;
}

std::string pageFileName(const std::string& outPath, int page)
{
    const size_t slash = outPath.find_last_of('/');
    const size_t dot = outPath.find_last_of('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExt ? outPath.substr(0, dot) : outPath;
    const std::string ext = hasExt ? outPath.substr(dot) : std::string();
    return stem + "-" + std::to_string(page) + ext;
}

int maxExportDpi(double paperWidthMm, double paperHeightMm)
{
    const double longest = std::max(paperWidthMm, paperHeightMm);
    return longest > 0 ? static_cast<int>(std::floor(kDeviceCoordLimit * 25.4 / longest)) : 0;
}

void setExportPaper(ViewState& view, const ExportOptions& options)
{
    const PrinterPage page{unitsFor(options.paperWidthMm, options.dpi),
                           unitsFor(options.paperHeightMm, options.dpi),
                           options.dpi,
                           options.dpi,
                           options.paperWidthMm,
                           options.paperHeightMm};
    computePaperSize(view, &page);
}

ExportResult exportLog(RenderContext& ctx, const ExportOptions& options, const ExportProgress& progress)
{
    ExportResult result;
    ViewState& view = ctx.view;
    setExportPaper(view, options);
    result.pageCount = pageCount(view, deepestDepth(ctx.doc));
    const int first = options.firstPage;
    const int last = options.lastPage > 0 ? options.lastPage : result.pageCount;
    if (first < 1 || first > last || last > result.pageCount) {
        result.error = "pages " + std::to_string(first) + "-" + std::to_string(last) +
                       " are not in the log's pages 1-" + std::to_string(result.pageCount);
        return result;
    }
    const int dpi = options.dpi;
    const int width = unitsFor(options.paperWidthMm, dpi);
    const int height = unitsFor(options.paperHeightMm, dpi);
    const QString title =
        fromCp932(ctx.doc.HeaderTable(38).empty() ? ctx.doc.title : ctx.doc.HeaderTable(38));

    if (options.format == ExportFormat::Pdf) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(dpi);
        const double shortSide = std::min(options.paperWidthMm, options.paperHeightMm);
        const double longSide = std::max(options.paperWidthMm, options.paperHeightMm);
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter),
                                         options.paperWidthMm > options.paperHeightMm ? QPageLayout::Landscape
                                                                                      : QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Qc"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            result.error = "cannot start a PDF at " + options.outPath;
            return result;
        }
        QtPainterDevice device(painter, dpi, dpi);
        const bool whole = printPages(ctx, device, first, last, progress, [&](int) { writer.newPage(); });
        const bool ended = painter.end();
        if (!whole) {
            // A cut-off PDF is no use: any file already there stays as it was.
            result.cancelled = true;
            return result;
        }
        if (!ended || bytes.isEmpty()) {
            result.error = "cannot finish the PDF " + options.outPath;
            return result;
        }
        if (!writeOut(bytes, options.outPath, result)) return result;
        result.files.push_back(options.outPath);
        result.ok = true;
        return result;
    }

    for (int page = first; page <= last; ++page) {
        const std::string name = pageFileName(options.outPath, page);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (options.format == ExportFormat::Png) {
            QImage image(width, height, QImage::Format_RGB32);
            if (image.isNull()) {
                result.error = "not enough memory for a page of " + std::to_string(width) + " x " +
                               std::to_string(height) + " pixels";
                return result;
            }
            image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
            image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                QtPainterDevice device(painter, dpi, dpi);
                printPages(ctx, device, page, page, {}, [](int) {});
            }
            if (progress && !progress(page - first + 1, last - first + 1)) {
                result.cancelled = true;
                return result;
            }
            if (!image.save(&buffer, "PNG")) {
                result.error = "cannot encode " + name;
                return result;
            }
        } else {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(QSize(width, height));
            svg.setViewBox(QRect(0, 0, width, height));
            svg.setResolution(dpi);
            svg.setTitle(title);
            {
                QPainter painter(&svg);
                QtPainterDevice device(painter, dpi, dpi);
                printPages(ctx, device, page, page, {}, [](int) {});
            }
            if (progress && !progress(page - first + 1, last - first + 1)) {
                result.cancelled = true;
                return result;
            }
        }
        if (!writeOut(bytes, name, result)) return result;
        result.files.push_back(name);
    }
    // Pages of an earlier, longer export are left alone (they may be wanted); the caller
    // hears of them.
    if (options.lastPage <= 0)
        for (int page = last + 1; page <= last + kMaxStalePagesReported; ++page) {
            const std::string name = pageFileName(options.outPath, page);
            if (!fileExists(name)) break;
            result.stalePages.push_back(name);
        }
    result.ok = true;
    return result;
}

} // namespace qc
