#include "draw.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>

namespace pics {
namespace {

using namespace colour;

const QColor ownCar{0xc8, 0x28, 0x30};
const QColor otherCar{0x2f, 0x6e, 0xb8};

Picture pic(const char* name, Painter draw)
{
    return {QString::fromLatin1(name), std::move(draw)};
}

// Broken centre line of a perspective road, from the bottom edge to the horizon.
void perspectiveDashes(QPainter& p, qreal horizon, const QColor& c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal depth = H - horizon;
    for (qreal t = 0; t < 0.95; t += 0.16) {
        const qreal t1 = t + 0.08;
        auto y = [&](qreal s) { return H - depth * (1 - (1 - s) * (1 - s)); };
        auto half = [&](qreal s) { return 2.2 * (1 - s) + 0.3; };
        p.drawPolygon(QPolygonF{{112.5 - half(t), y(t)},
                                {112.5 + half(t), y(t)},
                                {112.5 + half(t1), y(t1)},
                                {112.5 - half(t1), y(t1)}});
    }
    p.restore();
}

void mountainsAndTrees(QPainter& p, qreal horizon, const QColor& hill)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(hill);
    p.drawPolygon(QPolygonF{{0, horizon},
                            {0, horizon - 18},
                            {40, horizon - 30},
                            {80, horizon - 12},
                            {130, horizon - 26},
                            {180, horizon - 10},
                            {225, horizon - 22},
                            {225, horizon}});
    p.restore();
}

void oncomingCar(QPainter& p, QPointF c, qreal w, bool lights)
{
    p.save();
    p.translate(c);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x25, 0x28, 0x30));
    p.drawRoundedRect(QRectF(-w / 2, -w * 0.32, w, w * 0.5), 3, 3);
    if (lights) {
        for (qreal x : {-w * 0.34, w * 0.34}) {
            QRadialGradient g(QPointF(x, 0), w * 0.9);
            g.setColorAt(0, QColor(255, 255, 230, 255));
            g.setColorAt(0.25, QColor(255, 250, 200, 150));
            g.setColorAt(1, QColor(255, 250, 200, 0));
            p.setBrush(g);
            p.drawEllipse(QPointF(x, 0), w * 0.9, w * 0.9);
        }
    }
    p.restore();
}

void dimensionLine(QPainter& p, QPointF a, QPointF b, const QString& label, const QColor& c,
                   QRectF labelBox)
{
    p.save();
    p.setPen(QPen(c, 1.5));
    p.drawLine(a, b);
    QLineF l(a, b);
    QLineF n = l.normalVector();
    n.setLength(5);
    const QPointF off = n.p2() - n.p1();
    p.drawLine(a - off, a + off);
    p.drawLine(b - off, b + off);
    p.restore();
    text(p, labelBox, label, 13, c, true);
}

void tick(QPainter& p, QPointF c, bool ok)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ok ? QColor(0x1f, 0x9d, 0x55) : QColor(0xd3, 0x2f, 0x2f));
    p.drawEllipse(c, 10, 10);
    p.setPen(QPen(white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (ok) {
        p.drawPolyline(QPolygonF{c + QPointF(-5, 0), c + QPointF(-1, 4), c + QPointF(5, -4)});
    } else {
        p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
        p.drawLine(c + QPointF(4, -4), c + QPointF(-4, 4));
    }
    p.restore();
}

void bus(QPainter& p, QPointF c, const QColor& body)
{
    p.save();
    p.translate(c);
    p.setPen(QPen(body.darker(140), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(-10, -34, 20, 68), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x24, 0x33, 0x44));
    p.drawRect(QRectF(-8, -32, 16, 5));
    p.setBrush(QColor(0xff, 0xff, 0xff, 120));
    p.drawRect(QRectF(-6, -20, 12, 44));
    p.restore();
}

void triangleMark(QPainter& p, QPointF c, qreal s)
{
    p.save();
    p.setPen(QPen(QColor(0xff, 0x2a, 0x2a), 2.2 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xff, 0xe0, 0x60));
    p.drawPolygon(
        QPolygonF{c + QPointF(0, -6 * s), c + QPointF(-6 * s, 5 * s), c + QPointF(6 * s, 5 * s)});
    p.restore();
}

// A top-down expressway going up: emergency lane on the right beyond the solid edge line.
void expressway(QPainter& p)
{
    p.fillRect(QRectF(0, 0, W, H), grass);
    p.fillRect(QRectF(28, 0, 166, H), road);
    p.fillRect(QRectF(194, 0, 5, H), QColor(0xb0, 0xb4, 0xb8));
    solidVertical(p, 32, 0, H, lineYellow, 2.5);
    dashedVertical(p, 82, -4, H, white, 2.5, 16, 16);
    dashedVertical(p, 132, -4, H, white, 2.5, 16, 16);
    solidVertical(p, 160, 0, H, white, 3);
}

} // namespace

std::vector<Picture> scenePictures()
{
    std::vector<Picture> v;
    v.push_back(pic("scene_crosswalk.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(40, 0, 145, H), road);
        p.fillRect(QRectF(0, 0, 40, H), QColor(0xc9, 0xc4, 0xb8));
        p.fillRect(QRectF(185, 0, 40, H), QColor(0xc9, 0xc4, 0xb8));
        zebraHorizontal(p, 44, 182, 22, 26);
        p.fillRect(QRectF(113, 56, 68, 4), white);
        dashedVertical(p, 112.5, 62, H, lineYellow, 3);
        solidVertical(p, 112.5, 0, 20, lineYellow, 3);
        personTop(p, QPointF(126, 35), QColor(0x2e, 0x8b, 0x57));
        personTop(p, QPointF(150, 33), QColor(0xe0, 0x7a, 0x22));
        personTop(p, QPointF(92, 36), QColor(0x8e, 0x44, 0xad));
        carTop(p, QPointF(147, 100), 0, ownCar);
    }));
    v.push_back(pic("scene_school.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(30, 0, 120, H), road);
        p.fillRect(QRectF(150, 0, 75, H), QColor(0xc9, 0xc4, 0xb8));
        p.fillRect(QRectF(168, 10, 52, 58), QColor(0xe4, 0xc9, 0x9a));
        p.fillRect(QRectF(168, 10, 52, 58).adjusted(0, 0, 0, -46), QColor(0xb5, 0x4a, 0x3a));
        text(p, QRectF(168, 28, 52, 30), QStringLiteral("学校"), 17, QColor(0x5a, 0x2a, 0x20),
             true);
        zebraHorizontal(p, 34, 148, 40, 24);
        dashedVertical(p, 90, 70, H, lineYellow, 3);
        for (int i = 0; i < 4; ++i)
            personTop(p, QPointF(70 + i * 20, 50 + (i % 2) * 6), QColor(0xf0, 0xa0, 0x20), 0.8);
        carTop(p, QPointF(120, 112), 0, ownCar);
    }));
    v.push_back(pic("scene_left_turn.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(60, 0, 105, H), road);
        p.fillRect(QRectF(0, 40, W, 56), road);
        dashedVertical(p, 112.5, 100, H, lineYellow, 3);
        dashedVertical(p, 112.5, -4, 36, lineYellow, 3);
        p.fillRect(QRectF(114, 98, 51, 3), white);
        p.fillRect(QRectF(60, 35, 52, 3), white);
        // Planned path of the red car, dashed.
        p.save();
        p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::DashLine));
        QPainterPath path;
        path.moveTo(124, 84);
        path.quadTo(118, 60, 40, 58);
        p.drawPath(path);
        p.restore();
        carTop(p, QPointF(127, 104), -8, ownCar);
        carTop(p, QPointF(88, 20), 180, otherCar);
        text(p, QRectF(134, 108, 24, 16), QStringLiteral("甲"), 13, white, true);
        text(p, QRectF(66, 12, 24, 16), QStringLiteral("乙"), 13, white, true);
    }));
    v.push_back(pic("scene_bus_stop.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(30, 0, 160, H), road);
        p.fillRect(QRectF(190, 0, 35, H), QColor(0xc9, 0xc4, 0xb8));
        solidVertical(p, 34, 0, H, lineYellow, 2.5);
        dashedVertical(p, 110, -4, H, white, 2.5);
        p.fillRect(QRectF(196, 16, 22, 40), QColor(0x3f, 0x84, 0xc4));
        bus(p, QPointF(170, 40), QColor(0x3a, 0xa8, 0x5c));
        personTop(p, QPointF(178, 2), QColor(0xe0, 0x7a, 0x22));
        personTop(p, QPointF(205, 66), QColor(0x8e, 0x44, 0xad));
        carTop(p, QPointF(150, 112), 0, ownCar);
    }));
    v.push_back(pic("scene_merge.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(road);
        p.drawPolygon(QPolygonF{{20, 0}, {20, H}, {205, H}, {205, 60}, {160, 0}});
        p.restore();
        solidVertical(p, 24, 0, H, lineYellow, 2.5);
        dashedVertical(p, 88, -4, H, white, 2.5, 16, 16);
        // The acceleration lane joins the main lanes through a broken line, then ends.
        dashedVertical(p, 152, 10, H, white, 3, 8, 8);
        p.save();
        p.setPen(QPen(white, 2.5));
        p.drawLine(QPointF(201, H), QPointF(201, 60));
        p.drawLine(QPointF(201, 60), QPointF(156, 0));
        p.restore();
        carTop(p, QPointF(178, 102), 0, ownCar);
        carTop(p, QPointF(122, 60), 0, otherCar);
        carTop(p, QPointF(56, 30), 0, QColor(0xe6, 0xe6, 0xe6));
    }));
    v.push_back(pic("scene_breakdown.jpg", [](QPainter& p) {
        expressway(p);
        carTop(p, QPointF(177, 24), 0, ownCar);
        for (qreal x : {171.0, 183.0}) {
            p.save();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xff, 0xb0, 0x10));
            p.drawEllipse(QPointF(x, 38), 2.4, 2.4);
            p.restore();
        }
        triangleMark(p, QPointF(177, 120), 1.2);
        personTop(p, QPointF(212, 28), QColor(0xff, 0x8c, 0x00), 0.9);
        carTop(p, QPointF(107, 96), 0, otherCar);
    }));
    v.push_back(pic("scene_mountain.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), QColor(0x9a, 0x8a, 0x74));
        // Rock face on the left, a steep drop beyond posts on the right.
        QRandomGenerator rng(7);
        for (int i = 0; i < 40; ++i) {
            p.save();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x7e, 0x70, 0x5e));
            p.drawEllipse(QPointF(rng.bounded(60), rng.bounded(H)), 6 + rng.bounded(6),
                          4 + rng.bounded(4));
            p.restore();
        }
        p.fillRect(QRectF(160, 0, 65, H), QColor(0xa9, 0xc8, 0xdd));
        p.fillRect(QRectF(70, 0, 90, H), QColor(0x7a, 0x74, 0x6c));
        for (qreal y = 6; y < H; y += 20)
            p.fillRect(QRectF(161, y, 4, 8), white);
        carTop(p, QPointF(92, 38), 180, otherCar);
        carTop(p, QPointF(140, 98), 0, ownCar);
        text(p, QRectF(104, 24, 30, 20), QStringLiteral("甲"), 15, white, true);
        text(p, QRectF(106, 90, 30, 20), QStringLiteral("乙"), 15, white, true);
        text(p, QRectF(4, 56, 60, 22), QStringLiteral("山体"), 15, white, true);
        text(p, QRectF(168, 56, 56, 22), QStringLiteral("悬崖"), 15, QColor(0x30, 0x50, 0x70),
             true);
    }));
    v.push_back(pic("scene_follow.jpg", [](QPainter& p) {
        perspectiveRoad(p, QColor(0xbf, 0xdc, 0xf2), grass, road, 50);
        perspectiveDashes(p, 50, white);
        // A lorry close ahead fills the view.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2c, 0x2c, 0x2c));
        p.drawRect(QRectF(84, 104, 14, 14));
        p.drawRect(QRectF(150, 104, 14, 14));
        p.setBrush(QColor(0x50, 0x6e, 0x8c));
        p.drawRect(QRectF(72, 10, 104, 96));
        p.setBrush(QColor(0x3c, 0x56, 0x70));
        p.drawRect(QRectF(72, 96, 104, 10));
        p.setBrush(QColor(0x9a, 0x1c, 0x1c));
        p.drawRect(QRectF(76, 98, 14, 6));
        p.drawRect(QRectF(158, 98, 14, 6));
        p.setBrush(QColor(0xf2, 0xc0, 0x1e));
        p.drawRect(QRectF(110, 80, 28, 12));
    }));
    v.push_back(pic("scene_fog.jpg", [](QPainter& p) {
        perspectiveRoad(p, QColor(0xc4, 0xc8, 0xcc), QColor(0x9a, 0xa6, 0x94),
                        QColor(0x6c, 0x70, 0x74), 56);
        perspectiveDashes(p, 56, white);
        carRear(p, QPointF(128, 74), 34, QColor(0x80, 0x30, 0x30), true, true, true);
        QLinearGradient fog(0, 0, 0, H);
        fog.setColorAt(0, QColor(0xe4, 0xe6, 0xe8, 240));
        fog.setColorAt(0.55, QColor(0xe4, 0xe6, 0xe8, 185));
        fog.setColorAt(1, QColor(0xe4, 0xe6, 0xe8, 90));
        p.fillRect(QRectF(0, 0, W, H), fog);
    }));
    v.push_back(pic("scene_night.jpg", [](QPainter& p) {
        perspectiveRoad(p, QColor(0x0c, 0x12, 0x24), QColor(0x0e, 0x14, 0x10),
                        QColor(0x24, 0x26, 0x2a), 56);
        perspectiveDashes(p, 56, QColor(0xa0, 0x9a, 0x70));
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 14; ++i) {
            p.setBrush(QColor(255, 255, 255, 150));
            p.drawEllipse(QPointF(12 + i * 16, 8 + (i * 37) % 30), 0.9, 0.9);
        }
        oncomingCar(p, QPointF(96, 70), 30, true);
    }));
    v.push_back(pic("scene_rain.jpg", [](QPainter& p) {
        perspectiveRoad(p, QColor(0x7e, 0x88, 0x94), QColor(0x5e, 0x74, 0x5a),
                        QColor(0x48, 0x4c, 0x54), 52);
        perspectiveDashes(p, 52, QColor(0xd8, 0xd8, 0xd8));
        // Reflections on the wet surface.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x9a, 0xa6, 0xb4, 120));
        p.drawEllipse(QPointF(80, 112), 34, 6);
        p.drawEllipse(QPointF(150, 96), 24, 4);
        carRear(p, QPointF(138, 78), 40, QColor(0x30, 0x50, 0x80), false, false, true);
        QRandomGenerator rng(3);
        p.setPen(QPen(QColor(230, 236, 245, 170), 1.2));
        for (int i = 0; i < 90; ++i) {
            const QPointF a(rng.bounded(W + 20), rng.bounded(H));
            p.drawLine(a, a + QPointF(-3, 9));
        }
    }));
    v.push_back(pic("scene_snow.jpg", [](QPainter& p) {
        perspectiveRoad(p, QColor(0xd4, 0xdc, 0xe4), QColor(0xf4, 0xf6, 0xf8),
                        QColor(0xdc, 0xe0, 0xe4), 52);
        mountainsAndTrees(p, 52, QColor(0xe8, 0xec, 0xf0));
        // Dark wheel ruts through the snow.
        p.setPen(QPen(QColor(0x8a, 0x90, 0x98), 6));
        for (qreal x : {70.0, 100.0, 130.0, 160.0})
            p.drawLine(QPointF(x, H), QPointF(108 + (x - 115) * 0.06, 52));
        carRear(p, QPointF(116, 76), 38, QColor(0x2a, 0x2a, 0x2a), false, false);
        QRandomGenerator rng(11);
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        for (int i = 0; i < 70; ++i)
            p.drawEllipse(QPointF(rng.bounded(W), rng.bounded(H)), 1.4, 1.4);
    }));
    v.push_back(pic("scene_tunnel.jpg", [](QPainter& p) {
        perspectiveRoad(p, QColor(0xbf, 0xdc, 0xf2), QColor(0x6c, 0x8e, 0x4c), road, 92);
        // Hillside with the portal cut into it.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x5f, 0x7e, 0x44));
        p.drawPolygon(QPolygonF{{0, 92}, {0, 30}, {60, 8}, {140, 14}, {225, 36}, {225, 92}});
        p.setBrush(QColor(0xb8, 0xb4, 0xa8));
        p.drawRect(QRectF(60, 22, 105, 70));
        QPainterPath hole;
        hole.moveTo(72, 92);
        hole.lineTo(72, 62);
        hole.cubicTo(72, 36, 153, 36, 153, 62);
        hole.lineTo(153, 92);
        hole.closeSubpath();
        p.setBrush(QColor(0x14, 0x14, 0x16));
        p.drawPath(hole);
        p.setBrush(QColor(0xff, 0xd8, 0x80));
        for (qreal x = 84; x < 150; x += 12)
            p.drawEllipse(QPointF(x, 54 + std::abs(x - 112.5) * 0.12), 1.6, 1.6);
        perspectiveDashes(p, 92, white);
        text(p, QRectF(80, 24, 64, 14), QStringLiteral("青峰隧道"), 11, QColor(0x30, 0x30, 0x30),
             true);
    }));
    v.push_back(pic("scene_water.jpg", [](QPainter& p) {
        perspectiveRoad(p, QColor(0x9e, 0xb0, 0xc0), QColor(0x6c, 0x8a, 0x5c), road, 50);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x8a, 0x76, 0x52));
        QPainterPath water;
        water.moveTo(0, 76);
        water.cubicTo(60, 68, 150, 70, 225, 78);
        water.lineTo(225, 118);
        water.cubicTo(150, 124, 60, 122, 0, 114);
        water.closeSubpath();
        p.drawPath(water);
        p.setPen(QPen(QColor(0xb8, 0xa4, 0x7c), 1.5));
        for (int i = 0; i < 6; ++i)
            p.drawLine(QPointF(20 + i * 34, 88 + (i % 3) * 8),
                       QPointF(40 + i * 34, 88 + (i % 3) * 8));
        // A depth post standing in the water.
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        p.drawRect(QRectF(184, 56, 5, 52));
        p.setBrush(red);
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(184, 58 + i * 12, 5, 6));
    }));
    return v;
}

std::vector<Picture> explanationPictures()
{
    std::vector<Picture> v;
    v.push_back(pic("exp_triangle_150m.jpg", [](QPainter& p) {
        expressway(p);
        carTop(p, QPointF(177, 18), 0, ownCar);
        triangleMark(p, QPointF(177, 122), 1.2);
        dimensionLine(p, QPointF(150, 22), QPointF(150, 122), QStringLiteral("150米以外"),
                      QColor(0xff, 0xf0, 0x60), QRectF(40, 60, 106, 20));
        arrow(p, line({{107, 130}, {107, 100}}), 4, 8, 12, white);
        text(p, QRectF(40, 110, 60, 20), QStringLiteral("来车方向"), 12, white, true);
    }));
    v.push_back(pic("exp_lane_choice.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(30, 0, 165, H), road);
        p.fillRect(QRectF(0, 0, W, 44), road);
        solidVertical(p, 34, 44, H, lineYellow, 2.5);
        solidVertical(p, 39, 44, H, lineYellow, 2.5);
        solidVertical(p, 90, 50, H, white, 2.5);
        solidVertical(p, 140, 50, H, white, 2.5);
        p.fillRect(QRectF(41, 46, 150, 4), white);
        // The right way: the red car turns left out of the left-turn lane.
        QPainterPath path;
        path.moveTo(64, 96);
        path.lineTo(64, 40);
        path.quadTo(64, 22, 30, 22);
        arrow(p, path, 4, 10, 14, QColor(0x2a, 0xd0, 0x6a));
        carTop(p, QPointF(64, 108), 0, ownCar);
        tick(p, QPointF(64, 126), true);
        // Wrong: turning left from the straight-ahead lane cuts across.
        carTop(p, QPointF(115, 108), 0, otherCar);
        QPainterPath wrong;
        wrong.moveTo(115, 92);
        wrong.quadTo(112, 30, 78, 16);
        p.save();
        p.setPen(QPen(QColor(0xff, 0x60, 0x60), 2, Qt::DashLine));
        p.drawPath(wrong);
        p.restore();
        tick(p, QPointF(115, 126), false);
        text(p, QRectF(146, 58, 76, 40), QStringLiteral("左转提前\n进左转车道"), 12, white, true);
    }));
    v.push_back(pic("exp_distance_100m.jpg", [](QPainter& p) {
        expressway(p);
        carTop(p, QPointF(107, 20), 0, otherCar);
        carTop(p, QPointF(107, 118), 0, ownCar);
        dimensionLine(p, QPointF(126, 36), QPointF(126, 102), QStringLiteral("100米以上"),
                      QColor(0xff, 0xf0, 0x60), QRectF(130, 58, 66, 20));
        text(p, QRectF(36, 52, 46, 40), QStringLiteral("车速\n>100"), 12, white, true);
    }));
    v.push_back(pic("exp_solid_dashed.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(40, 0, 145, H), road);
        solidVertical(p, 44, 0, H, white, 2.5);
        solidVertical(p, 181, 0, H, white, 2.5);
        solidVertical(p, 109.5, 0, H, lineYellow, 3);
        dashedVertical(p, 115.5, -4, H, lineYellow, 3);
        // From the broken side the line may be crossed; from the solid side it may not.
        carTop(p, QPointF(150, 104), 0, ownCar);
        arrow(p, line({{146, 88}, {128, 62}, {126, 56}}), 3, 8, 11, QColor(0x2a, 0xd0, 0x6a));
        tick(p, QPointF(160, 60), true);
        carTop(p, QPointF(76, 34), 180, otherCar);
        p.save();
        p.setPen(QPen(QColor(0xff, 0x60, 0x60), 2, Qt::DashLine));
        p.drawLine(QPointF(80, 52), QPointF(100, 82));
        p.restore();
        tick(p, QPointF(66, 78), false);
    }));
    v.push_back(pic("exp_yellow_light.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(40, 0, 145, H), road);
        p.fillRect(QRectF(0, 10, W, 40), road);
        p.fillRect(QRectF(44, 54, 137, 5), white);
        dashedVertical(p, 112.5, 64, H, white, 3);
        carTop(p, QPointF(78, 40), 0, otherCar);
        carTop(p, QPointF(147, 86), 0, ownCar);
        tick(p, QPointF(100, 40), true);
        tick(p, QPointF(170, 86), true);
        text(p, QRectF(0, 14, 60, 32), QStringLiteral("已越线\n继续通行"), 11, white, true);
        text(p, QRectF(120, 104, 56, 32), QStringLiteral("未越线\n停车等待"), 11, white, true);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x22, 0x24, 0x26));
        p.drawRoundedRect(QRectF(190, 64, 28, 66), 5, 5);
        p.setBrush(lampOff);
        p.drawEllipse(QPointF(204, 78), 8, 8);
        p.drawEllipse(QPointF(204, 116), 8, 8);
        p.setBrush(lampYellow);
        p.drawEllipse(QPointF(204, 97), 8, 8);
    }));
    v.push_back(pic("exp_low_beam.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), QColor(0x14, 0x1a, 0x2c));
        p.fillRect(QRectF(0, 44, W, 52), QColor(0x2a, 0x2c, 0x32));
        for (qreal x = 4; x < W; x += 24)
            p.fillRect(QRectF(x, 69, 12, 2.5), QColor(0xd0, 0xc8, 0x90));
        // Each car dips its beam before the two are 150 m apart.
        auto beam = [&](QPointF from, qreal dir) {
            QLinearGradient g(from, from + QPointF(dir * 50, 0));
            g.setColorAt(0, QColor(255, 250, 200, 170));
            g.setColorAt(1, QColor(255, 250, 200, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawPolygon(
                QPolygonF{from, from + QPointF(dir * 50, -6), from + QPointF(dir * 50, 8)});
        };
        beam(QPointF(42, 83), 1);
        beam(QPointF(183, 57), -1);
        carTop(p, QPointF(28, 83), 90, ownCar);
        carTop(p, QPointF(197, 57), -90, otherCar);
        dimensionLine(p, QPointF(44, 104), QPointF(181, 104), QStringLiteral("150米以外改用近光灯"),
                      QColor(0xff, 0xf0, 0x60), QRectF(20, 110, 185, 20));
        text(p, QRectF(20, 12, 185, 20), QStringLiteral("夜间会车"), 14, white, true);
    }));
    return v;
}

} // namespace pics
