#pragma once

#include "app/form.h"

class Tckct final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tckct)

public:
    explicit Tckct(QWidget* parent = nullptr);
};
