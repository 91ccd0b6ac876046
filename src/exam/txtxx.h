#pragma once

#include "data/dataset.h"
#include "data/schema.h"
#include "platform/form.h"

#include <array>
#include <memory>

class QRadioButton;

namespace Ui {
class Txtxx;
}

// The ten fixed study sets; a chosen set runs through the examination window in study mode.
class Txtxx final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Txtxx)

public:
    explicit Txtxx(QWidget* parent = nullptr);
    ~Txtxx() override;

    void BitBtn1Click();
    void Button1Click();

protected:
    void FormKeyDown(int vk) override;

private:
    void FormCreate();
    std::array<QRadioButton*, 10> setButtons() const;
    int checkedSet() const;

    std::unique_ptr<Ui::Txtxx> ui;
    data::Table ADO_note{data::tbl::note};
};
