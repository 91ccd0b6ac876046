#pragma once

#include "app/form.h"

class Txxts final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Txxts)

public:
    explicit Txxts(QWidget* parent = nullptr);
};
