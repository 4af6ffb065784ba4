// Way into render: page coordinates and the text font, for tools that draw patterns.
#pragma once
// Page primitives: figures and texts in page coordinates (x in page mm, y in
// metres of depth or header cm), converted with the page geometry and drawn
// with the device primitives. Also the one text font of the drawing.

#include "platform/device.h"
#include "render/detail/pagegeometry.h"

#include <string>
#include <string_view>
#include <vector>

namespace qc {

class Prompter;

struct PagePoint
{
    double x = 0;
    double y = 0;
};

class PageCanvas
{
public:
    // prompter receives "Can't create font"; without one the failure is silent.
    PageCanvas(Device& device, PageGeometry& geometry, Prompter* prompter = nullptr)
        : m_device(device), m_geo(geometry), m_prompter(prompter)
    {
    }

    Device& device() { return m_device; }
    PageGeometry& geometry() { return m_geo; }
    const PageGeometry& geometry() const { return m_geo; }
    Prompter* prompter() { return m_prompter; }

    int PageX(double x) const { return m_geo.PageX(x); }
    int PageY(double y) const { return m_geo.PageY(y); }
    double DeviceToPageX(double px) const { return m_geo.DeviceToPageX(px); }
    double DeviceToPageY(double py) const { return m_geo.DeviceToPageY(py); }
    double PatternFrameDepth(double y) const { return m_geo.PatternFrameDepth(y); }

    // Radii and sizes: r in y units (vertical factor), rx in x units (horizontal factor).
    int deviceRadiusY(double r) const { return truncateToDevice(r * m_geo.unitsPerMetre); }
    int deviceRadiusX(double r) const { return truncateToDevice(r * m_geo.unitsPerPageMm); }

    // --- Figures ---
    void PageLine(double x1, double y1, double x2, double y2, int style, int width, Colour colour);
    // dash and gap stay in device units.
    void PageDashedLine(double x1, double y1, double x2, double y2, int dash, int gap, int width,
                        Colour colour);
    void PageRectOutline(double x1, double y1, double x2, double y2, int style, int width, Colour colour);
    void PageFilledRect(double x1, double y1, double x2, double y2, int style, int width, Colour pen,
                        Colour fill);
    // At most 10 points are used; the polygon is filled and outlined in the colour.
    void PageFilledPolygon(const std::vector<PagePoint>& points, Colour colour);
    void PageCircle(double cx, double cy, double r, int style, int width, Colour colour);
    void PageFilledCircle(double cx, double cy, double r, int style, int width, Colour pen, Colour fill);
    void PageEllipse(double cx, double cy, double rx, double ry, int style, int width, Colour colour);
    void PageArc(double cx, double cy, double r, double sx, double sy, double ex, double ey, int style,
                 int width, Colour colour);
    void PageDiamond(double cx, double cy, double hx, double hy, int style, int width, Colour colour);
    void PageDiamondBar(double cx, double cy, double hx, double hy, int style, int width, Colour colour);
    // Intersects the clip with the rectangle; resetClip() removes it.
    void PageClip(double x1, double y1, double x2, double y2);
    void resetClip() { m_device.resetClip(); }

    // --- Texts (CP932) ---
    void setTextAlign(TextAlign align) { m_device.setTextAlign(align); }
    TextAlign textAlign() const { return m_device.textAlign(); }
    // Reference point at (x, y) by the device's current alignment.
    void PageText(double x, double y, std::string_view text);
    // Returns the text height in device units.
    int PageTextInRect(double x1, double y1, double x2, double y2, std::string_view text, unsigned flags);
    void PageTextCentred(double x1, double y1, double x2, double y2, std::string_view text);
    // Top at (y1 + y2 - h) / 2.
    void PageTextMidline(double x, double y1, double y2, double h, std::string_view text);
    // first at 5 %, second at 55 % of the row, 0.5 mm right of x.
    void PageTwoTexts(double x, double y1, double y2, std::string_view first, std::string_view second);
    // Characters spread evenly between x1 and x2, by byte position (alignment reset to left/top).
    void PageSpreadText(double x1, double x2, double y1, double y2, double w, double h,
                        std::string_view text);
    // Characters stacked between y1 and y2, by byte position (alignment reset to left/top).
    void PageVerticalText(double x1, double x2, double y1, double y2, double w, double h,
                          std::string_view text);

    // Width of a text in page mm, from the device extent.
    double textWidthMm(std::string_view text);

    // --- Font ---
    // height in device units, face CP932 (empty: the device default), angle in whole degrees.
    // On failure "Can't create font" is shown and the device keeps its font.
    bool SelectTextFont(Colour colour, int height, const std::string& face, int angle = 0);

private:
    Device& m_device;
    PageGeometry& m_geo;
    Prompter* m_prompter;
};

} // namespace qc
