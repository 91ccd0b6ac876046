#include "schedule.h"

#include "data/connection.h"

#include <QDateTime>
#include <QString>
#include <algorithm>

namespace core {

void createScheduleTables(data::Connection& db)
{
    // seen: when a question was last on a handed-in paper, whatever the answer; practice by
    // category draws the ones not seen for longest first.
    db.exec(
        QStringLiteral("CREATE TABLE IF NOT EXISTS review_schedule ("
                       " subid INTEGER PRIMARY KEY, box INTEGER NOT NULL, due INTEGER NOT NULL,"
                       " misses INTEGER NOT NULL DEFAULT 0);"
                       "CREATE INDEX IF NOT EXISTS review_schedule_due ON review_schedule (due);"
                       "CREATE TABLE IF NOT EXISTS question_seen ("
                       " subid INTEGER PRIMARY KEY, seen INTEGER NOT NULL);"));
}

std::optional<ScheduleEntry> scheduleOf(data::Connection& db, qint64 subid)
{
    data::Statement s(
        db, QStringLiteral("SELECT box, due, misses FROM review_schedule WHERE subid = ?"));
    s.bind(1, subid);
    if (!s.step())
        return std::nullopt;
    return ScheduleEntry{int(s.column(0).toLongLong()), s.column(1).toLongLong(),
                         int(s.column(2).toLongLong())};
}

void recordAnswers(data::Connection& db, PaperMode mode, const std::vector<Answer>& answers,
                   qint64 now)
{
    // A database from before the schedule gains its tables with its first paper.
    createScheduleTables(db);
    for (const Answer& a : answers) {
        db.run(QStringLiteral("INSERT INTO question_seen (subid, seen) VALUES (?, ?) "
                              "ON CONFLICT (subid) DO UPDATE SET seen = excluded.seen"),
               {a.subid, now});
        if (!a.right) {
            db.run(QStringLiteral("INSERT INTO review_schedule (subid, box, due, misses) "
                                  "VALUES (?, 0, ?, 1) ON CONFLICT (subid) DO UPDATE SET "
                                  "box = 0, due = excluded.due, misses = misses + 1"),
                   {a.subid, now});
            continue;
        }
        // Only practice moves a question up, and only once it is due: a right answer in an
        // examination, or ahead of time, says less about whether it has been learnt.
        if (mode != PaperMode::Practice)
            continue;
        const std::optional<ScheduleEntry> entry = scheduleOf(db, a.subid);
        if (!entry || entry->due > now)
            continue;
        const int box = std::min(entry->box + 1, kTopBox);
        db.run(QStringLiteral("UPDATE review_schedule SET box = ?, due = ? WHERE subid = ?"),
               {box, now + qint64(kIntervalDays[size_t(box - 1)]) * kSecondsPerDay, a.subid});
    }
}

int dueCount(data::Connection& db, qint64 until)
{
    data::Statement s(db, QStringLiteral("SELECT count(*) FROM review_schedule r "
                                         "JOIN subject s ON s.subid = r.subid WHERE r.due <= ?"));
    s.bind(1, until);
    s.step();
    return int(s.column(0).toLongLong());
}

std::vector<qint64> dueQuestions(data::Connection& db, qint64 now, int limit)
{
    data::Statement s(db, QStringLiteral("SELECT r.subid FROM review_schedule r "
                                         "JOIN subject s ON s.subid = r.subid WHERE r.due <= ? "
                                         "ORDER BY r.due, r.subid LIMIT ?"));
    s.bind(1, now);
    s.bind(2, limit);
    std::vector<qint64> ids;
    while (s.step())
        ids.push_back(s.column(0).toLongLong());
    return ids;
}

qint64 endOfDay(qint64 now)
{
    const QDateTime at = QDateTime::fromSecsSinceEpoch(now);
    return QDateTime(at.date().addDays(1), QTime(0, 0)).toSecsSinceEpoch() - 1;
}

} // namespace core
