#pragma once

#include "app/form.h"

class Tllst final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tllst)

public:
    explicit Tllst(QWidget* parent = nullptr);
};
