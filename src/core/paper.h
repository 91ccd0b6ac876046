#pragma once

#include "random.h"

#include <QString>
#include <vector>

namespace data {
class Table;
}

namespace core {

inline constexpr int kTrueFalse = 1;
inline constexpr int kMultipleChoice = 2;

// The true/false share of a category's quota: 40 %, rounded down; the rest is multiple choice.
constexpr int trueFalseCount(int scale)
{
    return scale * 4 / 10;
}

// A category the class examines that has no question at all of a type it needs.
struct Shortfall
{
    qint64 sortId = 0;
    QString sortName;
    int typeId = 0;
    int missing = 0; // slots left empty on the paper
};

struct PaperResult
{
    int quota = 0;  // the sum of the class's positive scales
    int length = 0; // rows written; 0 means the previous paper was kept
    std::vector<Shortfall> shortfalls;
};

// Draws a mock-examination paper into `note` from the shared subject and sort tables.
class PaperDrawer
{
public:
    PaperDrawer(data::Table& subject, data::Table& sort, data::Table& note,
                SeedSource seeds = clockSeed);

    // Replaces the paper with one for vehicle class 0..4: all true/false questions category by
    // category in sort order, then all multiple-choice ones. All or nothing: an error or an empty
    // paper leaves the previous paper as it was; a class without quota does not touch it.
    PaperResult assemble(int vehicleClass);

    // Appends `count` randomly drawn questions of one category and type to the paper; returns
    // how many questions there are to draw from (none drawn when there are none).
    int DrawQuestions(int count, qint64 sortId, int typeId);

private:
    data::Table& subject_;
    data::Table& sort_;
    data::Table& note_;
    SeedSource seeds_;
    Lcg lcg_;
};

// Replaces the paper with every question of study set `set` (subject.stid), grouped by type.
// Returns the number of questions written; with none, the previous paper is kept.
int buildStudyPaper(data::Table& subject, data::Table& sort, data::Table& note, int set);

// Replaces the paper with the given questions in this order, all or nothing. Returns the number
// written; with none, the previous paper is kept.
int writeQuestionPaper(data::Table& note, const std::vector<qint64>& subids);

// The text the learner reads about categories that could not be drawn from.
QString shortfallText(const std::vector<Shortfall>& shortfalls);

} // namespace core
