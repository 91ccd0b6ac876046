#include "scoring.h"

#include "history.h"

#include "data/dataset.h"
#include "data/schema.h"

#include <utility>
#include <vector>

namespace core {

int pointsPerRight(const QString& classCode)
{
    return classCode == u"E1" || classCode == u"F1" ? 2 : 1;
}

int countRight(data::Table& paper)
{
    int correct = 0;
    paper.setFiltered(false);
    for (paper.first(); !paper.eof(); paper.next())
        correct += int(paper.asInteger(data::col::isRight));
    return correct;
}

int score(int correct, const QString& classCode)
{
    return correct * pointsPerRight(classCode);
}

bool passed(int score, int passMark)
{
    return score >= passMark;
}

namespace {

void addErrors(data::Table& paper, data::Table& subject)
{
    for (paper.first(); !paper.eof(); paper.next()) {
        const qint64 subId = paper.asInteger(data::col::subId);
        if (!subject.locate(data::col::subId, subId))
            continue;
        const qint64 wrong = paper.asInteger(data::col::isRight) == 0 ? 1 : -1;
        subject.edit();
        subject.setValue(data::col::errorTimes, subject.asInteger(data::col::errorTimes) + wrong);
        subject.post();
    }
}

void scheduleAnswers(data::Table& paper, data::Table& subject, PaperMode mode,
                     const std::function<bool(int)>& missedOnce, qint64 now)
{
    std::vector<Answer> answers;
    int q = 0;
    for (paper.first(); !paper.eof(); paper.next()) {
        const bool right = paper.asInteger(data::col::isRight) != 0;
        ++q;
        answers.push_back({paper.asInteger(data::col::subId),
                           right && (mode == PaperMode::MockExam || !missedOnce(q))});
    }
    recordAnswers(subject.connection(), mode, answers, now);
}

// Runs `write` in a transaction on subject's handle.
template <typename Write> void together(data::Table& subject, Write&& write)
{
    try {
        subject.setFiltered(false);
        subject.beginTransaction();
        std::forward<Write>(write)();
        subject.commit();
    } catch (...) {
        // The error that led here is the one the learner should read.
        try {
            subject.rollback();
        } catch (...) {
        }
        throw;
    }
}

} // namespace

void countErrors(data::Table& paper, data::Table& subject)
{
    together(subject, [&] { addErrors(paper, subject); });
}

void filePaper(data::Table& paper, data::Table& subject, PaperMode mode,
               const std::function<bool(int)>& missedOnce, qint64 now, const PaperRecord* record)
{
    together(subject, [&] {
        if (mode == PaperMode::MockExam)
            addErrors(paper, subject);
        scheduleAnswers(paper, subject, mode, missedOnce, now);
        if (record)
            recordPaper(subject.connection(), *record);
    });
}

PaperRecord readPaper(data::Table& paper)
{
    PaperRecord record;
    paper.setFiltered(false);
    for (paper.first(); !paper.eof(); paper.next()) {
        const bool right = paper.asInteger(data::col::isRight) == 1;
        if (record.answers.empty())
            record.firstNoteId = paper.asInteger(data::col::noteId);
        record.answers.push_back({int(record.answers.size()) + 1, paper.asInteger(data::col::subId),
                                  paper.asInteger(data::col::optionId), right});
        record.rightCount += right ? 1 : 0;
    }
    record.questionCount = int(record.answers.size());
    return record;
}

} // namespace core
