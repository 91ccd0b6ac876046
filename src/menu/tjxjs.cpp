#include "tjxjs.h"
#include "ui_tjxjs.h"

#include "data/programfolder.h"
#include "platform/dialogs.h"

Tjxjs::Tjxjs(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tjxjs>())
{
    ui->setupUi(this);
    setFrame(Frame::Sizeable, Buttons::All, true);
    setOuterSize(837, 590);
    app::guard([this] { FormCreate(); }, this);
}

Tjxjs::~Tjxjs() = default;

void Tjxjs::FormCreate()
{
    ui->WebBrowser1->navigate(data::programFolder() + QStringLiteral("html/zhanshi.html"));
}
