#pragma once

#include "app/form.h"

class Tmain final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tmain)

public:
    explicit Tmain(QWidget* parent = nullptr);
};
