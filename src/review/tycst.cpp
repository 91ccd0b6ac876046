#include "tycst.h"
#include "ui_tycst.h"

#include "data/schema.h"
#include "data/tado.h"
#include "platform/dialogs.h"
#include "platform/navigation.h"

#include <QLabel>

int Tycst::CurrentNo = 1;

Tycst::Tycst(QWidget* parent) : QuestionViewer(parent), ui(std::make_unique<Ui::Tycst>())
{
    ui->setupUi(this);
    bindControls();
    app::guard([this] { FormCreate(); }, this);
}

Tycst::~Tycst() = default;

void Tycst::FormCreate()
{
    adoqu.setConnectionString(nav::connString());
    data::Table& subject = nav::dataModule().subject;
    subject.setFiltered(false);
    subject.setSort(data::col::errorTimes + QStringLiteral(" DESC"));
    subject.first();
    subject.setFilter(data::greater(data::col::errorTimes, 0));
    subject.setFiltered(true);
    ui->Label6->setText(QStringLiteral("易错试题（%1）").arg(subject.recordCount()));
    CurrentNo = 1;
    ShowCurrent();
}

void Tycst::Button5Click()
{
    if (app::confirm(this, QStringLiteral("是否清空易错试题?"), false)) {
        adoqu.sql().clear();
        adoqu.sql()
            << QStringLiteral("UPDATE %1 SET %2=0").arg(data::tbl::subject, data::col::errorTimes);
        // A failure ends the handler here, so the window stays open.
        adoqu.execSql();
    }
    close();
}
