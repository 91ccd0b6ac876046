#pragma once

#include "questionviewer.h"

#include <memory>

namespace Ui {
class Tllst;
}

// The browse viewer: every question of the category chosen in the chooser.
class Tllst final : public QuestionViewer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tllst)

public:
    // The questions of category `sortId`, captioned as the chooser shows it.
    Tllst(int sortId, const QString& category, QWidget* parent = nullptr);
    ~Tllst() override;

    void FormCreate();

protected:
    int& currentNo() override { return CurrentNo; }

private:
    std::unique_ptr<Ui::Tllst> ui;
    static int CurrentNo;
    const int sortId_;
    const QString category_;
};
