#include "draw.h"

#include <QPolygonF>
#include <QRadialGradient>

namespace pics {
namespace {

using namespace colour;

// An arrow glyph inside a lamp; angle 0 points up, 90 points right, -90 left.
void lampArrow(QPainter& p, QPointF c, qreal angle, const QColor& col)
{
    p.save();
    p.translate(c);
    p.rotate(angle);
    arrow(p, line({{0, 11}, {0, -2}}), 5, 8, 14, col);
    p.restore();
}

void arrowHousing(QPainter& p, const std::vector<std::pair<qreal, QColor>>& lamps)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6a, 0x70, 0x76));
    p.drawRect(QRectF(108, 0, 9, 40));
    p.setBrush(QColor(0x22, 0x24, 0x26));
    const qreal w = lamps.size() * 46.0 + 12;
    p.drawRoundedRect(QRectF(112.5 - w / 2, 40, w, 58), 8, 8);
    for (size_t i = 0; i < lamps.size(); ++i) {
        const QPointF c(112.5 - w / 2 + 6 + 46 * (i + 0.5), 69);
        p.setBrush(QColor(0x10, 0x10, 0x10));
        p.drawEllipse(c, 20, 20);
        lampArrow(p, c, lamps[i].first, lamps[i].second);
    }
    p.restore();
}

void railwaySignal(QPainter& p, bool leftOn, bool rightOn)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7a, 0x80, 0x86));
    p.drawRect(QRectF(108, 0, 9, 137));
    // A black plate with a white edge carries the two red lamps side by side.
    p.setBrush(white);
    p.drawRoundedRect(QRectF(47, 32, 131, 62), 31, 31);
    p.setBrush(QColor(0x1c, 0x1c, 0x1c));
    p.drawRoundedRect(QRectF(50, 35, 125, 56), 28, 28);
    auto lamp = [&](QPointF c, bool on) {
        if (on) {
            QRadialGradient g(c, 20);
            g.setColorAt(0, QColor(0xff, 0x9a, 0x9a));
            g.setColorAt(0.7, lampRed);
            g.setColorAt(1, lampRed.darker(160));
            p.setBrush(g);
        } else {
            p.setBrush(QColor(0x4a, 0x22, 0x22));
        }
        p.drawEllipse(c, 19, 19);
    };
    lamp(QPointF(80, 63), leftOn);
    lamp(QPointF(145, 63), rightOn);
    p.restore();
}

void laneSignals(QPainter& p)
{
    perspectiveRoad(p, QColor(0xcf, 0xe2, 0xf0), grass, road, 60);
    // Lane lines converging at the horizon.
    p.setPen(QPen(white, 2.5));
    p.drawLine(QPointF(112.5, 137), QPointF(112.5, 60));
    // A gantry across the road carries one signal over each lane.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x86, 0x8c));
    p.drawRect(QRectF(20, 4, 6, 133));
    p.drawRect(QRectF(199, 4, 6, 133));
    p.drawRect(QRectF(20, 4, 185, 8));
    for (int lane = 0; lane < 2; ++lane) {
        const QRectF box(lane == 0 ? 50 : 127, 14, 48, 44);
        p.setBrush(QColor(0x1a, 0x1a, 0x1a));
        p.drawRoundedRect(box, 4, 4);
        const QPointF c = box.center();
        if (lane == 0) {
            p.setPen(QPen(lampRed, 6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + QPointF(-12, -12), c + QPointF(12, 12));
            p.drawLine(c + QPointF(12, -12), c + QPointF(-12, 12));
            p.setPen(Qt::NoPen);
        } else {
            arrow(p, line({c + QPointF(0, -15), c + QPointF(0, 2)}), 7, 11, 22, lampGreen);
        }
    }
}

} // namespace

std::vector<Picture> lightPictures()
{
    std::vector<Picture> v;
    auto state = [](const char* name, int lit) {
        return Picture{QString::fromLatin1(name), [lit](QPainter& p) {
                           backdrop(p);
                           std::vector<QColor> lamps(3, lampOff);
                           const QColor on[3] = {lampRed, lampYellow, lampGreen};
                           lamps[lit] = on[lit];
                           lightHousing(p, lamps);
                       }};
    };
    v.push_back(state("light_red.jpg", 0));
    v.push_back(state("light_yellow.jpg", 1));
    v.push_back(state("light_green.jpg", 2));
    v.push_back({QStringLiteral("light_arrows.jpg"), [](QPainter& p) {
                     backdrop(p);
                     arrowHousing(p, {{-90, lampRed}, {0, lampGreen}, {90, lampGreen}});
                 }});
    v.push_back({QStringLiteral("light_lane_signals.jpg"), laneSignals});
    return v;
}

std::vector<Animation> animations()
{
    std::vector<Animation> v;
    v.push_back({QStringLiteral("light_yellow_flash.gif"),
                 {[](QPainter& p) {
                      backdrop(p);
                      lightHousing(p, {lampOff, lampYellow, lampOff});
                  },
                  [](QPainter& p) {
                      backdrop(p);
                      lightHousing(p, {lampOff, lampOff, lampOff});
                  }},
                 {60, 60}});
    v.push_back({QStringLiteral("light_railway_flash.gif"),
                 {[](QPainter& p) {
                      backdrop(p);
                      railwaySignal(p, true, false);
                  },
                  [](QPainter& p) {
                      backdrop(p);
                      railwaySignal(p, false, true);
                  }},
                 {50, 50}});
    v.push_back({QStringLiteral("car_left_signal.gif"),
                 {[](QPainter& p) {
                      carRear(p, QPointF(112.5, 78), 150, QColor(0xe8, 0xe8, 0xea), true, false);
                  },
                  [](QPainter& p) {
                      carRear(p, QPointF(112.5, 78), 150, QColor(0xe8, 0xe8, 0xea), false, false);
                  }},
                 {50, 50},
                 true});
    auto hazard = [](bool on) {
        return [on](QPainter& p) {
            perspectiveRoad(p, QColor(0xc8, 0xdc, 0xec), grass, road, 50);
            // Centre line, and the edge line with the hard shoulder to its right.
            p.setPen(QPen(white, 2, Qt::DashLine));
            p.drawLine(QPointF(112.5, 137), QPointF(112.5, 50));
            p.setPen(QPen(white, 2));
            p.drawLine(QPointF(180, 137), QPointF(118, 50));
            carRear(p, QPointF(172, 84), 56, QColor(0xb8, 0x1e, 0x2a), on, on);
            // Warning triangle well behind the car.
            p.setPen(QPen(red, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(QPolygonF{{188, 112}, {180, 126}, {196, 126}});
        };
    };
    v.push_back({QStringLiteral("car_hazard_flash.gif"), {hazard(true), hazard(false)}, {50, 50}});
    return v;
}

} // namespace pics
