#pragma once

#include <QWidget>
#include <vector>

// The scores of a class's mock examinations, oldest on the left, against the pass mark.
// Painted by hand: a few dozen points need no chart library, and the look stays that of the
// windows around it.
class ScoreTrend final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ScoreTrend)

public:
    explicit ScoreTrend(QWidget* parent = nullptr);

    void setScores(std::vector<int> scores, int passMark, int fullMarks, const QString& empty);
    const std::vector<int>& scores() const { return scores_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> scores_;
    int passMark_ = 90;
    int fullMarks_ = 100;
    QString empty_;
};
