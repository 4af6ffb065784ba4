#pragma once
// Prints the log, page by page as printing would, to a PDF (one page per log
// page), or to PNG or SVG files (one file per page: OUT-1.png, OUT-2.png, ...).
// Needs a QGuiApplication (the offscreen platform will do).

#include "render/logpage.h"

#include <functional>
#include <string>
#include <vector>

namespace qc {

enum class ExportFormat { Pdf, Png, Svg };

struct ExportOptions
{
    std::string outPath; // native path; PNG and SVG pages get "-n" before the extension
    ExportFormat format = ExportFormat::Pdf;
    int dpi = 600;
    double paperWidthMm = 297; // A3 portrait: the 274 mm wide header fits
    double paperHeightMm = 420;
    int firstPage = 1;
    int lastPage = 0; // 0: up to the last page of the log
};

struct ExportResult
{
    bool ok = false;
    bool cancelled = false; // progress asked to stop; the file being written was dropped
    std::string error;      // one line, UTF-8
    int pageCount = 0;      // pages of the log
    std::vector<std::string> files;
    // PNG/SVG pages of an earlier export past the last page written now (a whole-log
    // export only): kept, and named here so that the caller can say so.
    std::vector<std::string> stalePages;
};

// The format an output path asks for by its extension; false for another one.
bool exportFormatOf(const std::string& path, ExportFormat& format);
// OUT.png -> OUT-3.png for page 3.
std::string pageFileName(const std::string& outPath, int page);
// The largest resolution at which a page of that size stays within the device coordinate range.
int maxExportDpi(double paperWidthMm, double paperHeightMm);

// Sets the paper of the view from the export paper and resolution (as the printer would)
// and the default page depth when none is set.
void setExportPaper(ViewState& view, const ExportOptions& options);

// Told (page n, of m) as each page is drawn; false stops the export.
using ExportProgress = std::function<bool(int, int)>;

// Prints the pages. Files are written atomically: a failure or a stop leaves
// any existing file as it was.
ExportResult exportLog(RenderContext& ctx, const ExportOptions& options, const ExportProgress& progress = {});

} // namespace qc
