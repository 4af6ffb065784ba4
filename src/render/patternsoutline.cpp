// The patterns whose figure is known only in outline: our own designs, in the
// proportions of the patterns told in full (column unit t = W/6, row pitch
// 0.025 W, mark heights about 0.0125 W) and distinct from every other number.

#include "render/detail/patternroutines.h"

#include <algorithm>
#include <cmath>

namespace qc::pattern {

namespace {

// Rows of marks: even rows at x1' + t, 3t, 5t, odd rows at x1' + 2t, 4t
// (three and two, as 2100). fn(x, y) draws one mark with its top at y.
template <typename Fn> void staggeredRows(const Box& b, double pitch, double first, double height, Fn fn)
{
    const double t = b.W / 6;
    double y = b.y1 + first;
    for (long row = 0; row < kMaxSteps && y + height < b.y2; ++row, y += pitch)
        for (int k = row % 2 ? 2 : 1; k <= 5; k += 2) fn(b.xs + k * t, y, row % 2 == 1);
}

// 40: clusters of three short vertical strokes W/36 apart along diagonal runs.
void pattern40(Marks& m, const Box& b)
{
    const double W = b.W, len = 0.75 * W / 60;
    double band = b.y1 + 0.0125 * W;
    for (long n = 0; n < kMaxSteps && band + len <= b.y2; ++n, band += 0.13 * W) {
        double x = b.R - W / 12, y = band;
        for (int i = 0; i < 6 && y + len <= b.y2; ++i, x -= W / 6, y += W / 60)
            for (int k = -1; k <= 1; ++k) {
                const double sx = x + k * W / 36;
                if (sx >= b.x1 && sx <= b.R) m.line(sx, y, sx, y + len);
            }
    }
}

// 50: three small zigzags stacked, along diagonal runs W/6 apart.
void pattern50(Marks& m, const Box& b)
{
    const double W = b.W, h = W / 360, half = 1.5 * W / 30;
    double band = b.y1 + 1.3 * W / 60;
    for (long n = 0; n < kMaxSteps && band + 4 * h <= b.y2; ++n, band += 0.13 * W) {
        double x = b.R - W / 12, y = band;
        for (int i = 0; i < 6 && y + 4 * h <= b.y2; ++i, x -= W / 6, y += 0.9 * W / 60) {
            if (x - half < b.x1) continue;
            for (int s = 0; s < 3; ++s) {
                const double yc = y + s * 1.6 * h;
                m.line(x - half, yc + h / 2, x - W / 60, yc - h / 2);
                m.line(x - W / 60, yc - h / 2, x + W / 60, yc + h / 2);
                m.line(x + W / 60, yc + h / 2, x + half, yc - h / 2);
            }
        }
    }
}

// 900: a plant-like tuft: from a knot, a short steep stroke rising left, a
// long flat one rising right and one falling to the left; three per row.
void pattern900(Marks& m, const Box& b)
{
    const double t = b.W / 6, J = 0.4 * t, h = 0.08 * t;
    const double y0 = b.y1 + 0.00625 * b.W;
    double y = y0;
    for (long row = 0; row < kMaxSteps && y + h < b.y2; ++row, y += 0.025 * b.W) {
        const double off = row % 2 ? t : 0;
        for (int k = 1; k <= 5; k += 2) {
            const double x = b.xs + k * t + off;
            if (x - 0.45 * J < b.x1 - 0.001 || x + J > b.R + 0.001) continue;
            const double ky = y + 0.65 * h;
            m.line(x, ky, x - 0.45 * J, y);
            m.line(x, ky, x + J, y + 0.1 * h);
            m.line(x, ky, x - 0.35 * J, y + h);
        }
    }
}

// Four parallel slashes t/5 apart, each leaning t/7.
void slashes(Marks& m, double x, double y, double h, double t)
{
    for (int i = 0; i < 4; ++i) {
        const double cx = x + (i - 1.5) * t / 5;
        m.line(cx + t / 14, y, cx - t / 14, y + h);
    }
}

// 1200: groups of four slashes, rows of three and two.
void pattern1200(Marks& m, const Box& b)
{
    const double t = b.W / 6, h = 0.08 * t, J = 1.5 * t / 5 + t / 14;
    staggeredRows(b, 0.025 * b.W, 0.00625 * b.W, h, [&](double x, double y, bool) {
        if (x - J >= b.x1 - 0.001) slashes(m, x, y, h, t);
    });
}

// 8400: the slashes of 1200 closed by a bar above and below.
void pattern8400(Marks& m, const Box& b)
{
    const double t = b.W / 6, h = 0.08 * t, J = 1.5 * t / 5 + t / 14;
    staggeredRows(b, 0.025 * b.W, 0.00625 * b.W, h, [&](double x, double y, bool) {
        if (x - J < b.x1 - 0.001) return;
        slashes(m, x, y, h, t);
        m.line(x - J, y, x + J, y);
        m.line(x - J, y + h, x + J, y + h);
    });
}

// 2200: the plus signs of 2100 with small diamonds in the gaps of each row.
void pattern2200(Marks& m, const Box& b)
{
    const double W = b.W, t = W / 6, J = 0.4 * t, h = 0.08 * t;
    const double hx = W / 26, hy = W / 260, limit = b.x1 - 0.001;
    double y = b.y1 + 0.00625 * W;
    for (long row = 0; row < kMaxSteps && y + h < b.y2; ++row, y += 0.025 * W) {
        const bool odd = row % 2 == 1;
        for (int k = 1; k <= 5; ++k) {
            const double x = b.xs + k * t;
            if ((k % 2 == 1) != odd) {
                if (x - J < limit) continue;
                m.line(x, y, x, y + h);
                m.line(x - J, y + h / 2, x + J, y + h / 2);
            } else if (x - hx >= limit) {
                m.diamond(x, y + h / 2, hx, hy);
            }
        }
    }
}

// 2600: a stepped (square-wave) line across each row, steps W/12 wide.
void pattern2600(Marks& m, const Box& b)
{
    const double W = b.W, step = W / 12, rise = 0.0125 * W;
    double y = b.y1 + 0.0125 * W;
    for (long row = 0; row < kMaxSteps && y + rise < b.y2; ++row, y += 0.0375 * W) {
        for (int k = 0; k < 12; ++k) {
            const double xa = b.xs + k * step, xb = xa + step;
            const double level = k % 2 ? y + rise : y;
            if (xa >= b.x1 - 0.001) m.line(xa, level, xb, level);
            if (k < 11 && xb >= b.x1 - 0.001 && xb <= b.R + 0.001) m.line(xb, y, xb, y + rise);
        }
    }
}

void triangleAt(Marks& m, double x, double y, double hb, double ht, double L, int extra = 0)
{
    if (x - hb > L) m.line(x, y, x - hb, y + ht, extra);
    if (x >= L) {
        m.line(x, y, x + hb, y + ht, extra);
        m.line(std::max(x - hb, L), y + ht, x + hb, y + ht, extra);
    }
}

// 5000: rows of triangles, each row underlined by a heavy line.
void pattern5000(Marks& m, const Box& b)
{
    const double W = b.W, L = b.x1 - 0.001, ht = 0.0125 * W;
    double y = b.y1 + 0.00625 * W;
    for (long row = 0; row < kMaxSteps && y + ht < b.y2; ++row, y += 0.0375 * W) {
        const bool odd = row % 2 == 1;
        for (int k = odd ? 2 : 1; k <= 5; k += 2) triangleAt(m, b.xs + k * W / 6, y, 0.07 * W, ht, L);
        const double ly = y + 0.025 * W;
        if (ly < b.y2) m.line(b.x1, ly, b.R, ly, 1);
    }
}

// 5100: the triangles of 1100 with small diamonds between them.
void pattern5100(Marks& m, const Box& b)
{
    const double W = b.W, L = b.R - b.F * W - 0.001, ht = 0.0125 * W;
    const double hx = W / 26, hy = W / 260;
    double y = b.y1 + 0.00625 * W;
    for (long row = 0; row < kMaxSteps && y < b.y2 - ht; ++row, y += 0.025 * W) {
        const bool odd = row % 2 == 1;
        for (int k = 1; k <= 5; ++k) {
            const double x = b.xs + k * W / 6;
            if ((k % 2 == 1) != odd)
                triangleAt(m, x, y, 0.1 * W, ht, L);
            else if (x - hx >= b.x1 - 0.001)
                m.diamond(x, y + ht / 2, hx, hy);
        }
    }
}

// 5200: small triangles and arches alternating along the row.
void pattern5200(Marks& m, const Box& b)
{
    const double W = b.W, L = b.x1 - 0.001, ht = 0.0125 * W, r = 0.008 * W;
    double y = b.y1 + 0.00625 * W;
    for (long row = 0; row < kMaxSteps && y + ht < b.y2; ++row, y += 0.025 * W) {
        const bool odd = row % 2 == 1;
        for (int k = 1; k <= 5; ++k) {
            const double x = b.xs + k * W / 6;
            if ((k % 2 == 1) != odd)
                triangleAt(m, x, y, 0.06 * W, ht, L);
            else if (x - 10 * r >= L)
                m.upperHalf(x, y + ht, r, W / 12);
        }
    }
}

// Small arcs: radius W/280 y units (W/28 mm on paper), spaced W/7.
constexpr double kSmallArc = 1.0 / 280;

// 6100: rows of separate cups, the rows offset by half a spacing.
void pattern6100(Marks& m, const Box& b)
{
    const double W = b.W, r = 1.6 * kSmallArc * W, half = 10 * r;
    double y = b.y1 + 0.0125 * W;
    for (long row = 0; row < kMaxSteps && y + r < b.y2; ++row, y += 0.025 * W)
        for (int k = 0; k < 7; ++k) {
            const double x = b.xs + W / 14 + k * W / 7 + (row % 2 ? W / 14 : 0);
            if (x - half >= b.x1 - 0.001 && x + half <= b.R + 0.001) m.lowerHalf(x, y, r, W / 14);
        }
}

// A wave of half circles of radius r, alternately bulging up and down.
void wave(Marks& m, const Box& b, double y, double r, double spacing)
{
    for (int k = 0; k < 2 * 7 + 2; ++k) {
        const double x = b.xs + spacing / 4 + k * spacing / 2;
        if (x - spacing / 4 < b.x1 - 0.001) continue;
        if (x + spacing / 4 > b.R + 0.001) break;
        if (k % 2)
            m.lowerHalf(x, y, r, spacing / 4);
        else
            m.upperHalf(x, y, r, spacing / 4);
    }
}

// 6200: pairs of fine waves.
void pattern6200(Marks& m, const Box& b)
{
    const double W = b.W, r = kSmallArc * W;
    double y = b.y1 + 0.0125 * W;
    for (long n = 0; n < kMaxSteps && y + 0.006 * W + r < b.y2; ++n, y += 0.025 * W) {
        wave(m, b, y, r, W / 7);
        wave(m, b, y + 0.006 * W, r, W / 7);
    }
}

// 6300: arches standing on a line.
void pattern6300(Marks& m, const Box& b)
{
    const double W = b.W, r = kSmallArc * W, half = 10 * r;
    double y = b.y1 + 0.0125 * W;
    for (long row = 0; row < kMaxSteps && y < b.y2; ++row, y += 0.025 * W) {
        m.line(b.x1, y, b.R, y);
        for (int k = 0; k < 7; ++k) {
            const double x = b.xs + W / 14 + k * W / 7 + (row % 2 ? W / 14 : 0);
            if (x - half >= b.x1 - 0.001 && x + half <= b.R + 0.001) m.upperHalf(x, y, r, W / 14);
        }
    }
}

// 6400: slanted strokes standing between horizontal lines.
void pattern6400(Marks& m, const Box& b)
{
    const double W = b.W, gap = 0.025 * W, lean = W / 40;
    double top = b.y1;
    for (long row = 0; row < kMaxSteps && top < b.y2; ++row, top += gap) {
        const double sa = top + 0.2 * gap, sb = top + 0.8 * gap;
        if (sb < b.y2)
            for (int k = 0; k < 8; ++k) {
                const double x = b.xs + W / 16 + k * W / 8 + (row % 2 ? W / 16 : 0);
                if (x - lean >= b.x1 - 0.001 && x + lean <= b.R + 0.001) m.line(x + lean, sa, x - lean, sb);
            }
        const double ly = top + gap;
        if (ly < b.y2) m.line(b.x1, ly, b.R, ly);
    }
}

// 8200: lines with hanging ticks and small circles between them.
void pattern8200(Marks& m, const Box& b)
{
    const double W = b.W, tick = 0.0125 * W, r = 0.004 * W;
    double y = b.y1 + 0.0125 * W;
    for (long row = 0; row < kMaxSteps && y < b.y2; ++row, y += 0.0375 * W) {
        m.line(b.x1, y, b.R, y);
        const double off = row % 2 ? W / 12 : 0;
        for (int k = 0; k < 6; ++k) {
            const double tx = b.xs + W / 12 + k * W / 6 + off;
            if (tx >= b.x1 && tx <= b.R && y + tick < b.y2) m.line(tx, y, tx, y + tick);
            const double cx = b.xs + W / 6 + k * W / 6 + off;
            if (cx - 10 * r >= b.x1 - 0.001 && cx + 10 * r <= b.R + 0.001 && y + 0.025 * W + r < b.y2)
                m.circle(cx, y + 0.025 * W, r);
        }
    }
}

// 8300: small heavy triangles in dense staggered rows.
void pattern8300(Marks& m, const Box& b)
{
    const double W = b.W, hb = 0.4 * W / 6, ht = 0.00625 * W, L = b.x1 - 0.001;
    double y = b.y1 + 0.003125 * W;
    for (long row = 0; row < kMaxSteps && y + ht < b.y2; ++row, y += 0.0125 * W)
        for (int k = row % 2 ? 2 : 1; k <= 5; k += 2) triangleAt(m, b.xs + k * W / 6, y, hb, ht, L, 1);
}

// 8600: pairs of vertical strokes joined by a slanted stroke (an N).
void pattern8600(Marks& m, const Box& b)
{
    const double W = b.W, len = 0.0175 * W;
    double y = b.y1 + 0.004 * W;
    for (long n = 0; n < kMaxSteps && y + len < b.y2; ++n, y += 0.025 * W)
        for (int i = 0; i < 3; ++i) {
            const double xa = b.xs + W / 9 + i * W / 3, xb = xa + W / 9;
            if (!(xa > b.x1)) continue;
            m.line(xa, y, xa, y + len);
            m.line(xb, y, xb, y + len);
            m.line(xa, y + len, xb, y);
        }
}

// Slope of a 45-degree line on paper: 0.1 y units per mm.
constexpr double kDiagonal = 0.1;

// Parallel lines of the given slope, one every `pitch` y units along x1,
// cut to the visible part of the box.
void hatch(Marks& m, const Box& b, double slope, double pitch, int extra = 0)
{
    const double span = (b.R - b.x1) * slope;
    // Lines through (x1, y0) for every y0 whose line can reach the box.
    const double from = slope > 0 ? b.y1 - span : b.y1, to = slope > 0 ? b.y2 : b.y2 - span;
    double y0 = b.y1 + std::floor((from - b.y1) / pitch) * pitch;
    for (long n = 0; n < kMaxSteps && y0 <= to; ++n, y0 += pitch)
        clippedLine(m, b.x1, y0, slope, b.x1, b.R, b.y1, b.y2, extra);
}

// 8700: horizontal lines crossed by diagonals.
void pattern8700(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + 0.0125 * W;
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += 0.025 * W) m.line(b.x1, y, b.R, y);
    hatch(m, b, kDiagonal, W / 30);
}

// 20001: slanted lines (casing).
void pattern20001(Marks& m, const Box& b)
{
    hatch(m, b, -kDiagonal, 0.033 * b.W);
}

// 20002: crossing slanted lines (casing).
void pattern20002(Marks& m, const Box& b)
{
    hatch(m, b, -kDiagonal, 0.05 * b.W);
    hatch(m, b, kDiagonal, 0.05 * b.W);
}

// 20200: a heavy grid of vertical and horizontal lines (water-sealed pipe).
void pattern20200(Marks& m, const Box& b)
{
    const double W = b.W, inset = W / 130;
    for (int k = 1; k < 64; ++k) {
        const double x = b.xs + k * W / 5;
        if (x >= b.R - inset) break;
        if (x > b.x1 + inset) m.line(x, b.y1, x, b.y2, 1);
    }
    double y = b.y1 + 0.025 * W;
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += 0.05 * W)
        m.line(b.x1 + inset, y, b.R - inset, y, 1);
}

struct Entry
{
    long number;
    Routine routine;
};

const Entry kOutline[] = {
    {40, pattern40},       {50, pattern50},     {900, pattern900},     {1200, pattern1200},
    {2200, pattern2200},   {2600, pattern2600}, {5000, pattern5000},   {5100, pattern5100},
    {5200, pattern5200},   {6100, pattern6100}, {6200, pattern6200},   {6300, pattern6300},
    {6400, pattern6400},   {8200, pattern8200}, {8300, pattern8300},   {8400, pattern8400},
    {8600, pattern8600},   {8700, pattern8700}, {20001, pattern20001}, {20002, pattern20002},
    {20200, pattern20200},
};

} // namespace

Routine findOutlineRoutine(long number)
{
    for (const Entry& e : kOutline)
        if (e.number == number) return e.routine;
    return nullptr;
}

} // namespace qc::pattern
