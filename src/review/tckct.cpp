#include "tckct.h"

#include "data/tado.h"
#include "platform/dialogs.h"
#include "platform/navigation.h"

int Tckct::CurrentNo = 1;

Tckct::Tckct(QWidget* parent)
    : QuestionViewer({.client = {795, 576},
                      .bodyShift = 11,
                      .buttonTop = 538,
                      .buttonLefts = {96, 200, 304, 408, 512},
                      .buttonWidths = {75, 75, 75, 75, 81},
                      .infoPointSize = 12,
                      .title = std::nullopt},
                     parent)
{
    setObjectName(QStringLiteral("ckct"));
    app::guard([this] { FormCreate(); }, this);
}

void Tckct::FormCreate()
{
    data::Tado& bank = nav::dataModule();
    bank.subject.setFiltered(false);
    bank.options.setFiltered(false);
    ado_note.setConnectionString(nav::connString());
    ado_note.open();
    ado_note.first();
    filterTo(ado_note, QStringLiteral("isright=%1").arg(0));
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
    const qint64 subId = ado_note.asInteger(QStringLiteral("subid"));
    data::Table& subject = nav::dataModule().subject;
    filterTo(subject, QStringLiteral("subid=%1").arg(subId));
    subject.first();
    return {subId, CurrentNo, ado_note.asInteger(QStringLiteral("optionid"))};
}
