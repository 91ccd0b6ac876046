#pragma once

#include "questionviewer.h"

#include "data/dataset.h"
#include "data/schema.h"

#include <memory>

namespace Ui {
class Tckct;
}

// The wrong and unanswered questions of the last paper, with the learner's choice crossed.
class Tckct final : public QuestionViewer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tckct)

public:
    explicit Tckct(QWidget* parent = nullptr);
    ~Tckct() override;

    void FormCreate();

protected:
    int& currentNo() override { return CurrentNo; }
    int listCount() const override;
    Current moveToCurrent() override;

private:
    std::unique_ptr<Ui::Tckct> ui;
    static int CurrentNo;
    data::Table ado_note{data::tbl::note};
};
