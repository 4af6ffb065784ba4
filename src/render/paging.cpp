#include "render/paging.h"

#include "document/fieldtext.h"
#include "document/positions.h"
#include "document/tables.h"
#include "render/detail/pagegeometry.h"

#include <algorithm>
#include <cmath>

namespace qc {

double deepestDepth(const Document& doc)
{
    const int n = geologyRowCount(doc);
    return n > 0 ? cellDouble(doc.GeologyTable(n, GeologyCol::Depth)) : 0;
}

double pageTopDepth(ViewState& view)
{
    if (view.printingNow) {
        view.screenPageTop = view.printStartDepth;
        return view.printStartDepth +
               static_cast<double>(view.depthPerPage - view.pageOverlap) * (view.currentPage - 1);
    }
    return view.screenPageTop;
}

double pageBottomDepth(const ViewState& view, double pageTop)
{
    return pageTop + view.depthPerPage;
}

void nextScreenPage(ViewState& view, double deepest)
{
    if (view.screenPageTop < std::max(deepest + 5, 50.0)) {
        view.screenPageTop += view.depthPerPage - view.pageOverlap;
        view.currentPage += 1;
    }
}

void previousScreenPage(ViewState& view)
{
    view.screenPageTop -= view.depthPerPage - view.pageOverlap;
    if (view.screenPageTop < 0) {
        view.screenPageTop = 0;
        view.currentPage = 1;
    } else if (view.currentPage > 1) {
        view.currentPage -= 1;
    }
}

void setPrintStartDepth(ViewState& view, double depth)
{
    view.printStartDepth = depth;
    view.screenPageTop = depth;
    if (view.screenPageTop < 1) view.currentPage = 1;
}

int pageCount(const ViewState& view, double deepest)
{
    const int step = view.depthPerPage - view.pageOverlap;
    // A page depth not above the overlap, or a start below the last layer, still prints one page.
    if (step <= 0) return 1;
    const double pages = std::trunc((deepest - view.printStartDepth) / step) + 1;
    if (!(pages >= 1)) return 1;
    return pages > 100000 ? 100000 : static_cast<int>(pages);
}

namespace {

// Whole millimetres of a page side: of its nominal size when known, else of its `units`
// dots. A page of whole dots misses its nominal size by up to half a dot (415 mm at
// 600 dpi is 9803 dots, or 414.99 mm); within that much below a whole millimetre it is
// that millimetre, so that the page depth and the page count are the same at every
// resolution.
int paperSideMm(double nominalMm, int units, int dotsPerInch)
{
    if (nominalMm > 0 && std::isfinite(nominalMm)) return static_cast<int>(std::trunc(nominalMm + 1e-9));
    const double mm = units * 25.4 / dotsPerInch;
    const double halfDot = 12.7 / dotsPerInch;
    return static_cast<int>(std::trunc(mm + halfDot + 1e-9));
}

} // namespace

void computePaperSize(ViewState& view, const PrinterPage* printer)
{
    if (printer && printer->logPixelsX > 0 && printer->logPixelsY > 0) {
        view.paperWidthMm = paperSideMm(printer->nominalWidthMm, printer->widthUnits, printer->logPixelsX);
        view.paperHeightMm = paperSideMm(printer->nominalHeightMm, printer->heightUnits, printer->logPixelsY);
        view.usablePaperHeightMm = view.paperHeightMm * 82 / 100;
    }
    if (view.depthPerPage <= 0) defaultDepthPerPage(view);
}

void defaultDepthPerPage(ViewState& view)
{
    const int den = effectiveDenominator(view.depthScaleDenominator);
    view.printStartDepth = 0;
    view.screenPageTop = 0;
    view.pageOverlap = 0;
    view.currentPage = 1;
    // Paper too small for the header leaves at least one metre a page.
    view.depthPerPage = std::max(1, den * (view.usablePaperHeightMm - 8000 / den) / 1000);
}

int maxDepthPerPage(const ViewState& view, bool compactHeader, int marginTopMm)
{
    const int n = view.depthScaleDenominator < 1 ? 100 : view.depthScaleDenominator;
    const double h = compactHeader ? 8.0 : 11.5;
    return n * (view.paperHeightMm - static_cast<int>(std::trunc(10 * h)) - marginTopMm - 10) / 1000;
}

ScrollSizes scrollSizes(ViewState& view, int screenWidthPixels)
{
    constexpr double kPixelsPerMm = 3.779527559055118;
    ScrollSizes s;
    const bool wide = screenWidthPixels >= 1000;
    s.widthMm = wide ? 354 : 300;
    view.clipWidthMm = wide ? 350 : 290;
    s.heightMm = view.depthPerPage >= 38 ? 900 : 600;
    s.totalX = static_cast<int>(std::trunc(s.widthMm * kPixelsPerMm));
    s.totalY = static_cast<int>(std::trunc(s.heightMm * kPixelsPerMm));
    s.pageX = s.totalX / 8;
    s.pageY = s.totalY / 8;
    s.lineX = s.totalX / 32;
    s.lineY = s.totalY / 32;
    return s;
}

} // namespace qc
