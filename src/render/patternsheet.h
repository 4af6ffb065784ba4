// Way into render: the pattern sheet of `qc patterns`.
#pragma once
// The pattern sheet: every vector pattern number in a labelled cell, with its
// bitmap tile beside it when the tile folder has one, for choosing patterns
// and reviewing them by eye.

#include "platform/device.h"

#include <string>

namespace qc {

class PatternColourTable;

struct PatternSheetOptions
{
    double columnWidthMm = 20; // width of each pattern box on paper (a log column at 1/100)
    double boxHeightMm = 40;
    double pageWidthMm = 420;
    std::string bitmapFolder;                    // empty: no tiles
    const PatternColourTable* colours = nullptr; // null: black
    int penWidth = 1;                            // device units
};

struct PatternSheetLayout
{
    int columns = 1;
    int rows = 1;
    double pageWidthMm = 0;
    double pageHeightMm = 0;
};

PatternSheetLayout patternSheetLayout(const PatternSheetOptions& options);

// Draws the whole sheet on one page of the device (origin at its top left).
void drawPatternSheet(Device& device, const PatternSheetOptions& options);

} // namespace qc
