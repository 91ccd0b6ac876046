#pragma once

#include "app/form.h"

#include <QPointer>
#include <memory>

class Tmnks;

namespace Ui {
class Txxts;
}

// The result of a paper: scores the examination window's paper once, as it is created, and keeps
// the error counters of a mock examination.
class Txxts final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Txxts)

public:
    explicit Txxts(QWidget* parent = nullptr);
    ~Txxts() override;

protected:
    void FormKeyDown(int vk) override;

private:
    void FormCreate();
    void countErrors();
    void Button1Click();
    void Button2Click();
    void endExam();

    std::unique_ptr<Ui::Txxts> ui;
    QPointer<Tmnks> exam_;
};
