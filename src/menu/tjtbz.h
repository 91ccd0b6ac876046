#pragma once

#include "app/form.h"

class Tjtbz final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tjtbz)

public:
    explicit Tjtbz(QWidget* parent = nullptr);
};
