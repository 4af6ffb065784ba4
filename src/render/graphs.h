#pragma once
// The test graphs 1 to 5 (columns X15 ... X20).

namespace qc {

struct LogPass;

// Header phase, "グラフ凡例" font: the heading of graph k between x1 and x2 in the band from bandTop to 0.
void drawGraphHeading(LogPass& pass, int k, double x1, double x2, double h, double w, double bandTop);
// Body phase, inside the body clip: the vertical scale grid of graph k.
void drawGraphGrid(LogPass& pass, int k, double x1, double x2, double pageTop, double pageBottom);
// The horizontal depth lines from left to right.
void drawDepthGrid(LogPass& pass, double left, double right, double pageTop, double pageBottom);
// Polylines and symbols of the tests of graph k ("柱状図" font, alignment centre/top).
void drawGraphData(LogPass& pass, int k, double x1, double x2, int sampleCount, double h, double w);
// The value labels of graph k, after the data of every graph.
void drawGraphLabels(LogPass& pass, int k, double x1, double x2, int sampleCount, double h, double w);

} // namespace qc
