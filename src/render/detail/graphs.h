#pragma once
// The test graphs 1 to 5 (columns X15 ... X20): headings in the column-heading
// band, the vertical scale grids and horizontal depth lines, the polylines and
// symbols of the tests and their value labels.

#include "platform/device.h"

#include <string>

namespace qc {

struct Document;
struct LogPass;
class PageCanvas;
class Settings;

// Header phase, "グラフ凡例" font: the heading of graph k between x1 and x2 in the band from bandTop to 0.
void drawGraphHeading(LogPass& pass, int k, double x1, double x2, double h, double w, double bandTop);
// Body phase, inside the body clip: the vertical scale grid of graph k.
void drawGraphGrid(LogPass& pass, int k, double x1, double x2, double pageTop, double pageBottom);
// The horizontal depth lines from left to right.
void drawDepthGrid(LogPass& pass, double left, double right, double pageTop, double pageBottom);
// Polylines and symbols of the tests of graph k ("柱状図" font, alignment centre/top).
void drawGraphData(LogPass& pass, int k, double x1, double x2, int sampleCount, double h, double w);
// The dashed reference line of every test of graph k that has values and whose reference value
// lies on its scale, from pageTop to pageBottom, when the log shows them.
void drawReferenceLines(LogPass& pass, int k, double x1, double x2, double pageTop, double pageBottom);
// The value labels of graph k, after the data of every graph.
void drawGraphLabels(LogPass& pass, int k, double x1, double x2, int sampleCount, double h, double w);

// One graph symbol (1 ● to 7 ○ ... □) of size s (y units) at (x, y), pen width `pen`.
// Nothing when x or y exceeds 4000 or the type is not 1 to 7.
void drawSymbol(PageCanvas& canvas, double x, double y, int pen, int type, double size, Colour colour);

// printf format of the linear scale numbers: "%.nf" with n the most decimals "%g" gives
// from, to or step, "%.6f" when n is out of 0 to 6; empty (no numbers) when from and to
// differ by less than 1e-8.
std::string scaleLabelFormat(double from, double to, double step);
// A logarithmic scale number: "%ld" at 1 and above, "%.g" below.
std::string logScaleLabel(double value);

// The plotting block of graph k: the grid width (DisplayItemTable column 3) centred in x1 .. x2.
struct GraphBlock
{
    double left = 0;
    double right = 0;
    double width = 0;
    bool drawn = false; // width at least 0.5 mm
};
GraphBlock graphBlock(const Document& doc, int k, double x1, double x2);

// The four grid colours in force: vertical 1, vertical 2, horizontal 1, horizontal 2 (all 0 in "白黒").
Colour graphGridColour(const Settings& settings, int grid);

} // namespace qc
