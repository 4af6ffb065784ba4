// Way into render: page ranges, page count and paper size of a log.
#pragma once
// Which depth range a page shows, how many pages a log has, the paper size and
// the scroll extent of the view.

#include "app/viewstate.h"

namespace qc {

struct Document;

// Bottom depth of the last geology layer (rows from 1 while the depth starts like a number); 0 for none.
double deepestDepth(const Document& doc);

// Depth at the top of the page the pass draws: the printed page `currentPage`
// (which also puts the screen back on the first printed page), or the screen page.
double pageTopDepth(ViewState& view);
double pageBottomDepth(const ViewState& view, double pageTop);

// Screen paging of the commands and keys.
void nextScreenPage(ViewState& view, double deepest);
void previousScreenPage(ViewState& view);
// The scale dialog's print start depth also moves the screen there.
void setPrintStartDepth(ViewState& view, double depth);

// Pages to print: trunc((deepest - start) / (depthPerPage - overlap)) + 1, at least 1.
int pageCount(const ViewState& view, double deepest);

// The printer's physical page in device units and its resolution, and the nominal
// paper size in millimetres when the platform knows it (0 when not).
struct PrinterPage
{
    int widthUnits = 0;
    int heightUnits = 0;
    int logPixelsX = 0;
    int logPixelsY = 0;
    double nominalWidthMm = 0;
    double nominalHeightMm = 0;
};

// Paper size from the printer (the defaults stay without one), then the default
// page depth when none is set. The whole millimetres are those of the nominal size, or,
// without one, of the dots to within half a dot, so that they never depend on the
// resolution the page was measured at.
void computePaperSize(ViewState& view, const PrinterPage* printer);
// Start depth, screen top and overlap 0, page 1, and the page depth that fits the usable paper height.
void defaultDepthPerPage(ViewState& view);
// The largest page depth that fits the paper ("１ページの最大深度 約 … m/頁").
int maxDepthPerPage(const ViewState& view, bool compactHeader, int marginTopMm);

struct ScrollSizes
{
    int widthMm = 0;
    int heightMm = 0;
    int totalX = 0; // screen pixels at 3.779527559055118 a millimetre
    int totalY = 0;
    int pageX = 0; // total / 8
    int pageY = 0;
    int lineX = 0; // total / 32
    int lineY = 0;
};

// The scroll extent for a screen of the given width; sets the clip width of the body.
ScrollSizes scrollSizes(ViewState& view, int screenWidthPixels);

} // namespace qc
