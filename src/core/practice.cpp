#include "practice.h"

#include "schedule.h"

#include "base/error.h"
#include "data/connection.h"

namespace core {

std::vector<PracticeCategory> categoriesWeakestFirst(data::Connection& db, int vehicleClass)
{
    if (vehicleClass < 0 || vehicleClass > 4)
        throw base::Error(QStringLiteral("没有第%1种车型。").arg(vehicleClass));
    data::Statement s(
        db, QStringLiteral("SELECT c.sortID, c.sortname, count(*), sum(s.errorTimes > 0 OR "
                           "coalesce(r.box < %1, 0)) AS weak FROM sort c "
                           "JOIN subject s ON s.sortid = c.sortID "
                           "LEFT JOIN review_schedule r ON r.subid = s.subid "
                           "WHERE c.scale%2 > 0 GROUP BY c.sortID "
                           "ORDER BY weak * 1.0 / count(*) DESC, c.sortID")
                .arg(kTopBox)
                .arg(vehicleClass));
    std::vector<PracticeCategory> categories;
    while (s.step())
        categories.push_back({s.column(0).toLongLong(), s.column(1).toString(),
                              int(s.column(2).toLongLong()), int(s.column(3).toLongLong())});
    return categories;
}

std::vector<qint64> categoryQuestions(data::Connection& db, qint64 sortId, int limit)
{
    data::Statement s(db, QStringLiteral("SELECT s.subid FROM subject s "
                                         "LEFT JOIN question_seen q ON q.subid = s.subid "
                                         "WHERE s.sortid = ? "
                                         "ORDER BY q.seen IS NOT NULL, q.seen, s.subid LIMIT ?"));
    s.bind(1, sortId);
    s.bind(2, limit);
    std::vector<qint64> ids;
    while (s.step())
        ids.push_back(s.column(0).toLongLong());
    return ids;
}

} // namespace core
