#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

// Shared palette and drawing helpers of the window artwork; every picture draws with these
// so the windows read as one set.
namespace art {

namespace colour {
inline const QColor navy{0x1f, 0x3f, 0x63};
inline const QColor blue{0x2f, 0x6e, 0xa8};
inline const QColor sky{0x5b, 0x9b, 0xd0};
inline const QColor teal{0x2a, 0x8f, 0x91};
inline const QColor mint{0x8c, 0xcc, 0xc4};
inline const QColor mist{0xe8, 0xf1, 0xf7};
inline const QColor paper{0xf7, 0xfa, 0xfc};
inline const QColor line{0xb9, 0xcf, 0xdf};
inline const QColor ink{0x24, 0x36, 0x4a};
inline const QColor muted{0x6b, 0x80, 0x93};
inline const QColor signalRed{0xd0, 0x5a, 0x55};
inline const QColor amber{0xe6, 0xaa, 0x4a};
inline const QColor green{0x4f, 0xaa, 0x7c};
} // namespace colour

// The one typeface for Chinese and Latin text alike.
QFont font(qreal pixelSize, bool bold = false);

// True when the Chinese typeface is really installed (a substitute would draw boxes).
bool fontAvailable();

void prepare(QPainter& p);
void fillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom);
void fillHorizontal(QPainter& p, const QRectF& r, const QColor& left, const QColor& right);

// Draws text with its baseline at y and returns the advance width.
qreal text(QPainter& p, qreal x, qreal baseline, const QString& s, const QFont& f, const QColor& c);
// Shrinks the font until s fits into maxWidth.
QFont fitted(const QString& s, QFont f, qreal maxWidth);

// Faint wide arcs used as the common background motif of the banners.
void drawArcs(QPainter& p, const QPointF& centre, qreal firstRadius, int count, qreal step,
              const QColor& c);

// Small flat icons, drawn white into a circle-sized box.
enum class Icon { Study, Exam, Errors, Browse, Skills, Signs, School, Exit };
void drawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& c);
void drawSteeringWheel(QPainter& p, const QPointF& centre, qreal radius, const QColor& c,
                       qreal width);

// The pictures themselves.
QImage mainBanner();
QImage mainPicture();
QImage button(Icon icon, const QString& chinese, const QString& english);
QImage examBanner();
QImage studyBanner();
QImage examinee();
QImage viewerHeader();
QImage vehicleClassIcon();

} // namespace art
