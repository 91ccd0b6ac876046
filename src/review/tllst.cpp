#include "tllst.h"

#include "data/tado.h"
#include "platform/dialogs.h"
#include "platform/navigation.h"

#include <QLabel>

int Tllst::CurrentNo = 1;

Tllst::Tllst(int sortId, const QString& category, QWidget* parent)
    : QuestionViewer({.client = {795, 585}, .title = TitleLine{"noteinfo", {24, 64}, 10}}, parent),
      sortId_(sortId), category_(category)
{
    setObjectName(QStringLiteral("llst"));
    app::guard([this] { FormCreate(); }, this);
}

void Tllst::FormCreate()
{
    // Given once: the chooser may change its selection while this viewer is open.
    titleLine()->setText(QStringLiteral("试题类型：") + category_);
    data::Table& subject = nav::dataModule().subject;
    filterTo(subject, QStringLiteral("sortId=%1").arg(sortId_));
    subject.setSort(QStringLiteral("sortId"));
    CurrentNo = 1;
    ShowCurrent();
}
