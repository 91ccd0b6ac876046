#include "tjtbz.h"
#include "ui_tjtbz.h"

Tjtbz::Tjtbz(QWidget* parent)
    : menu::InfoPage(QStringLiteral("jiaojingshoushi.html"), parent),
      ui(std::make_unique<Ui::Tjtbz>())
{
    ui->setupUi(this);
    setFrame(Frame::Single, Buttons::CloseOnly, true);
    FormCreate(ui->WebBrowser1);
}

Tjtbz::~Tjtbz() = default;
