// Way into render: the vector patterns, for the tile maker and the pattern sheet.
#pragma once
// The vector soil and rock patterns and the pattern-number scheme.
//
// Each routine fills a rectangle x1..x2 (page mm), y1..y2 (y units of the
// current mapping; inside DrawVectorPattern one y unit is 10 mm of paper) with
// a repeated figure. Every size is a multiple of the rectangle width W, so a
// figure keeps its proportions whatever the depth scale.

#include "platform/device.h"

#include <vector>

namespace qc {

class PageCanvas;

// Kinds of a pattern number.
namespace PatternKinds {
constexpr int Composed = 3;  // base, tens overlay, units overlay
constexpr int Whole = 4;     // the number itself
constexpr int Pair = 6;      // two base patterns side by side
constexpr int BlockMark = 7; // 7 to 11 for 10000 to 10004
} // namespace PatternKinds

// Block mark type + 7 for 10000 to 10004, 4 for the other numbers whose
// ten-thousands digit is 1, 6 for ten-thousands digit 9, else 3.
int PatternKind(long number);

// The components of a composed number (base, tens overlay, units overlay) and
// of a pair (first, second). Numbers with a ten-thousands digit of 2 to 8 are
// composed from their lower four digits.
long patternBase(long number);
long patternTensOverlay(long number);
long patternUnitsOverlay(long number);
long pairFirst(long number);
long pairSecond(long number);

// True for the 82 numbers the library draws.
bool isVectorPattern(long number);
// The 82 numbers in the order of the pattern sheet: units overlays, tens
// overlays, base patterns, block marks, casing patterns.
const std::vector<long>& vectorPatternNumbers();
// The groups of that list.
bool isUnitsOverlay(long number);
bool isTensOverlay(long number);
bool isBasePattern(long number);
bool isCasingPattern(long number);

// Selects the routine for number and draws it in the current mapping.
// Returns 1 when the number is one of the vector patterns (even when the
// rectangle is too small to show anything), else 0 and nothing is drawn.
// shift is the overlay shift flag of the units overlays 1 to 8.
int DispatchPattern(PageCanvas& canvas, long number, double x1, double y1, double x2, double y2,
                    double fraction, int penWidth, Colour colour, int shift);

// The same in page coordinates (x in mm, y in metres of depth): y1 and y2 are
// taken into the pattern frame and the vertical factor is replaced by ten
// times the device units per paper millimetre for the call, then restored.
int DrawVectorPattern(PageCanvas& canvas, long number, double x1, double y1, double x2, double y2,
                      double fraction, int penWidth, Colour colour, int shift);

// The diagonal block mark of type 0 to 4 over the rectangle (nothing when a
// side is under 0.001).
void DrawBlockMark(PageCanvas& canvas, int type, double x1, double y1, double x2, double y2, int penWidth,
                   Colour colour);

} // namespace qc
