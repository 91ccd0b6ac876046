#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace data {
class Connection;
}

namespace core {

// How many questions of a category a paper of the class asks.
struct Quota
{
    qint64 sortId = 0;
    int questions = 0;
};

// One paper's answers in one category.
struct CategoryCount
{
    qint64 sortId = 0;
    int right = 0;
    int asked = 0;
};

using PaperCounts = std::vector<CategoryCount>;

// The estimator's settings; the defaults are the ones the calibration simulation supports.
struct PassModel
{
    // Weight of a paper relative to the one after it: the learner changes, so old papers say
    // less about today.
    double decay = 0.8;
    // Pseudo-answers that pull each category towards the learner's accuracy over all categories,
    // so a category seen a few times is not taken at its word.
    double priorStrength = 6.0;
    // Standard deviation of the prior on the learner's change in log-odds per paper.
    double trendPrior = 0.3;
    int maxPapers = 20;
    // Below these there is no number, only "too little data".
    int minPapers = 2;
    // In answers per question of the class's paper.
    double minAnswersPerQuestion = 1.0;
};

struct CategoryEstimate
{
    qint64 sortId = 0;
    int questions = 0; // on the class's paper
    int right = 0;     // over the papers the estimate rests on, unweighted
    int asked = 0;
    double alpha = 1.0; // Beta posterior of the category's accuracy
    double beta = 1.0;
    double mean() const { return alpha / (alpha + beta); }
};

struct PassEstimate
{
    bool enough = false;
    double probability = 0.0; // P(score >= pass mark) of a fresh paper; only when enough
    int papers = 0;           // N: the papers it rests on
    int answers = 0;          // M: their answers in the class's categories
    int paperLength = 0;      // questions on the class's paper
    std::vector<CategoryEstimate> categories; // weakest first
};

// The distribution of the number of right answers among n questions when the accuracy is
// Beta(a, b): element k is P(k right).
std::vector<double> betaBinomial(int n, double a, double b);

// P(pointsPerRight * total right >= passMark) for a paper that asks each category's questions,
// each category's right count an independent beta-binomial.
double passProbability(const std::vector<CategoryEstimate>& categories, int pointsPerRight,
                       int passMark);

// The estimate for a fresh paper of the class with these quotas, from the learner's papers,
// newest first.
PassEstimate estimatePass(const std::vector<Quota>& quotas,
                          const std::vector<PaperCounts>& newestFirst, int pointsPerRight,
                          int passMark, const PassModel& model = {});

// The same from the database: the quotas of vehicle class 0 to 4 from table sort, the given
// answers of the recorded mock examinations (of any class) in those categories.
PassEstimate estimatePass(data::Connection& db, int vehicleClass, int passMark);

// "通过概率 73%（基于最近 N 次、M 道题）", or what is missing for a number.
QString passText(const PassEstimate& estimate, const PassModel& model = {});

// The vehicle class's position in the class list for its code ("C1" 0 ... "F1" 4), -1 if none.
int vehicleClassOf(const QString& classCode);

} // namespace core
