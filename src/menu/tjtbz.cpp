#include "tjtbz.h"
#include "ui_tjtbz.h"

#include "data/programfolder.h"
#include "platform/dialogs.h"

Tjtbz::Tjtbz(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tjtbz>())
{
    ui->setupUi(this);
    setFrame(Frame::Single, Buttons::CloseOnly, true);
    app::guard([this] { FormCreate(); }, this);
}

Tjtbz::~Tjtbz() = default;

void Tjtbz::FormCreate()
{
    ui->WebBrowser1->navigate(data::programFolder() + QStringLiteral("html/jiaojingshoushi.html"));
}
