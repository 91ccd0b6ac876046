// Draws the application icon for the desktop at the sizes of the hicolor theme.
// Usage: velmoor-icon <output folder>  (writes <folder>/<n>x<n>/apps/velmoor.png)

#include "art.h"

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainterPath>

#include <cstdio>

namespace {

QImage applicationIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    art::prepare(p);
    // Drawn on a 64-unit grid; small sizes get a thicker wheel so it stays readable.
    p.scale(size / 64.0, size / 64.0);
    const QRectF tile(2, 2, 60, 60);
    QPainterPath rounded;
    rounded.addRoundedRect(tile, 13, 13);
    QLinearGradient g(tile.topLeft(), tile.bottomLeft());
    g.setColorAt(0, QColor(0x3a, 0xa3, 0xa3));
    g.setColorAt(1, art::colour::navy);
    p.fillPath(rounded, g);
    // The road ahead, under the wheel.
    p.setPen(Qt::NoPen);
    p.setBrush(art::colour::amber);
    p.drawPolygon(QPolygonF({{26, 62}, {38, 62}, {33.5, 40}, {30.5, 40}}));
    art::drawSteeringWheel(p, QPointF(32, 30), 19, Qt::white, size <= 24 ? 7 : 5);
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmoor-icon <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = out.filePath(folder + QStringLiteral("/velmoor.png"));
        if (!out.mkpath(folder) || !applicationIcon(size).save(path, "png")) {
            std::fprintf(stderr, "velmoor-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
