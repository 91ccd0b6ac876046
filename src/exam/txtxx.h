#pragma once

#include "app/form.h"

class Txtxx final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Txtxx)

public:
    explicit Txtxx(QWidget* parent = nullptr);
};
