#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

#include <functional>
#include <vector>

// Flat drawing helpers shared by every bank picture, so signs, lights and roads read as one set.
namespace pics {

constexpr int W = 225;
constexpr int H = 137;

namespace colour {
inline const QColor black{0x1b, 0x1b, 0x1b};
inline const QColor white{0xff, 0xff, 0xff};
inline const QColor yellow{0xf6, 0xc3, 0x00};
inline const QColor red{0xd3, 0x1f, 0x26};
inline const QColor blue{0x1b, 0x4f, 0xa6};
inline const QColor green{0x0b, 0x7a, 0x43};
inline const QColor paper{0xea, 0xef, 0xf3};
inline const QColor road{0x5c, 0x60, 0x66};
inline const QColor grass{0x93, 0xb8, 0x6c};
inline const QColor lineYellow{0xf2, 0xbe, 0x1a};
inline const QColor lampRed{0xff, 0x2d, 0x2d};
inline const QColor lampYellow{0xff, 0xc4, 0x1c};
inline const QColor lampGreen{0x2b, 0xe0, 0x6a};
inline const QColor lampOff{0x3a, 0x3d, 0x40};
} // namespace colour

using Painter = std::function<void(QPainter&)>;

QFont font(qreal px, bool bold = false);
void text(QPainter& p, const QRectF& box, const QString& s, qreal px, const QColor& c,
          bool bold = false, int flags = Qt::AlignCenter);

// An arrow along the path with a head at its end; the shaft stops where the head starts.
void arrow(QPainter& p, const QPainterPath& shaft, qreal width, qreal headLength, qreal headWidth,
           const QColor& c);
QPainterPath line(std::initializer_list<QPointF> pts);

// Signs: each draws its frame and calls the symbol with the origin at the symbol's centre.
void backdrop(QPainter& p);
void warningSign(QPainter& p, const Painter& symbol);
void prohibitionSign(QPainter& p, const Painter& symbol, bool bar);
void indicationSign(QPainter& p, const Painter& symbol);
void rectangleSign(QPainter& p, const QColor& fill, qreal w, qreal h, const Painter& symbol);

// Top-down road pieces; traffic in a lane marked "up" drives towards the top edge.
void carTop(QPainter& p, QPointF centre, qreal angleDeg, const QColor& body, qreal scale = 1.0);
void dashedVertical(QPainter& p, qreal x, qreal y0, qreal y1, const QColor& c, qreal width = 3,
                    qreal dash = 14, qreal gap = 10);
void solidVertical(QPainter& p, qreal x, qreal y0, qreal y1, const QColor& c, qreal width = 3);
void personTop(QPainter& p, QPointF at, const QColor& coat, qreal scale = 1.0);
void zebraHorizontal(QPainter& p, qreal x0, qreal x1, qreal y, qreal depth);

// Driver's-eye view: sky, ground and a road narrowing towards the horizon.
void perspectiveRoad(QPainter& p, const QColor& sky, const QColor& ground, const QColor& road,
                     qreal horizon = 52);
void carRear(QPainter& p, QPointF centre, qreal width, const QColor& body, bool leftLamp,
             bool rightLamp, bool brake = false);

// Traffic light housings.
void lightHousing(QPainter& p, const std::vector<QColor>& lamps);

struct Picture
{
    QString name;
    Painter draw;
};
struct Animation
{
    QString name;
    std::vector<Painter> frames;
    std::vector<int> delaysCs; // per frame, hundredths of a second
    bool transparent = false;  // frames drawn on a transparent background
};

std::vector<Picture> signPictures();
std::vector<Picture> lightPictures();
std::vector<Picture> markingPictures();
std::vector<Picture> scenePictures();
std::vector<Picture> explanationPictures();
std::vector<Animation> animations();

} // namespace pics
