#pragma once

#include "app/form.h"

class Tdtjq final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tdtjq)

public:
    explicit Tdtjq(QWidget* parent = nullptr);
};
