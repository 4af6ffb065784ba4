#include "platform/recordingdevice.h"

#include <algorithm>

namespace qc {

namespace {

constexpr bool leadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

DevRect boundsOf(std::span<const DevPoint> points)
{
    if (points.empty()) return {};
    DevRect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const DevPoint& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

// Widths of the words of one paragraph: a two-byte character is a word of its
// own, a run of single-byte non-blanks is one word, each blank is one.
struct Word
{
    int width;
    bool blank;
};

std::vector<Word> words(std::string_view text, const LogicalFont& font)
{
    std::vector<Word> out;
    const int full = RecordingDevice::cellHeight(font);
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (leadByte(c) && i + 1 < text.size()) {
            out.push_back({full, false});
            i += 2;
        } else if (c == ' ') {
            out.push_back({full / 2, true});
            ++i;
        } else {
            size_t j = i;
            while (j < text.size() && text[j] != ' ' &&
                   !(leadByte(static_cast<unsigned char>(text[j])) && j + 1 < text.size()))
                ++j;
            out.push_back({RecordingDevice::extentOf(text.substr(i, j - i), font), false});
            i = j;
        }
    }
    return out;
}

} // namespace

std::vector<int> RecordingDevice::layoutLines(std::string_view text, int maxWidth, unsigned flags,
                                              const LogicalFont& font)
{
    if (flags & TextFormat::SingleLine) return {extentOf(text, font)};
    std::vector<int> lines;
    size_t start = 0;
    while (true) {
        size_t nl = text.find('\n', start);
        std::string_view para =
            text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
        int width = 0;
        for (const Word& w : words(para, font)) {
            if ((flags & TextFormat::WordBreak) && !w.blank && width > 0 && width + w.width > maxWidth) {
                lines.push_back(width);
                width = 0;
            }
            width += w.width;
        }
        lines.push_back(width);
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    return lines;
}

RecordingDevice::Call& RecordingDevice::record(Op op)
{
    Call& c = m_calls.emplace_back();
    c.op = op;
    c.font = m_font;
    c.textColour = m_textColour;
    c.align = m_align;
    c.clip = m_clip;
    return c;
}

bool RecordingDevice::selectFont(const LogicalFont& font)
{
    if (m_fontFails) return false;
    m_font = font;
    record(Op::Font);
    return true;
}

void RecordingDevice::textOut(int x, int y, std::string_view text)
{
    Call& c = record(Op::Text);
    c.points = {{x, y}};
    c.text = std::string(text);
    const int w = extentOf(text, m_font);
    const int h = cellHeight(m_font);
    int left = m_align.h == HAlign::Left ? x : m_align.h == HAlign::Right ? x - w : x - w / 2;
    int top = m_align.v == VAlign::Top ? y : m_align.v == VAlign::Bottom ? y - h : y - ascent(m_font);
    c.bounds = {left, top, left + std::max(w, 1) - 1, top + h - 1};
}

DevSize RecordingDevice::textExtent(std::string_view text)
{
    return {extentOf(text, m_font), cellHeight(m_font)};
}

int RecordingDevice::drawText(const DevRect& rect, std::string_view text, unsigned flags, DevRect* calculated)
{
    const DevRect r = rect.normalised();
    const std::vector<int> lines = layoutLines(text, r.width(), flags, m_font);
    const int height = static_cast<int>(lines.size()) * cellHeight(m_font);
    const int widest = lines.empty() ? 0 : *std::max_element(lines.begin(), lines.end());
    if (calculated) *calculated = {r.left, r.top, r.left + widest, r.top + height};
    if (flags & TextFormat::CalcRect) return height;
    Call& c = record(Op::TextInRect);
    c.rect = r;
    c.text = std::string(text);
    c.flags = flags;
    int top = r.top;
    if ((flags & TextFormat::SingleLine) && (flags & TextFormat::VCentre))
        top = (r.top + r.bottom - height) / 2;
    else if ((flags & TextFormat::SingleLine) && (flags & TextFormat::Bottom))
        top = r.bottom - height;
    int left = r.left;
    if (flags & TextFormat::Centre)
        left = (r.left + r.right - widest) / 2;
    else if (flags & TextFormat::Right)
        left = r.right - widest;
    c.bounds = {left, top, left + std::max(widest, 1) - 1, top + std::max(height, 1) - 1};
    return height;
}

void RecordingDevice::intersectClip(const DevRect& rect)
{
    const DevRect r = rect.normalised();
    if (m_clip)
        m_clip = DevRect{std::max(m_clip->left, r.left), std::max(m_clip->top, r.top),
                         std::min(m_clip->right, r.right), std::min(m_clip->bottom, r.bottom)};
    else
        m_clip = r;
    record(Op::Clip).rect = *m_clip;
}

void RecordingDevice::resetClip()
{
    m_clip.reset();
    record(Op::ResetClip);
}

void RecordingDevice::drawPolyline(std::span<const DevPoint> points, const Pen& pen)
{
    Call& c = record(Op::Polyline);
    c.points.assign(points.begin(), points.end());
    c.pen = pen;
    c.bounds = boundsOf(points);
}

void RecordingDevice::drawPolygon(std::span<const DevPoint> points, const Pen& pen, const Brush& brush)
{
    Call& c = record(Op::Polygon);
    c.points.assign(points.begin(), points.end());
    c.pen = pen;
    c.brush = brush;
    c.bounds = boundsOf(points);
}

void RecordingDevice::drawRectangle(const DevRect& rect, const Pen& pen, const Brush& brush)
{
    Call& c = record(Op::Rectangle);
    c.rect = rect;
    c.pen = pen;
    c.brush = brush;
    c.bounds = rect.normalised();
}

void RecordingDevice::drawEllipse(const DevRect& box, const Pen& pen, const Brush& brush)
{
    Call& c = record(Op::Ellipse);
    c.rect = box;
    c.pen = pen;
    c.brush = brush;
    c.bounds = box.normalised();
}

void RecordingDevice::drawArc(const DevRect& box, DevPoint start, DevPoint end, const Pen& pen)
{
    Call& c = record(Op::Arc);
    c.rect = box;
    c.points = {start, end};
    c.pen = pen;
    c.bounds = box.normalised();
}

void RecordingDevice::stretchBitmap(const DevRect& dest, const Bitmap& image, const DevRect& source,
                                    RasterOp op)
{
    Call& c = record(Op::Stretch);
    c.rect = dest;
    c.source = source;
    c.rop = op;
    c.bitmapSize = {image.width, image.height};
    c.bounds = {dest.left, dest.top, dest.right - 1, dest.bottom - 1};
}

std::vector<RecordingDevice::Call> RecordingDevice::ofKind(Op op) const
{
    std::vector<Call> out;
    for (const Call& c : m_calls)
        if (c.op == op) out.push_back(c);
    return out;
}

std::vector<RecordingDevice::Call> RecordingDevice::lines() const
{
    std::vector<Call> out;
    for (const Call& c : m_calls)
        if (c.op == Op::Polyline && c.points.size() == 2) out.push_back(c);
    return out;
}

std::vector<RecordingDevice::Call> RecordingDevice::texts() const
{
    return ofKind(Op::Text);
}

std::vector<RecordingDevice::Call> RecordingDevice::textsEqual(std::string_view text) const
{
    std::vector<Call> out;
    for (const Call& c : m_calls)
        if ((c.op == Op::Text || c.op == Op::TextInRect) && c.text == text) out.push_back(c);
    return out;
}

bool RecordingDevice::visible(const Call& call)
{
    if (!call.clip) return true;
    const DevRect& k = *call.clip;
    const DevRect& b = call.bounds;
    return b.right >= k.left && b.left < k.right && b.bottom >= k.top && b.top < k.bottom;
}

} // namespace qc
