#include "render/patterns.h"

#include "render/detail/patternroutines.h"
#include "render/detail/primitives.h"
#include "render/pagecanvas.h"

#include <algorithm>
#include <cmath>

namespace qc {

using namespace pattern;

namespace {

const std::vector<long> kUnits = {1, 2, 3, 4, 5, 6, 7, 8};
const std::vector<long> kTens = {10, 20, 30, 40, 50};
const std::vector<long> kBase = {100,  200,  300,  400,  500,  600,  700,  800,  900,  1100,  1200,  1300,
                                 1400, 1500, 1600, 1700, 2100, 2200, 2300, 2400, 2500, 2600,  2700,  2800,
                                 2900, 3000, 3100, 3300, 3400, 3500, 3600, 3800, 4100, 4200,  4300,  4400,
                                 4500, 4600, 4700, 4800, 4900, 5000, 5100, 5200, 6100, 6200,  6300,  6400,
                                 6800, 6900, 8100, 8200, 8300, 8400, 8500, 8600, 8700, 10091, 10092, 10093};
const std::vector<long> kBlock = {10000, 10001, 10002, 10003, 10004};
const std::vector<long> kCasing = {20001, 20002, 20100, 20200};

bool contains(const std::vector<long>& list, long n)
{
    return std::find(list.begin(), list.end(), n) != list.end();
}

long digit(long number, long place)
{
    return static_cast<long>(DigitPart(static_cast<double>(number), static_cast<double>(place)));
}

} // namespace

// --- The number scheme ---

int PatternKind(long number)
{
    if (number >= 10000 && number <= 10004) return PatternKinds::BlockMark + static_cast<int>(number - 10000);
    const long tenThousands = digit(number, 10000) / 10000;
    if (tenThousands == 1) return PatternKinds::Whole;
    if (tenThousands == 9) return PatternKinds::Pair;
    return PatternKinds::Composed;
}

long patternBase(long number)
{
    return digit(number, 1000) + digit(number, 100);
}

long patternTensOverlay(long number)
{
    return digit(number, 10);
}

long patternUnitsOverlay(long number)
{
    return digit(number, 1);
}

long pairFirst(long number)
{
    return digit(number, 1000) + digit(number, 100);
}

long pairSecond(long number)
{
    return (digit(number, 10) + digit(number, 1)) * 100;
}

bool isUnitsOverlay(long n)
{
    return contains(kUnits, n);
}
bool isTensOverlay(long n)
{
    return contains(kTens, n);
}
bool isBasePattern(long n)
{
    return contains(kBase, n);
}
bool isCasingPattern(long n)
{
    return contains(kCasing, n);
}

bool isVectorPattern(long n)
{
    return isUnitsOverlay(n) || isTensOverlay(n) || isBasePattern(n) || contains(kBlock, n) ||
           isCasingPattern(n);
}

const std::vector<long>& vectorPatternNumbers()
{
    static const std::vector<long> all = [] {
        std::vector<long> v;
        for (const auto* list : {&kUnits, &kTens, &kBase, &kBlock, &kCasing})
            v.insert(v.end(), list->begin(), list->end());
        return v;
    }();
    return all;
}

// --- Shared helpers ---

namespace pattern {

void clippedLine(Marks& m, double x0, double y0, double slope, double xl, double xr, double yt, double yb,
                 int extraWidth)
{
    if (!(xr > xl) || !(yb > yt)) return;
    // Parametrise by x and cut the x range by the y range.
    double a = xl, b = xr;
    if (std::fabs(slope) > 1e-12) {
        double xa = x0 + (yt - y0) / slope;
        double xb = x0 + (yb - y0) / slope;
        if (xa > xb) std::swap(xa, xb);
        a = std::max(a, xa);
        b = std::min(b, xb);
    } else if (y0 < yt || y0 > yb) {
        return;
    }
    if (!(b > a)) return;
    m.line(a, y0 + (a - x0) * slope, b, y0 + (b - x0) * slope, extraWidth);
}

} // namespace pattern

namespace {

// --- Units overlays 1 to 8: diagonal runs ---

double runStart(const Box& b, double unit, double shifted, double plain)
{
    return b.y1 + unit * (b.shift ? shifted : plain);
}

void pattern1(Marks& m, const Box& b)
{
    const double W = b.W, r = W / 130, A = W / 6, v = W / 60, p = 0.13 * W;
    const double Lm = b.x1 + W / 13, yb = b.y2 - r;
    const double x = b.R - A / 2;
    double y = runStart(b, v, 4.25, 0.5);
    for (long n = 0; n < kMaxSteps && y <= yb; ++n, y += p) {
        for (int i = 1; i <= 6; ++i) {
            const double cx = x - (i - 1) * A, cy = y + (i - 1) * v;
            if (cy > yb) break;
            if (cx >= Lm) m.circle(cx, cy, r);
        }
    }
}

void pattern2(Marks& m, const Box& b)
{
    const double W = b.W, r = W / 160, A = W / 6, v = W / 60, p = 0.13 * W;
    const double hx = 0.6 * W / 16, hy = 0.6 * W / 160;
    const double left = b.R - b.F * W + W / 16, yb = b.y2 - r;
    double y = runStart(b, v, 4.25, 0.5);
    for (long n = 0; n < kMaxSteps && y < yb; ++n, y += p) {
        double x = b.R - A / 2, cy = y;
        for (int i = 0; i < 12 && x > b.xs && cy < yb; ++i, x -= A, cy += v) {
            if (x >= left) {
                m.circle(x, cy, r);
                m.diamond(x, cy, hx, hy);
            }
        }
    }
}

void pattern3(Marks& m, const Box& b)
{
    const double W = b.W, A = W / 8, v = W / 80, p = 0.13 * W;
    const double hx = W / 24, hy = W / 240;
    const double left = b.R - b.F * W + W / 24, yb = b.y2 - hy;
    double y = runStart(b, W / 60, 4.25, 0.5);
    for (long n = 0; n < kMaxSteps && y <= yb; ++n, y += p) {
        double x = b.R - A / 2, cy = y;
        for (int i = 0; i < 8 && cy <= yb; ++i, x -= A, cy += v)
            if (x >= left) m.diamond(x, cy, hx, hy);
    }
}

void pattern4(Marks& m, const Box& b)
{
    const double W = b.W, A = W / 6, v = W / 60, p = 0.13 * W;
    const double dx = 0.7 * W / 6, dy = 0.7 * W / 60;
    double y = b.y1 + (b.shift ? 3.75 * W / 60 : 0);
    for (long n = 0; n < kMaxSteps && y <= b.y2; ++n, y += p) {
        double x = b.R, sy = y;
        for (int i = 0; i < 6 && sy < b.y2; ++i, x -= A, sy += v) {
            double ex = x - dx, ey = sy + dy;
            if (ey > b.y2) { // shortened to end on the bottom
                ex = x - dx * (b.y2 - sy) / dy;
                ey = b.y2;
            }
            if (ex >= b.x1) m.line(x, sy, ex, ey);
        }
    }
}

// One diagonal from (R, y) to (x1, y + F W / 10), ended on y2.
void longDiagonal(Marks& m, const Box& b, double y)
{
    const double drop = b.F * b.W / 10;
    if (y >= b.y2) return;
    if (!(drop > 0)) return;
    double ex = b.x1, ey = y + drop;
    if (ey > b.y2) {
        ex = b.R - (b.R - b.x1) * (b.y2 - y) / drop;
        ey = b.y2;
    }
    m.line(b.R, y, ex, ey);
}

void pattern5(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + (b.shift ? 3.75 * W / 60 : 0);
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += 0.13 * W) longDiagonal(m, b, y);
}

void pattern6(Marks& m, const Box& b)
{
    const double W = b.W, A = W / 6, v = W / 60, p = 0.13 * W, len = 0.75 * W / 60, d = W / 22;
    double y = b.y1 + (b.shift ? 3.75 * W / 60 : 0);
    for (long n = 0; n < kMaxSteps && y + len <= b.y2; ++n, y += p) {
        double x = b.R - A / 2, sy = y;
        for (int i = 0; i < 6 && sy + len <= b.y2; ++i, x -= A, sy += v) {
            if (x - d >= b.x1) m.line(x - d, sy, x - d, sy + len);
            if (x + d >= b.x1) m.line(x + d, sy, x + d, sy + len);
        }
    }
}

void pattern7(Marks& m, const Box& b)
{
    const double W = b.W, A = W / 6, v = W / 60, p = 0.13 * W, q = W / 24, a = 0.2 * W / 60;
    const double left = b.R - b.F * W + q;
    double y = runStart(b, v, 4.25, 0.5);
    for (long n = 0; n < kMaxSteps && y <= b.y2 - a; ++n, y += p) {
        double x = b.R - A + q, sy = y;
        for (int i = 0; i < 6 && sy <= b.y2 - a; ++i, x -= A, sy += v) {
            if (x >= left) {
                m.line(x - q, sy, x, sy - a);
                m.line(x, sy - a, x + q, sy);
            }
            if (x + 2 * q >= left) {
                m.line(x + q, sy, x + 2 * q, sy + a);
                m.line(x + 2 * q, sy + a, x + 3 * q, sy);
            }
        }
    }
}

void pattern8(Marks& m, const Box& b)
{
    const double W = b.W, A = W / 6, v = W / 60, p = 0.13 * W;
    const double rx = W / 14, ry = 0.01 * W;
    const double dOff = 0.01 * W - 0.1 * W / 26, hx = W / 26, hy = 0.1 * W / 26;
    const double left = b.R - b.F * W + W / 26, yb = b.y2 - 0.01 * W;
    double y = runStart(b, v, 4.25, 0.5);
    for (long n = 0; n < kMaxSteps && y <= yb; ++n, y += p) {
        double x = b.R - W / 12, cy = y;
        for (int i = 0; i < 6 && cy <= yb; ++i, x -= A, cy += v) {
            if (x >= left) {
                m.ellipse(x, cy, rx, ry);
                m.diamond(x, cy + dOff, hx, hy);
            }
        }
    }
}

// --- Tens overlays 10, 20, 30 ---

void pattern10(Marks& m, const Box& b)
{
    const double W = b.W, hx = W / 24, hy = W / 240, yb = b.y2 - hy;
    double band = b.y1 + 0.0125 * W;
    for (long n = 0; n < kMaxSteps && band <= yb; ++n, band += 0.13 * W) {
        double gx = b.R - W / 22, gy = band;
        for (int s = 0; s < 64 && gx >= b.xs - 4 * W / 11 && gy <= yb; ++s, gx -= W / 11, gy += W / 110)
            for (int k = 0; k < 3; ++k) {
                const double x = gx + k * 2 * W / 11;
                if (x > b.x1 + W / 24 && x < b.R) m.diamond(x, gy, hx, hy);
            }
    }
}

void pattern20(Marks& m, const Box& b)
{
    const double W = b.W, dx = 0.75 * W / 8, dy = 0.75 * W / 80;
    double band = b.y1;
    for (long n = 0; n < kMaxSteps && band + dy <= b.y2; ++n, band += 0.13 * W) {
        double gx = b.R, gy = band;
        for (int s = 0; s < 64 && gx >= b.xs - W / 4 && gy + dy <= b.y2; ++s, gx -= W / 8, gy += W / 80)
            for (int k = 0; k < 3; ++k) {
                const double x = gx + k * W / 8;
                if (x <= b.R + 1e-9 && x - dx >= b.x1) m.line(x, gy, x - dx, gy + dy);
            }
    }
}

void pattern30(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + W / 80;
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += 0.13 * W)
        for (int k = 0; k < 3; ++k) longDiagonal(m, b, y + k * W / 80);
}

// --- Gravel grids ---

struct Grid
{
    double h, l, m, o, q;
    int even, odd; // marks per row (the same for a plain grid)
    int kind;
    bool staggered;
};

void gravelMark(Marks& m, const Grid& g, double x, double y, double hw, double a)
{
    if (g.kind == 1) {
        m.diamondBar(x, y, hw, a);
        if (g.q <= 22) m.circle(x, y, 0.8 * a);
    } else if (g.q >= 20) {
        m.diamond(x, y, hw, a);
    } else {
        m.circle(x, y, a);
    }
}

void gravelGrid(Marks& m, const Box& b, const Grid& g)
{
    const double W = b.W;
    const double w = 0.1 * W / g.l, a = 0.1 * W / g.q, hw = W / g.q, col = W / g.h;
    const double step = g.m * col, rowStep = g.o * w;
    const double left = b.R - b.F * W;
    double y = b.y1 + std::max(w, 2 * a);
    for (long row = 0; row < kMaxSteps && y < b.y2 - a; ++row, y += rowStep) {
        const bool odd = row % 2 == 1;
        const int count = odd ? g.odd : g.even;
        const double start = b.xs + (odd && g.staggered ? 1.8 : 1.0) * col;
        for (int j = 0; j < count; ++j) {
            const double x = start + j * step;
            if (x > left) gravelMark(m, g, x, y, hw, a);
        }
    }
}

// h is given in tenths.
template <int H10, int L, int M, int O, int Q, int N, int Kind> void plainGrid(Marks& m, const Box& b)
{
    gravelGrid(m, b, Grid{H10 / 10.0, L, M, O, Q, N, N, Kind, false});
}

template <int H10, int L, int M, int O, int Q, int Even, int Odd, int Kind>
void staggeredGrid(Marks& m, const Box& b)
{
    gravelGrid(m, b, Grid{H10 / 10.0, L, M, O, Q, Even, Odd, Kind, true});
}

// 6900: ellipses with a lens arc, one per row, staggered.
void pattern6900(Marks& m, const Box& b)
{
    const double W = b.W;
    const double w = 0.1 * W / 8, a = 0.1 * W / 6, hw = W / 6, col = W / 3;
    const double ry = 0.09 * W / 6, left = b.R - b.F * W;
    double y = b.y1 + std::max(w, 2 * a);
    for (long row = 0; row < kMaxSteps && y < b.y2 - a; ++row, y += 2 * w) {
        const double x = b.xs + (row % 2 ? 2.2 : 1.0) * col;
        if (x > left) {
            m.ellipse(x, y, hw, ry);
            // A shallow arc across the middle, as the hinge line of a shell: part of a
            // circle of radius 1.5 hw (mm on paper) whose chord spans 0.8 hw each side.
            const double rm = 1.5 * hw, drop = std::sqrt(rm * rm - 0.64 * hw * hw);
            m.arc(x, y + drop / 10, rm / 10, x + 0.8 * hw, y, x - 0.8 * hw, y);
        }
    }
}

// --- Line patterns ---

void horizontalLines(Marks& m, const Box& b, double pitch, double first, int extra)
{
    double y = b.y1 + first;
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += pitch) m.line(b.x1, y, b.x1 + b.F * b.W, y, extra);
}

void pattern600(Marks& m, const Box& b)
{
    const double s = 0.025 * b.W;
    horizontalLines(m, b, s, s / 2, 0);
}

void pattern4300(Marks& m, const Box& b)
{
    const double s = 0.0125 * b.W;
    horizontalLines(m, b, s, s, 1);
}

void pattern100(Marks& m, const Box& b)
{
    const double W = b.W, r = 0.01 * W;
    double y = b.y1 + 0.0125 * W;
    for (long row = 0; row < kMaxSteps && y < b.y2; ++row, y += 0.025 * W) {
        const double pos[2] = {row % 2 ? 4.0 : 2.0, row % 2 ? 8.0 : 6.0};
        for (double k : pos) {
            const double cx = b.xs + k * W / 9;
            if (cx < b.x1) continue;
            if (y + r > b.y2)
                m.upperHalf(cx, y, r, W / 9);
            else
                m.circle(cx, y, r);
        }
    }
}

void pattern10091(Marks& m, const Box& b)
{
    for (int k = 1; k < 64; ++k) {
        const double x = b.xs + k * b.W / 8;
        if (x >= b.R) break;
        if (x > b.x1) m.line(x, b.y1, x, b.y2);
    }
}

void pattern500(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + 0.0125 * W;
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += 0.025 * W)
        for (int k = 0; k < 4; ++k) {
            const double x = b.xs + k * 4 * W / 15;
            if (x >= b.x1 - 0.001) m.line(x, y, x + W / 5, y);
        }
}

// A triangle with its apex at (x, y), half base hb and height ht; legs and
// base drawn by the fraction rule of 1100 with the limit L.
void triangle(Marks& m, double x, double y, double hb, double ht, double L, int extra = 0)
{
    if (x - hb > L) m.line(x, y, x - hb, y + ht, extra);
    if (x >= L) {
        m.line(x, y, x + hb, y + ht, extra);
        m.line(std::max(x - hb, L), y + ht, x + hb, y + ht, extra);
    }
}

void pattern1100(Marks& m, const Box& b)
{
    const double W = b.W, L = b.R - b.F * W - 0.001;
    double y = b.y1 + 0.00625 * W;
    for (long row = 0; row < kMaxSteps && y < b.y2 - 0.0125 * W; ++row, y += 0.025 * W) {
        if (row % 2 == 0) {
            for (double k : {1.0 / 6, 0.5, 5.0 / 6}) triangle(m, b.xs + k * W, y, 0.1 * W, 0.0125 * W, L);
        } else {
            for (double k : {1.0 / 3, 2.0 / 3}) triangle(m, b.xs + k * W, y, 0.1 * W, 0.0125 * W, L);
        }
    }
}

// --- Staggered marks ---

enum class Stagger {
    Plus,
    Cross,
    TwoVerticals,
    TwoHorizontals,
    TopBar,
    BottomBar,
    Corner,
    Vee,
    Wedge,
    Splay
};

void staggerMark(Marks& m, Stagger kind, double x, double y, double J, double h)
{
    const double mid = y + h / 2, bottom = y + h;
    switch (kind) {
    case Stagger::Plus:
        m.line(x, y, x, bottom);
        m.line(x - J, mid, x + J, mid);
        break;
    case Stagger::Cross:
        m.line(x - J, y, x + J, bottom);
        m.line(x + J, y, x - J, bottom);
        break;
    case Stagger::TwoVerticals:
        m.line(x - J / 3, y, x - J / 3, bottom);
        m.line(x + J / 3, y, x + J / 3, bottom);
        m.line(x - J, mid, x + J, mid);
        break;
    case Stagger::TwoHorizontals:
        m.line(x, y, x, bottom);
        m.line(x - J, mid - h / 6, x + J, mid - h / 6);
        m.line(x - J, mid + h / 6, x + J, mid + h / 6);
        break;
    case Stagger::TopBar:
        m.line(x, y, x, bottom);
        m.line(x - J, y, x + J, y);
        break;
    case Stagger::BottomBar:
        m.line(x, y, x, bottom);
        m.line(x - J, bottom, x + J, bottom);
        break;
    case Stagger::Corner:
        m.line(x - J, y, x - J, bottom);
        m.line(x - J, bottom, x + J, bottom);
        break;
    case Stagger::Vee:
        m.line(x, bottom, x - J, y);
        m.line(x, bottom, x + J, y);
        break;
    case Stagger::Wedge:
        m.line(x, y, x - J, bottom);
        m.line(x, y, x + J, bottom);
        break;
    case Stagger::Splay:
        m.line(x - J / 2, y, x - 1.1 * J, bottom);
        m.line(x + J / 2, y, x + 1.1 * J, bottom);
        break;
    }
}

void staggered(Marks& m, const Box& b, Stagger kind)
{
    const double W = b.W, t = W / 6, J = 0.4 * t;
    const double h = kind == Stagger::Splay ? W / 120 : 0.08 * t;
    const double limit = b.R - b.F * W - 0.001;
    double y = b.y1 + 0.00625 * W;
    for (long row = 0; row < kMaxSteps && y + h < b.y2; ++row, y += 0.025 * W) {
        const bool odd = row % 2 == 1;
        for (int k = odd ? 2 : 1; k <= 5; k += 2) {
            const double x = b.xs + k * t;
            if (x - J >= limit) staggerMark(m, kind, x, y, J, h);
        }
    }
}

template <Stagger K> void staggeredPattern(Marks& m, const Box& b)
{
    staggered(m, b, K);
}

// --- Further base patterns told in full ---

void pattern700(Marks& m, const Box& b)
{
    const double W = b.W, len = 0.0175 * W;
    double y = b.y1;
    for (long n = 0; n < kMaxSteps && y < b.y2 - len; ++n, y += 0.025 * W)
        for (int i = 0; i < 3; ++i)
            for (double k : {1.0, 2.0}) {
                const double x = b.xs + k * W / 9 + i * W / 3;
                if (x > b.x1) m.line(x, y, x, y + len);
            }
}

void pattern800(Marks& m, const Box& b)
{
    const double W = b.W, r = 0.011 * W, ray = 0.1 * W;
    double y = b.y1 + 0.022 * W;
    if (!(b.y2 > y)) return;
    for (long n = 0; n < kMaxSteps; ++n) {
        for (double k : {0.1, 0.5, 0.9}) {
            const double cx = b.xs + k * W;
            if (cx > b.x1) m.upperHalf(cx, y, r, ray);
        }
        if (y > b.y2 - r) break;
        for (double k : {0.3, 0.7}) {
            const double cx = b.xs + k * W;
            if (cx > b.x1) m.lowerHalf(cx, y, r, ray);
        }
        y += 0.025 * W;
        if (!(y < b.y2)) break;
    }
}

void pattern1300(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + 0.0125 * W;
    if (!(b.y2 > y)) return;
    for (long row = 0; row < kMaxSteps; ++row) {
        if (row % 2 == 0) {
            for (int k = 0; k <= 3; ++k) {
                const double x = b.xs + k * 4 * W / 15;
                if (x >= b.x1 - 0.001) m.line(x, y, x + W / 5, y);
            }
        } else {
            for (int k = 0; k <= 2; ++k) {
                const double x = b.xs + 2 * W / 15 + k * 4 * W / 15;
                if (x > b.x1) m.line(x, y, x + W / 5, y);
            }
        }
        y += 0.025 * W;
        if (!(y < b.y2)) break;
    }
}

void pattern1700(Marks& m, const Box& b)
{
    const double W = b.W, tall = W / 60;
    double top = b.y1 + W / 120;
    if (!(b.y2 > top + tall)) return;
    for (long row = 0; row < kMaxSteps; ++row) {
        double x = b.xs + (row % 2 ? W / 36 : 0);
        for (int c = 0; c < 3; ++c, x += W / 3) {
            if (x > b.x1 - 0.001) m.line(x + 4 * W / 36, top, x + W / 36, top + tall);
            if (x + W / 4 > b.x1 - 0.001) m.line(x + 7 * W / 36, top, x + 10 * W / 36, top + tall);
        }
        top += W / 30;
        if (!(top + tall < b.y2)) break;
    }
}

void pattern4200(Marks& m, const Box& b)
{
    const double W = b.W, hgt = 0.025 * W;
    double top = b.y1;
    for (long row = 0; row < kMaxSteps; ++row) {
        const double bottom = top + hgt;
        const double jb = std::min(bottom, b.y2);
        auto joint = [&](double x) {
            if (x >= b.x1 && x < b.R) m.line(x, top, x, jb);
        };
        if (row % 2 == 0) {
            joint(b.xs + W / 4);
            joint(b.xs + 3 * W / 4);
        } else {
            joint(b.xs + W / 2);
        }
        if (bottom > b.y2) break;
        m.line(b.x1, bottom, b.R, bottom);
        top = bottom;
        if (!(top < b.y2)) break;
    }
}

void pattern4600(Marks& m, const Box& b)
{
    const double W = b.W, hx = W / 26, hy = W / 260;
    double y = b.y1 + 0.0125 * W;
    if (!(b.y2 > y)) return;
    for (long n = 0; n < kMaxSteps; ++n) {
        for (int k = 0; k < 64; ++k) {
            const double x = b.xs + W / 7 + k * W / 7;
            if (x > b.R - W / 26) break;
            if (x >= b.x1) m.diamond(x, y, hx, hy);
        }
        const double lineY = y + 0.0125 * W;
        if (!(lineY < b.y2)) break;
        m.line(b.x1, lineY, b.R, lineY);
        y += 0.025 * W;
        if (!(y < b.y2)) break;
    }
}

void pattern4700(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + 0.02 * W;
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += 0.025 * W)
        for (int k = 0; k <= 4; ++k) {
            const double x = b.xs + k * 3 * W / 14;
            if (x >= b.x1 - 0.001) m.line(x, y, x + W / 7, y);
        }
}

void dashedVertical(Marks& m, const Box& b, double x)
{
    const double dash = 0.01 * b.W, every = b.W / 60;
    double y = b.y1;
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += every) m.line(x, y, x, std::min(y + dash, b.y2));
}

void pattern10092(Marks& m, const Box& b)
{
    const double W = b.W;
    for (int k = 1; k < 64; ++k) {
        const double x = b.xs + k * W / 4;
        if (x >= b.R) break;
        if (x > b.x1) m.line(x, b.y1, x, b.y2);
    }
    for (int k = 0; k < 64; ++k) {
        const double x = b.xs + W / 8 + k * W / 4;
        if (x >= b.R) break;
        if (x > b.x1) dashedVertical(m, b, x);
    }
}

void pattern10093(Marks& m, const Box& b)
{
    for (int k = 0; k < 128; ++k) {
        const double x = b.xs + b.W / 8 + k * b.W / 8;
        if (x >= b.R) break;
        if (x > b.x1) dashedVertical(m, b, x);
    }
}

void pattern1500(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + 0.0125 * W;
    for (long row = 0; row < kMaxSteps && y < b.y2 - W / 400; ++row, y += 0.025 * W)
        for (int k = 1; k <= 5; ++k) {
            const double x = b.xs + k * W / 6;
            const bool small = (k % 2 == 1) == (row % 2 == 0);
            if (small) {
                if (x >= b.x1 + W / 24) m.diamond(x, y, W / 40, W / 400);
            } else if (x > b.x1 + W / 24) {
                m.diamond(x, y, W / 24, W / 240);
            }
        }
}

void pattern1600(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + 0.0125 * W;
    for (long row = 0; row < kMaxSteps && y < b.y2 - W / 120; ++row, y += 0.025 * W)
        for (int k = 1; k <= 5; ++k) {
            const double x = b.xs + k * W / 6;
            const bool small = (k % 2 == 1) == (row % 2 == 0);
            if (small) {
                if (x >= b.x1 + W / 12) m.circle(x, y, W / 120);
            } else if (x > b.x1 + W / 26) {
                m.diamond(x, y, W / 26, W / 260);
            }
        }
}

void pattern4900(Marks& m, const Box& b)
{
    const double W = b.W;
    double y = b.y1 + 0.02 * W;
    for (long row = 0; row < kMaxSteps && y < b.y2; ++row, y += 0.025 * W) {
        const bool odd = row % 2 == 1;
        const int count = odd ? 4 : 5;
        for (int k = 0; k < count; ++k) {
            const double x = b.xs + (odd ? W / 9 : 0) + k * 2 * W / 9;
            if (x >= b.x1 - 0.001) m.line(x, y, x + W / 9, y, 1);
        }
        const double lineY = y + 0.005 * W;
        if (lineY < b.y2) m.line(b.x1, lineY, b.R, lineY);
    }
}

void pattern6800(Marks& m, const Box& b)
{
    const double W = b.W, big = W / 60, small = 0.01 * W;
    double y = b.y1 + W / 120;
    for (long n = 0; n < kMaxSteps && y < b.y2; ++n, y += W / 20) {
        const double bx = b.xs + 2 * W / 3, by = y + W / 60;
        if (bx > b.x1) {
            if (y + W / 30 <= b.y2)
                m.circle(bx, by, big);
            else if (by <= b.y2)
                m.upperHalf(bx, by, big, W / 6);
        }
        const double sx = b.xs + W / 4, sy = y + 2.2 * W / 60;
        if (sx > b.x1) {
            if (sy + small < b.y2)
                m.circle(sx, sy, small);
            else if (sy < b.y2)
                m.upperHalf(sx, sy, small, 0.1 * W);
        }
    }
}

struct Entry
{
    long number;
    Routine routine;
};

const Entry kFull[] = {
    {1, pattern1},
    {2, pattern2},
    {3, pattern3},
    {4, pattern4},
    {5, pattern5},
    {6, pattern6},
    {7, pattern7},
    {8, pattern8},
    {10, pattern10},
    {20, pattern20},
    {30, pattern30},
    {100, pattern100},
    {200, plainGrid<80, 8, 2, 2, 13, 4, 0>},
    {300, staggeredGrid<60, 8, 2, 1, 24, 3, 2, 1>},
    {400, plainGrid<80, 6, 2, 1, 24, 4, 1>},
    {500, pattern500},
    {600, pattern600},
    {700, pattern700},
    {800, pattern800},
    {1100, pattern1100},
    {1300, pattern1300},
    {1400, staggeredGrid<105, 6, 2, 1, 26, 5, 5, 1>},
    {1500, pattern1500},
    {1600, pattern1600},
    {1700, pattern1700},
    {2100, staggeredPattern<Stagger::Plus>},
    {2300, staggeredPattern<Stagger::Cross>},
    {2400, staggeredPattern<Stagger::TwoVerticals>},
    {2500, staggeredPattern<Stagger::TwoHorizontals>},
    {2700, staggeredPattern<Stagger::TopBar>},
    {2800, staggeredPattern<Stagger::BottomBar>},
    {2900, staggeredPattern<Stagger::Corner>},
    {3000, staggeredPattern<Stagger::Vee>},
    {3100, staggeredPattern<Stagger::Wedge>},
    {3300, staggeredGrid<60, 8, 2, 2, 10, 3, 2, 0>},
    {3400, staggeredGrid<65, 8, 2, 2, 11, 3, 3, 0>},
    {3500, staggeredGrid<85, 8, 2, 2, 13, 4, 4, 0>},
    {3600, staggeredGrid<65, 8, 2, 2, 20, 3, 3, 1>},
    {3800, staggeredGrid<85, 6, 2, 1, 22, 4, 4, 1>},
    {4100, staggeredPattern<Stagger::Splay>},
    {4200, pattern4200},
    {4300, pattern4300},
    {4400, plainGrid<70, 12, 1, 2, 26, 6, 1>},
    {4500, staggeredGrid<80, 8, 2, 2, 26, 4, 3, 1>},
    {4600, pattern4600},
    {4700, pattern4700},
    {4800, pattern4300},
    {4900, pattern4900},
    {6800, pattern6800},
    {6900, pattern6900},
    {8100, pattern1100},
    {8500, pattern1700},
    {10091, pattern10091},
    {10092, pattern10092},
    {10093, pattern10093},
    {20100, staggeredGrid<60, 4, 2, 1, 10, 3, 2, 0>},
};

} // namespace

Routine pattern::findFullRoutine(long number)
{
    for (const Entry& e : kFull)
        if (e.number == number) return e.routine;
    return nullptr;
}

// --- Dispatch ---

void DrawBlockMark(PageCanvas& canvas, int type, double x1, double y1, double x2, double y2, int penWidth,
                   Colour colour)
{
    if (!(std::fabs(x2 - x1) >= 0.001) || !(std::fabs(y2 - y1) >= 0.001)) return;
    const double w = x2 - x1;
    auto line = [&](double ax, double ay, double bx, double by) {
        canvas.PageLine(ax, ay, bx, by, PenStyle::Solid, penWidth, colour);
    };
    auto type3 = [&] {
        line(x2 - w / 6, y1, x1, y2);
        line(x2, y1, x1 + w / 6, y2);
    };
    switch (type) {
    case 0:
        line(x1, y1, x2, y2);
        line(x2, y1, x1, y2);
        break;
    case 1:
        type3();
        line(x1, y1, x2, y2);
        break;
    case 2:
        type3();
        line(x1, y1, x2 - w / 6, y2);
        line(x1 + w / 6, y1, x2, y2);
        break;
    case 3:
        type3();
        break;
    case 4:
        line(x2, y1, x1, y2);
        break;
    default:
        break;
    }
}

int DispatchPattern(PageCanvas& canvas, long number, double x1, double y1, double x2, double y2,
                    double fraction, int penWidth, Colour colour, int shift)
{
    if (!isVectorPattern(number)) return 0;
    if (!std::isfinite(x1) || !std::isfinite(x2) || !std::isfinite(y1) || !std::isfinite(y2) ||
        !std::isfinite(fraction))
        return 1;
    Box b;
    b.x1 = x1;
    b.y1 = y1;
    b.x2 = x2;
    b.y2 = y2;
    b.W = x2 - x1;
    if (b.W < 0.001 || y2 - y1 < 0.001) return 1;
    // A fraction outside this range has no meaning (the fill gives 0 to 1).
    b.F = std::clamp(fraction, -1.0, 2.0);
    b.xs = x1 - (1 - b.F) * b.W;
    b.R = x1 + b.F * b.W;
    b.shift = shift;
    if (number >= 10000 && number <= 10004) {
        DrawBlockMark(canvas, static_cast<int>(number - 10000), x1, y1, x2, y2, penWidth, colour);
        return 1;
    }
    // No visible part (the second part of a layer shown at 100 %): lines "from
    // x1 to x1 + F W" would otherwise run leftwards out of the rectangle.
    if (!(b.F > 0)) return 1;
    // Rows finer than a device unit cannot show the figure; their count would
    // only grow without bound.
    if (0.0125 * b.W * canvas.geometry().unitsPerMetre < 1.0) return 1;
    Routine r = findFullRoutine(number);
    if (!r) r = findOutlineRoutine(number);
    if (!r) return 1;
    Marks marks(canvas, penWidth, colour);
    r(marks, b);
    return 1;
}

int DrawVectorPattern(PageCanvas& canvas, long number, double x1, double y1, double x2, double y2,
                      double fraction, int penWidth, Colour colour, int shift)
{
    if (!isVectorPattern(number)) return 0;
    PageGeometry& geo = canvas.geometry();
    const double fy1 = geo.PatternFrameDepth(y1);
    const double fy2 = geo.PatternFrameDepth(y2);
    const double saved = geo.unitsPerMetre;
    geo.unitsPerMetre = 10.0 * geo.pxPerMmY;
    const int result = DispatchPattern(canvas, number, x1, fy1, x2, fy2, fraction, penWidth, colour, shift);
    geo.unitsPerMetre = saved;
    return result;
}

} // namespace qc
