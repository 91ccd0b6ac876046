#include "tllst.h"
#include "ui_tllst.h"

#include "data/schema.h"
#include "data/tado.h"
#include "platform/dialogs.h"
#include "platform/navigation.h"

#include <QLabel>

int Tllst::CurrentNo = 1;

Tllst::Tllst(int sortId, const QString& category, QWidget* parent)
    : QuestionViewer(parent), ui(std::make_unique<Ui::Tllst>()), sortId_(sortId),
      category_(category)
{
    ui->setupUi(this);
    bindControls();
    app::guard([this] { FormCreate(); }, this);
}

Tllst::~Tllst() = default;

void Tllst::FormCreate()
{
    // Given once: the chooser may change its selection while this viewer is open.
    ui->noteinfo->setText(QStringLiteral("试题类型：") + category_);
    data::Table& subject = nav::dataModule().subject;
    filterTo(subject, data::equals(data::col::sortId, sortId_));
    subject.setSort(data::col::sortId);
    CurrentNo = 1;
    ShowCurrent();
}
