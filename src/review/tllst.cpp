#include "tllst.h"

#include "tlxxc.h"

#include "app/dialogs.h"
#include "app/shared.h"
#include "data/tado.h"

#include <QLabel>

int Tllst::CurrentNo = 1;

Tllst::Tllst(QWidget* parent)
    : QuestionViewer({.client = {795, 585}, .title = TitleLine{"noteinfo", {24, 64}, 10}}, parent)
{
    setObjectName(QStringLiteral("llst"));
    app::guard([this] { FormCreate(); });
}

void Tllst::FormCreate()
{
    // Read once: the chooser may change its selection while this viewer is open.
    const QString category = app::lxxc ? app::lxxc->selectedCategoryText() : QString();
    const int sortId = app::lxxc ? app::lxxc->Tag() : 0;
    titleLine()->setText(QStringLiteral("试题类型：") + category);
    data::Table& subject = app::ado->subject;
    filterTo(subject, QStringLiteral("sortId=%1").arg(sortId));
    subject.setSort(QStringLiteral("sortId"));
    CurrentNo = 1;
    ShowCurrent();
}
