#pragma once

#include "data/dataset.h"
#include "data/schema.h"
#include "platform/form.h"

#include <memory>

namespace Ui {
class Tksxz;
}

// The examination-room rules in front of a mock examination; confirming draws the paper.
class Tksxz final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tksxz)

public:
    explicit Tksxz(QWidget* parent = nullptr);
    ~Tksxz() override;

    void BitBtn1Click();

protected:
    void FormKeyDown(int vk) override;

private:
    void FormCreate();
    // Tells why no paper can be drawn and returns to the main menu.
    void backToMenu(const QString& text);

    std::unique_ptr<Ui::Tksxz> ui;
    data::Table ADO_note{data::tbl::note};
};
