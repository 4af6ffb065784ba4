#include "render/pagecanvas.h"

#include "document/textops.h"
#include "platform/prompter.h"

#include <algorithm>
#include <iterator>

namespace qc {

void PageCanvas::PageLine(double x1, double y1, double x2, double y2, int style, int width, Colour colour)
{
    m_device.DevLine(PageX(x1), PageY(y1), PageX(x2), PageY(y2), style, width, colour);
}

void PageCanvas::PageDashedLine(double x1, double y1, double x2, double y2, int dash, int gap, int width,
                                Colour colour)
{
    m_device.DevDashedLine(PageX(x1), PageY(y1), PageX(x2), PageY(y2), dash, gap, width, colour);
}

void PageCanvas::PageRectOutline(double x1, double y1, double x2, double y2, int style, int width,
                                 Colour colour)
{
    m_device.DevRectOutline(PageX(x1), PageY(y1), PageX(x2), PageY(y2), style, width, colour);
}

void PageCanvas::PageFilledRect(double x1, double y1, double x2, double y2, int style, int width, Colour pen,
                                Colour fill)
{
    m_device.DevFilledRect(PageX(x1), PageY(y1), PageX(x2), PageY(y2), style, width, pen, fill);
}

void PageCanvas::PageFilledPolygon(const std::vector<PagePoint>& points, Colour colour)
{
    DevPoint dev[10];
    size_t n = 0;
    for (; n < points.size() && n < std::size(dev); ++n) dev[n] = {PageX(points[n].x), PageY(points[n].y)};
    m_device.DevFilledPolygon(std::span<const DevPoint>(dev, n), colour);
}

void PageCanvas::PageCircle(double cx, double cy, double r, int style, int width, Colour colour)
{
    m_device.DevCircle(PageX(cx), PageY(cy), deviceRadiusY(r), style, width, colour);
}

void PageCanvas::PageFilledCircle(double cx, double cy, double r, int style, int width, Colour pen,
                                  Colour fill)
{
    m_device.DevFilledCircle(PageX(cx), PageY(cy), deviceRadiusY(r), style, width, pen, fill);
}

void PageCanvas::PageEllipse(double cx, double cy, double rx, double ry, int style, int width, Colour colour)
{
    m_device.DevEllipse(PageX(cx), PageY(cy), deviceRadiusX(rx), deviceRadiusY(ry), style, width, colour);
}

void PageCanvas::PageArc(double cx, double cy, double r, double sx, double sy, double ex, double ey,
                         int style, int width, Colour colour)
{
    m_device.DevArc(PageX(cx), PageY(cy), deviceRadiusY(r), PageX(sx), PageY(sy), PageX(ex), PageY(ey), style,
                    width, colour);
}

void PageCanvas::PageDiamond(double cx, double cy, double hx, double hy, int style, int width, Colour colour)
{
    PageLine(cx - hx, cy, cx, cy - hy, style, width, colour);
    PageLine(cx, cy - hy, cx + hx, cy, style, width, colour);
    PageLine(cx + hx, cy, cx, cy + hy, style, width, colour);
    PageLine(cx, cy + hy, cx - hx, cy, style, width, colour);
}

void PageCanvas::PageDiamondBar(double cx, double cy, double hx, double hy, int style, int width,
                                Colour colour)
{
    PageDiamond(cx, cy, hx, hy, style, width, colour);
    PageLine(cx, cy - 0.8 * hy, cx, cy + 0.8 * hy, style, width, colour);
}

void PageCanvas::PageClip(double x1, double y1, double x2, double y2)
{
    m_device.intersectClip(DevRect{PageX(x1), PageY(y1), PageX(x2), PageY(y2)}.normalised());
}

void PageCanvas::PageText(double x, double y, std::string_view text)
{
    m_device.textOut(PageX(x), PageY(y), text);
}

int PageCanvas::PageTextInRect(double x1, double y1, double x2, double y2, std::string_view text,
                               unsigned flags)
{
    return m_device.DevTextInRect(PageX(x1), PageY(y1), PageX(x2), PageY(y2), text, flags);
}

void PageCanvas::PageTextCentred(double x1, double y1, double x2, double y2, std::string_view text)
{
    PageTextInRect(x1, y1, x2, y2, text,
                   TextFormat::Centre | TextFormat::VCentre | TextFormat::SingleLine | TextFormat::NoClip);
}

void PageCanvas::PageTextMidline(double x, double y1, double y2, double h, std::string_view text)
{
    PageText(x, (y1 + y2 - h) / 2, text);
}

void PageCanvas::PageTwoTexts(double x, double y1, double y2, std::string_view first, std::string_view second)
{
    PageText(x + 0.5, y1 + 0.05 * (y2 - y1), first);
    PageText(x + 0.5, y1 + 0.55 * (y2 - y1), second);
}

namespace {
// Characters placed one by one fill their span long before this many; the rest would only
// pile up on top of them.
constexpr size_t kMaxPlacedCharacters = 4096;
} // namespace

void PageCanvas::PageSpreadText(double x1, double x2, double y1, double y2, double w, double h,
                                std::string_view text)
{
    m_device.setTextAlign(AlignLeftTop);
    const double y = (y1 + y2 - h) / 2;
    const double span = std::max(x2 - x1, w);
    const size_t length = text.size();
    const size_t odd = length % 2;
    const double step = length > 2 ? (span - w) / static_cast<double>(length + odd - 2) : span / 2;
    for (size_t p = 0, count = 0; p < length && count < kMaxPlacedCharacters; ++count) {
        const size_t n = charLengthAt(text, p);
        PageText(x1 + static_cast<double>(p) * step, y, text.substr(p, n));
        p += n;
    }
}

void PageCanvas::PageVerticalText(double x1, double x2, double y1, double y2, double w, double h,
                                  std::string_view text)
{
    m_device.setTextAlign(AlignLeftTop);
    const double x = x2 - x1 >= 4 ? (x1 + x2 - w) / 2 : (x1 + x2) / 2 - 0.48 * w;
    const double span = std::max(y2 - y1, h);
    const size_t length = text.size();
    const double step = length > 2 ? (span - h) / static_cast<double>(length - 2) : span / 2;
    for (size_t p = 0, count = 0; p < length && count < kMaxPlacedCharacters; ++count) {
        const size_t n = charLengthAt(text, p);
        PageText(x, y1 + static_cast<double>(p) * step, text.substr(p, n));
        p += n;
    }
}

double PageCanvas::textWidthMm(std::string_view text)
{
    return m_geo.deviceToPageMm(m_device.textExtent(text).cx);
}

bool PageCanvas::SelectTextFont(Colour colour, int height, const std::string& face, int angle)
{
    LogicalFont font;
    font.height = height;
    font.width = 0;
    font.escapement = angle * 10;
    font.charSet = 128;
    font.outPrecision = 0;
    font.quality = 1;
    font.face = face;
    if (!m_device.selectFont(font)) {
        if (m_prompter) m_prompter->message("Can't create font");
        return false;
    }
    m_device.setTextColour(colour);
    return true;
}

} // namespace qc
