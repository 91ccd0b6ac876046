#pragma once

#include "questionviewer.h"

#include "data/dataset.h"

#include <memory>

namespace Ui {
class Tycst;
}

// The error-prone questions, most often missed first; leaving may reset every counter.
class Tycst final : public QuestionViewer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tycst)

public:
    explicit Tycst(QWidget* parent = nullptr);
    ~Tycst() override;

    void FormCreate();
    void Button5Click() override;

protected:
    int& currentNo() override { return CurrentNo; }

private:
    std::unique_ptr<Ui::Tycst> ui;
    static int CurrentNo;
    // Its own connection, so the reset does not go through the shared tables.
    data::Query adoqu;
};
