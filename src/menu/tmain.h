#pragma once

#include "platform/form.h"

#include <QString>
#include <memory>

namespace Ui {
class Tmain;
}

// The main menu: the program's main window; closing it ends the program.
class Tmain final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tmain)

public:
    explicit Tmain(QWidget* parent = nullptr);
    ~Tmain() override;

    void Image9Click();
    void Image8Click();
    void Image7Click();
    void Image6Click();
    void Image10Click();
    void Image4Click();
    void Image5Click();
    void Image3Click();
    void Label1Click();

protected:
    void FormKeyDown(int vk) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void ShowVehicleClassDialog();

    std::unique_ptr<Ui::Tmain> ui;
};
