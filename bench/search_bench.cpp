#include "core/search.h"
#include "data/connection.h"
#include "support/testbank.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

// 20,000 questions whose stems, options and explanations mix a few dozen phrases, so that a
// search term matches a few hundred questions, as a common word does in a real bank.
void fillBank(testing::TestBank& bank)
{
    bank.addCategory(1, QStringLiteral("法规"), {100, 100, 100, 100, 100});
    bank.exec(QStringLiteral(R"sql(
BEGIN;
CREATE TEMP TABLE part (k INTEGER PRIMARY KEY, t TEXT);
INSERT INTO part (t) VALUES ('驾驶机动车'), ('在高速公路上'), ('夜间会车时'), ('通过铁路道口'),
 ('遇到行人横过道路'), ('发生交通事故后'), ('在隧道内'), ('雨天路面湿滑'), ('车辆发生故障'),
 ('前方车辆减速'), ('接近人行横道'), ('在山区道路'), ('超车时'), ('倒车时'), ('掉头时'),
 ('进入环岛'), ('遇校车停靠'), ('雾天行车'), ('冰雪路面'), ('驶出匝道'), ('车道减少'),
 ('交叉路口'), ('急转弯处'), ('窄桥上'), ('长下坡'), ('城市快速路'), ('学校区域'),
 ('开启危险报警闪光灯'), ('使用近光灯'), ('鸣喇叭示意'), ('减速让行'), ('停车等待'),
 ('保持安全距离'), ('靠右侧通行'), ('不得超车'), ('依法处理'), ('谨慎驾驶');
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
INSERT INTO subject (subid, subtitle, info, typeId, sortid, stid)
SELECT i,
  (SELECT t FROM part WHERE k = 1 + i % 27) || '，' || (SELECT t FROM part WHERE k = 1 + (i / 27) % 37)
    || '应当怎样做？（' || i || '）',
  '根据规定，' || (SELECT t FROM part WHERE k = 1 + (i * 7) % 37) || '，' ||
    (SELECT t FROM part WHERE k = 1 + (i * 13) % 37) || '。',
  2, 1, 0 FROM n;
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 79999)
INSERT INTO options (optid, subid, optcontent, iskey)
SELECT i + 1, 1 + i / 4, (SELECT t FROM part WHERE k = 1 + (i * 11) % 37), i % 4 = 0 FROM n;
COMMIT;
)sql"));
}

void search(benchmark::State& state, const QString& text)
{
    testing::TestBank bank;
    fillBank(bank);
    core::refreshSearchIndex(bank.dbPath());
    data::Connection db(bank.dbPath());
    std::size_t found = 0;
    for (auto _ : state) {
        const auto hits = core::search(db, text);
        found = hits.size();
        benchmark::DoNotOptimize(hits.data());
    }
    if (found == 0)
        throw std::runtime_error("the search should find questions");
    state.counters["hits"] = double(found);
}

// The index path, a common and a rare term, and the scan of a two-character term.
void BM_SearchCommonTerm(benchmark::State& state)
{
    search(state, QStringLiteral("危险报警"));
}
BENCHMARK(BM_SearchCommonTerm)->Unit(benchmark::kMillisecond);

void BM_SearchTwoTerms(benchmark::State& state)
{
    search(state, QStringLiteral("隧道内 近光灯"));
}
BENCHMARK(BM_SearchTwoTerms)->Unit(benchmark::kMillisecond);

void BM_SearchRareTerm(benchmark::State& state)
{
    search(state, QStringLiteral("（12345）"));
}
BENCHMARK(BM_SearchRareTerm)->Unit(benchmark::kMillisecond);

void BM_SearchTwoCharactersScans(benchmark::State& state)
{
    search(state, QStringLiteral("窄桥"));
}
BENCHMARK(BM_SearchTwoCharactersScans)->Unit(benchmark::kMillisecond);

void BM_RebuildIndex(benchmark::State& state)
{
    testing::TestBank bank;
    fillBank(bank);
    data::Connection db(bank.dbPath());
    for (auto _ : state) {
        db.exec(QStringLiteral("BEGIN"));
        core::rebuildSearchIndex(db.handle());
        db.exec(QStringLiteral("COMMIT"));
    }
}
BENCHMARK(BM_RebuildIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

// What the program does with a stale index: the same build in steps, beside the index in use,
// idling between steps so that other writers get their turn (hurry 0), or not (hurry 1).
void BM_RefreshStaleIndex(benchmark::State& state)
{
    testing::TestBank bank;
    fillBank(bank);
    data::Connection db(bank.dbPath());
    const std::atomic<bool> hurry = state.range(0) != 0;
    core::refreshSearchIndex(bank.dbPath());
    for (auto _ : state) {
        db.exec(QStringLiteral("DELETE FROM search_stamp"));
        if (!core::refreshSearchIndex(bank.dbPath(), hurry))
            throw std::runtime_error("the index should have been rebuilt");
    }
}
BENCHMARK(BM_RefreshStaleIndex)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("hurry")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

// What every start pays when the index is in step: reading the bank to compare its digest.
void BM_CheckIndexCurrent(benchmark::State& state)
{
    testing::TestBank bank;
    fillBank(bank);
    core::refreshSearchIndex(bank.dbPath());
    for (auto _ : state) {
        if (core::refreshSearchIndex(bank.dbPath()))
            throw std::runtime_error("the index should be in step");
    }
}
BENCHMARK(BM_CheckIndexCurrent)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
