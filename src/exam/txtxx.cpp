#include "txtxx.h"
#include "ui_txtxx.h"

#include "core/paper.h"
#include "data/schema.h"
#include "data/tado.h"
#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

#include <QLabel>
#include <QRadioButton>

Txtxx::Txtxx(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Txtxx>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setFrame(Frame::None, Buttons::None, false);
    setKeyPreview(true);
    ui->Image1->setPixmap(app::artwork(QStringLiteral(":/art/study_banner.jpg")));
    app::onClick(ui->BitBtn1, this, &Txtxx::BitBtn1Click);
    app::onClick(ui->Button1, this, &Txtxx::Button1Click);
    app::guard([this] { FormCreate(); }, this);
}

Txtxx::~Txtxx() = default;

void Txtxx::FormCreate()
{
    ADO_note.setConnectionString(nav::connString());
    ADO_note.open();
    ADO_note.setSort(data::col::noteId);
}

void Txtxx::FormKeyDown(int vk)
{
    if (vk == app::VK_RETURN)
        ui->BitBtn1->click();
}

std::array<QRadioButton*, 10> Txtxx::setButtons() const
{
    return {ui->R1, ui->R2, ui->R3, ui->R4, ui->R5, ui->R6, ui->R7, ui->R8, ui->R9, ui->R10};
}

int Txtxx::checkedSet() const
{
    const auto buttons = setButtons();
    int set = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked())
            set = int(i) + 1;
    }
    return set;
}

void Txtxx::BitBtn1Click()
{
    const int set = checkedSet();
    if (set == 0) {
        app::messageBox(this, QStringLiteral("请先选择一套试题。"));
        return;
    }
    // A set without questions keeps the previous paper: nothing is deleted unless the new one
    // is written.
    data::Tado& bank = nav::dataModule();
    if (core::buildStudyPaper(bank.subject, bank.sort, ADO_note, set) == 0) {
        app::messageBox(this, QStringLiteral("%1没有试题，请选择其他试题。")
                                  .arg(setButtons()[size_t(set - 1)]->text()));
        return;
    }
    ADO_note.close();
    close();

    nav::openExam(1, QStringLiteral("试卷编号：第%1套").arg(set), set);
}

void Txtxx::Button1Click()
{
    close();
}
