#include "txccx.h"
#include "ui_txccx.h"

#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/keys.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

#include <QIcon>

Txccx::Txccx(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Txccx>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
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
    nav::openInstructions(Tag());
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
