#include "txxts.h"
#include "ui_txxts.h"

#include "tmnks.h"

#include "core/history.h"
#include "core/passprobability.h"
#include "core/scoring.h"
#include "data/dataset.h"
#include "data/tado.h"
#include "platform/connect.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

#include <QDateTime>

Txxts::Txxts(Tmnks* exam, QWidget* parent)
    : app::Form(parent), ui(std::make_unique<Ui::Txxts>()), exam_(exam)
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setFrame(Frame::Sizeable, Buttons::None, true);
    setKeyPreview(true);
    // Nothing reads the result once it has closed.
    setAttribute(Qt::WA_DeleteOnClose);
    app::onClick(ui->Button1, this, &Txxts::Button1Click);
    app::onClick(ui->Button2, this, &Txxts::Button2Click);
    app::guard([this] { FormCreate(); }, this);
}

Txxts::~Txxts() = default;

void Txxts::FormCreate()
{
    // Until the paper is scored the labels say so, rather than show their design texts.
    ui->lb_tsxx->setText(QStringLiteral("成绩无法计算。"));
    ui->lbksfs->clear();
    ui->lb_ksjg->clear();
    ui->lb_tsxx->adjustSize();

    int correct = 0;
    core::PaperRecord record;
    const QString code = exam_ ? exam_->classCode() : QString();
    if (exam_) {
        exam_->close();
        correct = core::countRight(exam_->paper());
        record = core::readPaper(exam_->paper());
        record.startedAt = exam_->startedAt();
        record.handedInAt = QDateTime::currentDateTime();
        record.mode = exam_->Tag();
        record.classCode = code;
        record.setNumber = exam_->Tag() == 1 ? exam_->studySet() : 0;
        record.rightCount = correct;
        record.score = exam_->Tag() == 3 ? correct : core::score(correct, code);
        record.passMark = nav::passMark();
        record.passed = core::passed(record.score, nav::passMark());
        record.secondsUsed = exam_->secondsUsed();
        record.timedOut = exam_->timedOut();
        countErrors(record);
    }

    if (exam_ && exam_->Tag() == 3) {
        // A practice paper is no examination: the right count, and no verdict.
        ui->lb_tsxx->setText(QStringLiteral("您的本次练习成绩为："));
        ui->lbksfs->setText(QStringLiteral("%1/%2").arg(correct).arg(exam_->questionCount()));
        ui->lb_ksjg->setText(
            QStringLiteral("答对%1题，共%2题").arg(correct).arg(exam_->questionCount()));
        for (QLabel* label : {ui->lb_ksjg, ui->lb_tsxx, ui->lbksfs})
            label->adjustSize();
        showProgress(record);
        return;
    }

    const int score = core::score(correct, code);
    ui->lb_ksjg->setText(core::passed(score, nav::passMark())
                             ? QStringLiteral("恭喜您，考试合格！！")
                             : QStringLiteral("考试不合格，还需要努力！！"));
    ui->lb_tsxx->setText(exam_ && exam_->Tag() == 2 ? QStringLiteral("您的本次模拟考试成绩为：")
                                                    : QStringLiteral("您的本次学习成绩为："));
    ui->lbksfs->setText(QString::number(score));
    for (QLabel* label : {ui->lb_ksjg, ui->lb_tsxx, ui->lbksfs})
        label->adjustSize();
    if (exam_)
        showProgress(record);
}

void Txxts::countErrors(const core::PaperRecord& record)
{
    data::Table& subject = nav::dataModule().subject;
    try {
        core::filePaper(
            exam_->paper(), subject, core::PaperMode(exam_->Tag()),
            [this](int q) { return exam_->missedOnce(q); }, QDateTime::currentSecsSinceEpoch(),
            &record);
    } catch (const std::exception& e) {
        app::reportErrorLater(this, QStringLiteral("错题统计没有保存：%1").arg(app::errorText(e)));
    }
}

void Txxts::showProgress(const core::PaperRecord& record)
{
    QString line = QStringLiteral("用时 ") + core::minutesAndSeconds(record.secondsUsed);
    if (record.mode != core::kMockMode) {
        ui->lb_jlxx->setText(line + QStringLiteral("　答对 %1 题，共 %2 题")
                                        .arg(record.rightCount)
                                        .arg(record.answers.size()));
        return;
    }
    data::Table& subject = nav::dataModule().subject;
    if (!subject.active()) {
        ui->lb_jlxx->setText(line);
        return;
    }
    data::Connection& db = subject.connection();
    const std::vector<core::PaperRecord> last =
        core::recordedPapers(db, {core::kMockMode, record.classCode, 5});
    QStringList scores;
    for (auto it = last.rbegin(); it != last.rend(); ++it)
        scores << QString::number(it->score);
    line += QStringLiteral("　%1最近%2次：%3")
                .arg(record.classCode)
                .arg(last.size())
                .arg(scores.join(u' '));
    const core::PassEstimate estimate =
        core::estimatePass(db, core::vehicleClassOf(record.classCode), nav::passMark());
    ui->lb_jlxx->setText(line + u'\n' + core::passText(estimate));
}

void Txxts::endExam()
{
    nav::endExam(exam_);
}

void Txxts::Button1Click()
{
    endExam();
    close();
    nav::activateMainMenu();
}

void Txxts::Button2Click()
{
    endExam();
    close();
    nav::openWrongAnswerReview();
}

void Txxts::FormKeyDown(int vk)
{
    if (vk == app::VK_RETURN)
        ui->Button1->click();
    if (vk == app::VK_DECIMAL)
        ui->Button2->click();
}
