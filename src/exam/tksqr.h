#pragma once

#include "platform/form.h"

#include <QPointer>
#include <memory>

class Tmnks;

namespace Ui {
class Tksqr;
}

// The hand-in confirmation over the examination window; its clock runs on meanwhile.
class Tksqr final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tksqr)

public:
    // Confirms the hand-in of `exam`.
    explicit Tksqr(Tmnks* exam, QWidget* parent = nullptr);
    ~Tksqr() override;

protected:
    void FormKeyDown(int vk) override;

private:
    void Button1Click();
    void Button2Click();

    std::unique_ptr<Ui::Tksqr> ui;
    QPointer<Tmnks> exam_;
};
