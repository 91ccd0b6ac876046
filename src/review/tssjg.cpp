#include "tssjg.h"

#include "ui_tssjg.h"

#include "base/error.h"

#include "data/tado.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/navigation.h"

#include <QLabel>
#include <QPushButton>

int Tssjg::CurrentNo = 1;

Tssjg::Tssjg(const QString& query, std::vector<qint64> subids, int start, QWidget* parent)
    : QuestionViewer(parent), ui(std::make_unique<Ui::Tssjg>()), subids_(std::move(subids))
{
    ui->setupUi(this);
    bindControls();
    setKeyPreview(true);
    ui->noteinfo->setText(QStringLiteral("搜索：%1（%2题）").arg(query).arg(subids_.size()));
    app::guard([this, start] {
        nav::dataModule().subject.setFiltered(false);
        CurrentNo = std::clamp(start, 1, std::max(1, int(subids_.size())));
        ShowCurrent();
    });
}

Tssjg::~Tssjg() = default;

QuestionViewer::Current Tssjg::moveToCurrent()
{
    const qint64 subId = subids_[size_t(CurrentNo - 1)];
    data::Table& subject = nav::dataModule().subject;
    filterTo(subject, QStringLiteral("subid=%1").arg(subId));
    if (subject.eof())
        throw base::Error(QStringLiteral("这道题已不在题库中。"));
    return {subId, CurrentNo, std::nullopt};
}

void Tssjg::FormKeyDown(int vk)
{
    if (vk == app::VK_ADD)
        ui->Button3->click();
    if (vk == app::VK_SUBTRACT)
        ui->Button2->click();
    if (vk == app::VK_RETURN || vk == app::VK_DECIMAL)
        ui->Button5->click();
}
