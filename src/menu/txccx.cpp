#include "txccx.h"
#include "ui_txccx.h"

#include "app/artwork.h"
#include "app/connect.h"
#include "app/keys.h"
#include "app/shared.h"
#include "exam/tksxz.h"

#include <QIcon>

Txccx::Txccx(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Txccx>())
{
    ui->setupUi(this);
    setFrame(Frame::Sizeable, Buttons::CloseOnly, true);
    setOuterSize(381, 284);
    setKeyPreview(true);
    setWindowIcon(QIcon(app::artwork(QStringLiteral(":/art/xccx_icon.jpg"))));
    app::onClick(ui->Button1, this, &Txccx::Button1Click);
    app::onClick(ui->Button2, this, &Txccx::Button2Click);
}

Txccx::~Txccx() = default;

int Txccx::vehicleClass() const
{
    return ui->ComboBox1->currentIndex();
}

QString Txccx::vehicleClassText() const
{
    return ui->ComboBox1->currentText();
}

void Txccx::Button1Click()
{
    close();
    app::ksxz = new Tksxz;
    app::ksxz->setTag(Tag());
    app::ksxz->show();
}

void Txccx::Button2Click()
{
    ui->Button1->setFocus();
    close();
}

void Txccx::FormKeyDown(int vk)
{
    // Three separate tests, as on the examination-room keypad; none swallows the key.
    if (vk == app::VK_ADD) {
        // Cycles the three car classes only; a motorcycle or restoration class stays chosen.
        const int index = ui->ComboBox1->currentIndex();
        if (index >= 0 && index <= 2)
            ui->ComboBox1->setCurrentIndex((index + 1) % 3);
    }
    if (vk == app::VK_RETURN)
        ui->Button1->click();
    if (vk == app::VK_DECIMAL)
        ui->Button2->click();
}
