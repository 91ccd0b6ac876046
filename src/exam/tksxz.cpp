#include "tksxz.h"
#include "ui_tksxz.h"

#include "core/cipher.h"
#include "core/ciphertexts.h"
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

Tksxz::Tksxz(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tksxz>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setFrame(Frame::None, Buttons::None, true);
    setKeyPreview(true);
    ui->Image1->setPixmap(app::artwork(QStringLiteral(":/art/exam_banner.jpg")));
    app::onClick(ui->BitBtn1, this, &Tksxz::BitBtn1Click);
    app::guard([this] { FormCreate(); }, this);
}

Tksxz::~Tksxz() = default;

void Tksxz::FormCreate()
{
    app::fitText(ui->Label10, core::DecipherText(QString::fromLatin1(core::kExamCardText)));
    ADO_note.setConnectionString(nav::connString());
    ADO_note.open();
    ADO_note.setSort(data::col::noteId);
}

void Tksxz::FormKeyDown(int vk)
{
    if (vk == app::VK_RETURN)
        ui->BitBtn1->click();
}

void Tksxz::backToMenu(const QString& text)
{
    // The window has no way back of its own: without a paper the learner would be trapped.
    app::messageBox(this, text);
    close();
    deleteLater();
    nav::activateMainMenu();
}

void Tksxz::BitBtn1Click()
{
    const int vehicleClass = nav::vehicleClass().value_or(-1);
    if (vehicleClass < 0 || vehicleClass > 4) {
        backToMenu(QStringLiteral("请先选择考试车型。"));
        return;
    }

    data::Tado& bank = nav::dataModule();
    core::PaperDrawer drawer(bank.subject, bank.sort, ADO_note);
    const core::PaperResult paper = drawer.assemble(vehicleClass);
    if (paper.quota == 0) {
        backToMenu(QStringLiteral("所选车型没有规定考试题量，无法组卷，请选择其他车型。"));
        return;
    }
    if (paper.length == 0) {
        backToMenu(QStringLiteral("题库中没有所选车型的试题，无法组卷，请选择其他车型。"));
        return;
    }
    ADO_note.close();
    if (!paper.shortfalls.empty())
        app::messageBox(this, core::shortfallText(paper.shortfalls));
    close();

    static const char* const kClassCaptions[] = {"考试车型：C1", "考试车型：A2", "考试车型：A1"};
    nav::openExam(Tag(),
                  vehicleClass < 3 ? QString::fromUtf8(kClassCaptions[vehicleClass]) : QString());
}
