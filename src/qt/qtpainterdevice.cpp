#include "qt/qtpainterdevice.h"

#include "qt/qtext.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QTextLayout>

#include <cmath>

namespace qc {

namespace {

QColor toQColor(Colour c)
{
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}

QPolygon toPolygon(const std::vector<DevPoint>& points)
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

QString defaultFace()
{
    return QString::fromUtf8("ＭＳ 明朝");
}

struct LaidLine
{
    QString text;
    double width;
};

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
    return f;
}

bool QtPainterDevice::selectFont(const LogicalFont& font)
{
    if (std::abs(font.height) > kDeviceCoordLimit) return false;
    m_font = toQFont(font);
    m_logical = font;
    m_painter.setFont(m_font);
    return true;
}

void QtPainterDevice::textOut(int x, int y, std::string_view text)
{
    if (text.empty()) return;
    const QString s = fromCp932(std::string(text));
    const QFontMetricsF fm(m_font, m_painter.device());
    const double w = fm.horizontalAdvance(s);
    const double dx = m_align.h == HAlign::Left ? 0 : m_align.h == HAlign::Right ? -w : -w / 2;
    const double dy = m_align.v == VAlign::Top      ? fm.ascent()
                      : m_align.v == VAlign::Bottom ? -fm.descent()
                                                    : 0;
    m_painter.setFont(m_font);
    m_painter.setPen(toQColor(m_textColour));
    if (m_logical.escapement != 0) {
        m_painter.save();
        m_painter.translate(x, y);
        m_painter.rotate(-m_logical.escapement / 10.0);
        m_painter.drawText(QPointF(dx, dy), s);
        m_painter.restore();
    } else {
        m_painter.drawText(QPointF(x + dx, y + dy), s);
    }
}

DevSize QtPainterDevice::textExtent(std::string_view text)
{
    const QFontMetricsF fm(m_font, m_painter.device());
    return {static_cast<int>(std::lround(fm.horizontalAdvance(fromCp932(std::string(text))))),
            static_cast<int>(std::lround(fm.height()))};
}

int QtPainterDevice::drawText(const DevRect& rect, std::string_view text, unsigned flags, DevRect* calculated)
{
    const DevRect r = rect.normalised();
    QString s = fromCp932(std::string(text));
    if (flags & TextFormat::ExpandTabs) s.replace(QLatin1Char('\t'), QStringLiteral("        "));
    const QFontMetricsF fm(m_font, m_painter.device());
    const double lineHeight =
        fm.height() + ((flags & TextFormat::ExternalLeading) ? std::max(0.0, fm.leading()) : 0.0);

    std::vector<LaidLine> lines;
    if (flags & TextFormat::SingleLine) {
        lines.push_back({s, fm.horizontalAdvance(s)});
    } else {
        // A line break starts a new line, and a trailing one adds an empty line, as the platform's layout
        // does.
        const QStringList paragraphs = s.split(QLatin1Char('\n'));
        for (QString para : paragraphs) {
            if (para.endsWith(QLatin1Char('\r'))) para.chop(1);
            if (!(flags & TextFormat::WordBreak) || para.isEmpty()) {
                lines.push_back({para, fm.horizontalAdvance(para)});
                continue;
            }
            QTextLayout layout(para, m_font, m_painter.device());
            QTextOption option;
            option.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(std::max(0, r.width()));
                const QString part = para.mid(line.textStart(), line.textLength());
                lines.push_back({part, line.naturalTextWidth()});
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

    m_painter.save();
    if (!(flags & TextFormat::NoClip))
        m_painter.setClipRect(QRect(r.left, r.top, r.width(), r.height()), Qt::IntersectClip);
    m_painter.setFont(m_font);
    m_painter.setPen(toQColor(m_textColour));
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
        m_painter.drawText(QPointF(left, top + fm.ascent()), l.text);
        top += lineHeight;
    }
    m_painter.restore();
    return height;
}

void QtPainterDevice::intersectClip(const DevRect& rect)
{
    const DevRect r = rect.normalised();
    m_painter.setClipRect(QRect(r.left, r.top, r.width(), r.height()),
                          m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void QtPainterDevice::resetClip()
{
    m_painter.setClipping(false);
}

void QtPainterDevice::applyPen(const Pen& pen)
{
    if (pen.style == PenStyle::Null) {
        m_painter.setPen(Qt::NoPen);
        return;
    }
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
    } else {
        qp.setCapStyle(Qt::RoundCap);
        qp.setJoinStyle(Qt::RoundJoin);
    }
    m_painter.setPen(qp);
}

void QtPainterDevice::applyBrush(const Brush& brush)
{
    m_painter.setBrush(brush.solid ? QBrush(toQColor(brush.colour)) : QBrush(Qt::NoBrush));
}

void QtPainterDevice::drawPolyline(const std::vector<DevPoint>& points, const Pen& pen)
{
    if (points.empty()) return;
    applyPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    if (points.size() == 2)
        m_painter.drawLine(QPoint(points[0].x, points[0].y), QPoint(points[1].x, points[1].y));
    else
        m_painter.drawPolyline(toPolygon(points));
}

void QtPainterDevice::drawPolygon(const std::vector<DevPoint>& points, const Pen& pen, const Brush& brush)
{
    if (points.empty()) return;
    applyPen(pen);
    applyBrush(brush);
    m_painter.drawPolygon(toPolygon(points), Qt::OddEvenFill);
}

void QtPainterDevice::drawRectangle(const DevRect& rect, const Pen& pen, const Brush& brush)
{
    applyPen(pen);
    applyBrush(brush);
    m_painter.drawRect(outlineRect(rect));
}

void QtPainterDevice::drawEllipse(const DevRect& box, const Pen& pen, const Brush& brush)
{
    applyPen(pen);
    applyBrush(brush);
    m_painter.drawEllipse(outlineRect(box));
}

void QtPainterDevice::drawArc(const DevRect& box, DevPoint start, DevPoint end, const Pen& pen)
{
    applyPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    const QRect r = outlineRect(box);
    const DevRect n = box.normalised();
    const double cx = (n.left + n.right) / 2.0;
    const double cy = (n.top + n.bottom) / 2.0;
    if (start == end) {
        m_painter.drawEllipse(r);
        return;
    }
    // Angles against the clock hands on the page: y grows downward.
    const double a0 = std::atan2(-(start.y - cy), start.x - cx) * 180.0 / M_PI;
    const double a1 = std::atan2(-(end.y - cy), end.x - cx) * 180.0 / M_PI;
    double span = a1 - a0;
    while (span <= 0) span += 360;
    while (span > 360) span -= 360;
    m_painter.drawArc(r, static_cast<int>(std::lround(a0 * 16)), static_cast<int>(std::lround(span * 16)));
}

void QtPainterDevice::stretchBitmap(const DevRect& dest, const Bitmap& image, const DevRect& source,
                                    RasterOp op)
{
    if (!image.valid()) return;
    const DevRect s = source.normalised();
    if (s.width() <= 0 || s.height() <= 0) return;
    const bool and_ = op == RasterOp::And;
    const bool exact = exactRasterOps();
    // Only the source part is converted; on vector devices AND keeps what is drawn under white.
    QImage img(s.width(), s.height(), and_ && !exact ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < s.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < s.width(); ++x) {
            const Colour c = image.at(s.left + x, s.top + y);
            const bool white = (c & 0xFFFFFF) == 0xFFFFFF;
            line[x] = and_ && !exact && white ? qRgba(0, 0, 0, 0)
                                              : qRgb(colourRed(c), colourGreen(c), colourBlue(c));
        }
    }
    const QRect target(dest.left, dest.top, dest.width(), dest.height());
    if (and_ && exact) {
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

} // namespace qc
