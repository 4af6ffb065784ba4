#pragma once
// Page coordinates and their mapping to device units. x is in page millimetres
// from the left page margin; y is metres of depth in the log body, or header
// centimetres in the band above depth 0. One PageGeometry is rebuilt at the
// start of every drawing pass from the device resolution and the scale.

#include "platform/device.h"

#include <cmath>

namespace qc {

// Device units per paper millimetre = dots per inch times this.
constexpr double kInchesPerMm = 0.03937007874015748;

// Header band: distance from the top margin to the page top line, in header cm.
constexpr double kFullHeaderBandCm = 11.5;
constexpr double kCompactHeaderBandCm = 7.85;
// Top of the column-heading band, in header cm from the 11.5 base.
constexpr double kFullHeadingBandTop = -4.15;
constexpr double kCompactHeadingBandTop = -7.8;

constexpr double headerBandCm(bool compactHeader)
{
    return compactHeader ? kCompactHeaderBandCm : kFullHeaderBandCm;
}
constexpr double headingBandTop(bool compactHeader)
{
    return compactHeader ? kCompactHeadingBandTop : kFullHeadingBandTop;
}

// A scale denominator below 1 is never stored; should one arrive it counts as 1/100.
constexpr int effectiveDenominator(int denominator)
{
    return denominator >= 1 ? denominator : 100;
}

// Truncation toward zero, clamped to the device range (NaN gives 0). Inline: every
// figure of a page goes through it.
inline int truncateToDevice(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= kDeviceCoordLimit) return kDeviceCoordLimit;
    if (v <= -kDeviceCoordLimit) return -kDeviceCoordLimit;
    // Within the range the conversion itself truncates toward zero.
    return static_cast<int>(v);
}

struct PageGeometry
{
    double pxPerMmX = 0;
    double pxPerMmY = 0;
    double unitsPerPageMm = 0;   // horizontal factor
    double unitsPerMetre = 0;    // vertical factor: device units per y unit
    double unitsPerHeaderCm = 0; // places the band base
    double depthOffset = 0;      // added to y before scaling: minus the page top in the body
    double headerBandCm = kFullHeaderBandCm;
    double headingBandTop = kFullHeadingBandTop;
    double marginLeftMm = 5;
    double marginTopMm = 5;

    int PageX(double x) const { return truncateToDevice(marginLeftMm * pxPerMmX + unitsPerPageMm * x); }
    int PageY(double y) const
    {
        return truncateToDevice((depthOffset + y) * unitsPerMetre + marginTopMm * pxPerMmY +
                                headerBandCm * unitsPerHeaderCm);
    }
    // 0 when the factor is not above 0.0001.
    double DeviceToPageX(double px) const;
    double DeviceToPageY(double py) const;
    // The y of the pattern frame (one y unit = 10 paper mm) that lands on the device row of PageY(y).
    double PatternFrameDepth(double y) const;

    // Start of a pass: margins, resolution, the horizontal factor and the body vertical factor.
    void setUp(int logPixelsX, int logPixelsY, int marginLeft, int marginTop, int horizontalDenominator,
               int depthDenominator);
    // Header phase: y is header centimetres from the band base (headerBandCm back to 11.5).
    void enterHeaderPhase(bool scaleDepthPartOnly, int depthDenominator);
    // Body phase: y is depth in metres, the page top on the band base.
    void enterBodyPhase(double pageTop, bool scaleDepthPartOnly, int depthDenominator);

    // Vertical factor of the body at a depth scale.
    double bodyUnitsPerMetre(int depthDenominator) const
    {
        return 1000.0 / effectiveDenominator(depthDenominator) * pxPerMmY;
    }

    // Converting device sizes: to y units and to page mm (0 for a vanishing factor).
    double deviceToYUnits(double deviceHeight) const;
    double deviceToPageMm(double deviceWidth) const;
};

// Character size in device units of a font of `points` points: trunc(dpi x points / 72).
int fontDeviceSize(int logPixels, double points);
// The log title's size: trunc(dpi x points / 45).
int titleDeviceSize(int logPixels, double points);

} // namespace qc
