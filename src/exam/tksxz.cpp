#include "tksxz.h"
#include "ui_tksxz.h"

#include "app/artwork.h"
#include "app/connect.h"
#include "app/dialogs.h"
#include "app/keys.h"
#include "app/shared.h"
#include "data/tado.h"
#include "exam/paper.h"
#include "exam/tmnks.h"
#include "menu/ciphertexts.h"
#include "menu/tmain.h"
#include "menu/txccx.h"

#include <QLabel>

Tksxz::Tksxz(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tksxz>())
{
    ui->setupUi(this);
    setFrame(Frame::None, Buttons::None, true);
    setKeyPreview(true);
    ui->Image1->setPixmap(app::artwork(QStringLiteral(":/art/exam_banner.jpg")));
    app::onClick(ui->BitBtn1, this, &Tksxz::BitBtn1Click);
    app::guard([this] { FormCreate(); });
}

Tksxz::~Tksxz() = default;

void Tksxz::FormCreate()
{
    ui->Label10->setText(Tmain::DecipherText(QString::fromLatin1(menu::kExamCardText)));
    ADO_note.setConnectionString(app::ConnString);
    ADO_note.open();
    ADO_note.setSort(QStringLiteral("noteId"));
}

void Tksxz::FormKeyDown(int vk)
{
    if (vk == app::VK_RETURN)
        ui->BitBtn1->click();
}

void Tksxz::BitBtn1Click()
{
    const int vehicleClass = app::xccx ? app::xccx->vehicleClass() : -1;
    if (vehicleClass < 0 || vehicleClass > 4) {
        app::messageBox(QStringLiteral("请先选择考试车型。"));
        return;
    }

    exam::PaperDrawer drawer(app::ado->subject, app::ado->sort, ADO_note);
    const exam::PaperResult paper = drawer.assemble(vehicleClass);
    if (paper.quota == 0) {
        app::messageBox(QStringLiteral("所选车型没有规定考试题量，无法组卷，请选择其他车型。"));
        return;
    }
    if (paper.length == 0) {
        app::messageBox(QStringLiteral("题库中没有所选车型的试题，无法组卷，请选择其他车型。"));
        return;
    }
    ADO_note.close();
    if (!paper.shortfalls.empty())
        app::messageBox(exam::shortfallText(paper.shortfalls));
    close();

    app::mnks = new Tmnks;
    static const char* const kClassCaptions[] = {"考试车型：C1", "考试车型：A2", "考试车型：A1"};
    if (vehicleClass < 3)
        app::mnks->lb_kscx()->setText(QString::fromUtf8(kClassCaptions[vehicleClass]));
    app::mnks->setTag(Tag());
    app::mnks->show();
}
