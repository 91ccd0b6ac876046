#pragma once

#include "app/form.h"

class Tksqr final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tksqr)

public:
    explicit Tksqr(QWidget* parent = nullptr);
};
