#pragma once

#include "app/form.h"

class Tjxjs final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tjxjs)

public:
    explicit Tjxjs(QWidget* parent = nullptr);
};
