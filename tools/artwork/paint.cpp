#include "art.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>

namespace art {

namespace {
const QString family = QStringLiteral("WenQuanYi Micro Hei");
}

QFont font(qreal pixelSize, bool bold)
{
    QFont f(family);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

bool fontAvailable()
{
    return QFontDatabase::families().contains(family);
}

void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

void fillVertical(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void fillHorizontal(QPainter& p, const QRectF& r, const QColor& left, const QColor& right)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    p.fillRect(r, g);
}

qreal text(QPainter& p, qreal x, qreal baseline, const QString& s, const QFont& f, const QColor& c)
{
    p.save();
    p.setFont(f);
    p.setPen(c);
    p.drawText(QPointF(x, baseline), s);
    p.restore();
    return QFontMetricsF(f).horizontalAdvance(s);
}

QFont fitted(const QString& s, QFont f, qreal maxWidth)
{
    while (f.pixelSize() > 6 && QFontMetricsF(f).horizontalAdvance(s) > maxWidth)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

void drawArcs(QPainter& p, const QPointF& centre, qreal firstRadius, int count, qreal step,
              const QColor& c)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        QColor ci = c;
        ci.setAlphaF(c.alphaF() * (1.0 - 0.12 * i));
        p.setPen(QPen(ci, 1.0));
        const qreal r = firstRadius + i * step;
        p.drawEllipse(centre, r, r);
    }
    p.restore();
}

} // namespace art
