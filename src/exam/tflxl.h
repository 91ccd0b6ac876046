#pragma once

#include "platform/form.h"

#include <memory>
#include <vector>

namespace Ui {
class Tflxl;
}

// Practice by category: the categories of the vehicle class chosen in the vehicle-class dialog,
// weakest first; the chosen one's questions not seen for longest go on a practice paper.
class Tflxl final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tflxl)

public:
    explicit Tflxl(QWidget* parent = nullptr);
    ~Tflxl() override;

    void bt_ksClick();
    void bt_fhClick();

protected:
    void FormKeyDown(int vk) override;

private:
    void FormCreate();
    void moveSelection(int by);

    std::unique_ptr<Ui::Tflxl> ui;
    std::vector<qint64> sortIds_;
};
