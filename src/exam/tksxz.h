#pragma once

#include "app/form.h"

class Tksxz final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tksxz)

public:
    explicit Tksxz(QWidget* parent = nullptr);
};
