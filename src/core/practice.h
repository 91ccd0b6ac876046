#pragma once

#include <QString>
#include <vector>

namespace data {
class Connection;
}

// What goes on a practice paper: the drill of due questions, or one category.
namespace core {

inline constexpr int kPracticeSize = 20;

struct PracticeCategory
{
    qint64 sortId = 0;
    QString name;
    int questions = 0;
    int weak = 0; // questions missed and not yet learnt: errorTimes above 0, or low in the schedule
};

// The categories of vehicle class 0..4 that have questions, the largest share of weak questions
// first; ties keep the categories' order.
std::vector<PracticeCategory> categoriesWeakestFirst(data::Connection& db, int vehicleClass);

// Up to `limit` questions of one category, those never seen first, then the longest unseen.
std::vector<qint64> categoryQuestions(data::Connection& db, qint64 sortId, int limit);

} // namespace core
