#include "txxts.h"
#include "ui_txxts.h"

#include "tksxz.h"
#include "tmnks.h"

#include "app/connect.h"
#include "app/dialogs.h"
#include "app/keys.h"
#include "app/shared.h"
#include "data/error.h"
#include "data/tado.h"
#include "menu/tmain.h"
#include "review/tckct.h"

#include <vector>

Txxts::Txxts(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Txxts>())
{
    ui->setupUi(this);
    setFrame(Frame::Sizeable, Buttons::None, true);
    setKeyPreview(true);
    // Nothing reads the result once it has closed.
    setAttribute(Qt::WA_DeleteOnClose);
    app::onClick(ui->Button1, this, &Txxts::Button1Click);
    app::onClick(ui->Button2, this, &Txxts::Button2Click);
    exam_ = app::mnks;
    app::guard([this] { FormCreate(); });
}

Txxts::~Txxts() = default;

void Txxts::FormCreate()
{
    int correct = 0;
    if (exam_) {
        exam_->close();
        data::Table& paper = exam_->paper();
        paper.setFiltered(false);
        for (paper.first(); !paper.eof(); paper.next())
            correct += int(paper.asInteger(QStringLiteral("isright")));
        if (exam_->Tag() == 2)
            countErrors();
    }

    const QString code = exam_ ? exam_->classCode() : QString();
    const int score = code == u"E1" || code == u"F1" ? correct * 2 : correct;
    ui->lb_ksjg->setText(score < app::PassMark ? QStringLiteral("考试不合格，还需要努力！！")
                                               : QStringLiteral("恭喜您，考试合格！！"));
    ui->lb_tsxx->setText(exam_ && exam_->Tag() == 2 ? QStringLiteral("您的本次模拟考试成绩为：")
                                                    : QStringLiteral("您的本次学习成绩为："));
    ui->lbksfs->setText(QString::number(score));
    for (QLabel* label : {ui->lb_ksjg, ui->lb_tsxx, ui->lbksfs})
        label->adjustSize();
}

void Txxts::countErrors()
{
    if (!app::ado)
        throw data::Error(QStringLiteral("题库没有打开。"));
    data::Table& paper = exam_->paper();
    data::Table& subject = app::ado->subject;
    // One paper's counters go in together: a failure or a killed process leaves none of them.
    try {
        subject.setFiltered(false);
        subject.beginTransaction();
        for (paper.first(); !paper.eof(); paper.next()) {
            const qint64 subId = paper.asInteger(QStringLiteral("subid"));
            if (!subject.locate(QStringLiteral("subId"), subId))
                continue;
            const qint64 wrong = paper.asInteger(QStringLiteral("isright")) == 0 ? 1 : -1;
            subject.edit();
            subject.setValue(QStringLiteral("errorTimes"),
                             subject.asInteger(QStringLiteral("errorTimes")) + wrong);
            subject.post();
        }
        subject.commit();
    } catch (const std::exception& e) {
        const QString text = app::errorText(e);
        app::guard([&] { subject.rollback(); });
        app::reportErrorLater(QStringLiteral("错题统计没有保存：%1").arg(text));
    }
}

void Txxts::endExam()
{
    if (exam_) {
        if (app::mnks == exam_)
            app::mnks = nullptr;
        exam_->deleteLater();
    }
    if (app::ksxz) {
        app::ksxz->deleteLater();
        app::ksxz = nullptr;
    }
}

void Txxts::Button1Click()
{
    endExam();
    close();
    if (app::main)
        app::main->activateWindow();
}

void Txxts::Button2Click()
{
    endExam();
    close();
    app::ckct = new Tckct;
    app::ckct->show();
}

void Txxts::FormKeyDown(int vk)
{
    if (vk == app::VK_RETURN)
        ui->Button1->click();
    if (vk == app::VK_DECIMAL)
        ui->Button2->click();
}
