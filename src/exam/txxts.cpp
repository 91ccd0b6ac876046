#include "txxts.h"
#include "ui_txxts.h"

#include "tmnks.h"

#include "core/scoring.h"
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
    if (exam_) {
        exam_->close();
        correct = core::countRight(exam_->paper());
        countErrors();
    }

    if (exam_ && exam_->Tag() == 3) {
        // A practice paper is no examination: the right count, and no verdict.
        ui->lb_tsxx->setText(QStringLiteral("您的本次练习成绩为："));
        ui->lbksfs->setText(QStringLiteral("%1/%2").arg(correct).arg(exam_->questionCount()));
        ui->lb_ksjg->setText(
            QStringLiteral("答对%1题，共%2题").arg(correct).arg(exam_->questionCount()));
        for (QLabel* label : {ui->lb_ksjg, ui->lb_tsxx, ui->lbksfs})
            label->adjustSize();
        return;
    }

    const QString code = exam_ ? exam_->classCode() : QString();
    const int score = core::score(correct, code);
    ui->lb_ksjg->setText(core::passed(score, nav::passMark())
                             ? QStringLiteral("恭喜您，考试合格！！")
                             : QStringLiteral("考试不合格，还需要努力！！"));
    ui->lb_tsxx->setText(exam_ && exam_->Tag() == 2 ? QStringLiteral("您的本次模拟考试成绩为：")
                                                    : QStringLiteral("您的本次学习成绩为："));
    ui->lbksfs->setText(QString::number(score));
    for (QLabel* label : {ui->lb_ksjg, ui->lb_tsxx, ui->lbksfs})
        label->adjustSize();
}

void Txxts::countErrors()
{
    data::Table& subject = nav::dataModule().subject;
    try {
        core::filePaper(
            exam_->paper(), subject, core::PaperMode(exam_->Tag()),
            [this](int q) { return exam_->missedOnce(q); }, QDateTime::currentSecsSinceEpoch());
    } catch (const std::exception& e) {
        app::reportErrorLater(this, QStringLiteral("错题统计没有保存：%1").arg(app::errorText(e)));
    }
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
