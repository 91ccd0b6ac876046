#pragma once

#include "platform/form.h"

#include <QString>
#include <memory>

namespace Ui {
class Txccx;
}

// The vehicle-class dialog in front of every mock examination. It lives for the whole run, and
// its selection is the vehicle class that the exam windows read.
class Txccx final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Txccx)

public:
    explicit Txccx(QWidget* parent = nullptr);
    ~Txccx() override;

    // The selected entry: 0 "C1、C2、C3、C4" .. 4 "F1_恢复性驾驶证".
    int vehicleClass() const;
    QString vehicleClassText() const;

    void Button1Click();
    void Button2Click();

protected:
    void FormKeyDown(int vk) override;

private:
    std::unique_ptr<Ui::Txccx> ui;
};
