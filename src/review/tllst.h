#pragma once

#include "questionviewer.h"

// The browse viewer: every question of the category chosen in the chooser.
class Tllst final : public QuestionViewer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tllst)

public:
    // The questions of category `sortId`, captioned as the chooser shows it.
    Tllst(int sortId, const QString& category, QWidget* parent = nullptr);

    void FormCreate();

protected:
    int& currentNo() override { return CurrentNo; }

private:
    static int CurrentNo;
    const int sortId_;
    const QString category_;
};
