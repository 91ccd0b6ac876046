#include "art.h"

#include <QPainterPath>
#include <QtMath>

namespace art {

void drawSteeringWheel(QPainter& p, const QPointF& centre, qreal radius, const QColor& c,
                       qreal width)
{
    p.save();
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius, radius);
    const qreal hub = radius * 0.28;
    p.setBrush(c);
    p.drawEllipse(centre, hub, hub);
    // Three spokes: left, right and down, as on a real wheel.
    for (qreal deg : {180.0, 0.0, 90.0}) {
        const qreal a = qDegreesToRadians(deg);
        const QPointF dir(qCos(a), qSin(a));
        p.drawLine(centre + dir * hub, centre + dir * radius);
    }
    p.restore();
}

// Every icon is laid out on a 24 x 24 grid and scaled into its box.
void drawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& c)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 24.0, box.height() / 24.0);
    const QPen pen(c, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);

    switch (icon) {
    case Icon::Study: { // open book
        QPainterPath left;
        left.moveTo(12, 6.5);
        left.cubicTo(9, 4.5, 5.5, 4.5, 3, 5.5);
        left.lineTo(3, 19);
        left.cubicTo(5.5, 18, 9, 18, 12, 20);
        QPainterPath right;
        right.moveTo(12, 6.5);
        right.cubicTo(15, 4.5, 18.5, 4.5, 21, 5.5);
        right.lineTo(21, 19);
        right.cubicTo(18.5, 18, 15, 18, 12, 20);
        p.drawPath(left);
        p.drawPath(right);
        p.drawLine(QPointF(12, 6.5), QPointF(12, 20));
        p.setPen(QPen(c, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5, 9.5), QPointF(9.5, 10));
        p.drawLine(QPointF(5.5, 13), QPointF(9.5, 13.5));
        p.drawLine(QPointF(14.5, 10), QPointF(18.5, 9.5));
        p.drawLine(QPointF(14.5, 13.5), QPointF(18.5, 13));
        break;
    }
    case Icon::Exam: { // clipboard with ticks
        p.drawRoundedRect(QRectF(5, 4.5, 14, 17), 2, 2);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(9, 3, 6, 3.2), 1, 1);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (qreal y : {10.0, 15.5}) {
            p.drawPolyline(QPolygonF({QPointF(7.5, y), QPointF(8.8, y + 1.3), QPointF(11, y - 1)}));
            p.drawLine(QPointF(12.5, y), QPointF(16.5, y));
        }
        break;
    }
    case Icon::Errors: { // warning triangle
        QPainterPath tri;
        tri.moveTo(12, 3.5);
        tri.lineTo(21.5, 20);
        tri.lineTo(2.5, 20);
        tri.closeSubpath();
        p.drawPath(tri);
        p.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 9.5), QPointF(12, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawEllipse(QPointF(12, 17), 1.25, 1.25);
        break;
    }
    case Icon::Browse: { // list under a magnifier
        p.setPen(QPen(c, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 6), QPointF(13, 6));
        p.drawLine(QPointF(3, 10.5), QPointF(9, 10.5));
        p.drawLine(QPointF(3, 15), QPointF(8, 15));
        p.drawLine(QPointF(3, 19.5), QPointF(10, 19.5));
        p.setPen(pen);
        p.drawEllipse(QPointF(15, 13.5), 4.5, 4.5);
        p.setPen(QPen(c, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(18.3, 16.8), QPointF(21.5, 20));
        break;
    }
    case Icon::Skills: // steering wheel
        drawSteeringWheel(p, QPointF(12, 12), 8.5, c, 1.9);
        break;
    case Icon::Signs: { // round sign on a post
        p.drawLine(QPointF(12, 14), QPointF(12, 21.5));
        p.drawLine(QPointF(9, 21.5), QPointF(15, 21.5));
        p.drawEllipse(QPointF(12, 8.5), 6, 6);
        p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // An arrow turning right inside the disc.
        p.drawPolyline(QPolygonF({QPointF(9.5, 11.5), QPointF(9.5, 8), QPointF(14, 8)}));
        p.drawPolyline(QPolygonF({QPointF(12.5, 6.3), QPointF(14.3, 8), QPointF(12.5, 9.7)}));
        break;
    }
    case Icon::School: { // school house with a flag
        QPainterPath roof;
        roof.moveTo(3, 11);
        roof.lineTo(12, 6);
        roof.lineTo(21, 11);
        p.drawPath(roof);
        p.drawRect(QRectF(5, 11, 14, 9.5));
        p.drawLine(QPointF(3, 20.5), QPointF(21, 20.5));
        p.drawRect(QRectF(10.3, 15, 3.4, 5.5));
        p.drawLine(QPointF(12, 6), QPointF(12, 2.5));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(QPolygonF({QPointF(12, 2.3), QPointF(16, 3.3), QPointF(12, 4.5)}));
        p.drawRect(QRectF(6.8, 13, 2, 2));
        p.drawRect(QRectF(15.2, 13, 2, 2));
        break;
    }
    case Icon::Exit: { // door with an outgoing arrow
        p.drawPolyline(QPolygonF({QPointF(13, 7), QPointF(13, 3.5), QPointF(4, 3.5),
                                  QPointF(4, 20.5), QPointF(13, 20.5), QPointF(13, 17)}));
        p.drawLine(QPointF(9, 12), QPointF(20.5, 12));
        p.drawPolyline(QPolygonF({QPointF(17, 8.5), QPointF(20.5, 12), QPointF(17, 15.5)}));
        break;
    }
    }
    p.restore();
}

} // namespace art
