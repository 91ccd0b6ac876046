#pragma once

#include "core/passprobability.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace testing {

// Simulated learners with known per-category accuracies take papers one after another; before
// each paper the estimator predicts whether it passes, from the papers taken so far.
struct SimClass
{
    std::vector<core::Quota> quotas;
    int points = 1;
    int passMark = 90;
};

// The bundled bank's C1 paper (100 questions, 1 point) and E1 paper (50 questions, 2 points).
inline SimClass classC1()
{
    return {{{1, 30}, {2, 25}, {3, 20}, {4, 15}, {5, 10}}, 1, 90};
}
inline SimClass classE1()
{
    return {{{1, 15}, {2, 15}, {3, 10}, {4, 10}}, 2, 90};
}

struct CalibrationBin
{
    int count = 0;
    double predicted = 0; // mean prediction
    double observed = 0;  // pass rate of the papers taken
    double expected = 0;  // mean exact pass probability of a fresh paper at the learner's level
};

struct Calibration
{
    int predictions = 0;
    int withheld = 0; // predictions refused for too little data
    double brier = 0;
    std::array<CalibrationBin, 10> bins{};
    // The largest |predicted - observed| and |predicted - expected| over bins with at least
    // minBinCount predictions.
    double maxObservedError = 0;
    double maxExpectedError = 0;
    // The naive rule "average of the last five scores >= pass mark", on the same papers.
    double naiveBrier = 0;
    double naiveMaxObservedError = 0;
};

struct Learner
{
    std::vector<double> start, end; // log-odds of a right answer per category
    double pace = 0;                // papers to close 63 % of the gap; 0 = steady

    double accuracy(size_t category, int paper) const
    {
        const double progress = pace > 0 ? 1.0 - std::exp(-paper / pace) : 1.0;
        const double logit = start[category] + (end[category] - start[category]) * progress;
        return 1.0 / (1.0 + std::exp(-logit));
    }
};

// The exact pass probability of a paper when each category's accuracy is known.
inline double truePassProbability(const SimClass& cls, const Learner& learner, int paper)
{
    std::vector<core::CategoryEstimate> known;
    for (size_t c = 0; c < cls.quotas.size(); ++c) {
        // A Beta this narrow is the binomial to well within the bins' width.
        const double p = learner.accuracy(c, paper);
        known.push_back(
            {cls.quotas[c].sortId, cls.quotas[c].questions, 0, 0, p * 1e7, (1 - p) * 1e7});
    }
    return core::passProbability(known, cls.points, cls.passMark);
}

inline Calibration simulateLearners(const SimClass& cls, int learners, int papersEach,
                                    std::uint64_t seed, const core::PassModel& model = {},
                                    int minBinCount = 200)
{
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::normal_distribution<double> spread(0.0, 0.5);
    Calibration result;
    std::array<double, 10> naivePassed{}, naiveCount{};
    for (int l = 0; l < learners; ++l) {
        Learner learner;
        // Accuracies from about 77 % to 98 %; every second learner improves from well below.
        const double level = 1.2 + 2.6 * uniform(rng);
        const bool improves = l % 2 == 1;
        const double gain = improves ? 0.5 + 1.5 * uniform(rng) : 0.0;
        learner.pace = improves ? 2.0 + 6.0 * uniform(rng) : 0.0;
        for (size_t c = 0; c < cls.quotas.size(); ++c) {
            const double offset = spread(rng);
            learner.end.push_back(level + offset);
            learner.start.push_back(level + offset - gain);
        }

        std::vector<core::PaperCounts> newestFirst;
        std::vector<int> scores;
        for (int paper = 0; paper < papersEach; ++paper) {
            core::PaperCounts counts;
            int right = 0;
            for (size_t c = 0; c < cls.quotas.size(); ++c) {
                const double p = learner.accuracy(c, paper);
                int r = 0;
                for (int q = 0; q < cls.quotas[c].questions; ++q)
                    r += uniform(rng) < p ? 1 : 0;
                counts.push_back({cls.quotas[c].sortId, r, cls.quotas[c].questions});
                right += r;
            }
            const int score = right * cls.points;
            const bool passed = score >= cls.passMark;

            const core::PassEstimate estimate =
                core::estimatePass(cls.quotas, newestFirst, cls.points, cls.passMark, model);
            if (!newestFirst.empty() && !estimate.enough)
                ++result.withheld;
            if (estimate.enough) {
                const double p = estimate.probability;
                const double outcome = passed ? 1.0 : 0.0;
                ++result.predictions;
                result.brier += (p - outcome) * (p - outcome);
                CalibrationBin& bin = result.bins[size_t(std::min(int(p * 10), 9))];
                ++bin.count;
                bin.predicted += p;
                bin.observed += outcome;
                bin.expected += truePassProbability(cls, learner, paper);

                double sum = 0;
                const size_t last = std::min<size_t>(5, scores.size());
                for (size_t i = scores.size() - last; i < scores.size(); ++i)
                    sum += scores[i];
                const double naive = sum / double(last) >= cls.passMark ? 1.0 : 0.0;
                result.naiveBrier += (naive - outcome) * (naive - outcome);
                naiveCount[size_t(naive)] += 1;
                naivePassed[size_t(naive)] += outcome;
            }

            newestFirst.insert(newestFirst.begin(), counts);
            scores.push_back(score);
        }
    }
    if (result.predictions > 0) {
        result.brier /= result.predictions;
        result.naiveBrier /= result.predictions;
    }
    for (CalibrationBin& bin : result.bins) {
        if (bin.count == 0)
            continue;
        bin.predicted /= bin.count;
        bin.observed /= bin.count;
        bin.expected /= bin.count;
        if (bin.count >= minBinCount) {
            result.maxObservedError =
                std::max(result.maxObservedError, std::abs(bin.predicted - bin.observed));
            result.maxExpectedError =
                std::max(result.maxExpectedError, std::abs(bin.predicted - bin.expected));
        }
    }
    // The naive rule says 0 or 1: its bins are the first and the last.
    for (size_t v = 0; v < 2; ++v) {
        if (naiveCount[v] >= minBinCount)
            result.naiveMaxObservedError = std::max(
                result.naiveMaxObservedError, std::abs(double(v) - naivePassed[v] / naiveCount[v]));
    }
    return result;
}

} // namespace testing
