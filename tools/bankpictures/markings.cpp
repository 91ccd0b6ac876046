#include "draw.h"

#include <QPolygonF>

namespace pics {
namespace {

using namespace colour;

const QColor ownCar{0xc8, 0x28, 0x30};
const QColor otherCar{0x2f, 0x6e, 0xb8};
const QColor thirdCar{0xe6, 0xe6, 0xe6};

void roadway(QPainter& p, qreal x0, qreal x1)
{
    p.fillRect(QRectF(0, 0, W, H), grass);
    p.fillRect(QRectF(x0, 0, x1 - x0, H), road);
}

void edgeLines(QPainter& p, qreal x0, qreal x1)
{
    solidVertical(p, x0 + 4, 0, H, white, 2.5);
    solidVertical(p, x1 - 4, 0, H, white, 2.5);
}

// A lane arrow painted on the road: long and narrow, as a driver sees it stretched out.
enum class Lane { Left, Straight, Right, StraightRight };
void paintedArrow(QPainter& p, QPointF base, Lane kind)
{
    p.save();
    p.translate(base);
    if (kind == Lane::Straight || kind == Lane::StraightRight)
        arrow(p, line({{0, 0}, {0, -26}}), 4, 10, 11, white);
    if (kind == Lane::StraightRight) {
        QPainterPath b;
        b.moveTo(0, -10);
        b.quadTo(0, -18, 6, -20);
        arrow(p, b, 4, 7, 10, white);
    }
    if (kind == Lane::Left || kind == Lane::Right) {
        if (kind == Lane::Right)
            p.scale(-1, 1);
        QPainterPath b;
        b.moveTo(0, 0);
        b.lineTo(0, -18);
        b.quadTo(0, -26, -6, -28);
        arrow(p, b, 4, 7, 11, white);
    }
    p.restore();
}

// Two lanes with edge lines; the centre line is drawn by the caller before the cars go on top.
void twoLanes(QPainter& p, bool sameDirection, const Painter& centre)
{
    roadway(p, 40, 185);
    edgeLines(p, 40, 185);
    centre(p);
    if (sameDirection) {
        carTop(p, QPointF(78, 96), 0, ownCar);
        carTop(p, QPointF(147, 46), 0, otherCar);
    } else {
        carTop(p, QPointF(78, 42), 180, otherCar);
        carTop(p, QPointF(147, 96), 0, ownCar);
    }
}

Picture pic(const char* name, Painter draw)
{
    return {QString::fromLatin1(name), std::move(draw)};
}

} // namespace

std::vector<Picture> markingPictures()
{
    std::vector<Picture> v;
    v.push_back(pic("mark_white_dashed.jpg", [](QPainter& p) {
        twoLanes(p, true, [](QPainter& q) { dashedVertical(q, 112.5, -4, H, white, 3); });
    }));
    v.push_back(pic("mark_white_solid.jpg", [](QPainter& p) {
        twoLanes(p, true, [](QPainter& q) { solidVertical(q, 112.5, 0, H, white, 3); });
    }));
    v.push_back(pic("mark_yellow_double.jpg", [](QPainter& p) {
        twoLanes(p, false, [](QPainter& q) {
            solidVertical(q, 109.5, 0, H, lineYellow, 3);
            solidVertical(q, 115.5, 0, H, lineYellow, 3);
        });
    }));
    v.push_back(pic("mark_yellow_dashed.jpg", [](QPainter& p) {
        twoLanes(p, false, [](QPainter& q) { dashedVertical(q, 112.5, -4, H, lineYellow, 3); });
    }));
    v.push_back(pic("mark_yellow_solid_dashed.jpg", [](QPainter& p) {
        // Solid on the oncoming side, broken on the side of the red car.
        twoLanes(p, false, [](QPainter& q) {
            solidVertical(q, 109.5, 0, H, lineYellow, 3);
            dashedVertical(q, 115.5, -4, H, lineYellow, 3);
        });
    }));
    v.push_back(pic("mark_guide_arrows.jpg", [](QPainter& p) {
        roadway(p, 30, 195);
        solidVertical(p, 32, 0, H, lineYellow, 2.5);
        solidVertical(p, 37, 0, H, lineYellow, 2.5);
        solidVertical(p, 191, 0, H, white, 2.5);
        // Stop line, then solid lane lines in the approach, dashed further back.
        p.fillRect(QRectF(39, 22, 150, 5), white);
        for (qreal x : {90.0, 140.0}) {
            solidVertical(p, x, 27, 100, white, 2.5);
            dashedVertical(p, x, 108, H, white, 2.5);
        }
        paintedArrow(p, QPointF(66, 72), Lane::Left);
        paintedArrow(p, QPointF(115, 72), Lane::Straight);
        paintedArrow(p, QPointF(164, 72), Lane::Right);
        carTop(p, QPointF(115, 116), 0, ownCar);
    }));
    v.push_back(pic("mark_crosswalk_diamond.jpg", [](QPainter& p) {
        roadway(p, 40, 185);
        edgeLines(p, 40, 185);
        dashedVertical(p, 112.5, 44, H, white, 3);
        zebraHorizontal(p, 48, 180, 6, 24);
        p.fillRect(QRectF(44, 37, 137, 4), white);
        // The diamond warns that a crossing lies ahead.
        for (qreal x : {78.0, 147.0}) {
            p.save();
            p.setPen(QPen(white, 2.5));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(QPolygonF{{x, 56}, {x + 9, 74}, {x, 92}, {x - 9, 74}});
            p.restore();
        }
        carTop(p, QPointF(78, 120), 0, ownCar);
        carTop(p, QPointF(147, 122), 0, otherCar);
    }));
    v.push_back(pic("mark_net_yellow.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(60, 0, 105, H), road);
        p.fillRect(QRectF(0, 34, W, 70), road);
        const QRectF box(64, 38, 97, 62);
        p.save();
        p.setClipRect(box);
        p.setPen(QPen(lineYellow, 2));
        for (qreal d = -80; d < 180; d += 14) {
            p.drawLine(QPointF(box.left() + d, box.top()),
                       QPointF(box.left() + d + 62, box.bottom()));
            p.drawLine(QPointF(box.left() + d + 62, box.top()),
                       QPointF(box.left() + d, box.bottom()));
        }
        p.restore();
        p.setPen(QPen(lineYellow, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
        carTop(p, QPointF(135, 122), 0, ownCar);
        carTop(p, QPointF(20, 80), 90, otherCar);
    }));
    v.push_back(pic("mark_diversion.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(road);
        p.drawPolygon(QPolygonF{{30, H}, {170, H}, {178, 100}, {222, 0}, {30, 0}});
        p.setBrush(grass);
        p.drawPolygon(QPolygonF{{128, -2}, {165, -2}, {150, 40}});
        p.restore();
        // The gore: a white outline filled with slanting stripes that must not be driven over.
        const QPolygonF gore{{150, 40}, {128, 0}, {122, 0}, {148, 118}, {176, 0}, {166, 0}};
        const QPolygonF area{{148, 118}, {126, 0}, {170, 0}};
        p.save();
        QPainterPath clip;
        clip.addPolygon(area);
        p.setClipPath(clip);
        p.setPen(QPen(white, 3));
        for (qreal y = 130; y > -60; y -= 12)
            p.drawLine(QPointF(110, y), QPointF(190, y - 40));
        p.restore();
        p.setPen(QPen(white, 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawLine(QPointF(148, 118), QPointF(126, 0));
        p.drawLine(QPointF(148, 118), QPointF(170, 0));
        solidVertical(p, 34, 0, H, white, 2.5);
        dashedVertical(p, 80, -4, H, white, 2.5);
        p.drawLine(QPointF(166, H), QPointF(218, 0));
        p.setPen(Qt::NoPen);
        p.fillRect(QRectF(148, 118, 18, 19), road);
        carTop(p, QPointF(120, 112), 0, ownCar);
        carTop(p, QPointF(188, 40), 22, otherCar);
    }));
    auto junction = [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(0, 0, W, 46), road);
        p.fillRect(QRectF(60, 0, 105, H), road);
        dashedVertical(p, 112.5, 60, H, lineYellow, 3);
        p.fillRect(QRectF(0, 21.5, W, 3), lineYellow);
    };
    v.push_back(pic("mark_yield_line.jpg", [junction](QPainter& p) {
        junction(p);
        // Two rows of dashes across the lane, and the inverted triangle pointing at the driver.
        for (qreal y : {54.0, 61.0})
            for (qreal x = 116; x < 163; x += 10)
                p.fillRect(QRectF(x, y, 6, 3.5), white);
        p.setPen(QPen(white, 2.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF{{127, 76}, {151, 76}, {139, 112}});
        carTop(p, QPointF(139, 128), 0, ownCar);
    }));
    v.push_back(pic("mark_stop_line_text.jpg", [junction](QPainter& p) {
        junction(p);
        p.fillRect(QRectF(115, 52, 48, 3.5), white);
        p.fillRect(QRectF(115, 59, 48, 3.5), white);
        p.save();
        p.translate(139, 92);
        p.scale(1.0, 1.6);
        text(p, QRectF(-20, -14, 40, 28), QStringLiteral("停"), 24, white, true);
        p.restore();
        carTop(p, QPointF(139, 128), 0, ownCar);
    }));
    v.push_back(pic("mark_left_waiting.jpg", [](QPainter& p) {
        p.fillRect(QRectF(0, 0, W, H), grass);
        p.fillRect(QRectF(10, 0, 205, H), road);
        p.fillRect(QRectF(0, 8, W, 78), road);
        // Our approach: left-turn, straight and right lanes behind the stop line at y = 90.
        solidVertical(p, 64, 90, H, lineYellow, 2.5);
        solidVertical(p, 69, 90, H, lineYellow, 2.5);
        solidVertical(p, 117, 90, H, white, 2.5);
        solidVertical(p, 164, 90, H, white, 2.5);
        p.fillRect(QRectF(71, 88, 140, 4), white);
        // The waiting area runs into the junction, bent towards the left turn.
        p.save();
        p.setPen(QPen(white, 2.5, Qt::DashLine, Qt::FlatCap));
        p.drawLine(QPointF(71, 88), QPointF(58, 36));
        p.drawLine(QPointF(117, 88), QPointF(104, 36));
        p.setPen(QPen(white, 3, Qt::DashLine, Qt::FlatCap));
        p.drawLine(QPointF(58, 36), QPointF(104, 36));
        p.restore();
        text(p, QRectF(64, 50, 46, 16), QStringLiteral("待转区"), 12, white, true);
        paintedArrow(p, QPointF(94, 132), Lane::Left);
        paintedArrow(p, QPointF(140, 132), Lane::Straight);
        paintedArrow(p, QPointF(187, 132), Lane::Right);
        carTop(p, QPointF(40, 50), 180, otherCar);
    }));
    v.push_back(pic("mark_bus_lane.jpg", [](QPainter& p) {
        roadway(p, 25, 200);
        solidVertical(p, 29, 0, H, white, 2.5);
        solidVertical(p, 196, 0, H, white, 2.5);
        dashedVertical(p, 84, -4, H, white, 2.5);
        dashedVertical(p, 142, -4, H, lineYellow, 3);
        p.save();
        p.translate(169, 70);
        for (int i = 0; i < 4; ++i)
            text(p, QRectF(-12, -44 + i * 22, 24, 22), QString(QStringLiteral("公交专用")[i]), 18,
                 lineYellow, true);
        p.restore();
        carTop(p, QPointF(55, 90), 0, otherCar);
        carTop(p, QPointF(113, 60), 0, ownCar);
    }));
    return v;
}

} // namespace pics
