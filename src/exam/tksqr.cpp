#include "tksqr.h"
#include "ui_tksqr.h"

#include "tmnks.h"

#include "platform/connect.h"
#include "platform/keys.h"
#include "platform/textfit.h"

Tksqr::Tksqr(Tmnks* exam, QWidget* parent)
    : app::Form(parent), ui(std::make_unique<Ui::Tksqr>()), exam_(exam)
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setFrame(Frame::Single, Buttons::None, true);
    setKeyPreview(true);
    // Nothing reads a confirmation once it has closed.
    setAttribute(Qt::WA_DeleteOnClose);
    app::onClick(ui->Button1, this, &Tksqr::Button1Click);
    app::onClick(ui->Button2, this, &Tksqr::Button2Click);
}

Tksqr::~Tksqr() = default;

void Tksqr::Button1Click()
{
    close();
    // A paper already handed in or timed out is not handed in again.
    if (exam_ && !exam_->handedIn())
        exam_->handIn();
}

void Tksqr::Button2Click()
{
    close();
    if (exam_ && !exam_->handedIn()) {
        exam_->show();
        exam_->raise();
        exam_->activateWindow();
    }
}

void Tksqr::FormKeyDown(int vk)
{
    if (vk == app::VK_NUMPAD0)
        ui->Button1->click();
    if (vk == app::VK_DECIMAL)
        ui->Button2->click();
}
