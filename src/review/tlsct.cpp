#include "tlsct.h"

#include "ui_tlsct.h"

#include "data/tado.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/navigation.h"

#include <QLabel>
#include <QPushButton>

int Tlsct::CurrentNo = 1;

Tlsct::Tlsct(const core::PaperRecord& paper, const std::vector<core::AnswerRecord>& answers,
             QWidget* parent)
    : QuestionViewer(parent), ui(std::make_unique<Ui::Tlsct>())
{
    ui->setupUi(this);
    bindControls();
    setKeyPreview(true);
    for (const core::AnswerRecord& a : answers) {
        if (!a.right)
            wrong_.push_back(a);
    }
    const QString kind = paper.classCode + u' ' + core::paperKind(paper);
    ui->noteinfo->setText(
        QStringLiteral("%1　%2 %3分　错题与未答题 %4 道　小键盘 -/+ 翻题，Del 返回")
            .arg(paper.startedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm")), kind)
            .arg(paper.score)
            .arg(wrong_.size()));
    app::guard(
        [this] {
            data::Tado& bank = nav::dataModule();
            bank.subject.setFiltered(false);
            bank.options.setFiltered(false);
            CurrentNo = 1;
            ShowCurrent();
        },
        this);
}

Tlsct::~Tlsct() = default;

QuestionViewer::Current Tlsct::moveToCurrent()
{
    const core::AnswerRecord& a = wrong_.at(size_t(CurrentNo - 1));
    data::Table& subject = nav::dataModule().subject;
    filterTo(subject, QStringLiteral("subid=%1").arg(a.subId));
    subject.first();
    return {a.subId, CurrentNo, a.optionId};
}

void Tlsct::FormKeyDown(int vk)
{
    if (vk == app::VK_SUBTRACT)
        ui->Button2->click();
    if (vk == app::VK_ADD)
        ui->Button3->click();
    if (vk == app::VK_DECIMAL || vk == app::VK_RETURN)
        ui->Button5->click();
}
