#pragma once

#include "app/form.h"

class Tlxxc final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tlxxc)

public:
    explicit Tlxxc(QWidget* parent = nullptr);
};
