#pragma once

#include "platform/form.h"

#include <array>
#include <memory>
#include <vector>

class QRadioButton;

namespace Ui {
class Tlxxc;
}

// The browse chooser: a vehicle class, then one of the categories its examination draws from.
class Tlxxc final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tlxxc)

public:
    explicit Tlxxc(QWidget* parent = nullptr);
    ~Tlxxc() override;

    void FormCreate();
    void cbxSelect();
    void Button1Click();
    void Button2Click();

    // The caption of the selected category item, count included; empty when none is selected.
    QString selectedCategoryText() const;

private:
    void FillCategories();
    // Index of the selected radio item, -1 for none.
    int itemIndex() const;

    std::unique_ptr<Ui::Tlxxc> ui;
    std::array<int, 21> SortIds{};
    std::vector<QRadioButton*> items_;
};
