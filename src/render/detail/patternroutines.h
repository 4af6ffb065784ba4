#pragma once
// Shared by the pattern routines (patterns.cpp, patternsoutline.cpp); not for other callers.

#include "render/pagecanvas.h"

#include <algorithm>

namespace qc::pattern {

// Every loop of a routine stops after this many steps whatever the input.
constexpr long kMaxSteps = 1000000;

// The rectangle of one call with the values of the fraction rule.
struct Box
{
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double F = 1;
    double W = 0;  // x2 - x1
    double xs = 0; // shifted left edge x1 - (1 - F) W
    double R = 0;  // right edge of the visible part x1 + F W
    int shift = 0;
};

// Draws the strokes of a routine with its pen, and leaves out figures that lie
// wholly outside the device range (they would only pile up on the clamp line).
class Marks
{
public:
    Marks(PageCanvas& canvas, int width, Colour colour) : m_c(canvas), m_width(width), m_colour(colour) {}

    void line(double x1, double y1, double x2, double y2, int extraWidth = 0)
    {
        if (outside(y1, y2)) return;
        m_c.PageLine(x1, y1, x2, y2, PenStyle::Solid, m_width + extraWidth, m_colour);
    }
    void circle(double cx, double cy, double r)
    {
        if (outside(cy - r, cy + r)) return;
        m_c.PageCircle(cx, cy, r, PenStyle::Solid, m_width, m_colour);
    }
    void ellipse(double cx, double cy, double rx, double ry)
    {
        if (outside(cy - ry, cy + ry)) return;
        m_c.PageEllipse(cx, cy, rx, ry, PenStyle::Solid, m_width, m_colour);
    }
    void arc(double cx, double cy, double r, double sx, double sy, double ex, double ey)
    {
        if (outside(cy - r, cy + r)) return;
        m_c.PageArc(cx, cy, r, sx, sy, ex, ey, PenStyle::Solid, m_width, m_colour);
    }
    // The upper (bulging up) and lower halves of a circle.
    void upperHalf(double cx, double cy, double r, double ray) { arc(cx, cy, r, cx + ray, cy, cx - ray, cy); }
    void lowerHalf(double cx, double cy, double r, double ray) { arc(cx, cy, r, cx - ray, cy, cx + ray, cy); }
    void diamond(double cx, double cy, double hx, double hy)
    {
        if (outside(cy - hy, cy + hy)) return;
        m_c.PageDiamond(cx, cy, hx, hy, PenStyle::Solid, m_width, m_colour);
    }
    void diamondBar(double cx, double cy, double hx, double hy)
    {
        if (outside(cy - hy, cy + hy)) return;
        m_c.PageDiamondBar(cx, cy, hx, hy, PenStyle::Solid, m_width, m_colour);
    }

    PageCanvas& canvas() { return m_c; }

private:
    bool outside(double ya, double yb) const
    {
        const int a = m_c.PageY(ya);
        const int b = m_c.PageY(yb);
        return std::max(a, b) <= -kDeviceCoordLimit || std::min(a, b) >= kDeviceCoordLimit;
    }

    PageCanvas& m_c;
    int m_width;
    Colour m_colour;
};

using Routine = void (*)(Marks&, const Box&);

// The routine of a number, or nullptr.
Routine findFullRoutine(long number);    // the patterns told in full
Routine findOutlineRoutine(long number); // the patterns of our own design

// Helpers shared by both files.
// A line of slope dy/dx (y units per mm) through (x0, y0), cut to the box
// x from xl to xr and y from yt to yb; nothing when it misses.
void clippedLine(Marks& m, double x0, double y0, double slope, double xl, double xr, double yt, double yb,
                 int extraWidth = 0);

} // namespace qc::pattern
