#include "scoring.h"

#include "data/dataset.h"
#include "data/schema.h"

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

void countErrors(data::Table& paper, data::Table& subject)
{
    try {
        subject.setFiltered(false);
        subject.beginTransaction();
        for (paper.first(); !paper.eof(); paper.next()) {
            const qint64 subId = paper.asInteger(data::col::subId);
            if (!subject.locate(data::col::subId, subId))
                continue;
            const qint64 wrong = paper.asInteger(data::col::isRight) == 0 ? 1 : -1;
            subject.edit();
            subject.setValue(data::col::errorTimes,
                             subject.asInteger(data::col::errorTimes) + wrong);
            subject.post();
        }
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

} // namespace core
