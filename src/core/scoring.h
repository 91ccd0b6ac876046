#pragma once

#include "schedule.h"

#include <QString>
#include <functional>

namespace data {
class Table;
}

namespace core {

struct PaperRecord;

// The points of one right answer: two for the classes E1 (motorcycle) and F1 (restoration), one
// for every other class code.
int pointsPerRight(const QString& classCode);

// The right answers of a paper: its isright values added up, over every row whatever its filter.
int countRight(data::Table& paper);

// The score of a paper with `correct` right answers for a class code such as "C1".
int score(int correct, const QString& classCode);

// Whether a score reaches the pass mark.
bool passed(int score, int passMark);

// Counts a mock examination into the error counters: errorTimes of every question on the paper
// goes up by one when it was answered wrong or not at all, down by one when right. One paper's
// counters go in together: on a failure none of them is kept and the error is raised again.
void countErrors(data::Table& paper, data::Table& subject);

// Files a handed-in paper of any mode in one transaction on subject's handle: a mock
// examination's error counters as countErrors does, every paper's answers in the review
// schedule, and, given a record, the paper's place in the exam history. missedOnce(q) says
// whether question q (1-based) was answered wrongly at some point, which counts as a miss even if
// put right after the key was shown; only study and practice show it. On a failure nothing is
// kept and the error is raised again.
void filePaper(data::Table& paper, data::Table& subject, PaperMode mode,
               const std::function<bool(int)>& missedOnce, qint64 now,
               const PaperRecord* record = nullptr);

// The paper's answers in paper order with its right count and first noteId, for the history; the
// rest of the record is the caller's.
PaperRecord readPaper(data::Table& paper);

} // namespace core
