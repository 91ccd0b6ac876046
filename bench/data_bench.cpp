#include "data/dataset.h"
#include "data/tado.h"
#include "support/testbank.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kQuestions = 20000;

// One bank for every benchmark of this file.
testing::TestBank& bank()
{
    static testing::TestBank* bank = [] {
        auto* b = new testing::TestBank;
        b->addGeneratedQuestions(kQuestions);
        return b;
    }();
    return *bank;
}

void BM_OpenSharedTables(benchmark::State& state)
{
    bank();
    for (auto _ : state) {
        QString connString;
        data::Tado ado(connString);
        ado.DataModuleCreate();
        benchmark::DoNotOptimize(ado.options.recordCount());
    }
}
BENCHMARK(BM_OpenSharedTables)->Unit(benchmark::kMillisecond);

// What the windows do most: narrow subject or options to one category or question.
void BM_SubjectFilterChange(benchmark::State& state)
{
    bank();
    QString connString;
    data::Tado ado(connString);
    ado.DataModuleCreate();
    ado.subject.setFiltered(true);
    int category = 0;
    for (auto _ : state) {
        ado.subject.setFilter(QStringLiteral("(sortid=%1) and (typeId=%2)")
                                  .arg(1 + category % 20)
                                  .arg(1 + category % 2));
        ++category;
        benchmark::DoNotOptimize(ado.subject.recordCount());
    }
}
BENCHMARK(BM_SubjectFilterChange)->Unit(benchmark::kMicrosecond);

void BM_OptionsFilterChange(benchmark::State& state)
{
    bank();
    QString connString;
    data::Tado ado(connString);
    ado.DataModuleCreate();
    ado.options.setFiltered(true);
    int id = 0;
    for (auto _ : state) {
        ado.options.setFilter(QStringLiteral("subid=%1").arg(1 + (id++ * 7919) % kQuestions));
        benchmark::DoNotOptimize(ado.options.recordCount());
    }
}
BENCHMARK(BM_OptionsFilterChange)->Unit(benchmark::kMicrosecond);

void BM_LocateQuestion(benchmark::State& state)
{
    bank();
    QString connString;
    data::Tado ado(connString);
    ado.DataModuleCreate();
    int id = 0;
    for (auto _ : state) {
        const bool found =
            ado.subject.locate(QStringLiteral("subId"), 1 + (id++ * 7919) % kQuestions);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_LocateQuestion)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
