#pragma once
// The drawing device over a QPainter: a widget, a QPrinter, a QPdfWriter, a
// QImage or a QSvgGenerator. Painter coordinates are device units; text arrives
// as CP932 and is converted here only.

#include "platform/device.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

#include <map>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class QBrush;
class QPaintDevice;
class QPainter;
class QPainterPath;
class QPen;
class QString;

namespace qc {

// Makes the faces the logs ask for ("ＭＳ 明朝", "ＭＳ Ｐ明朝", ...) resolve to the
// installed metric-compatible Japanese faces. Safe to call more than once.
void registerJapaneseFontSubstitutions();

// A BMP file decoded by QImage, refused without decoding when the core's
// header checks fail.
[[nodiscard]] bool decodeBmpWithQt(std::string_view bytes, Bitmap& out);

// Metrics and advances of texts by font and resolution, kept across drawing passes of the
// same page (the screen view draws it again and again): measuring a text shapes it every
// time, and metrics of a font look the font up every time.
class TextWidthCache
{
public:
    struct Utf16Hash
    {
        size_t operator()(const QString& s) const noexcept;
    };
    struct Font
    {
        qreal ascent = 0;
        qreal descent = 0;
        qreal height = 0;
        qreal leading = 0;
        std::unordered_map<QString, qreal, Utf16Hash> widths;
        // Texts shaped once: their glyphs and the baseline the glyph positions are measured from.
        struct Shaped
        {
            QList<QGlyphRun> runs;
            qreal baseline = 0;
        };
        std::unordered_map<QString, Shaped, Utf16Hash> shaped;
    };
    // The entry of `font` on `device`; the reference stays valid until clear().
    Font& fontFor(const QFont& font, const QPaintDevice* device);
    void clear() { m_fonts.clear(); }

private:
    std::map<QString, Font> m_fonts;
};

class QtPainterDevice : public Device
{
public:
    // Resolution taken from the painter's device (its logical dots per inch).
    explicit QtPainterDevice(QPainter& painter);
    QtPainterDevice(QPainter& painter, int logPixelsX, int logPixelsY);

    int logPixelsX() const override { return m_dpiX; }
    int logPixelsY() const override { return m_dpiY; }
    [[nodiscard]] bool selectFont(const LogicalFont& font) override;
    const LogicalFont& font() const override { return m_logical; }
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
    bool exactRasterOps() const override;
    // QImage decodes the file once the core has checked its headers.
    [[nodiscard]] bool decodeBitmap(std::string_view bytes, Bitmap& out) const override;

    // The QFont a logical font becomes (exposed for tests).
    static QFont toQFont(const LogicalFont& font);
    // Small ellipses on raster output are drawn once and copied (on by default); off draws each
    // one, for comparing the two.
    void setEllipseStamps(bool on) { m_rasterOutput = on && m_rasterEngine; }
    // Measure texts through a cache that outlives this device (the screen view's); raster
    // output then also draws each text from its glyphs shaped once.
    void setTextWidthCache(TextWidthCache* cache);

private:
    // The metrics of the selected font and the advance of a text in it, measured once.
    const TextWidthCache::Font& metrics();
    qreal advance(const QString& text);
    // One line of text with its baseline at origin, on the painter as it stands.
    void paintText(const QPointF& origin, const QString& text);
    // On raster output, figures wholly outside the image (or the clip) are not drawn at all:
    // they would change no pixel. `box` in device units, pen and glyph reach included.
    bool outsideView(const QRectF& box) const;
    QPen toQPen(const Pen& pen) const;
    QBrush toQBrush(const Brush& brush) const;
    // The clip in force: the device's own, or the rectangle given for one text.
    std::optional<QRectF> clipWith(const std::optional<QRectF>& extra) const;
    // Draws a figure with pen and brush, clipping it here when the device ignores clip regions.
    void drawShape(const QPainterPath& path, const QRectF& bounds, const QPen& pen, const QBrush& brush);
    // One line of text with its baseline origin, clipped to clip (when given) on devices that ignore it.
    void drawTextRun(const QPointF& origin, const QString& text, const std::optional<QRectF>& extraClip);

    QPainter& m_painter;
    // SVG output ignores clip regions: the device clips lines, texts, figures and images itself.
    bool m_softClip = false;
    // Vector output (PDF, printers) keeps clipped text, invisible but found by search: such text is
    // left out. Raster output clips exactly and skips the test.
    bool m_dropHiddenText = false;
    // The clip rectangle in force (also kept where the painter clips, to leave out texts outside it).
    std::optional<QRectF> m_clip;
    // Fonts resolved during this device's life: resolving a face asks the font system each time.
    std::vector<std::pair<LogicalFont, QFont>> m_fontCache;

    // Small ellipses on raster output (graph symbols by the thousand) are drawn once per shape into
    // an image and copied: the same pixels, several times faster than stroking each curve.
    struct EllipseStamp
    {
        int width, height;
        Pen pen;
        Brush brush;
        int margin;
        QImage image;
    };
    bool drawEllipseStamp(const QRect& box, const Pen& pen, const Brush& brush);
    bool m_rasterEngine = false;
    bool m_rasterOutput = false;
    std::vector<EllipseStamp> m_ellipseStamps;
    // The painted image in device units (raster output with a plain shift only).
    std::optional<QRectF> m_view;
    TextWidthCache m_ownWidths;
    TextWidthCache* m_widthCache = &m_ownWidths;
    TextWidthCache::Font* m_metrics = nullptr; // of m_font, looked up when first needed
    bool m_shapedTexts = false;
    int m_dpiX;
    int m_dpiY;
    LogicalFont m_logical;
    QFont m_font;
    Colour m_textColour = 0;
    TextAlign m_align = AlignLeftTop;
};

} // namespace qc
