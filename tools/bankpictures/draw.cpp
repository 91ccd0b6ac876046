#include "draw.h"

#include <QLineF>
#include <QPolygonF>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>

namespace pics {

QFont font(qreal px, bool bold)
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(qRound(px));
    f.setBold(bold);
    return f;
}

void text(QPainter& p, const QRectF& box, const QString& s, qreal px, const QColor& c, bool bold,
          int flags)
{
    p.save();
    p.setFont(font(px, bold));
    p.setPen(c);
    p.drawText(box, flags, s);
    p.restore();
}

QPainterPath line(std::initializer_list<QPointF> pts)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& pt : pts) {
        if (first)
            path.moveTo(pt);
        else
            path.lineTo(pt);
        first = false;
    }
    return path;
}

void arrow(QPainter& p, const QPainterPath& shaft, qreal width, qreal headLength, qreal headWidth,
           const QColor& c)
{
    p.save();
    QPen pen(c, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(shaft);
    const qreal a = qDegreesToRadians(shaft.angleAtPercent(1.0));
    const QPointF d(std::cos(a), -std::sin(a));
    const QPointF n(-d.y(), d.x());
    // Start the head a pixel early so no seam shows between shaft and head.
    const QPointF base = shaft.currentPosition() - d;
    QPolygonF head{base + n * (headWidth / 2), base + d * (headLength + 1),
                   base - n * (headWidth / 2)};
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
    p.restore();
}

void backdrop(QPainter& p)
{
    p.fillRect(QRectF(0, 0, W, H), colour::paper);
}

void warningSign(QPainter& p, const Painter& symbol)
{
    backdrop(p);
    const QPolygonF tri{{112.5, 10}, {44.5, 126}, {180.5, 126}};
    p.save();
    p.setBrush(colour::yellow);
    p.setPen(QPen(colour::yellow, 15, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(tri);
    p.setPen(QPen(colour::black, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(tri);
    p.restore();
    p.save();
    p.translate(112.5, 87);
    symbol(p);
    p.restore();
}

// A round sign: a white rim, a coloured disc and, for prohibitions, a white face inside it; the
// symbol is drawn about the centre.
void roundSign(QPainter& p, const QColor& colour, qreal discRadius, qreal faceRadius,
               const Painter& symbol)
{
    backdrop(p);
    const QPointF c(112.5, 68.5);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour::white);
    p.drawEllipse(c, 65, 65);
    p.setBrush(colour);
    p.drawEllipse(c, discRadius, discRadius);
    if (faceRadius > 0) {
        p.setBrush(colour::white);
        p.drawEllipse(c, faceRadius, faceRadius);
    }
    p.restore();
    p.save();
    p.translate(c);
    symbol(p);
    p.restore();
}

void prohibitionSign(QPainter& p, const Painter& symbol, bool bar)
{
    roundSign(p, colour::red, 63, 51, [&](QPainter& q) {
        symbol(q);
        if (bar) {
            q.setPen(QPen(colour::red, 9, Qt::SolidLine, Qt::FlatCap));
            q.drawLine(QPointF(-38, -38), QPointF(38, 38));
        }
    });
}

void indicationSign(QPainter& p, const Painter& symbol)
{
    roundSign(p, colour::blue, 62.5, 0, symbol);
}

void rectangleSign(QPainter& p, const QColor& fill, qreal w, qreal h, const Painter& symbol)
{
    backdrop(p);
    const QRectF r(112.5 - w / 2, 68.5 - h / 2, w, h);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, 7, 7);
    p.setPen(QPen(colour::white, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(4, 4, -4, -4), 5, 5);
    p.restore();
    p.save();
    p.translate(112.5, 68.5);
    symbol(p);
    p.restore();
}

void carTop(QPainter& p, QPointF centre, qreal angleDeg, const QColor& body, qreal scale)
{
    p.save();
    p.translate(centre);
    p.rotate(angleDeg);
    p.scale(scale, scale);
    p.setPen(QPen(body.darker(140), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-8, -15, 16, 30), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x24, 0x33, 0x44));
    // Windscreen at the front (top when the car faces up), rear window behind the roof.
    p.drawPolygon(QPolygonF{{-6.5, -7}, {6.5, -7}, {5, -3}, {-5, -3}});
    p.drawPolygon(QPolygonF{{-5, 7}, {5, 7}, {6, 10}, {-6, 10}});
    p.setBrush(QColor(0xff, 0xf4, 0xb0));
    p.drawEllipse(QPointF(-5, -14), 1.6, 1.2);
    p.drawEllipse(QPointF(5, -14), 1.6, 1.2);
    p.restore();
}

void dashedVertical(QPainter& p, qreal x, qreal y0, qreal y1, const QColor& c, qreal width,
                    qreal dash, qreal gap)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (qreal y = y0; y < y1; y += dash + gap)
        p.drawRect(QRectF(x - width / 2, y, width, std::min(dash, y1 - y)));
    p.restore();
}

void solidVertical(QPainter& p, qreal x, qreal y0, qreal y1, const QColor& c, qreal width)
{
    p.fillRect(QRectF(x - width / 2, y0, width, y1 - y0), c);
}

void personTop(QPainter& p, QPointF at, const QColor& coat, qreal scale)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(coat);
    p.drawEllipse(QPointF(0, 0), 6.5, 3.8);
    p.setBrush(QColor(0x3a, 0x2a, 0x1e));
    p.drawEllipse(QPointF(0, 0), 2.8, 2.8);
    p.restore();
}

void zebraHorizontal(QPainter& p, qreal x0, qreal x1, qreal y, qreal depth)
{
    for (qreal x = x0; x + 5 <= x1; x += 10)
        p.fillRect(QRectF(x, y, 5, depth), colour::white);
}

void perspectiveRoad(QPainter& p, const QColor& sky, const QColor& ground, const QColor& road,
                     qreal horizon)
{
    p.fillRect(QRectF(0, 0, W, horizon), sky);
    p.fillRect(QRectF(0, horizon, W, H - horizon), ground);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(road);
    p.drawPolygon(QPolygonF{{8, H}, {217, H}, {120, horizon}, {105, horizon}});
    p.restore();
}

void carRear(QPainter& p, QPointF c, qreal w, const QColor& body, bool leftLamp, bool rightLamp,
             bool brake)
{
    const qreal h = w * 0.62;
    p.save();
    p.translate(c);
    p.setPen(Qt::NoPen);
    // Tyres, body, cabin, rear window.
    p.setBrush(QColor(0x1e, 0x1e, 0x1e));
    p.drawRoundedRect(QRectF(-w * 0.44, h * 0.28, w * 0.16, h * 0.26), 2, 2);
    p.drawRoundedRect(QRectF(w * 0.28, h * 0.28, w * 0.16, h * 0.26), 2, 2);
    p.setBrush(body.darker(115));
    p.drawPolygon(QPolygonF{
        {-w * 0.36, -h * 0.1}, {w * 0.36, -h * 0.1}, {w * 0.28, -h * 0.5}, {-w * 0.28, -h * 0.5}});
    p.setBrush(QColor(0x2a, 0x3a, 0x4c));
    p.drawPolygon(QPolygonF{{-w * 0.3, -h * 0.14},
                            {w * 0.3, -h * 0.14},
                            {w * 0.24, -h * 0.44},
                            {-w * 0.24, -h * 0.44}});
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-w / 2, -h * 0.12, w, h * 0.48), 4, 4);
    // Plate.
    p.setBrush(QColor(0x1f, 0x4f, 0xb0));
    p.drawRect(QRectF(-w * 0.12, h * 0.1, w * 0.24, h * 0.13));
    // Tail lamps (red) with the turn lamps (amber) at the outer edge.
    const QColor tail = brake ? QColor(0xff, 0x30, 0x30) : QColor(0x9a, 0x1c, 0x1c);
    const QColor amberOff(0x8a, 0x6a, 0x2a);
    const QColor amberOn(0xff, 0xb0, 0x10);
    p.setBrush(tail);
    p.drawRect(QRectF(-w * 0.4, -h * 0.06, w * 0.18, h * 0.12));
    p.drawRect(QRectF(w * 0.22, -h * 0.06, w * 0.18, h * 0.12));
    auto lamp = [&](qreal x, bool on) {
        if (on) {
            QRadialGradient g(QPointF(x, 0), w * 0.22);
            g.setColorAt(0, QColor(0xff, 0xd0, 0x40, 200));
            g.setColorAt(1, QColor(0xff, 0xd0, 0x40, 0));
            p.setBrush(g);
            p.drawEllipse(QPointF(x, 0), w * 0.22, w * 0.22);
        }
        p.setBrush(on ? amberOn : amberOff);
        p.drawRect(QRectF(x - w * 0.05, -h * 0.06, w * 0.1, h * 0.12));
    };
    lamp(-w * 0.45, leftLamp);
    lamp(w * 0.45, rightLamp);
    p.restore();
}

void lightHousing(QPainter& p, const std::vector<QColor>& lamps)
{
    const int n = int(lamps.size());
    const qreal step = 46;
    const qreal w = n * step + 12;
    const QRectF box(112.5 - w / 2, 40, w, 58);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6a, 0x70, 0x76));
    p.drawRect(QRectF(108, 0, 9, 40));
    p.setBrush(QColor(0x22, 0x24, 0x26));
    p.drawRoundedRect(box, 8, 8);
    for (int i = 0; i < n; ++i) {
        const QPointF c(box.left() + 6 + step * (i + 0.5), box.center().y());
        p.setBrush(QColor(0x10, 0x10, 0x10));
        p.drawEllipse(c, 20, 20);
        const bool lit = lamps[i] != colour::lampOff;
        if (lit) {
            QRadialGradient g(c, 20);
            g.setColorAt(0, lamps[i].lighter(135));
            g.setColorAt(0.75, lamps[i]);
            g.setColorAt(1, lamps[i].darker(160));
            p.setBrush(g);
        } else {
            p.setBrush(colour::lampOff);
        }
        p.drawEllipse(c, 17, 17);
    }
    p.restore();
}

} // namespace pics
