// A page of the log drawn from arbitrary bytes: whatever the file holds (scales,
// grid steps, depths, test values), the drawing ends, and every figure stays
// within the device range.

#include "app/settings.h"
#include "app/viewstate.h"
#include "document/logfile.h"
#include "document/tables.h"
#include "platform/device.h"
#include "render/logpage.h"
#include "render/paging.h"

#include <cstdint>
#include <string_view>

namespace {

// Draws nothing; checks the coordinates it is given.
class CheckingDevice : public qc::Device
{
public:
    int logPixelsX() const override { return 600; }
    int logPixelsY() const override { return 600; }
    bool selectFont(const qc::LogicalFont& font) override
    {
        m_font = font;
        return true;
    }
    const qc::LogicalFont& font() const override { return m_font; }
    void setTextColour(qc::Colour c) override { m_colour = c; }
    qc::Colour textColour() const override { return m_colour; }
    void setTextAlign(qc::TextAlign a) override { m_align = a; }
    qc::TextAlign textAlign() const override { return m_align; }
    void textOut(int x, int y, std::string_view) override { check(qc::DevPoint{x, y}); }
    qc::DevSize textExtent(std::string_view text) override
    {
        return {static_cast<int>(text.size()) * 10, 20};
    }
    int drawText(const qc::DevRect& r, std::string_view, unsigned, qc::DevRect* calculated) override
    {
        check(r);
        if (calculated) *calculated = r;
        return 20;
    }
    void intersectClip(const qc::DevRect& r) override { check(r); }
    void resetClip() override {}
    void drawPolyline(std::span<const qc::DevPoint> points, const qc::Pen&) override { check(points); }
    void drawPolygon(std::span<const qc::DevPoint> points, const qc::Pen&, const qc::Brush&) override
    {
        check(points);
    }
    void drawRectangle(const qc::DevRect& r, const qc::Pen&, const qc::Brush&) override { check(r); }
    void drawEllipse(const qc::DevRect& r, const qc::Pen&, const qc::Brush&) override { check(r); }
    void drawArc(const qc::DevRect& r, qc::DevPoint a, qc::DevPoint b, const qc::Pen&) override
    {
        check(r);
        check(a);
        check(b);
    }
    void stretchBitmap(const qc::DevRect& r, const qc::Bitmap&, const qc::DevRect&, qc::RasterOp) override
    {
        check(r);
    }

private:
    static void check(qc::DevPoint p)
    {
        if (p.x < -qc::kDeviceCoordLimit || p.x > qc::kDeviceCoordLimit || p.y < -qc::kDeviceCoordLimit ||
            p.y > qc::kDeviceCoordLimit)
            __builtin_trap();
    }
    static void check(std::span<const qc::DevPoint> points)
    {
        for (const qc::DevPoint& p : points) check(p);
    }
    static void check(const qc::DevRect& r)
    {
        check(qc::DevPoint{r.left, r.top});
        check(qc::DevPoint{r.right, r.bottom});
    }

    qc::LogicalFont m_font;
    qc::Colour m_colour = 0;
    qc::TextAlign m_align;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static qc::Document& doc = *new qc::Document;
    qc::ClearAll(doc);
    const qc::TokenLine token = qc::findTokenLine(bytes, 7);
    qc::readLogText(doc, bytes,
                    token.version == qc::logversion::None ? qc::TokenLine{qc::logversion::Current, 0}
                                                          : token);
    static const qc::Settings settings = qc::builtinSettings();
    static const qc::FontSettings fonts = qc::builtinFonts();
    qc::ViewState view;
    view.depthPerPage = 26;
    // The first page, and one further down when the log reaches there (pages past its
    // end are never drawn by the program).
    const double deepest = qc::deepestDepth(doc);
    for (double top : {0.0, 40.0}) {
        if (top > 0 && deepest <= top) break;
        view.screenPageTop = top;
        qc::RenderContext ctx{doc, settings, fonts, view, nullptr};
        CheckingDevice device;
        qc::drawLogPage(device, ctx);
    }
    return 0;
}
