#pragma once

#include "infopage.h"

#include <memory>

namespace Ui {
class Tdtjq;
}

// The study-skills page. It lives for the whole run and loads its page once, so closing and
// reopening keeps the page, the link followed and the scroll position.
class Tdtjq final : public menu::InfoPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tdtjq)

public:
    explicit Tdtjq(QWidget* parent = nullptr);
    ~Tdtjq() override;

private:
    std::unique_ptr<Ui::Tdtjq> ui;
};
