#include "tdtjq.h"
#include "ui_tdtjq.h"

Tdtjq::Tdtjq(QWidget* parent)
    : menu::InfoPage(QStringLiteral("dtjq.html"), parent), ui(std::make_unique<Ui::Tdtjq>())
{
    ui->setupUi(this);
    setFrame(Frame::Sizeable, Buttons::CloseOnly, false);
    setOuterSize(827, 594);
    FormCreate(ui->WebBrowser1);
}

Tdtjq::~Tdtjq() = default;
