#include "scoretrend.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

ScoreTrend::ScoreTrend(QWidget* parent) : QWidget(parent) {}

void ScoreTrend::setScores(std::vector<int> scores, int passMark, int fullMarks,
                           const QString& empty)
{
    scores_ = std::move(scores);
    passMark_ = passMark;
    fullMarks_ = std::max(fullMarks, 1);
    empty_ = empty;
    update();
}

void ScoreTrend::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    QFont small = font();
    small.setPointSize(8);
    p.setFont(small);
    if (scores_.empty()) {
        p.setPen(Qt::darkGray);
        p.drawText(rect(), Qt::AlignCenter, empty_);
        return;
    }

    // The scale starts at a round ten below the lowest of scores and pass mark, so the band
    // around the mark is wide enough to read.
    const int lowest = std::min(*std::min_element(scores_.begin(), scores_.end()), passMark_);
    const int bottom = std::max(0, (lowest - 10) / 10 * 10);
    const int top = std::max(fullMarks_, *std::max_element(scores_.begin(), scores_.end()));
    const QRect plot = rect().adjusted(34, 10, -14, -22);
    auto yOf = [&](int score) {
        return plot.bottom() - double(score - bottom) / std::max(top - bottom, 1) * plot.height();
    };
    const int n = int(scores_.size());
    auto xOf = [&](int i) {
        return n == 1 ? plot.center().x() : plot.left() + double(i) / (n - 1) * plot.width();
    };

    p.setPen(QColor(220, 220, 220));
    for (int s = bottom; s <= top; s += 10) {
        p.drawLine(QPointF(plot.left(), yOf(s)), QPointF(plot.right(), yOf(s)));
        p.setPen(Qt::darkGray);
        p.drawText(QRectF(0, yOf(s) - 7, 30, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(s));
        p.setPen(QColor(220, 220, 220));
    }
    p.setPen(Qt::darkGray);
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    const int step = std::max(1, (n + 9) / 10);
    for (int i = 0; i < n; i += step)
        p.drawText(QRectF(xOf(i) - 15, plot.bottom() + 4, 30, 14), Qt::AlignCenter,
                   QString::number(i + 1));

    p.setPen(QPen(Qt::red, 1, Qt::DashLine));
    p.drawLine(QPointF(plot.left(), yOf(passMark_)), QPointF(plot.right(), yOf(passMark_)));
    p.drawText(QRectF(plot.left() + 4, yOf(passMark_) - 15, 120, 14), Qt::AlignLeft,
               QStringLiteral("合格线 %1").arg(passMark_));

    QPainterPath line;
    for (int i = 0; i < n; ++i) {
        const QPointF at(xOf(i), yOf(scores_[size_t(i)]));
        i == 0 ? line.moveTo(at) : line.lineTo(at);
    }
    p.setPen(QPen(QColor(30, 90, 170), 2));
    p.drawPath(line);
    for (int i = 0; i < n; ++i) {
        const int s = scores_[size_t(i)];
        p.setPen(Qt::NoPen);
        p.setBrush(s >= passMark_ ? QColor(0, 150, 70) : QColor(210, 30, 30));
        p.drawEllipse(QPointF(xOf(i), yOf(s)), 3.5, 3.5);
    }
}
