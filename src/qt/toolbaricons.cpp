#include "qt/toolbaricons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qc {

namespace {

// Every figure is drawn on a 32 x 32 grid and scaled to the size asked for.
void drawFigure(QPainter& p, ToolIcon which, bool disabled)
{
    const QColor ink = disabled ? QColor(150, 150, 150) : QColor(40, 40, 40);
    const QColor paper(255, 255, 255);
    auto tint = [&](QColor c) { return disabled ? QColor(205, 205, 205) : c; };
    QPen pen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);

    auto sheet = [&](QRectF r, double fold) {
        QPainterPath path;
        path.moveTo(r.left(), r.top());
        path.lineTo(r.right() - fold, r.top());
        path.lineTo(r.right(), r.top() + fold);
        path.lineTo(r.right(), r.bottom());
        path.lineTo(r.left(), r.bottom());
        path.closeSubpath();
        p.setBrush(paper);
        p.drawPath(path);
        p.drawPolyline(
            QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                       QPointF(r.right(), r.top() + fold)}));
    };
    // A small boring log on a sheet: a column of layers.
    auto logColumn = [&](double x, double y) {
        const QColor layers[] = {tint(QColor(214, 170, 96)), tint(QColor(150, 115, 70)),
                                 tint(QColor(190, 190, 120))};
        for (int i = 0; i < 3; ++i) p.fillRect(QRectF(x, y + i * 4.5, 5, 4.5), layers[i]);
        p.setPen(QPen(ink, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(x, y, 5, 13.5));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(x + 8, y + 2 + i * 4.5), QPointF(x + 14, y + 2 + i * 4.5));
        p.setPen(pen);
    };

    switch (which) {
    case ToolIcon::New:
        sheet(QRectF(7, 3, 18, 26), 6);
        logColumn(10, 11);
        p.setPen(QPen(tint(QColor(230, 160, 0)), 2.2, Qt::SolidLine, Qt::RoundCap));
        for (int a = 0; a < 4; ++a) {
            static const QPointF ends[] = {{27, 3}, {31, 7}, {27, 11}, {23, 7}};
            p.drawLine(QPointF(27, 7), ends[a]);
        }
        break;
    case ToolIcon::Open: {
        p.setBrush(tint(QColor(240, 200, 90)));
        QPainterPath back;
        back.moveTo(3, 9);
        back.lineTo(11, 9);
        back.lineTo(14, 12);
        back.lineTo(27, 12);
        back.lineTo(27, 27);
        back.lineTo(3, 27);
        back.closeSubpath();
        p.drawPath(back);
        p.setBrush(tint(QColor(250, 220, 120)));
        QPainterPath front;
        front.moveTo(3, 27);
        front.lineTo(8, 16);
        front.lineTo(31, 16);
        front.lineTo(27, 27);
        front.closeSubpath();
        p.drawPath(front);
        break;
    }
    case ToolIcon::Save: {
        p.setBrush(tint(QColor(60, 100, 170)));
        QPainterPath body;
        body.moveTo(4, 4);
        body.lineTo(24, 4);
        body.lineTo(28, 8);
        body.lineTo(28, 28);
        body.lineTo(4, 28);
        body.closeSubpath();
        p.drawPath(body);
        p.setBrush(paper);
        p.drawRect(QRectF(8, 4, 14, 9));
        p.fillRect(QRectF(17, 6, 3, 5), ink);
        p.setBrush(tint(QColor(225, 225, 225)));
        p.drawRect(QRectF(8, 17, 16, 11));
        break;
    }
    case ToolIcon::Print:
        sheet(QRectF(9, 3, 14, 12), 4);
        p.setBrush(tint(QColor(120, 120, 130)));
        p.drawRoundedRect(QRectF(3, 13, 26, 11), 2, 2);
        p.setBrush(paper);
        p.drawRect(QRectF(9, 20, 14, 9));
        p.setPen(QPen(ink, 1));
        p.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
        p.drawLine(QPointF(11, 26.5), QPointF(19, 26.5));
        p.fillRect(QRectF(24, 16, 3, 2), tint(QColor(90, 200, 90)));
        break;
    case ToolIcon::About: {
        p.setBrush(tint(QColor(60, 110, 200)));
        p.setPen(QPen(ink, 1.2));
        p.drawEllipse(QRectF(3, 3, 26, 26));
        QFont f = p.font();
        f.setPixelSize(19);
        f.setBold(true);
        f.setFamily(QStringLiteral("Serif"));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case ToolIcon::PreviousPage:
    case ToolIcon::NextPage: {
        const bool up = which == ToolIcon::PreviousPage;
        sheet(QRectF(5, 3, 17, 26), 5);
        p.setPen(QPen(ink, 1));
        for (int i = 0; i < 4; ++i) p.drawLine(QPointF(8, 10 + i * 4), QPointF(16, 10 + i * 4));
        p.setPen(QPen(ink, 1.2));
        p.setBrush(tint(QColor(40, 140, 60)));
        QPolygonF arrow =
            up ? QPolygonF({{25, 9}, {31, 17}, {27.5, 17}, {27.5, 26}, {22.5, 26}, {22.5, 17}, {19, 17}})
               : QPolygonF({{25, 26}, {31, 18}, {27.5, 18}, {27.5, 9}, {22.5, 9}, {22.5, 18}, {19, 18}});
        p.drawPolygon(arrow);
        break;
    }
    case ToolIcon::Application:
        p.setBrush(paper);
        p.drawRect(QRectF(4, 2, 24, 28));
        logColumn(7, 8);
        p.setPen(QPen(ink, 1));
        p.drawLine(QPointF(7, 5), QPointF(25, 5));
        p.setPen(QPen(tint(QColor(200, 40, 40)), 1.4));
        p.drawPolyline(QPolygonF({{17, 9}, {22, 13}, {19, 17}, {24, 21}, {20, 26}}));
        break;
    }
}

class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(ToolIcon which) : m_which(which) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 32.0, rect.height() / 32.0);
        drawFigure(*painter, m_which, mode == QIcon::Disabled);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(m_which); }

private:
    ToolIcon m_which;
};

} // namespace

QIcon toolIcon(ToolIcon which)
{
    return QIcon(new DrawnIconEngine(which));
}

} // namespace qc
