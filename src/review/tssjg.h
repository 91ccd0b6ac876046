#pragma once

#include "questionviewer.h"

#include <memory>
#include <vector>

namespace Ui {
class Tssjg;
}

// The questions a search found, one at a time with the key marked, starting at the one opened.
class Tssjg final : public QuestionViewer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tssjg)

public:
    Tssjg(const QString& query, std::vector<qint64> subids, int start, QWidget* parent = nullptr);
    ~Tssjg() override;

protected:
    int& currentNo() override { return CurrentNo; }
    int listCount() const override { return int(subids_.size()); }
    Current moveToCurrent() override;
    // Keypad + and − page, Enter or Del returns: the search is used with a keyboard anyway.
    void FormKeyDown(int vk) override;

private:
    std::unique_ptr<Ui::Tssjg> ui;
    static int CurrentNo;
    std::vector<qint64> subids_;
};
