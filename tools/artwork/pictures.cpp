#include "art.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace art {

namespace {

QImage canvas(int w, int h, const QColor& fill)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

QColor withAlpha(QColor c, qreal a)
{
    c.setAlphaF(a);
    return c;
}

// The round emblem of the program: a steering wheel in a thin ring.
void drawEmblem(QPainter& p, const QPointF& centre, qreal radius, const QColor& c)
{
    p.save();
    p.setPen(QPen(withAlpha(c, 0.45), 1.0));
    p.setBrush(withAlpha(c, 0.10));
    p.drawEllipse(centre, radius, radius);
    drawSteeringWheel(p, centre, radius * 0.62, c, radius * 0.12);
    p.restore();
}

// A dashed lane line across a banner, the quiet road motif shared by the headers.
void drawLaneLine(QPainter& p, qreal x0, qreal x1, qreal y, const QColor& c)
{
    p.save();
    p.setPen(QPen(c, 2.0, Qt::SolidLine, Qt::FlatCap));
    for (qreal x = x0; x < x1; x += 34)
        p.drawLine(QPointF(x, y), QPointF(qMin(x + 18, x1), y));
    p.restore();
}

// The light 800 x 153 banner shared by the exam and study windows.
void drawLightBanner(QPainter& p, const QString& title, const QString& tag, const QString& english)
{
    fillVertical(p, QRectF(0, 0, 800, 153), colour::paper, colour::mist);
    drawArcs(p, QPointF(640, 250), 120, 7, 26, withAlpha(colour::sky, 0.28));

    // Accent: a teal bar on the left and a lane line along the bottom.
    p.fillRect(QRectF(0, 0, 8, 153), colour::teal);
    fillHorizontal(p, QRectF(0, 147, 800, 6), colour::blue, colour::teal);
    drawLaneLine(p, 40, 430, 138, withAlpha(colour::line, 0.9));

    const qreal w = text(p, 44, 74, title, font(44, true), colour::navy);

    // The tag sits in a teal pill beside the title.
    const QFont tagFont = font(17);
    const qreal tagW = QFontMetricsF(tagFont).horizontalAdvance(tag) + 26;
    const QRectF pill(44 + w + 18, 42, tagW, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::teal);
    p.drawRoundedRect(pill, 15, 15);
    text(p, pill.left() + 13, pill.top() + 21, tag, tagFont, Qt::white);

    text(p, 46, 110, english, font(15), colour::muted);
}

// A flat monitor showing one question with four options, one chosen.
void drawTerminal(QPainter& p, const QRectF& r)
{
    p.save();
    p.setPen(Qt::NoPen);
    // Stand.
    p.setBrush(colour::line);
    p.drawRect(QRectF(r.center().x() - 9, r.bottom(), 18, 12));
    p.drawRoundedRect(QRectF(r.center().x() - 36, r.bottom() + 11, 72, 5), 2.5, 2.5);
    // Body and screen.
    p.setBrush(colour::navy);
    p.drawRoundedRect(r, 7, 7);
    const QRectF s = r.adjusted(7, 7, -7, -7);
    fillVertical(p, s, Qt::white, QColor(0xee, 0xf5, 0xfa));
    // Title bar of the question window.
    p.fillRect(QRectF(s.left(), s.top(), s.width(), 11), colour::blue);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(s.left() + 7, s.top() + 5.5), 2, 2);
    // Question text as lines.
    p.setBrush(colour::line);
    p.drawRoundedRect(QRectF(s.left() + 10, s.top() + 19, s.width() * 0.78, 5), 2.5, 2.5);
    p.drawRoundedRect(QRectF(s.left() + 10, s.top() + 29, s.width() * 0.55, 5), 2.5, 2.5);
    // Options.
    for (int i = 0; i < 4; ++i) {
        const qreal y = s.top() + 44 + i * 11.5;
        const bool chosen = i == 2;
        p.setPen(QPen(chosen ? colour::teal : colour::line, 1.2));
        p.setBrush(chosen ? colour::teal : Qt::white);
        p.drawEllipse(QPointF(s.left() + 14, y + 2.5), 3.5, 3.5);
        p.setPen(Qt::NoPen);
        p.setBrush(chosen ? colour::mint : QColor(0xd6, 0xe3, 0xed));
        p.drawRoundedRect(QRectF(s.left() + 23, y, s.width() * (0.35 + 0.08 * (i % 3)), 5), 2.5,
                          2.5);
    }
    p.restore();
}

void drawClock(QPainter& p, const QPointF& c, qreal r)
{
    p.save();
    p.setPen(QPen(colour::blue, 2.2));
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(colour::line, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(i * 30.0);
        const QPointF d(qCos(a), qSin(a));
        p.drawLine(c + d * r * 0.78, c + d * r * 0.88);
    }
    // The time already used, as a soft teal sector under the hands.
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(colour::mint, 0.35));
    p.drawPie(QRectF(c.x() - r * 0.7, c.y() - r * 0.7, r * 1.4, r * 1.4), 90 * 16, -90 * 16);

    p.setPen(QPen(colour::teal, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -r * 0.62));
    p.setPen(QPen(colour::navy, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(r * 0.48, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::navy);
    p.drawEllipse(c, 2.5, 2.5);
    p.restore();
}

// A flat open book seen from above, pages as lines.
void drawOpenBook(QPainter& p, const QRectF& r)
{
    p.save();
    const qreal mid = r.center().x();
    QPainterPath cover;
    cover.addRoundedRect(r.adjusted(-6, 4, 6, 8), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::teal);
    p.drawPath(cover);

    for (int side = 0; side < 2; ++side) {
        QPainterPath page;
        const qreal outer = side == 0 ? r.left() : r.right();
        page.moveTo(mid, r.top() + 8);
        page.cubicTo(mid + (outer - mid) * 0.4, r.top() - 2, mid + (outer - mid) * 0.8, r.top(),
                     outer, r.top() + 4);
        page.lineTo(outer, r.bottom());
        page.cubicTo(mid + (outer - mid) * 0.8, r.bottom() - 4, mid + (outer - mid) * 0.4,
                     r.bottom() - 4, mid, r.bottom() + 4);
        page.closeSubpath();
        p.setBrush(side == 0 ? Qt::white : QColor(0xf3, 0xf8, 0xfb));
        p.setPen(QPen(colour::line, 1.0));
        p.drawPath(page);

        p.setPen(QPen(colour::line, 2.0, Qt::SolidLine, Qt::RoundCap));
        const qreal inner = side == 0 ? -1 : 1;
        for (int i = 0; i < 5; ++i) {
            const qreal y = r.top() + 18 + i * 12;
            const qreal len = (r.width() / 2 - 26) * (i == 4 ? 0.6 : 1.0);
            const qreal x0 = mid + inner * 12;
            p.drawLine(QPointF(x0, y), QPointF(x0 + inner * len, y));
        }
    }
    p.setPen(QPen(colour::line, 1.2));
    p.drawLine(QPointF(mid, r.top() + 8), QPointF(mid, r.bottom() + 4));
    p.restore();
}

void drawRoundSign(QPainter& p, const QPointF& c, qreal r, const QString& label)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(colour::signalRed, r * 0.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.86, r * 0.86);
    QFont f = font(r * 0.85, true);
    p.setFont(f);
    p.setPen(colour::ink);
    p.drawText(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), Qt::AlignCenter, label);
    p.restore();
}

void drawWarningSign(QPainter& p, const QPointF& c, qreal r)
{
    p.save();
    QPolygonF tri;
    for (int i = 0; i < 3; ++i) {
        const qreal a = qDegreesToRadians(-90.0 + i * 120.0);
        tri << c + QPointF(qCos(a), qSin(a)) * r;
    }
    p.setPen(QPen(colour::ink, r * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour::amber);
    p.drawPolygon(tri);
    p.setPen(QPen(colour::ink, r * 0.16, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, -r * 0.35), c + QPointF(0, r * 0.12));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::ink);
    p.drawEllipse(c + QPointF(0, r * 0.32), r * 0.09, r * 0.09);
    p.restore();
}

} // namespace

QImage mainBanner()
{
    QImage img = canvas(800, 90, colour::navy);
    QPainter p(&img);
    prepare(p);

    QLinearGradient g(0, 0, 800, 0);
    g.setColorAt(0, colour::navy);
    g.setColorAt(0.55, colour::blue);
    g.setColorAt(1, colour::teal);
    p.fillRect(img.rect(), g);
    drawArcs(p, QPointF(720, 150), 70, 8, 22, withAlpha(Qt::white, 0.22));
    drawLaneLine(p, 470, 800, 82, withAlpha(Qt::white, 0.35));

    drawEmblem(p, QPointF(46, 45), 28, Qt::white);
    text(p, 90, 42, QStringLiteral("Velmoor"), font(30, true), Qt::white);
    text(p, 91, 70, QStringLiteral("机动车驾驶人科目一理论考试练习系统"), font(17),
         QColor(0xdc, 0xeb, 0xf5));
    p.setPen(QPen(withAlpha(Qt::white, 0.25), 1.0));
    p.drawLine(QPointF(0, 89.5), QPointF(800, 89.5));
    return img;
}

namespace {

// Perspective of the road in the main picture: the horizon, the vanishing point and the
// road edges at the bottom of the picture.
constexpr qreal horizon = 248;
constexpr qreal vanishX = 300;
constexpr qreal bottom = 460;
constexpr qreal roadLeft = 10;
constexpr qreal roadRight = 590;
constexpr qreal roadTopHalf = 14;

// Horizontal position along the road: lane = -1 is the left edge, +1 the right edge.
qreal roadX(qreal y, qreal lane)
{
    const qreal t = (y - horizon) / (bottom - horizon);
    const qreal top = vanishX + lane * roadTopHalf;
    const qreal base =
        lane < 0 ? vanishX + (vanishX - roadLeft) * lane : vanishX + (roadRight - vanishX) * lane;
    return top + (base - top) * t;
}

// Screen y of a point at depth z (z = 1 is the bottom edge of the picture).
qreal depthY(qreal z)
{
    return horizon + (bottom - horizon) / z;
}

void drawTree(QPainter& p, const QPointF& foot, qreal h, const QColor& c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8d, 0x9f, 0xad));
    p.drawRect(QRectF(foot.x() - h * 0.04, foot.y() - h * 0.4, h * 0.08, h * 0.4));
    p.setBrush(c);
    p.drawEllipse(QPointF(foot.x(), foot.y() - h * 0.62), h * 0.26, h * 0.36);
    p.restore();
}

void drawCloud(QPainter& p, const QPointF& at, qreal s)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::white, 0.9));
    p.drawRoundedRect(QRectF(at.x(), at.y(), 90 * s, 22 * s), 11 * s, 11 * s);
    p.drawEllipse(QPointF(at.x() + 32 * s, at.y() + 4 * s), 18 * s, 16 * s);
    p.drawEllipse(QPointF(at.x() + 56 * s, at.y() + 2 * s), 14 * s, 13 * s);
    p.restore();
}

void drawTrafficLight(QPainter& p, qreal x, qreal ground)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5d, 0x70, 0x82));
    p.drawRect(QRectF(x - 3.5, ground - 240, 7, 240));
    p.drawRoundedRect(QRectF(x - 12, ground - 4, 24, 6), 3, 3);
    const QRectF box(x - 19, ground - 300, 38, 100);
    p.setBrush(colour::ink);
    p.drawRoundedRect(box, 9, 9);
    const QColor lit[3] = {QColor(0x6b, 0x3a, 0x3c), QColor(0x6e, 0x5a, 0x38), colour::green};
    for (int i = 0; i < 3; ++i) {
        const QPointF c(x, box.top() + 18 + i * 32);
        if (i == 2) {
            QRadialGradient glow(c, 22);
            glow.setColorAt(0, withAlpha(colour::green, 0.45));
            glow.setColorAt(1, withAlpha(colour::green, 0));
            p.setBrush(glow);
            p.drawEllipse(c, 22, 22);
        }
        p.setBrush(lit[i]);
        p.drawEllipse(c, 11, 11);
    }
    p.restore();
}

void drawCar(QPainter& p, const QPointF& base, qreal w)
{
    // A compact car seen from behind; base is the middle of its shadow on the road.
    p.save();
    const qreal s = w / 120.0;
    p.translate(base);
    p.scale(s, s);
    p.setPen(Qt::NoPen);

    p.setBrush(withAlpha(colour::ink, 0.18));
    p.drawEllipse(QPointF(0, 0), 70, 8);

    p.setBrush(QColor(0x2b, 0x34, 0x3f));
    p.drawRoundedRect(QRectF(-54, -20, 22, 22), 5, 5);
    p.drawRoundedRect(QRectF(32, -20, 22, 22), 5, 5);

    // Cabin, then the body over its lower edge.
    QPainterPath cabin;
    cabin.moveTo(-46, -52);
    cabin.lineTo(-36, -84);
    cabin.quadTo(-34, -88, -29, -88);
    cabin.lineTo(29, -88);
    cabin.quadTo(34, -88, 36, -84);
    cabin.lineTo(46, -52);
    cabin.closeSubpath();
    p.setBrush(QColor(0x24, 0x7c, 0x7f));
    p.drawPath(cabin);

    QPainterPath glass;
    glass.moveTo(-38, -55);
    glass.lineTo(-30, -80);
    glass.lineTo(30, -80);
    glass.lineTo(38, -55);
    glass.closeSubpath();
    QLinearGradient gg(0, -80, 0, -55);
    gg.setColorAt(0, QColor(0xc9, 0xdf, 0xec));
    gg.setColorAt(1, QColor(0x8f, 0xb4, 0xcb));
    p.setBrush(gg);
    p.drawPath(glass);

    p.setBrush(colour::teal);
    p.drawRoundedRect(QRectF(-60, -56, 120, 46), 10, 10);
    p.setBrush(QColor(0x24, 0x7c, 0x7f));
    p.drawRoundedRect(QRectF(-60, -18, 120, 8), 3, 3);

    // Lamps and plate.
    p.setBrush(QColor(0xe0, 0x6e, 0x62));
    p.drawRoundedRect(QRectF(-55, -47, 22, 9), 3, 3);
    p.drawRoundedRect(QRectF(33, -47, 22, 9), 3, 3);
    p.setBrush(QColor(0x3d, 0x6f, 0xb0));
    p.drawRoundedRect(QRectF(-19, -36, 38, 13), 2, 2);
    p.setPen(QPen(withAlpha(Qt::white, 0.85), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(-17, -34, 34, 9), 1.5, 1.5);
    p.restore();
}

void drawDirectionSign(QPainter& p, const QPointF& top, qreal w)
{
    // Blue guide sign on two posts with a straight-ahead and a right-turn arrow.
    p.save();
    const qreal h = w * 0.6;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8d, 0x9f, 0xad));
    p.drawRect(QRectF(top.x() + w * 0.18, top.y() + h - 2, w * 0.05, w * 1.05));
    p.drawRect(QRectF(top.x() + w * 0.77, top.y() + h - 2, w * 0.05, w * 1.05));
    p.setBrush(QColor(0x2f, 0x62, 0xa6));
    p.drawRoundedRect(QRectF(top.x(), top.y(), w, h), w * 0.06, w * 0.06);
    p.setPen(QPen(Qt::white, w * 0.025));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(top.x() + w * 0.04, top.y() + w * 0.04, w * 0.92, h - w * 0.08),
                      w * 0.04, w * 0.04);
    p.setPen(QPen(Qt::white, w * 0.06, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    const qreal bx = top.x() + w * 0.32, by = top.y() + h * 0.82;
    p.drawLine(QPointF(bx, by), QPointF(bx, top.y() + h * 0.3));
    p.drawPolyline(
        QPolygonF({QPointF(bx - w * 0.08, top.y() + h * 0.38), QPointF(bx, top.y() + h * 0.22),
                   QPointF(bx + w * 0.08, top.y() + h * 0.38)}));
    const qreal rx = top.x() + w * 0.62;
    p.drawPolyline(QPolygonF({QPointF(rx, by), QPointF(rx, top.y() + h * 0.5),
                              QPointF(rx + w * 0.2, top.y() + h * 0.5)}));
    p.drawPolyline(QPolygonF({QPointF(rx + w * 0.13, top.y() + h * 0.38),
                              QPointF(rx + w * 0.23, top.y() + h * 0.5),
                              QPointF(rx + w * 0.13, top.y() + h * 0.62)}));
    p.restore();
}

} // namespace

QImage mainPicture()
{
    QImage img = canvas(580, 460, colour::mist);
    QPainter p(&img);
    prepare(p);

    fillVertical(p, QRectF(0, 0, 580, horizon), QColor(0xcf, 0xe4, 0xf1), QColor(0xf1, 0xf7, 0xfa));
    QRadialGradient sun(QPointF(450, 60), 70);
    sun.setColorAt(0, withAlpha(Qt::white, 0.9));
    sun.setColorAt(0.32, withAlpha(Qt::white, 0.75));
    sun.setColorAt(0.36, withAlpha(Qt::white, 0.35));
    sun.setColorAt(1, withAlpha(Qt::white, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(450, 60), 70, 70);
    drawCloud(p, QPointF(60, 58), 1.0);
    drawCloud(p, QPointF(300, 110), 0.7);
    drawCloud(p, QPointF(470, 150), 0.55);

    // Distant hills, two soft layers.
    QPainterPath far;
    far.moveTo(0, horizon);
    far.cubicTo(90, 170, 180, 190, 260, 215);
    far.cubicTo(340, 180, 440, 160, 580, 205);
    far.lineTo(580, horizon);
    far.closeSubpath();
    p.setBrush(QColor(0xb9, 0xd7, 0xd6));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, 225);
    near.cubicTo(120, 205, 220, 235, 300, 238);
    near.cubicTo(400, 222, 500, 215, 580, 230);
    near.lineTo(580, horizon);
    near.lineTo(0, horizon);
    near.closeSubpath();
    p.setBrush(QColor(0x9f, 0xca, 0xc3));
    p.drawPath(near);

    fillVertical(p, QRectF(0, horizon, 580, bottom - horizon), QColor(0xc6, 0xe2, 0xd6),
                 QColor(0xb2, 0xd6, 0xc9));

    // Trees along the horizon, smaller with distance.
    const QColor treeFar(0x7f, 0xb9, 0xae), treeNear(0x5f, 0xa6, 0x9c);
    for (const auto& [x, h] : {std::pair{40.0, 46.0},
                               {128.0, 30.0},
                               {210.0, 24.0},
                               {236.0, 20.0},
                               {372.0, 22.0},
                               {400.0, 28.0},
                               {530.0, 44.0}}) {
        drawTree(p, QPointF(x, horizon + h * 0.22), h, h > 30 ? treeNear : treeFar);
    }

    // The road with its edge lines and dashed centre line.
    QPolygonF road({QPointF(roadX(horizon, -1), horizon), QPointF(roadX(horizon, 1), horizon),
                    QPointF(roadRight, bottom), QPointF(roadLeft, bottom)});
    QLinearGradient rg(0, horizon, 0, bottom);
    rg.setColorAt(0, QColor(0xa9, 0xb6, 0xc2));
    rg.setColorAt(1, QColor(0x7f, 0x90, 0xa0));
    p.setBrush(rg);
    p.drawPolygon(road);

    auto strip = [&](qreal lane, qreal halfWidth, qreal y0, qreal y1) {
        const qreal k0 = (y0 - horizon) / (bottom - horizon);
        const qreal k1 = (y1 - horizon) / (bottom - horizon);
        p.drawPolygon(QPolygonF({QPointF(roadX(y0, lane) - halfWidth * k0, y0),
                                 QPointF(roadX(y0, lane) + halfWidth * k0, y0),
                                 QPointF(roadX(y1, lane) + halfWidth * k1, y1),
                                 QPointF(roadX(y1, lane) - halfWidth * k1, y1)}));
    };
    p.setBrush(QColor(0xf4, 0xf7, 0xf9));
    strip(-0.92, 5, horizon + 0.5, bottom);
    strip(0.92, 5, horizon + 0.5, bottom);
    for (qreal z = 1.0; z < 30; z += 1.6)
        strip(0, 4.5, depthY(z + 0.8), depthY(z));
    // A stop line and a zebra crossing near the viewer.
    p.setBrush(withAlpha(QColor(0xf4, 0xf7, 0xf9), 0.9));
    for (int i = 0; i < 9; ++i) {
        const qreal lane = -0.86 + i * 0.215;
        strip(lane, 14, depthY(1.32), depthY(1.12));
    }

    // Sidewalk kerb along the right edge.
    p.setBrush(QColor(0xdb, 0xe5, 0xea));
    p.drawPolygon(
        QPolygonF({QPointF(roadX(horizon, 1), horizon), QPointF(roadX(horizon, 1) + 6, horizon),
                   QPointF(580, 420), QPointF(580, bottom), QPointF(roadRight, bottom)}));

    drawDirectionSign(p, QPointF(392, 170), 50);
    drawTrafficLight(p, 70, 420);
    // Speed-limit sign on the right.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8d, 0x9f, 0xad));
    p.drawRect(QRectF(516, 230, 6, 170));
    drawRoundSign(p, QPointF(519, 214), 30, QStringLiteral("40"));
    drawWarningSign(p, QPointF(519, 276), 21);

    drawCar(p, QPointF(roadX(depthY(1.75), 0.45), depthY(1.75)), 128);
    return img;
}

QImage button(Icon icon, const QString& chinese, const QString& english)
{
    QImage img = canvas(220, 46, Qt::white);
    QPainter p(&img);
    prepare(p);

    fillVertical(p, QRectF(0, 0, 220, 46), QColor(0xfd, 0xfe, 0xff), QColor(0xe4, 0xee, 0xf5));
    p.setPen(QPen(QColor(0x8c, 0xad, 0xc6), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 219, 45));
    p.setPen(QPen(withAlpha(Qt::white, 0.9), 1.0));
    p.drawLine(QPointF(1.5, 1.5), QPointF(218.5, 1.5));

    const QPointF c(25, 23);
    QLinearGradient g(c.x(), c.y() - 16, c.x(), c.y() + 16);
    g.setColorAt(0, QColor(0x3a, 0xa3, 0xa3));
    g.setColorAt(1, colour::teal.darker(108));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, 16, 16);
    drawIcon(p, icon, QRectF(c.x() - 11, c.y() - 11, 22, 22), Qt::white);

    const qreal textLeft = 50, textRight = 200;
    text(p, textLeft, 24, chinese, fitted(chinese, font(18), textRight - textLeft), colour::ink);
    text(p, textLeft + 1, 39, english, fitted(english, font(11), textRight - textLeft),
         colour::muted);

    // A small chevron hints that the face can be pressed.
    p.setPen(QPen(colour::line, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(205, 18), QPointF(210, 23), QPointF(205, 28)}));
    return img;
}

QImage examBanner()
{
    QImage img = canvas(800, 153, colour::paper);
    QPainter p(&img);
    prepare(p);
    drawLightBanner(p, QStringLiteral("模拟考试"), QStringLiteral("考试须知"),
                    QStringLiteral("Mock examination  ·  please read the instructions first"));

    drawTerminal(p, QRectF(548, 16, 160, 100));
    drawClock(p, QPointF(746, 54), 26);
    // An examinee card leaning on the terminal.
    p.setPen(QPen(colour::line, 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(490, 66, 48, 62), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc4, 0xd5, 0xe2));
    p.drawEllipse(QPointF(514, 84), 8, 8);
    p.drawChord(QRectF(500, 92, 28, 20), 0, 180 * 16);
    p.setBrush(colour::line);
    p.drawRoundedRect(QRectF(498, 110, 32, 4), 2, 2);
    p.drawRoundedRect(QRectF(502, 118, 24, 4), 2, 2);
    return img;
}

QImage studyBanner()
{
    QImage img = canvas(800, 153, colour::paper);
    QPainter p(&img);
    prepare(p);
    drawLightBanner(p, QStringLiteral("试题学习"), QStringLiteral("章节练习"),
                    QStringLiteral("Study questions  ·  chapter by chapter, at your own pace"));

    drawOpenBook(p, QRectF(548, 30, 150, 86));
    // A short stack of question cards, and a sign to tie it to the road.
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(colour::line, 1.0));
        p.setBrush(i == 2 ? Qt::white : QColor(0xf0, 0xf6, 0xfa));
        p.drawRoundedRect(QRectF(470 + i * 5, 58 - i * 6, 58, 70), 5, 5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour::mint);
    p.drawRoundedRect(QRectF(488, 54, 34, 5), 2.5, 2.5);
    p.setBrush(colour::line);
    p.drawRoundedRect(QRectF(488, 66, 28, 5), 2.5, 2.5);
    p.drawRoundedRect(QRectF(488, 78, 32, 5), 2.5, 2.5);
    p.drawRoundedRect(QRectF(488, 90, 20, 5), 2.5, 2.5);
    drawWarningSign(p, QPointF(746, 104), 24);
    drawRoundSign(p, QPointF(746, 44), 22, QStringLiteral("60"));
    return img;
}

QImage examinee()
{
    QImage img = canvas(121, 121, colour::mist);
    QPainter p(&img);
    prepare(p);
    fillVertical(p, QRectF(0, 0, 121, 121), QColor(0xf2, 0xf7, 0xfa), QColor(0xdc, 0xe8, 0xf0));

    const QColor figure(0xa3, 0xb8, 0xc9);
    p.setPen(Qt::NoPen);
    p.setBrush(figure);
    QPainterPath shoulders;
    shoulders.moveTo(14, 121);
    shoulders.cubicTo(16, 92, 36, 82, 60.5, 82);
    shoulders.cubicTo(85, 82, 105, 92, 107, 121);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.drawRect(QRectF(52, 66, 17, 20));
    p.drawEllipse(QPointF(60.5, 47), 22, 25);
    // A lighter collar keeps the silhouette from reading as a blob.
    p.setBrush(QColor(0xc3, 0xd3, 0xdf));
    QPainterPath collar;
    collar.moveTo(48, 83);
    collar.lineTo(60.5, 100);
    collar.lineTo(73, 83);
    collar.closeSubpath();
    p.drawPath(collar);

    p.setPen(QPen(colour::line, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 120, 120));
    return img;
}

QImage viewerHeader()
{
    QImage img = canvas(794, 84, Qt::white);
    QPainter p(&img);
    prepare(p);

    // Dark band on top only: the lower part carries the window's title label.
    constexpr qreal band = 40;
    fillVertical(p, QRectF(0, band, 794, 84 - band), colour::paper, Qt::white);
    QLinearGradient g(0, 0, 794, 0);
    g.setColorAt(0, colour::navy);
    g.setColorAt(0.6, colour::blue);
    g.setColorAt(1, colour::teal);
    p.fillRect(QRectF(0, 0, 794, band), g);
    p.save();
    p.setClipRect(QRectF(0, 0, 794, band));
    drawArcs(p, QPointF(700, 110), 60, 7, 18, withAlpha(Qt::white, 0.2));
    p.restore();
    p.fillRect(QRectF(0, band, 794, 2), colour::mint);

    drawEmblem(p, QPointF(24, 20), 14, Qt::white);
    text(p, 46, 26, QStringLiteral("Velmoor"), font(17, true), Qt::white);
    const QString line = QStringLiteral("机动车驾驶人理论考试练习");
    const QFont lf = font(14);
    text(p, 770 - QFontMetricsF(lf).horizontalAdvance(line), 26, line, lf,
         QColor(0xdc, 0xeb, 0xf5));

    // Quiet decoration kept to the lower right, clear of the title label.
    p.save();
    p.setClipRect(QRectF(520, band + 2, 274, 84 - band - 2));
    drawArcs(p, QPointF(760, 150), 70, 6, 18, withAlpha(colour::sky, 0.25));
    p.restore();
    drawLaneLine(p, 560, 794, 76, withAlpha(colour::line, 0.8));
    return img;
}

QImage vehicleClassIcon()
{
    QImage img = canvas(32, 32, colour::teal);
    QPainter p(&img);
    prepare(p);
    QLinearGradient g(0, 0, 0, 32);
    g.setColorAt(0, QColor(0x3a, 0xa3, 0xa3));
    g.setColorAt(1, colour::blue);
    p.fillRect(img.rect(), g);
    drawSteeringWheel(p, QPointF(16, 16), 11, Qt::white, 2.6);
    return img;
}

} // namespace art
