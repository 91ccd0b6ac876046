#include "tdtjq.h"
#include "ui_tdtjq.h"

#include "data/programfolder.h"
#include "platform/dialogs.h"

Tdtjq::Tdtjq(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tdtjq>())
{
    ui->setupUi(this);
    setFrame(Frame::Sizeable, Buttons::CloseOnly, false);
    setOuterSize(827, 594);
    app::guard([this] { FormCreate(); }, this);
}

Tdtjq::~Tdtjq() = default;

void Tdtjq::FormCreate()
{
    ui->WebBrowser1->navigate(data::programFolder() + QStringLiteral("html/dtjq.html"));
}
