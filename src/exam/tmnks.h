#pragma once

#include "data/dataset.h"
#include "data/schema.h"
#include "platform/form.h"

#include <QDateTime>
#include <QPoint>
#include <QVariant>
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

class QLabel;
class QTimer;

namespace Ui {
class Tmnks;
}

// The examination window: one question at a time with its answer buttons, the answer grid, the
// countdown and hand-in. Works on the paper in table note; Tag holds the mode (2 = mock
// examination, 1 = study set, 3 = practice, which answers as a study set does).
class Tmnks final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tmnks)

public:
    explicit Tmnks(QWidget* parent = nullptr);
    ~Tmnks() override;

    // The vehicle-class caption; the opener fills it in.
    QLabel* lb_kscx() const;
    // The vehicle-class code of LB_cx, e.g. "C1".
    QString classCode() const;
    // The paper, in noteId order.
    data::Table& paper();

    // One clock tick.
    void Timer1Timer();

    // Opens the result window for this paper, once; later calls do nothing.
    void handIn();
    bool handedIn() const { return handedIn_; }

    // For the exam history: when the paper began, the seconds the clock ran, whether it ran
    // out, and the study set (1 to 10; 0 for a mock examination), which its opener sets.
    QDateTime startedAt() const { return startedAt_; }
    int secondsUsed() const { return std::max(examTime_ - std::max(TimeLeft, 0), 0); }
    bool timedOut() const { return timedOut_; }
    int studySet() const { return studySet_; }
    void setStudySet(int set) { studySet_ = set; }

    int currentQuestion() const { return CurrentQuestion; }
    int questionCount() const { return QuestionCount; }
    int timeLeft() const { return TimeLeft; }
    // Shows question q of the paper, as the navigation does; a question not on the paper is
    // refused.
    void goToQuestion(int q);
    // Whether question q (1-based) was ever answered wrongly, even if put right afterwards.
    bool missedOnce(int q) const
    {
        return q >= 1 && q <= int(missedOnce_.size()) && missedOnce_[size_t(q - 1)];
    }

signals:
    // After every display of a question.
    void questionShown(int question);

protected:
    void FormKeyDown(int vk) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FormCreate();
    void ShowQuestion();
    void RecordAnswer(const QString& caption, int position);
    void StringGrid1Click();
    void opt1Click();
    void opt2Click();
    void opt3Click();
    void opt4Click();
    void bt_nextClick();
    void bt_PriorClick();
    void bt_jjClick();
    // Loads the explanation picture of the shown question if it has one; true when it can show.
    bool showInfoPicture();
    void showTime();
    void numberGrid();
    void gridMoved(int row, int column);
    void gridClicked(int row, int column);

    std::unique_ptr<Ui::Tmnks> ui;
    QTimer* Timer1 = nullptr;
    data::Table ADO_Note{data::tbl::note};

    int CurrentQuestion = 0;
    int QuestionCount = 0;
    int TimeLeft = 0;
    std::array<qint64, 4> OptionIds{};
    std::array<int, 4> OptionKeys{};
    // Option rows of the shown question (at most 4): an answer position beyond them has nothing
    // to record.
    int optionRows_ = 0;
    bool handedIn_ = false;
    QDateTime startedAt_;
    int examTime_ = 0;
    bool timedOut_ = false;
    int studySet_ = 0;
    // While ShowQuestion moves the highlight: the grid action then finds the question on screen.
    bool showing_ = false;
    // The explanation picture is decoded only when a wrong answer in a study set shows it, once
    // per display of the question.
    QVariant infoPicField_;
    bool infoPicLoaded_ = false;
    std::vector<bool> missedOnce_;
    // The highlighted cell when a mouse press began: a click on it moves nothing, so the click
    // itself runs the grid action.
    QPoint cellAtPress_{-1, -1};
};
