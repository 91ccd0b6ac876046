#pragma once

#include "questionviewer.h"

#include "core/history.h"

#include <memory>
#include <vector>

namespace Ui {
class Tlsct;
}

// The wrong and unanswered questions of a recorded paper, shown as the wrong-answer review shows
// those of the last one, so that a review is never lost.
class Tlsct final : public QuestionViewer
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tlsct)

public:
    // The paper's summary for the title line and its answers, in paper order.
    Tlsct(const core::PaperRecord& paper, const std::vector<core::AnswerRecord>& answers,
          QWidget* parent = nullptr);
    ~Tlsct() override;

protected:
    int& currentNo() override { return CurrentNo; }
    int listCount() const override { return int(wrong_.size()); }
    Current moveToCurrent() override;
    void FormKeyDown(int vk) override;

private:
    std::unique_ptr<Ui::Tlsct> ui;
    static int CurrentNo;
    std::vector<core::AnswerRecord> wrong_;
};
