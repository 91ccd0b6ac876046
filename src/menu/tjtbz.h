#pragma once

#include "infopage.h"

#include <memory>

namespace Ui {
class Tjtbz;
}

// The traffic-signs page. It lives for the whole run and loads its page once, so closing and
// reopening keeps the page, the link followed and the scroll position.
class Tjtbz final : public menu::InfoPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tjtbz)

public:
    explicit Tjtbz(QWidget* parent = nullptr);
    ~Tjtbz() override;

private:
    std::unique_ptr<Ui::Tjtbz> ui;
};
