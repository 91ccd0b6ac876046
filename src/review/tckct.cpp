#include "tckct.h"
#include "ui_tckct.h"

#include "data/schema.h"
#include "data/tado.h"
#include "platform/dialogs.h"
#include "platform/navigation.h"

int Tckct::CurrentNo = 1;

Tckct::Tckct(QWidget* parent) : QuestionViewer(parent), ui(std::make_unique<Ui::Tckct>())
{
    ui->setupUi(this);
    bindControls();
    app::guard([this] { FormCreate(); }, this);
}

Tckct::~Tckct() = default;

void Tckct::FormCreate()
{
    data::Tado& bank = nav::dataModule();
    bank.subject.setFiltered(false);
    bank.options.setFiltered(false);
    ado_note.setConnectionString(nav::connString());
    ado_note.open();
    ado_note.first();
    filterTo(ado_note, data::equals(data::col::isRight, 0));
    ado_note.first();
    CurrentNo = 1;
    ShowCurrent();
}

int Tckct::listCount() const
{
    return ado_note.recordCount();
}

QuestionViewer::Current Tckct::moveToCurrent()
{
    ado_note.first();
    ado_note.moveBy(CurrentNo - 1);
    const qint64 subId = ado_note.asInteger(data::col::subId);
    data::Table& subject = nav::dataModule().subject;
    filterTo(subject, data::equals(data::col::subId, subId));
    subject.first();
    return {subId, CurrentNo, ado_note.asInteger(data::col::optionId)};
}
