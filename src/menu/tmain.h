#pragma once

#include "platform/form.h"

#include <QString>
#include <memory>

namespace Ui {
class Tmain;
}

// The main menu: the program's main window; closing it ends the program.
class Tmain final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tmain)

public:
    explicit Tmain(QWidget* parent = nullptr);
    ~Tmain() override;

    void Image9Click();
    void Image8Click();
    void Image7Click();
    void Image6Click();
    void Image10Click();
    void Image4Click();
    void Image5Click();
    void Image3Click();
    void Label1Click();
    // Practice entries on the banner: the drill, practice by category, search.
    void lb_ctlxClick();
    void lb_fllxClick();
    void lb_sstmClick();
    // Shows on the drill entry how many questions are due today.
    void showDueToday();
    // The learner's record, from the banner's link or the keypad / key.
    void lb_ksjlClick();

protected:
    void FormKeyDown(int vk) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void ShowVehicleClassDialog();

    std::unique_ptr<Ui::Tmain> ui;
};
