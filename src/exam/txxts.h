#pragma once

#include "platform/form.h"

#include <QPointer>
#include <memory>

class Tmnks;

namespace core {
struct PaperRecord;
}

namespace Ui {
class Txxts;
}

// The result of a paper: shows the score of the examination window's paper, scored once as it is
// created, and has the error counters of a mock examination kept.
class Txxts final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Txxts)

public:
    // The result of `exam`, whose paper it reads.
    explicit Txxts(Tmnks* exam, QWidget* parent = nullptr);
    ~Txxts() override;

protected:
    void FormKeyDown(int vk) override;

private:
    void FormCreate();
    void countErrors(const core::PaperRecord& record);
    void showProgress(const core::PaperRecord& record);
    void Button1Click();
    void Button2Click();
    void endExam();

    std::unique_ptr<Ui::Txxts> ui;
    QPointer<Tmnks> exam_;
};
