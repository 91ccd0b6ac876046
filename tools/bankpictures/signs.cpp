#include "draw.h"

#include <QPolygonF>
#include <QtMath>

#include <cmath>

namespace pics {
namespace {

using namespace colour;

void bar(QPainter& p, QPointF a, QPointF b, qreal w, const QColor& c,
         Qt::PenCapStyle cap = Qt::FlatCap)
{
    p.save();
    p.setPen(QPen(c, w, Qt::SolidLine, cap, Qt::MiterJoin));
    p.drawLine(a, b);
    p.restore();
}

void stroke(QPainter& p, const QPainterPath& path, qreal w, const QColor& c,
            Qt::PenCapStyle cap = Qt::FlatCap, Qt::PenJoinStyle join = Qt::RoundJoin)
{
    p.save();
    p.setPen(QPen(c, w, Qt::SolidLine, cap, join));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void fill(QPainter& p, const QPolygonF& poly, const QColor& c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(poly);
    p.restore();
}

// A walking child seen from the side, facing left, feet at y = 0.
void child(QPainter& p, QPointF at, qreal s)
{
    p.save();
    p.translate(at);
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(black);
    p.drawEllipse(QPointF(0, -31), 4.5, 4.5);
    p.drawPolygon(QPolygonF{{-4, -25}, {4, -25}, {5, -11}, {-5, -11}});
    p.restore();
    p.save();
    p.translate(at);
    p.scale(s, s);
    p.setPen(QPen(black, 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{{-2, -12}, {-6, -5}, {-9, 0}});
    p.drawPolyline(QPolygonF{{2, -12}, {4, -6}, {7, 0}});
    p.drawPolyline(QPolygonF{{-3, -23}, {-8, -16}});
    p.drawPolyline(QPolygonF{{3, -23}, {8, -17}});
    p.restore();
}

// A car seen from the side, facing right, wheels touching y = 0.
void carSide(QPainter& p, QPointF at, qreal s, qreal angle, const QColor& c)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPainterPath body;
    body.moveTo(-15, -4);
    body.lineTo(-15, -10);
    body.lineTo(-8, -11);
    body.lineTo(-4, -17);
    body.lineTo(6, -17);
    body.lineTo(10, -11);
    body.lineTo(15, -10);
    body.lineTo(15, -4);
    body.closeSubpath();
    p.drawPath(body);
    p.drawEllipse(QPointF(-9, -4), 4, 4);
    p.drawEllipse(QPointF(9, -4), 4, 4);
    p.restore();
}

void number(QPainter& p, const QString& s, qreal px, const QColor& c)
{
    text(p, QRectF(-50, -40, 100, 80), s, px, c, true);
}

Picture warn(const char* name, Painter symbol)
{
    return {QString::fromLatin1(name), [symbol](QPainter& p) { warningSign(p, symbol); }};
}
Picture prohibit(const char* name, Painter symbol, bool withBar)
{
    return {QString::fromLatin1(name),
            [symbol, withBar](QPainter& p) { prohibitionSign(p, symbol, withBar); }};
}
Picture indicate(const char* name, Painter symbol)
{
    return {QString::fromLatin1(name), [symbol](QPainter& p) { indicationSign(p, symbol); }};
}

// Shared arrow shapes, in symbol coordinates; used black on prohibition signs, white on blue.
void leftTurnArrow(QPainter& p, const QColor& c, qreal s)
{
    QPainterPath path;
    path.moveTo(10 * s, 32 * s);
    path.lineTo(10 * s, -2 * s);
    path.quadTo(10 * s, -14 * s, -2 * s, -14 * s);
    path.lineTo(-8 * s, -14 * s);
    arrow(p, path, 10 * s, 16 * s, 26 * s, c);
}

void uTurnArrow(QPainter& p, const QColor& c, qreal s)
{
    QPainterPath path;
    path.moveTo(13 * s, 32 * s);
    path.lineTo(13 * s, -8 * s);
    path.arcTo(QRectF(-13 * s, -21 * s, 26 * s, 26 * s), 0, 180);
    path.lineTo(-13 * s, 4 * s);
    arrow(p, path, 9 * s, 14 * s, 24 * s, c);
}

void upArrow(QPainter& p, const QColor& c, qreal s)
{
    arrow(p, line({{0, 34 * s}, {0, -16 * s}}), 11 * s, 18 * s, 30 * s, c);
}

} // namespace

std::vector<Picture> signPictures()
{
    std::vector<Picture> v;

    // Warning signs: yellow triangle, black border, black symbol.
    v.push_back(warn("sign_warn_crossroads.jpg", [](QPainter& p) {
        bar(p, {0, -32}, {0, 32}, 11, black);
        bar(p, {-32, 4}, {32, 4}, 11, black);
    }));
    v.push_back(warn("sign_warn_t_junction.jpg", [](QPainter& p) {
        bar(p, {0, 32}, {0, -14}, 11, black);
        bar(p, {-32, -14}, {32, -14}, 11, black);
    }));
    v.push_back(warn("sign_warn_sharp_left.jpg", [](QPainter& p) {
        QPainterPath path;
        path.moveTo(10, 32);
        path.lineTo(10, -4);
        path.quadTo(10, -18, -4, -18);
        path.lineTo(-8, -18);
        arrow(p, path, 10, 15, 26, black);
    }));
    v.push_back(warn("sign_warn_winding.jpg", [](QPainter& p) {
        QPainterPath path;
        path.moveTo(-4, 32);
        path.cubicTo(22, 22, 20, 10, 2, 4);
        path.cubicTo(-18, -3, -18, -14, 0, -20);
        arrow(p, path, 8, 12, 22, black);
    }));
    v.push_back(warn("sign_warn_steep_down.jpg", [](QPainter& p) {
        fill(p, QPolygonF{{-38, -8}, {-38, 30}, {40, 30}}, black);
        // The car runs down the slope towards the lower right.
        carSide(p, QPointF(-4, 8.5), 1.25, 26, black);
        text(p, QRectF(-4, -32, 40, 22), QStringLiteral("10%"), 15, black, true);
    }));
    v.push_back(warn("sign_warn_narrow_both.jpg", [](QPainter& p) {
        stroke(p, line({{-20, 34}, {-20, 12}, {-8, -6}, {-8, -30}}), 7, black);
        stroke(p, line({{20, 34}, {20, 12}, {8, -6}, {8, -30}}), 7, black);
    }));
    v.push_back(warn("sign_warn_signals.jpg", [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(black);
        p.drawRoundedRect(QRectF(-11, -33, 22, 64), 5, 5);
        p.setBrush(red);
        p.drawEllipse(QPointF(0, -20), 7, 7);
        p.setBrush(QColor(0xff, 0xd4, 0x20));
        p.drawEllipse(QPointF(0, -1), 7, 7);
        p.setBrush(QColor(0x1a, 0xa0, 0x50));
        p.drawEllipse(QPointF(0, 18), 7, 7);
    }));
    v.push_back(warn("sign_warn_tunnel.jpg", [](QPainter& p) {
        QPainterPath portal;
        portal.moveTo(-38, 30);
        portal.lineTo(-38, -8);
        portal.quadTo(-38, -22, -24, -22);
        portal.lineTo(24, -22);
        portal.quadTo(38, -22, 38, -8);
        portal.lineTo(38, 30);
        portal.closeSubpath();
        QPainterPath hole;
        hole.moveTo(-20, 30);
        hole.lineTo(-20, 4);
        hole.cubicTo(-20, -16, 20, -16, 20, 4);
        hole.lineTo(20, 30);
        hole.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(black);
        p.drawPath(portal.subtracted(hole));
    }));
    v.push_back(warn("sign_warn_danger.jpg", [](QPainter& p) {
        fill(p, QPolygonF{{-6, -34}, {6, -34}, {3.5, 10}, {-3.5, 10}}, black);
        p.setPen(Qt::NoPen);
        p.setBrush(black);
        p.drawEllipse(QPointF(0, 23), 6, 6);
    }));
    v.push_back(warn("sign_warn_two_way.jpg", [](QPainter& p) {
        // Right-hand traffic: the own direction, pointing away, is on the right.
        arrow(p, line({{11, 32}, {11, -14}}), 9, 15, 24, black);
        arrow(p, line({{-11, -32}, {-11, 14}}), 9, 15, 24, black);
    }));
    v.push_back(warn("sign_warn_bumpy.jpg", [](QPainter& p) {
        QPainterPath ground;
        ground.moveTo(-38, 28);
        ground.lineTo(-38, 14);
        ground.cubicTo(-30, 14, -28, -4, -18, -4);
        ground.cubicTo(-8, -4, -8, 14, 0, 14);
        ground.cubicTo(8, 14, 8, -4, 18, -4);
        ground.cubicTo(28, -4, 30, 14, 38, 14);
        ground.lineTo(38, 28);
        ground.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(black);
        p.drawPath(ground);
    }));
    v.push_back(warn("sign_warn_children.jpg", [](QPainter& p) {
        child(p, QPointF(-11, 30), 1.35);
        child(p, QPointF(16, 30), 1.1);
    }));
    v.push_back(warn("sign_warn_slippery.jpg", [](QPainter& p) {
        carSide(p, QPointF(2, -2), 1.25, -12, black);
        QPainterPath a;
        a.moveTo(-20, 32);
        a.cubicTo(-8, 22, -22, 12, -10, 4);
        QPainterPath b;
        b.moveTo(6, 32);
        b.cubicTo(18, 22, 4, 12, 14, 2);
        stroke(p, a, 3.5, black, Qt::RoundCap);
        stroke(p, b, 3.5, black, Qt::RoundCap);
    }));

    // Prohibition signs: white disc, red ring, red bar where a movement is forbidden.
    v.push_back({QStringLiteral("sign_no_entry.jpg"), [](QPainter& p) {
                     backdrop(p);
                     p.setPen(Qt::NoPen);
                     p.setBrush(white);
                     p.drawEllipse(QPointF(112.5, 68.5), 65, 65);
                     p.setBrush(red);
                     p.drawEllipse(QPointF(112.5, 68.5), 63, 63);
                     p.setBrush(white);
                     p.drawRect(QRectF(112.5 - 44, 68.5 - 10, 88, 20));
                 }});
    v.push_back(prohibit(
        "sign_no_through.jpg", [](QPainter&) {}, false));
    v.push_back(prohibit(
        "sign_no_left_turn.jpg", [](QPainter& p) { leftTurnArrow(p, black, 1.0); }, true));
    v.push_back(prohibit(
        "sign_no_right_turn.jpg",
        [](QPainter& p) {
            p.save();
            p.scale(-1, 1);
            leftTurnArrow(p, black, 1.0);
            p.restore();
        },
        true));
    v.push_back(prohibit(
        "sign_no_u_turn.jpg", [](QPainter& p) { uTurnArrow(p, black, 1.0); }, true));
    v.push_back(prohibit(
        "sign_no_straight.jpg", [](QPainter& p) { upArrow(p, black, 0.95); }, true));
    v.push_back(prohibit(
        "sign_no_horn.jpg",
        [](QPainter& p) {
            // A trumpet horn: mouthpiece on the left, bell opening to the right.
            QPainterPath horn;
            horn.moveTo(-32, -4);
            horn.lineTo(-4, -4);
            horn.cubicTo(8, -6, 18, -14, 24, -22);
            horn.lineTo(30, -22);
            horn.lineTo(30, 22);
            horn.lineTo(24, 22);
            horn.cubicTo(18, 14, 8, 6, -4, 4);
            horn.lineTo(-32, 4);
            horn.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(black);
            p.drawPath(horn);
            p.drawRect(QRectF(-36, -7, 6, 14));
        },
        true));
    v.push_back(prohibit(
        "sign_speed_limit_40.jpg", [](QPainter& p) { number(p, "40", 54, black); }, false));
    v.push_back({QStringLiteral("sign_speed_end_40.jpg"), [](QPainter& p) {
                     backdrop(p);
                     const QPointF c(112.5, 68.5);
                     p.setPen(Qt::NoPen);
                     p.setBrush(QColor(0x30, 0x30, 0x30));
                     p.drawEllipse(c, 63, 63);
                     p.setBrush(white);
                     p.drawEllipse(c, 59, 59);
                     p.translate(c);
                     number(p, "40", 54, QColor(0x9a, 0x9a, 0x9a));
                     // Thin black strokes across the figures cancel the limit.
                     p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2.2));
                     for (int i = -2; i <= 2; ++i)
                         p.drawLine(QPointF(38 + i * 7, -38 + i * 7),
                                    QPointF(-38 + i * 7, 38 + i * 7));
                 }});
    v.push_back({QStringLiteral("sign_stop.jpg"), [](QPainter& p) {
                     backdrop(p);
                     auto octagon = [](qreal r) {
                         QPolygonF poly;
                         for (int i = 0; i < 8; ++i) {
                             const qreal a = qDegreesToRadians(22.5 + 45.0 * i);
                             poly << QPointF(112.5 + r * std::cos(a), 68.5 + r * std::sin(a));
                         }
                         return poly;
                     };
                     fill(p, octagon(66), red);
                     p.setPen(QPen(white, 3.5));
                     p.setBrush(Qt::NoBrush);
                     p.drawPolygon(octagon(60));
                     text(p, QRectF(62, 18, 101, 101), QStringLiteral("停"), 66, white, true);
                 }});
    v.push_back({QStringLiteral("sign_yield.jpg"), [](QPainter& p) {
                     backdrop(p);
                     const QPolygonF tri{{44.5, 10}, {180.5, 10}, {112.5, 128}};
                     p.setBrush(white);
                     p.setPen(QPen(red, 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                     p.drawPolygon(tri);
                     text(p, QRectF(82, 20, 61, 60), QStringLiteral("让"), 44, black, true);
                 }});
    auto parking = [](bool cross) {
        return [cross](QPainter& p) {
            backdrop(p);
            const QPointF c(112.5, 68.5);
            p.setPen(Qt::NoPen);
            p.setBrush(white);
            p.drawEllipse(c, 65, 65);
            p.setBrush(red);
            p.drawEllipse(c, 63, 63);
            p.setBrush(blue);
            p.drawEllipse(c, 52, 52);
            p.translate(c);
            p.setPen(QPen(red, 10, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(-38, -38), QPointF(38, 38));
            if (cross)
                p.drawLine(QPointF(38, -38), QPointF(-38, 38));
        };
    };
    v.push_back({QStringLiteral("sign_no_parking.jpg"), parking(true)});
    v.push_back({QStringLiteral("sign_no_long_parking.jpg"), parking(false)});
    v.push_back(prohibit(
        "sign_height_limit.jpg",
        [](QPainter& p) {
            text(p, QRectF(-45, -16, 90, 32), QStringLiteral("3.5m"), 30, black, true);
            fill(p, QPolygonF{{-9, -38}, {9, -38}, {0, -22}}, black);
            fill(p, QPolygonF{{-9, 38}, {9, 38}, {0, 22}}, black);
        },
        false));
    v.push_back(prohibit(
        "sign_weight_limit.jpg", [](QPainter& p) { number(p, QStringLiteral("10t"), 44, black); },
        false));

    // Indication signs: blue disc, white symbol.
    v.push_back(indicate("sign_ind_straight.jpg", [](QPainter& p) { upArrow(p, white, 1.05); }));
    v.push_back(indicate("sign_ind_left.jpg", [](QPainter& p) { leftTurnArrow(p, white, 1.1); }));
    v.push_back(indicate("sign_ind_straight_right.jpg", [](QPainter& p) {
        arrow(p, line({{-8, 36}, {-8, -16}}), 10, 16, 26, white);
        QPainterPath branch;
        branch.moveTo(-8, 16);
        branch.quadTo(-8, 2, 6, 2);
        branch.lineTo(14, 2);
        arrow(p, branch, 10, 16, 26, white);
    }));
    v.push_back(indicate("sign_ind_keep_right.jpg", [](QPainter& p) {
        arrow(p, line({{-24, -24}, {12, 12}}), 12, 18, 32, white);
    }));
    v.push_back(indicate("sign_ind_roundabout.jpg", [](QPainter& p) {
        // Three arrows running anticlockwise, as traffic circles a roundabout in China.
        for (int i = 0; i < 3; ++i) {
            const qreal start = 100 + 120.0 * i;
            QPainterPath path;
            path.arcMoveTo(QRectF(-30, -30, 60, 60), start);
            path.arcTo(QRectF(-30, -30, 60, 60), start, 68);
            arrow(p, path, 9, 13, 23, white);
        }
    }));
    v.push_back(
        indicate("sign_ind_min_speed.jpg", [](QPainter& p) { number(p, "50", 54, white); }));
    v.push_back(indicate("sign_ind_u_turn.jpg", [](QPainter& p) { uTurnArrow(p, white, 1.1); }));
    v.push_back({QStringLiteral("sign_ind_one_way.jpg"), [](QPainter& p) {
                     rectangleSign(p, blue, 176, 88, [](QPainter& q) {
                         arrow(q, line({{-62, 0}, {34, 0}}), 16, 26, 44, white);
                     });
                 }});
    v.push_back({QStringLiteral("sign_ind_lanes.jpg"), [](QPainter& p) {
                     rectangleSign(p, blue, 186, 120, [](QPainter& q) {
                         q.setPen(QPen(white, 2.5));
                         q.drawLine(QPointF(-30, -50), QPointF(-30, 50));
                         q.drawLine(QPointF(30, -50), QPointF(30, 50));
                         q.save();
                         q.translate(-60, 4);
                         leftTurnArrow(q, white, 0.95);
                         q.restore();
                         q.save();
                         q.translate(0, 4);
                         upArrow(q, white, 0.95);
                         q.restore();
                         q.save();
                         q.translate(60, 4);
                         q.scale(-1, 1);
                         leftTurnArrow(q, white, 0.95);
                         q.restore();
                     });
                 }});

    // Guide signs: green on expressways, blue on ordinary roads.
    v.push_back({QStringLiteral("sign_guide_exit.jpg"), [](QPainter& p) {
                     rectangleSign(p, green, 200, 118, [](QPainter& q) {
                         q.fillRect(QRectF(-86, -48, 52, 24), white);
                         text(q, QRectF(-86, -48, 52, 24), QStringLiteral("出口"), 17, green, true);
                         text(q, QRectF(-80, -18, 160, 40), QStringLiteral("青石镇"), 34, white,
                              true);
                         text(q, QRectF(-20, 22, 100, 30), QStringLiteral("2 km"), 24, white, true);
                         arrow(q, line({{58, -20}, {72, -34}}), 6, 9, 16, white);
                     });
                 }});
    v.push_back({QStringLiteral("sign_guide_junction.jpg"), [](QPainter& p) {
                     rectangleSign(p, blue, 200, 122, [](QPainter& q) {
                         q.setPen(QPen(white, 9, Qt::SolidLine, Qt::FlatCap));
                         q.drawLine(QPointF(0, 48), QPointF(0, -26));
                         q.drawLine(QPointF(-50, 6), QPointF(50, 6));
                         arrow(q, line({{0, -20}, {0, -32}}), 9, 10, 20, white);
                         arrow(q, line({{-44, 6}, {-52, 6}}), 9, 10, 20, white);
                         arrow(q, line({{44, 6}, {52, 6}}), 9, 10, 20, white);
                         text(q, QRectF(-40, -56, 80, 20), QStringLiteral("北山路"), 16, white,
                              true);
                         text(q, QRectF(-96, -22, 60, 20), QStringLiteral("东湖"), 16, white, true);
                         text(q, QRectF(36, -22, 60, 20), QStringLiteral("新港"), 16, white, true);
                         text(q, QRectF(8, 28, 80, 20), QStringLiteral("300 m"), 14, white, true);
                     });
                 }});
    return v;
}

} // namespace pics
