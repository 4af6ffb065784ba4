#include "qt/qtpainterdevice.h"

#include "platform/bmpimage.h"

#include "qt/qtext.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygon>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace qc {

namespace {

QColor toQColor(Colour c)
{
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}

QPolygon toPolygon(std::span<const DevPoint> points)
{
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const DevPoint& p : points) poly << QPoint(p.x, p.y);
    return poly;
}

// The outline of a rectangle covers left..right-1 and top..bottom-1.
QRect outlineRect(const DevRect& r)
{
    const DevRect n = r.normalised();
    return QRect(n.left, n.top, std::max(0, n.width() - 1), std::max(0, n.height() - 1));
}

// Right and bottom lie outside, as for the device's rectangles.
QRectF areaOf(const DevRect& r)
{
    const DevRect n = r.normalised();
    return QRectF(n.left, n.top, n.width(), n.height());
}

QString defaultFace()
{
    return QString::fromUtf8("ＭＳ 明朝");
}

struct LaidLine
{
    QString text;
    double width;
};

// The box a figure may paint: its points, the pen's width and a pixel of rounding around them.
QRectF reachOf(const DevRect& r, const Pen& pen)
{
    const DevRect n = r.normalised();
    const double m = std::max(1, pen.width) + 2;
    return QRectF(n.left - m, n.top - m, n.width() + 2 * m, n.height() + 2 * m);
}

QRectF reachOf(std::span<const DevPoint> points, const Pen& pen)
{
    int left = points.front().x, right = left, top = points.front().y, bottom = top;
    for (const DevPoint& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return reachOf(DevRect{left, top, right, bottom}, pen);
}

// Liang-Barsky: the part of the segment inside the rectangle; false when none.
bool clipSegment(QLineF& line, const QRectF& r)
{
    double t0 = 0, t1 = 1;
    const double dx = line.dx(), dy = line.dy();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {line.x1() - r.left(), r.right() - line.x1(), line.y1() - r.top(),
                         r.bottom() - line.y1()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF a = line.p1(), d(dx, dy);
    line = QLineF(a + d * t0, a + d * t1);
    return true;
}

} // namespace

void registerJapaneseFontSubstitutions()
{
    static const bool registered = [] {
        const QStringList mincho = {QStringLiteral("IPAMincho"),     QString::fromUtf8("IPA明朝"),
                                    QStringLiteral("IPAexMincho"),   QStringLiteral("Noto Serif CJK JP"),
                                    QStringLiteral("Noto Serif JP"), QStringLiteral("serif")};
        const QStringList pmincho = {QStringLiteral("IPAPMincho"),    QString::fromUtf8("IPA P明朝"),
                                     QStringLiteral("IPAexMincho"),   QStringLiteral("Noto Serif CJK JP"),
                                     QStringLiteral("Noto Serif JP"), QStringLiteral("serif")};
        const QStringList gothic = {QStringLiteral("IPAGothic"), QString::fromUtf8("IPAゴシック"),
                                    QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
                                    QStringLiteral("sans-serif")};
        const QStringList pgothic = {QStringLiteral("IPAPGothic"), QString::fromUtf8("IPA Pゴシック"),
                                     QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
                                     QStringLiteral("sans-serif")};
        QFont::insertSubstitutions(QString::fromUtf8("ＭＳ 明朝"), mincho);
        QFont::insertSubstitutions(QStringLiteral("MS Mincho"), mincho);
        QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐ明朝"), pmincho);
        QFont::insertSubstitutions(QStringLiteral("MS PMincho"), pmincho);
        QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"), gothic);
        QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic);
        QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"), pgothic);
        QFont::insertSubstitutions(QStringLiteral("MS PGothic"), pgothic);
        return true;
    }();
    (void)registered;
}

QtPainterDevice::QtPainterDevice(QPainter& painter)
    : QtPainterDevice(painter, painter.device() ? painter.device()->logicalDpiX() : 96,
                      painter.device() ? painter.device()->logicalDpiY() : 96)
{
}

QtPainterDevice::QtPainterDevice(QPainter& painter, int logPixelsX, int logPixelsY)
    : m_painter(painter), m_dpiX(logPixelsX), m_dpiY(logPixelsY), m_font(painter.font())
{
    registerJapaneseFontSubstitutions();
    m_painter.setBackgroundMode(Qt::TransparentMode);
    const QPaintEngine* engine = m_painter.paintEngine();
    m_softClip = engine && engine->type() == QPaintEngine::SVG;
    m_dropHiddenText = engine && engine->type() != QPaintEngine::Raster;
    m_rasterEngine = engine && engine->type() == QPaintEngine::Raster;
    m_rasterOutput = m_rasterEngine;
    const QPaintDevice* target = m_painter.device();
    const QTransform& t = m_painter.worldTransform();
    if (m_rasterEngine && target && target->devicePixelRatioF() == 1 && t.type() <= QTransform::TxTranslate) {
        QRectF view(-t.dx(), -t.dy(), target->width(), target->height());
        if (m_painter.hasClipping()) view = view.intersected(m_painter.clipBoundingRect());
        m_view = view;
    }
}

size_t TextWidthCache::Utf16Hash::operator()(const QString& s) const noexcept
{
    // FNV-1a over the UTF-16 units: the texts of a page are short.
    size_t h = 1469598103934665603ull;
    for (const QChar c : s) h = (h ^ c.unicode()) * 1099511628211ull;
    return h;
}

TextWidthCache::Font& TextWidthCache::fontFor(const QFont& font, const QPaintDevice* device)
{
    const QString key = font.key() + QLatin1Char('@') + QString::number(device ? device->logicalDpiY() : 0);
    auto found = m_fonts.find(key);
    if (found == m_fonts.end()) {
        Font entry;
        const QFontMetricsF fm(font, device);
        entry.ascent = fm.ascent();
        entry.descent = fm.descent();
        entry.height = fm.height();
        entry.leading = fm.leading();
        found = m_fonts.emplace(key, std::move(entry)).first;
    }
    // A page holds a few thousand texts; a cache grown far past that is dropped, not kept forever.
    if (found->second.widths.size() > 20000) found->second.widths.clear();
    return found->second;
}

void QtPainterDevice::setTextWidthCache(TextWidthCache* cache)
{
    m_widthCache = cache ? cache : &m_ownWidths;
    m_metrics = nullptr;
    m_shapedTexts = cache && m_rasterEngine;
}

void QtPainterDevice::paintText(const QPointF& origin, const QString& text)
{
    // Line breaks and tabs keep the painter's own handling.
    if (!m_shapedTexts || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\t'))) {
        m_painter.drawText(origin, text);
        return;
    }
    metrics();
    auto found = m_metrics->shaped.find(text);
    if (found == m_metrics->shaped.end()) {
        if (m_metrics->shaped.size() > 20000) m_metrics->shaped.clear();
        QTextLayout layout(text, m_font, m_painter.device());
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (line.isValid()) line.setPosition(QPointF(0, 0));
        layout.endLayout();
        TextWidthCache::Font::Shaped shaped;
        // The line's metrics exist once the layout is done.
        if (layout.lineCount() > 0) shaped.baseline = layout.lineAt(0).ascent();
        shaped.runs = layout.glyphRuns();
        found = m_metrics->shaped.emplace(text, std::move(shaped)).first;
    }
    const QPointF at(origin.x(), origin.y() - found->second.baseline);
    for (const QGlyphRun& run : found->second.runs) m_painter.drawGlyphRun(at, run);
}

const TextWidthCache::Font& QtPainterDevice::metrics()
{
    if (!m_metrics) m_metrics = &m_widthCache->fontFor(m_font, m_painter.device());
    return *m_metrics;
}

qreal QtPainterDevice::advance(const QString& text)
{
    metrics();
    const auto found = m_metrics->widths.find(text);
    if (found != m_metrics->widths.end()) return found->second;
    const qreal w = QFontMetricsF(m_font, m_painter.device()).horizontalAdvance(text);
    m_metrics->widths.emplace(text, w);
    return w;
}

bool QtPainterDevice::outsideView(const QRectF& box) const
{
    if (!m_view) return false;
    const QRectF view = m_clip ? m_view->intersected(*m_clip) : *m_view;
    return !view.intersects(box);
}

QFont QtPainterDevice::toQFont(const LogicalFont& font)
{
    registerJapaneseFontSubstitutions();
    QFont f(font.face.empty() ? defaultFace() : fromCp932(font.face));
    if (font.height != 0) f.setPixelSize(std::max(1, std::abs(font.height)));
    if (font.weight >= 600) f.setWeight(QFont::Bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    // Printed logs place every character themselves: no kerning, no hinting.
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    // Name the face that is really used, so that files (SVG) refer to an installed one.
    f.setFamily(QFontInfo(f).family());
    return f;
}

bool QtPainterDevice::selectFont(const LogicalFont& font)
{
    if (std::abs(font.height) > kDeviceCoordLimit) return false;
    auto cached = std::find_if(m_fontCache.begin(), m_fontCache.end(),
                               [&](const auto& entry) { return entry.first == font; });
    if (cached == m_fontCache.end()) {
        m_fontCache.emplace_back(font, toQFont(font));
        cached = std::prev(m_fontCache.end());
    }
    if (!(m_font == cached->second)) m_metrics = nullptr;
    m_font = cached->second;
    m_logical = font;
    m_painter.setFont(m_font);
    return true;
}

std::optional<QRectF> QtPainterDevice::clipWith(const std::optional<QRectF>& extra) const
{
    if (!m_softClip) return extra;
    if (m_clip && extra) return m_clip->intersected(*extra);
    return m_clip ? m_clip : extra;
}

void QtPainterDevice::drawTextRun(const QPointF& origin, const QString& text,
                                  const std::optional<QRectF>& extraClip)
{
    if (text.isEmpty()) return;
    m_painter.setFont(m_font);
    m_painter.setPen(toQColor(m_textColour));
    if (m_view) {
        const TextWidthCache::Font& fm = metrics();
        const qreal reach = fm.height;
        const QRectF box(origin.x() - reach, origin.y() - fm.ascent - reach, advance(text) + 2 * reach,
                         fm.height + 2 * reach);
        if (outsideView(box) || (extraClip && !extraClip->intersects(box))) return;
    }
    if (!m_softClip) {
        // Text wholly outside the clip is not sent at all: a PDF would keep it, invisible but
        // found by search and text extraction.
        if (m_clip && m_dropHiddenText) {
            const TextWidthCache::Font& fm = metrics();
            const QRectF box(origin.x(), origin.y() - fm.ascent, advance(text), fm.height);
            if (!m_clip->intersects(box)) return;
        }
        if (extraClip) {
            m_painter.save();
            m_painter.setClipRect(*extraClip, Qt::IntersectClip);
            paintText(origin, text);
            m_painter.restore();
        } else {
            paintText(origin, text);
        }
        return;
    }
    const std::optional<QRectF> clip = clipWith(extraClip);
    const TextWidthCache::Font& fm = metrics();
    const QRectF box(origin.x(), origin.y() - fm.ascent, advance(text), fm.height);
    if (!clip || clip->contains(box)) {
        m_painter.drawText(origin, text);
        return;
    }
    if (!clip->intersects(box)) return;
    // Partly visible: the visible part of the glyph outlines.
    QPainterPath glyphs;
    glyphs.addText(origin, m_font, text);
    QPainterPath area;
    area.addRect(*clip);
    m_painter.fillPath(glyphs.intersected(area), toQColor(m_textColour));
}

void QtPainterDevice::textOut(int x, int y, std::string_view text)
{
    if (text.empty()) return;
    const QString s = fromCp932(std::string(text));
    const double w = advance(s);
    const TextWidthCache::Font& fm = metrics();
    const double dx = m_align.h == HAlign::Left ? 0 : m_align.h == HAlign::Right ? -w : -w / 2;
    const double dy = m_align.v == VAlign::Top ? fm.ascent : m_align.v == VAlign::Bottom ? -fm.descent : 0;
    if (m_logical.escapement != 0) {
        m_painter.save();
        m_painter.translate(x, y);
        m_painter.rotate(-m_logical.escapement / 10.0);
        if (m_softClip && m_clip) {
            // The clip is in device space: outline the rotated text there.
            QPainterPath glyphs;
            glyphs.addText(QPointF(dx, dy), m_font, s);
            const QPainterPath placed = m_painter.transform().map(glyphs);
            m_painter.restore();
            QPainterPath area;
            area.addRect(*m_clip);
            m_painter.fillPath(placed.intersected(area), toQColor(m_textColour));
            return;
        }
        m_painter.setFont(m_font);
        m_painter.setPen(toQColor(m_textColour));
        m_painter.drawText(QPointF(dx, dy), s);
        m_painter.restore();
        return;
    }
    drawTextRun(QPointF(x + dx, y + dy), s, std::nullopt);
}

DevSize QtPainterDevice::textExtent(std::string_view text)
{
    return {static_cast<int>(std::lround(advance(fromCp932(std::string(text))))),
            static_cast<int>(std::lround(metrics().height))};
}

int QtPainterDevice::drawText(const DevRect& rect, std::string_view text, unsigned flags, DevRect* calculated)
{
    const DevRect r = rect.normalised();
    QString s = fromCp932(std::string(text));
    if (flags & TextFormat::ExpandTabs) s.replace(QLatin1Char('\t'), QStringLiteral("        "));
    const TextWidthCache::Font& fm = metrics();
    const double lineHeight =
        fm.height + ((flags & TextFormat::ExternalLeading) ? std::max(0.0, fm.leading) : 0.0);

    std::vector<LaidLine> lines;
    if (flags & TextFormat::SingleLine) {
        lines.push_back({s, advance(s)});
    } else {
        // A line break starts a new line, and a trailing one adds an empty line, as the platform's
        // layout does.
        const QStringList paragraphs = s.split(QLatin1Char('\n'));
        for (QString para : paragraphs) {
            if (para.endsWith(QLatin1Char('\r'))) para.chop(1);
            if (!(flags & TextFormat::WordBreak) || para.isEmpty()) {
                lines.push_back({para, advance(para)});
                continue;
            }
            QTextLayout layout(para, m_font, m_painter.device());
            QTextOption option;
            option.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(std::max(0, r.width()));
                lines.push_back({para.mid(line.textStart(), line.textLength()), line.naturalTextWidth()});
            }
            layout.endLayout();
        }
    }
    double widest = 0;
    for (const LaidLine& l : lines) widest = std::max(widest, l.width);
    const int height = static_cast<int>(std::lround(lineHeight * static_cast<double>(lines.size())));
    if (calculated)
        *calculated = {r.left, r.top, r.left + static_cast<int>(std::ceil(widest)), r.top + height};
    if (flags & TextFormat::CalcRect) return height;

    const std::optional<QRectF> box =
        (flags & TextFormat::NoClip) ? std::nullopt : std::optional<QRectF>(areaOf(r));
    double top = r.top;
    if (flags & TextFormat::SingleLine) {
        if (flags & TextFormat::VCentre)
            top = (r.top + r.bottom - lineHeight) / 2;
        else if (flags & TextFormat::Bottom)
            top = r.bottom - lineHeight;
    }
    for (const LaidLine& l : lines) {
        double left = r.left;
        if (flags & TextFormat::Centre)
            left = (r.left + r.right - l.width) / 2;
        else if (flags & TextFormat::Right)
            left = r.right - l.width;
        drawTextRun(QPointF(left, top + fm.ascent), l.text, box);
        top += lineHeight;
    }
    return height;
}

void QtPainterDevice::intersectClip(const DevRect& rect)
{
    const QRectF r = areaOf(rect);
    m_clip = m_clip ? m_clip->intersected(r) : r;
    if (m_softClip) return;
    m_painter.setClipRect(r.toRect(), m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void QtPainterDevice::resetClip()
{
    m_clip.reset();
    if (!m_softClip) m_painter.setClipping(false);
}

QPen QtPainterDevice::toQPen(const Pen& pen) const
{
    if (pen.style == PenStyle::Null) return QPen(Qt::NoPen);
    const int width = std::max(1, pen.width);
    QPen qp(toQColor(pen.colour), width);
    // Styled pens exist only one unit wide; wider ones are solid.
    if (width == 1) {
        switch (pen.style) {
        case PenStyle::Dash:
            qp.setDashPattern({18, 6});
            break;
        case PenStyle::Dot:
            qp.setDashPattern({3, 3});
            break;
        case PenStyle::DashDot:
            qp.setDashPattern({9, 6, 3, 6});
            break;
        case PenStyle::DashDotDot:
            qp.setDashPattern({9, 3, 3, 3, 3, 3});
            break;
        default:
            break;
        }
        qp.setCapStyle(Qt::FlatCap);
        qp.setJoinStyle(Qt::MiterJoin);
    } else if (width == 2) {
        // Round ends of one unit's radius cover the same pixels as square ones, and square
        // ones are drawn several times faster.
        qp.setCapStyle(Qt::SquareCap);
        qp.setJoinStyle(Qt::MiterJoin);
    } else {
        qp.setCapStyle(Qt::RoundCap);
        qp.setJoinStyle(Qt::RoundJoin);
    }
    return qp;
}

QBrush QtPainterDevice::toQBrush(const Brush& brush) const
{
    return brush.solid ? QBrush(toQColor(brush.colour)) : QBrush(Qt::NoBrush);
}

void QtPainterDevice::drawShape(const QPainterPath& path, const QRectF& bounds, const QPen& pen,
                                const QBrush& brush)
{
    const double margin = pen.style() == Qt::NoPen ? 0 : pen.widthF();
    const QRectF reach = bounds.adjusted(-margin, -margin, margin, margin);
    if (!m_softClip || !m_clip || m_clip->contains(reach)) {
        m_painter.setPen(pen);
        m_painter.setBrush(brush);
        m_painter.drawPath(path);
        return;
    }
    if (!m_clip->intersects(reach)) return;
    QPainterPath area;
    area.addRect(*m_clip);
    m_painter.setPen(Qt::NoPen);
    if (brush.style() != Qt::NoBrush) m_painter.fillPath(path.intersected(area), brush);
    if (pen.style() != Qt::NoPen) {
        QPainterPathStroker stroker(pen);
        m_painter.fillPath(stroker.createStroke(path).intersected(area), pen.color());
    }
}

void QtPainterDevice::drawPolyline(std::span<const DevPoint> points, const Pen& pen)
{
    if (points.empty() || outsideView(reachOf(points, pen))) return;
    const QPen qp = toQPen(pen);
    m_painter.setPen(qp);
    m_painter.setBrush(Qt::NoBrush);
    if (m_softClip && m_clip) {
        for (size_t i = 0; i + 1 < points.size(); ++i) {
            QLineF segment(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y);
            if (clipSegment(segment, *m_clip)) m_painter.drawLine(segment);
        }
        return;
    }
    if (points.size() == 2)
        m_painter.drawLine(QPoint(points[0].x, points[0].y), QPoint(points[1].x, points[1].y));
    else
        m_painter.drawPolyline(toPolygon(points));
}

void QtPainterDevice::drawPolygon(std::span<const DevPoint> points, const Pen& pen, const Brush& brush)
{
    if (points.empty() || outsideView(reachOf(points, pen))) return;
    const QPolygon poly = toPolygon(points);
    if (!m_softClip || !m_clip) {
        m_painter.setPen(toQPen(pen));
        m_painter.setBrush(toQBrush(brush));
        m_painter.drawPolygon(poly, Qt::OddEvenFill);
        return;
    }
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(poly);
    path.closeSubpath();
    drawShape(path, poly.boundingRect(), toQPen(pen), toQBrush(brush));
}

void QtPainterDevice::drawRectangle(const DevRect& rect, const Pen& pen, const Brush& brush)
{
    if (outsideView(reachOf(rect, pen))) return;
    if (!m_softClip || !m_clip) {
        m_painter.setPen(toQPen(pen));
        m_painter.setBrush(toQBrush(brush));
        m_painter.drawRect(outlineRect(rect));
        return;
    }
    QPainterPath path;
    path.addRect(outlineRect(rect));
    drawShape(path, outlineRect(rect), toQPen(pen), toQBrush(brush));
}

bool QtPainterDevice::drawEllipseStamp(const QRect& box, const Pen& pen, const Brush& brush)
{
    constexpr int kMaxStampSide = 64;
    if (!m_rasterOutput || box.width() > kMaxStampSide || box.height() > kMaxStampSide || box.width() < 1 ||
        box.height() < 1)
        return false;
    // Copies land on whole pixels only: the painter must at most shift by whole units.
    const QTransform& t = m_painter.worldTransform();
    if (t.type() > QTransform::TxTranslate || t.dx() != std::floor(t.dx()) || t.dy() != std::floor(t.dy()) ||
        m_painter.testRenderHint(QPainter::Antialiasing))
        return false;
    auto found = std::find_if(m_ellipseStamps.begin(), m_ellipseStamps.end(), [&](const EllipseStamp& s) {
        return s.width == box.width() && s.height == box.height() && s.pen == pen && s.brush == brush;
    });
    if (found == m_ellipseStamps.end()) {
        if (m_ellipseStamps.size() >= 256) m_ellipseStamps.clear();
        EllipseStamp stamp{box.width(), box.height(), pen, brush, std::max(1, pen.width) + 2, QImage()};
        stamp.image = QImage(box.width() + 2 * stamp.margin + 1, box.height() + 2 * stamp.margin + 1,
                             QImage::Format_ARGB32_Premultiplied);
        stamp.image.fill(Qt::transparent);
        QPainter p(&stamp.image);
        p.setPen(toQPen(pen));
        p.setBrush(toQBrush(brush));
        p.drawEllipse(QRect(stamp.margin, stamp.margin, box.width(), box.height()));
        p.end();
        m_ellipseStamps.push_back(std::move(stamp));
        found = std::prev(m_ellipseStamps.end());
    }
    m_painter.drawImage(QPoint(box.left() - found->margin, box.top() - found->margin), found->image);
    return true;
}

void QtPainterDevice::drawEllipse(const DevRect& box, const Pen& pen, const Brush& brush)
{
    if (outsideView(reachOf(box, pen))) return;
    if (!m_softClip || !m_clip) {
        if (drawEllipseStamp(outlineRect(box), pen, brush)) return;
        m_painter.setPen(toQPen(pen));
        m_painter.setBrush(toQBrush(brush));
        m_painter.drawEllipse(outlineRect(box));
        return;
    }
    QPainterPath path;
    path.addEllipse(outlineRect(box));
    drawShape(path, outlineRect(box), toQPen(pen), toQBrush(brush));
}

void QtPainterDevice::drawArc(const DevRect& box, DevPoint start, DevPoint end, const Pen& pen)
{
    if (outsideView(reachOf(box, pen))) return;
    const QRect r = outlineRect(box);
    const DevRect n = box.normalised();
    const double cx = (n.left + n.right) / 2.0;
    const double cy = (n.top + n.bottom) / 2.0;
    // Angles against the clock hands on the page: y grows downward.
    const double a0 = std::atan2(-(start.y - cy), start.x - cx) * 180.0 / M_PI;
    const double a1 = std::atan2(-(end.y - cy), end.x - cx) * 180.0 / M_PI;
    double span = a1 - a0;
    while (span <= 0) span += 360;
    while (span > 360) span -= 360;
    if (!m_softClip || !m_clip) {
        if (start == end && drawEllipseStamp(r, pen, Brush::hollow())) return;
        m_painter.setPen(toQPen(pen));
        m_painter.setBrush(Qt::NoBrush);
        if (start == end)
            m_painter.drawEllipse(r);
        else
            m_painter.drawArc(r, static_cast<int>(std::lround(a0 * 16)),
                              static_cast<int>(std::lround(span * 16)));
        return;
    }
    QPainterPath path;
    if (start == end) {
        path.addEllipse(r);
    } else {
        path.arcMoveTo(r, a0);
        path.arcTo(r, a0, span);
    }
    drawShape(path, r, toQPen(pen), QBrush(Qt::NoBrush));
}

void QtPainterDevice::stretchBitmap(const DevRect& dest, const Bitmap& image, const DevRect& source,
                                    RasterOp op)
{
    if (!image.valid()) return;
    DevRect s = source.normalised();
    QRectF target = areaOf(dest);
    if (s.width() <= 0 || s.height() <= 0 || target.isEmpty()) return;
    if (outsideView(target.adjusted(-2, -2, 2, 2))) return;
    if (m_softClip && m_clip && !m_clip->contains(target)) {
        // Only the visible part of the target, and the part of the source that lands there.
        const QRectF visible = target.intersected(*m_clip);
        if (visible.isEmpty()) return;
        const double fx = s.width() / target.width(), fy = s.height() / target.height();
        const int left = s.left + static_cast<int>(std::floor((visible.left() - target.left()) * fx));
        const int top = s.top + static_cast<int>(std::floor((visible.top() - target.top()) * fy));
        const int right = s.left + static_cast<int>(std::ceil((visible.right() - target.left()) * fx));
        const int bottom = s.top + static_cast<int>(std::ceil((visible.bottom() - target.top()) * fy));
        target = QRectF(target.left() + (left - s.left) / fx, target.top() + (top - s.top) / fy,
                        (right - left) / fx, (bottom - top) / fy)
                     .intersected(*m_clip);
        s = {left, top, std::min(right, s.right), std::min(bottom, s.bottom)};
        if (s.width() <= 0 || s.height() <= 0) return;
    }
    const bool andOp = op == RasterOp::And;
    const bool exact = exactRasterOps();
    // Only the source part is converted; on vector devices AND keeps what is drawn under white.
    QImage img(s.width(), s.height(), andOp && !exact ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < s.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < s.width(); ++x) {
            const Colour c = image.at(s.left + x, s.top + y);
            const bool white = (c & 0xFFFFFF) == 0xFFFFFF;
            line[x] = andOp && !exact && white ? qRgba(0, 0, 0, 0)
                                               : qRgb(colourRed(c), colourGreen(c), colourBlue(c));
        }
    }
    // A tile shown smaller than it is drawn would lose whole pixel rows and
    // columns (thin strokes vanish); averaging the pixels it covers keeps them.
    const int tw = static_cast<int>(std::lround(target.width())),
              th = static_cast<int>(std::lround(target.height()));
    if (tw > 0 && th > 0 && (tw < img.width() || th < img.height()))
        img = img.scaled(tw, th, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (andOp && exact) {
        const QPainter::CompositionMode previous = m_painter.compositionMode();
        m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        m_painter.drawImage(target, img);
        m_painter.setCompositionMode(previous);
    } else {
        m_painter.drawImage(target, img);
    }
}

bool QtPainterDevice::exactRasterOps() const
{
    const QPaintEngine* engine = m_painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster;
}

bool QtPainterDevice::decodeBitmap(std::string_view bytes, Bitmap& out) const
{
    return decodeBmpWithQt(bytes, out);
}

bool decodeBmpWithQt(std::string_view bytes, Bitmap& out)
{
    out = {};
    BmpHeader header;
    if (inspectBmp(bytes, header) != BmpStatus::Ok) return false;
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                            "BMP"))
        return false;
    if (image.width() != header.width || image.height() != header.height) return false;
    image = image.convertToFormat(QImage::Format_RGB32);
    Bitmap bitmap;
    bitmap.width = image.width();
    bitmap.height = image.height();
    bitmap.pixels.resize(static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height));
    for (int y = 0; y < bitmap.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < bitmap.width; ++x)
            bitmap
                .pixels[static_cast<size_t>(y) * static_cast<size_t>(bitmap.width) + static_cast<size_t>(x)] =
                makeColour(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
    }
    out = std::move(bitmap);
    return true;
}

} // namespace qc
