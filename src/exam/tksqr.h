#pragma once

#include "app/form.h"

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
    explicit Tksqr(QWidget* parent = nullptr);
    ~Tksqr() override;

    // The examination this window confirms; app::mnks unless told otherwise.
    void setExam(Tmnks* exam);

protected:
    void FormKeyDown(int vk) override;

private:
    void Button1Click();
    void Button2Click();

    std::unique_ptr<Ui::Tksqr> ui;
    QPointer<Tmnks> exam_;
};
