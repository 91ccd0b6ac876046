#pragma once

#include "infopage.h"

#include <memory>

namespace Ui {
class Tjxjs;
}

// The driving-school page. It lives for the whole run and loads its page once, so closing and
// reopening keeps the page, the link followed and the scroll position.
class Tjxjs final : public menu::InfoPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tjxjs)

public:
    explicit Tjxjs(QWidget* parent = nullptr);
    ~Tjxjs() override;

private:
    std::unique_ptr<Ui::Tjxjs> ui;
};
