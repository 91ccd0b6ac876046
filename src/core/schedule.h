#pragma once

#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

namespace data {
class Connection;
}

// The review schedule: Leitner boxes over the questions a learner has missed. A miss puts a
// question into box 0, due at once; each right answer given while it is due moves it one box up,
// due again after that box's interval. Times are seconds since the epoch, always passed in.
namespace core {

inline constexpr int kSecondsPerDay = 86400;
// Days until a question in box 1, 2 ... 5 is due again.
inline constexpr std::array<int, 5> kIntervalDays{1, 3, 7, 14, 30};
inline constexpr int kTopBox = int(kIntervalDays.size());

// The examination window's modes as its Tag carries them.
enum class PaperMode { Study = 1, MockExam = 2, Practice = 3 };

struct Answer
{
    qint64 subid = 0;
    bool right = false; // a question left unanswered counts as wrong
};

struct ScheduleEntry
{
    int box = 0;
    qint64 due = 0;
    int misses = 0;
};

// Creates the schedule's tables in a database that lacks them; changes nothing else.
void createScheduleTables(data::Connection& db);

// Files the answers of one handed-in paper. Runs inside the caller's transaction, so that it
// stands or falls with the paper's other bookkeeping; never touches subject.errorTimes.
void recordAnswers(data::Connection& db, PaperMode mode, const std::vector<Answer>& answers,
                   qint64 now);

std::optional<ScheduleEntry> scheduleOf(data::Connection& db, qint64 subid);

// Questions due at `until` or before, of those still in the bank.
int dueCount(data::Connection& db, qint64 until);

// The questions due now, most overdue first, at most `limit`.
std::vector<qint64> dueQuestions(data::Connection& db, qint64 now, int limit);

// The end of the local day that `now` falls in: what "due today" counts up to.
qint64 endOfDay(qint64 now);

} // namespace core
