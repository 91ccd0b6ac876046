#include "passprobability.h"

#include "history.h"
#include "scoring.h"

#include "data/connection.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace core {

std::vector<double> betaBinomial(int n, double a, double b)
{
    std::vector<double> p(size_t(std::max(n, 0)) + 1);
    // P(0) = B(a, n + b) / B(a, b), then the ratio of neighbours: no large factorials.
    double p0 = 1.0;
    for (int i = 0; i < n; ++i)
        p0 *= (b + i) / (a + b + i);
    p[0] = p0;
    for (int k = 0; k < n; ++k)
        p[size_t(k) + 1] = p[size_t(k)] * double(n - k) / (k + 1) * (k + a) / (n - k - 1 + b);
    return p;
}

double passProbability(const std::vector<CategoryEstimate>& categories, int pointsPerRight,
                       int passMark)
{
    std::vector<double> total{1.0};
    for (const CategoryEstimate& c : categories) {
        if (c.questions <= 0)
            continue;
        const std::vector<double> one = betaBinomial(c.questions, c.alpha, c.beta);
        std::vector<double> sum(total.size() + one.size() - 1, 0.0);
        for (size_t i = 0; i < total.size(); ++i) {
            for (size_t k = 0; k < one.size(); ++k)
                sum[i + k] += total[i] * one[k];
        }
        total = std::move(sum);
    }
    const int points = std::max(pointsPerRight, 1);
    // The fewest right answers whose score reaches the mark.
    const int needed = passMark <= 0 ? 0 : (passMark + points - 1) / points;
    double p = 0.0;
    for (size_t k = size_t(std::min<qsizetype>(needed, qsizetype(total.size()))); k < total.size();
         ++k)
        p += total[k];
    return std::clamp(p, 0.0, 1.0);
}

namespace {

double logit(double p)
{
    return std::log(p / (1.0 - p));
}

double logistic(double x)
{
    return 1.0 / (1.0 + std::exp(-x));
}

// The learner's change in log-odds per paper: a weighted straight line through the papers'
// log-odds of a right answer, newest at 0, shrunk towards no change by a normal prior of
// standard deviation sd. Returns the slope and its variance.
std::pair<double, double> trend(const std::vector<std::pair<double, double>>& rightAsked,
                                double decay, double sd)
{
    double sw = 0, st = 0, sy = 0;
    std::vector<double> u, y;
    for (size_t k = 0; k < rightAsked.size(); ++k) {
        const auto [right, asked] = rightAsked[k];
        const double wrong = asked - right;
        // Log-odds of the paper with half an answer each way, weighted by its precision.
        y.push_back(std::log((right + 0.5) / (wrong + 0.5)));
        u.push_back(std::pow(decay, double(k)) / (1.0 / (right + 0.5) + 1.0 / (wrong + 0.5)));
        sw += u.back();
        st += u.back() * -double(k);
        sy += u.back() * y.back();
    }
    if (rightAsked.size() < 2)
        return {0.0, sd * sd};
    const double tMean = st / sw, yMean = sy / sw;
    double stt = 0, sty = 0;
    for (size_t k = 0; k < y.size(); ++k) {
        const double t = -double(k) - tMean;
        stt += u[k] * t * t;
        sty += u[k] * t * (y[k] - yMean);
    }
    const double prior = 1.0 / (sd * sd);
    return {sty / (stt + prior), 1.0 / (stt + prior)};
}

} // namespace

PassEstimate estimatePass(const std::vector<Quota>& quotas,
                          const std::vector<PaperCounts>& newestFirst, int pointsPerRight,
                          int passMark, const PassModel& model)
{
    struct Tally
    {
        double right = 0, wrong = 0;
        int rawRight = 0, rawAsked = 0;
    };
    std::map<qint64, Tally> tally;
    int paperLength = 0;
    for (const Quota& q : quotas) {
        if (q.questions > 0) {
            tally[q.sortId];
            paperLength += q.questions;
        }
    }

    PassEstimate estimate;
    double weight = 1.0;
    double allRight = 0, allWrong = 0, weights = 0, age = 0;
    std::vector<std::pair<double, double>> perPaper;
    for (const PaperCounts& paper : newestFirst) {
        if (estimate.papers == model.maxPapers)
            break;
        int paperRight = 0, paperAsked = 0;
        for (const CategoryCount& c : paper) {
            const auto it = tally.find(c.sortId);
            if (it == tally.end() || c.asked <= 0)
                continue;
            Tally& t = it->second;
            t.right += weight * c.right;
            t.wrong += weight * (c.asked - c.right);
            t.rawRight += c.right;
            t.rawAsked += c.asked;
            paperRight += c.right;
            paperAsked += c.asked;
        }
        if (paperAsked == 0)
            continue;
        allRight += weight * paperRight;
        allWrong += weight * (paperAsked - paperRight);
        // How many papers before the next one this paper's answers stand, on average.
        age += weight * paperAsked * (estimate.papers + 1);
        weights += weight * paperAsked;
        estimate.answers += paperAsked;
        perPaper.emplace_back(paperRight, paperAsked);
        ++estimate.papers;
        weight *= model.decay;
    }

    // The weighted counts describe the learner some papers ago; a learner who is improving
    // will do better on the next paper, so the means move along the trend, and the trend's
    // own uncertainty widens them.
    const double horizon = weights > 0 ? age / weights : 0.0;
    const auto [slope, slopeVariance] = trend(perPaper, model.decay, model.trendPrior);
    const double shift = slope * horizon;
    const double shiftVariance = slopeVariance * horizon * horizon;

    // The learner's level over all the class's categories, with one pseudo-answer each way.
    const double level = (allRight + 1.0) / (allRight + allWrong + 2.0);
    for (const Quota& q : quotas) {
        if (q.questions <= 0)
            continue;
        const Tally& t = tally[q.sortId];
        CategoryEstimate c;
        c.sortId = q.sortId;
        c.questions = q.questions;
        c.right = t.rawRight;
        c.asked = t.rawAsked;
        const double a = model.priorStrength * level + t.right;
        const double b = model.priorStrength * (1.0 - level) + t.wrong;
        const double mean = logistic(logit(a / (a + b)) + shift);
        // Beta(a, b) has log-odds variance about 1 / ((a + b) m (1 - m)).
        const double variance = 1.0 / ((a + b) * (a / (a + b)) * (b / (a + b))) + shiftVariance;
        const double size = std::max(1.0 / (variance * mean * (1.0 - mean)), 1.0);
        c.alpha = mean * size;
        c.beta = (1.0 - mean) * size;
        estimate.categories.push_back(c);
    }
    std::stable_sort(
        estimate.categories.begin(), estimate.categories.end(),
        [](const CategoryEstimate& a, const CategoryEstimate& b) { return a.mean() < b.mean(); });

    estimate.paperLength = paperLength;
    estimate.enough = paperLength > 0 && estimate.papers >= model.minPapers &&
                      estimate.answers >= model.minAnswersPerQuestion * paperLength;
    if (estimate.enough)
        estimate.probability = passProbability(estimate.categories, pointsPerRight, passMark);
    return estimate;
}

PassEstimate estimatePass(data::Connection& db, int vehicleClass, int passMark)
{
    static const char* const kCodes[] = {"C1", "A2", "A1", "E1", "F1"};
    if (vehicleClass < 0 || vehicleClass > 4)
        return {};
    std::vector<Quota> quotas;
    {
        data::Statement s(
            db,
            QStringLiteral("SELECT sortID, scale%1 FROM sort ORDER BY sortID").arg(vehicleClass));
        while (s.step())
            quotas.push_back({s.column(0).toLongLong(), s.column(1).toInt()});
    }

    ensureHistoryTables(db);
    const PassModel model;
    std::vector<PaperCounts> papers;
    {
        data::Statement s(db,
                          QStringLiteral("SELECT p.paperId, a.sortid, SUM(a.isright), COUNT(*) "
                                         "FROM (SELECT paperId FROM history WHERE mode = ? "
                                         "ORDER BY paperId DESC LIMIT ?) p "
                                         "JOIN historyanswer a ON a.paperId = p.paperId "
                                         "WHERE a.optionid <> 0 "
                                         "GROUP BY p.paperId, a.sortid ORDER BY p.paperId DESC"));
        // A question left unanswered says how the paper ended, not what the learner knows: a
        // paper handed in after three answers must not read as 97 wrong ones.
        s.bind(1, kMockMode);
        // Papers of other classes may share none of this class's categories: read enough to
        // find the newest that do.
        s.bind(2, model.maxPapers * 5);
        qint64 current = -1;
        while (s.step()) {
            const qint64 paperId = s.column(0).toLongLong();
            if (paperId != current) {
                papers.emplace_back();
                current = paperId;
            }
            papers.back().push_back(
                {s.column(1).toLongLong(), s.column(2).toInt(), s.column(3).toInt()});
        }
    }
    return estimatePass(quotas, papers, pointsPerRight(QString::fromLatin1(kCodes[vehicleClass])),
                        passMark, model);
}

QString passText(const PassEstimate& estimate, const PassModel& model)
{
    if (estimate.enough) {
        // A whole 0 % or 100 % would claim a certainty no estimate has.
        const int percent = std::clamp(qRound(estimate.probability * 100), 1, 99);
        const QString shown =
            percent == 99 && estimate.probability > 0.99  ? QStringLiteral("99%以上")
            : percent == 1 && estimate.probability < 0.01 ? QStringLiteral("不足1%")
                                                          : QStringLiteral("%1%").arg(percent);
        return QStringLiteral("通过概率 %1（基于最近 %2 次、%3 道题）")
            .arg(shown)
            .arg(estimate.papers)
            .arg(estimate.answers);
    }
    if (estimate.paperLength == 0)
        return QStringLiteral("通过概率：本车型没有规定考试题量");
    return QStringLiteral("通过概率：数据不足（需 %1 次模拟考试、%2 道题，现有 %3 次）")
        .arg(model.minPapers)
        .arg(int(std::ceil(model.minAnswersPerQuestion * estimate.paperLength)))
        .arg(estimate.papers);
}

int vehicleClassOf(const QString& classCode)
{
    static const char* const kCodes[] = {"C1", "A2", "A1", "E1", "F1"};
    for (int i = 0; i < 5; ++i) {
        if (classCode == QLatin1String(kCodes[i]))
            return i;
    }
    return -1;
}

} // namespace core
