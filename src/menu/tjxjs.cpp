#include "tjxjs.h"
#include "ui_tjxjs.h"

Tjxjs::Tjxjs(QWidget* parent)
    : menu::InfoPage(QStringLiteral("zhanshi.html"), parent), ui(std::make_unique<Ui::Tjxjs>())
{
    ui->setupUi(this);
    setFrame(Frame::Sizeable, Buttons::All, true);
    setOuterSize(837, 590);
    FormCreate(ui->WebBrowser1);
}

Tjxjs::~Tjxjs() = default;
