#pragma once

#include "app/form.h"

class Tycst final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tycst)

public:
    explicit Tycst(QWidget* parent = nullptr);
};
