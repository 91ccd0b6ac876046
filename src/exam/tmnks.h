#pragma once

#include "app/form.h"

class Tmnks final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tmnks)

public:
    explicit Tmnks(QWidget* parent = nullptr);
};
