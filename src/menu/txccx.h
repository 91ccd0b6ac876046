#pragma once

#include "app/form.h"

class Txccx final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Txccx)

public:
    explicit Txccx(QWidget* parent = nullptr);
};
