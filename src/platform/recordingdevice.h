#pragma once
// A Device that draws nothing and records every call in device units, with the
// pen, brush, font, text colour, alignment and clip in force, so that tests can
// assert exact figures.
//
// Text metrics are fixed: a font of height H (device units; 0 means 20) has
// cells H high, a single-byte character is H / 2 wide and a two-byte character
// H wide (extent = bytes x H / 2, integer division); the ascent is H - H / 5.
// Formatted text wraps at blanks and around two-byte characters; a line break
// (LF, or CR LF) starts a new line and a trailing one adds an empty line.

#include "platform/device.h"

#include <optional>
#include <string>
#include <vector>

namespace qc {

class RecordingDevice : public Device
{
public:
    enum class Op {
        Polyline,
        Polygon,
        Rectangle,
        Ellipse,
        Arc,
        Text,
        TextInRect,
        Stretch,
        Clip,
        ResetClip,
        Font
    };

    struct Call
    {
        Op op = Op::Polyline;
        std::vector<DevPoint> points; // polyline and polygon points; text reference point; arc start, end
        DevRect rect{};               // rectangle, ellipse or arc box, text rectangle, stretch target, clip
        DevRect source{};             // stretch source part
        Pen pen;
        Brush brush;
        std::string text;
        unsigned flags = 0;
        TextAlign align;
        LogicalFont font;
        Colour textColour = 0;
        RasterOp rop = RasterOp::Copy;
        DevSize bitmapSize{};
        std::optional<DevRect> clip; // the clip in force when the call was made
        DevRect bounds{};            // the area the call covers (inclusive of its right and bottom)
    };

    explicit RecordingDevice(int dpiX = 600, int dpiY = 600) : m_dpiX(dpiX), m_dpiY(dpiY) {}

    const std::vector<Call>& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

    // Makes every following font selection fail (to test the font message).
    void setFontCreationFails(bool fails) { m_fontFails = fails; }
    void setExactRasterOps(bool exact) { m_exactRops = exact; }

    // Calls of one kind, in order.
    std::vector<Call> ofKind(Op op) const;
    // Two-point polylines (DevLine and the dashes of DevDashedLine).
    std::vector<Call> lines() const;
    std::vector<Call> texts() const;
    // The text calls whose text equals `text`.
    std::vector<Call> textsEqual(std::string_view text) const;

    // True when the call reaches into the clip rectangle in force (always, without one).
    static bool visible(const Call& call);

    // The fixed metrics.
    static int cellHeight(const LogicalFont& font)
    {
        return font.height > 0 ? font.height : font.height < 0 ? -font.height : 20;
    }
    static int ascent(const LogicalFont& font) { return cellHeight(font) - cellHeight(font) / 5; }
    static int extentOf(std::string_view text, const LogicalFont& font)
    {
        return static_cast<int>(text.size()) * cellHeight(font) / 2;
    }

    // Device
    int logPixelsX() const override { return m_dpiX; }
    int logPixelsY() const override { return m_dpiY; }
    [[nodiscard]] bool selectFont(const LogicalFont& font) override;
    const LogicalFont& font() const override { return m_font; }
    void setTextColour(Colour colour) override { m_textColour = colour; }
    Colour textColour() const override { return m_textColour; }
    void setTextAlign(TextAlign align) override { m_align = align; }
    TextAlign textAlign() const override { return m_align; }
    void textOut(int x, int y, std::string_view text) override;
    DevSize textExtent(std::string_view text) override;
    int drawText(const DevRect& rect, std::string_view text, unsigned flags,
                 DevRect* calculated = nullptr) override;
    void intersectClip(const DevRect& rect) override;
    void resetClip() override;
    void drawPolyline(std::span<const DevPoint> points, const Pen& pen) override;
    void drawPolygon(std::span<const DevPoint> points, const Pen& pen, const Brush& brush) override;
    void drawRectangle(const DevRect& rect, const Pen& pen, const Brush& brush) override;
    void drawEllipse(const DevRect& box, const Pen& pen, const Brush& brush) override;
    void drawArc(const DevRect& box, DevPoint start, DevPoint end, const Pen& pen) override;
    void stretchBitmap(const DevRect& dest, const Bitmap& image, const DevRect& source, RasterOp op) override;
    bool exactRasterOps() const override { return m_exactRops; }

    // Widths of the lines the fixed metrics give a formatted text (exposed for tests of callers).
    static std::vector<int> layoutLines(std::string_view text, int maxWidth, unsigned flags,
                                        const LogicalFont& font);

private:
    Call& record(Op op);

    int m_dpiX;
    int m_dpiY;
    LogicalFont m_font;
    Colour m_textColour = 0;
    TextAlign m_align = AlignLeftTop;
    std::optional<DevRect> m_clip;
    bool m_fontFails = false;
    bool m_exactRops = true;
    std::vector<Call> m_calls;
};

} // namespace qc
