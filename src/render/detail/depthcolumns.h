#pragma once
// The depth columns: observation notes, stratum / rock body, free column,
// groundwater level, samples, grain-size composition, casing pipe, drilling dates.
// Body phase: h is the character height in metres, w the width in page mm.
// Each column draws only when its DisplayItemTable row is shown and it has a width.

#include <array>
#include <limits>
#include <string>

namespace qc {

struct Document;
struct LogPass;

void drawNotesColumn(LogPass& pass, double h, double w);      // "記事" font, X9-X10
void drawWaterLevelColumn(LogPass& pass, double h, double w); // X12-X13
void drawGrainSizeColumn(LogPass& pass, double h, double w);  // X14-X15
void drawSampleColumn(LogPass& pass, double h, double w);     // X13-X14
void drawStratumColumn(LogPass& pass, double h, double w);    // X10-X11
void drawFreeColumn(LogPass& pass, double h, double w);       // X11-X12
void drawDrillDateColumn(LogPass& pass, double h, double w);  // X23-X24
// Drawn after the body clip is removed; limits itself to the page's depth range.
void drawCasingColumn(LogPass& pass, double h, double w); // X20-X21

// The groundwater symbol with its tip at (x, y): a downward triangle and three
// shortening lines below the tip (y offsets in metres of depth).
void drawWaterMark(LogPass& pass, double x, double y);

// Grain-size composition in %, in the order of the bar from the left: clay,
// silt, sand, gravel (SampleTable columns 8, 7, 6 and 5).
using GrainSizes = std::array<double, 4>;
GrainSizes sampleGrainSizes(const Document& doc, int row);

// The composition bar between x1 and x2 from top to bottom (y units of the
// phase): each component a rectangle with its hatch, the percentages cumulated
// from the left and mapped from 0-100 onto x1-x2. Nothing when the total is 0
// or less. Hatch rows outside visibleTop .. visibleBottom are not drawn.
void drawGrainSizeBar(LogPass& pass, double x1, double x2, double top, double bottom, const GrainSizes& pct,
                      double visibleTop = -std::numeric_limits<double>::infinity(),
                      double visibleBottom = std::numeric_limits<double>::infinity());

// A sample whose bottom-depth cell is not a number ("?", "－", empty) has no bottom: it
// is drawn at its top depth, its graph points sit there, and it has no grain-size bar.
bool sampleHasBottom(const Document& doc, int row);
// The bottom depth of a sample: column 2, or the top depth when it has no bottom.
double sampleBottomDepth(const Document& doc, int row);

// How the casing text of CasingTable column 2 ("仕様") fills its interval.
enum class CasingFill { None, Perforated, WaterSealed, Blind };
CasingFill casingFillOf(const std::string& casingText);

} // namespace qc
