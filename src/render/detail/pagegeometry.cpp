#include "render/detail/pagegeometry.h"

namespace qc {

double PageGeometry::DeviceToPageX(double px) const
{
    if (!(unitsPerPageMm > 0.0001)) return 0;
    return (px - marginLeftMm * pxPerMmX) / unitsPerPageMm;
}

double PageGeometry::DeviceToPageY(double py) const
{
    if (!(unitsPerMetre > 0.0001)) return 0;
    return (py - marginTopMm * pxPerMmY - headerBandCm * unitsPerHeaderCm) / unitsPerMetre - depthOffset;
}

double PageGeometry::PatternFrameDepth(double y) const
{
    const double frame = 10.0 * pxPerMmY;
    if (!(frame > 0.0001)) return 0;
    return (PageY(y) - marginTopMm * pxPerMmY - headerBandCm * unitsPerHeaderCm) / frame - depthOffset;
}

void PageGeometry::setUp(int logPixelsX, int logPixelsY, int marginLeft, int marginTop,
                         int horizontalDenominator, int depthDenominator)
{
    marginLeftMm = marginLeft;
    marginTopMm = marginTop;
    pxPerMmX = logPixelsX * kInchesPerMm;
    pxPerMmY = logPixelsY * kInchesPerMm;
    unitsPerPageMm = 100.0 / effectiveDenominator(horizontalDenominator) * pxPerMmX;
    unitsPerMetre = bodyUnitsPerMetre(depthDenominator);
}

void PageGeometry::enterHeaderPhase(bool scaleDepthPartOnly, int depthDenominator)
{
    unitsPerMetre = scaleDepthPartOnly ? 10.0 * pxPerMmY : bodyUnitsPerMetre(depthDenominator);
    unitsPerHeaderCm = unitsPerMetre;
    depthOffset = 0;
    headerBandCm = kFullHeaderBandCm;
}

void PageGeometry::enterBodyPhase(double pageTop, bool scaleDepthPartOnly, int depthDenominator)
{
    unitsPerMetre = bodyUnitsPerMetre(depthDenominator);
    unitsPerHeaderCm = scaleDepthPartOnly ? 10.0 * pxPerMmY : unitsPerMetre;
    depthOffset = -pageTop;
}

double PageGeometry::deviceToYUnits(double deviceHeight) const
{
    return unitsPerMetre > 0.0001 ? deviceHeight / unitsPerMetre : 0;
}

double PageGeometry::deviceToPageMm(double deviceWidth) const
{
    return unitsPerPageMm > 0.0001 ? deviceWidth / unitsPerPageMm : 0;
}

int fontDeviceSize(int logPixels, double points)
{
    return truncateToDevice(logPixels * points / 72.0);
}

int titleDeviceSize(int logPixels, double points)
{
    return truncateToDevice(logPixels * points / 45.0);
}

} // namespace qc
