#pragma once
// The drawing device a log page is drawn on: the screen, a printed page, a PDF,
// an image or an SVG file (QtPainterDevice in src/qt), or a recording for tests
// (RecordingDevice). All coordinates are device units (pixels or printer dots).
//
// The Dev... primitives create the pen and brush of one call and draw one figure
// through the small set of virtual operations below, so every device draws the
// same figures and a recording shows exactly what a painter would be asked to do.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qc {

// 0x00BBGGRR, red in the low byte.
using Colour = uint32_t;

constexpr int colourRed(Colour c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int colourGreen(Colour c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int colourBlue(Colour c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr Colour makeColour(int r, int g, int b)
{
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct DevPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const DevPoint&) const = default;
};

struct DevSize
{
    int cx = 0;
    int cy = 0;
    bool operator==(const DevSize&) const = default;
};

// A rectangle by its edges. Right and bottom lie outside, as for the platform's rectangles.
struct DevRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const DevRect&) const = default;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    DevRect normalised() const;
};

// Pen style codes, passed through unchanged from the callers.
namespace PenStyle {
constexpr int Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5;
}

struct Pen
{
    int style = PenStyle::Solid;
    int width = 1; // device units
    Colour colour = 0;
    bool operator==(const Pen&) const = default;
};

struct Brush
{
    bool solid = false; // false: hollow, the inside is left untouched
    Colour colour = 0;
    bool operator==(const Brush&) const = default;
    static Brush hollow() { return {}; }
    static Brush solidColour(Colour c) { return {true, c}; }
};

// Where the reference point of a text output lies on the text.
enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Bottom, Baseline };

struct TextAlign
{
    HAlign h = HAlign::Left;
    VAlign v = VAlign::Top;
    bool operator==(const TextAlign&) const = default;
};

inline constexpr TextAlign AlignLeftTop{HAlign::Left, VAlign::Top};
inline constexpr TextAlign AlignLeftBottom{HAlign::Left, VAlign::Bottom};
inline constexpr TextAlign AlignLeftBaseline{HAlign::Left, VAlign::Baseline};
inline constexpr TextAlign AlignRightTop{HAlign::Right, VAlign::Top};
inline constexpr TextAlign AlignCentreTop{HAlign::Centre, VAlign::Top};
inline constexpr TextAlign AlignCentreBottom{HAlign::Centre, VAlign::Bottom};
inline constexpr TextAlign AlignCentreBaseline{HAlign::Centre, VAlign::Baseline};

// Flags of DevTextInRect (the platform's text-formatting flags).
namespace TextFormat {
constexpr unsigned Left = 0x0000;
constexpr unsigned Centre = 0x0001;
constexpr unsigned Right = 0x0002;
constexpr unsigned VCentre = 0x0004;
constexpr unsigned Bottom = 0x0008;
constexpr unsigned WordBreak = 0x0010;
constexpr unsigned SingleLine = 0x0020;
constexpr unsigned ExpandTabs = 0x0040;
constexpr unsigned NoClip = 0x0100;
constexpr unsigned ExternalLeading = 0x0200;
constexpr unsigned CalcRect = 0x0400; // measure only, draw nothing
} // namespace TextFormat

// A logical font as the drawing asks for it.
struct LogicalFont
{
    int height = 0;     // device units, the character cell height; 0: the device's own default font
    int width = 0;      // 0: the platform chooses
    int escapement = 0; // tenths of a degree, turning against the clock hands
    int orientation = 0;
    int weight = 0; // 0: default weight
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 128; // Shift-JIS
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 1;
    int pitchAndFamily = 0;
    std::string face; // CP932
    bool operator==(const LogicalFont&) const = default;
};

// A device-independent bitmap, decoded: pixels 0x00BBGGRR, top row first.
struct Bitmap
{
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;

    bool valid() const
    {
        return width > 0 && height > 0 &&
               pixels.size() == static_cast<size_t>(width) * static_cast<size_t>(height);
    }
    Colour at(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

enum class RasterOp {
    Copy, // the source replaces what is there
    And,  // source AND destination: white leaves what is drawn, black stays black
};

// Device coordinates are kept within this range.
constexpr int kDeviceCoordLimit = 32767;

// Dashed lines stop after this many segments whatever the coordinates.
constexpr long kDashedLineSegmentLimit = 1000001;

class Device
{
public:
    virtual ~Device() = default;

    // Resolution in dots per inch.
    virtual int logPixelsX() const = 0;
    virtual int logPixelsY() const = 0;

    // --- Device primitives: one pen (and brush) for the one call ---

    // Nothing at all when width is 0.
    void DevLine(int x1, int y1, int x2, int y2, int style, int width, Colour colour);
    // Solid dashes of `dash` units separated by `gap`, from the smaller to the larger coordinates.
    void DevDashedLine(int x1, int y1, int x2, int y2, int dash, int gap, int width, Colour colour);
    void DevFilledRect(int left, int top, int right, int bottom, int style, int width, Colour pen,
                       Colour fill);
    // The closed five-point outline; the inside is untouched.
    void DevRectOutline(int left, int top, int right, int bottom, int style, int width, Colour colour);
    void DevCircle(int cx, int cy, int r, int style, int width, Colour colour);
    void DevEllipse(int cx, int cy, int rx, int ry, int style, int width, Colour colour);
    // From the ray through (sx, sy), against the clock hands as seen on the page, to the ray through (ex,
    // ey).
    void DevArc(int cx, int cy, int r, int sx, int sy, int ex, int ey, int style, int width, Colour colour);
    void DevFilledCircle(int cx, int cy, int r, int style, int width, Colour pen, Colour fill);
    // A polygon in one solid colour, outline included.
    void DevFilledPolygon(std::span<const DevPoint> points, Colour colour);
    // The text formatted into the rectangle, normalised and shrunk by one unit on every side.
    // Returns the height of the text.
    int DevTextInRect(int left, int top, int right, int bottom, std::string_view text, unsigned flags);
    // Part (sx, sy, sw, sh; rows counted from the top) of an image stretched onto the rectangle.
    void DevStretchBitmap(int left, int top, int width, int height, const Bitmap& image, int sx, int sy,
                          int sw, int sh, RasterOp op);

    // --- Text ---

    // False when the platform cannot make the font; the device then keeps its font.
    [[nodiscard]] virtual bool selectFont(const LogicalFont& font) = 0;
    virtual const LogicalFont& font() const = 0;
    virtual void setTextColour(Colour colour) = 0;
    virtual Colour textColour() const = 0;
    virtual void setTextAlign(TextAlign align) = 0;
    virtual TextAlign textAlign() const = 0;
    // CP932 text with its reference point at (x, y), transparent background.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    virtual DevSize textExtent(std::string_view text) = 0;
    // Text formatted into rect (normalised) by the TextFormat flags. Returns the text height;
    // with CalcRect nothing is drawn and `calculated`, when given, receives the rectangle needed.
    virtual int drawText(const DevRect& rect, std::string_view text, unsigned flags,
                         DevRect* calculated = nullptr) = 0;

    // --- Clip ---

    virtual void intersectClip(const DevRect& rect) = 0;
    virtual void resetClip() = 0;

    // --- Figures with the given pen and brush ---

    virtual void drawPolyline(std::span<const DevPoint> points, const Pen& pen) = 0;
    virtual void drawPolygon(std::span<const DevPoint> points, const Pen& pen, const Brush& brush) = 0;
    virtual void drawRectangle(const DevRect& rect, const Pen& pen, const Brush& brush) = 0;
    virtual void drawEllipse(const DevRect& box, const Pen& pen, const Brush& brush) = 0;
    // Arc of the ellipse in box, against the clock hands from the ray through start to the
    // ray through end; the whole outline when both rays coincide.
    virtual void drawArc(const DevRect& box, DevPoint start, DevPoint end, const Pen& pen) = 0;

    // --- Bitmaps ---

    virtual void stretchBitmap(const DevRect& dest, const Bitmap& image, const DevRect& source,
                               RasterOp op) = 0;
    // Decodes the bytes of a BMP file. The core decoder by default; a platform
    // device may use its own, after the same header checks (bmpimage.h).
    [[nodiscard]] virtual bool decodeBitmap(std::string_view bytes, Bitmap& out) const;
    // False on vector devices (PDF, SVG), where AND can only be approximated: compose
    // overlapping tiles into one image first and copy that.
    virtual bool exactRasterOps() const { return true; }
};

// Clamps a coordinate to the device range.
constexpr int clampDeviceCoord(long long v)
{
    return v > kDeviceCoordLimit    ? kDeviceCoordLimit
           : v < -kDeviceCoordLimit ? -kDeviceCoordLimit
                                    : static_cast<int>(v);
}

} // namespace qc
