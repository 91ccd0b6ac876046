#include "core/paper.h"

#include "data/dataset.h"
#include "support/testbank.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

namespace {

// 20,000 questions in 10 categories, each asking 10 on a C1 paper: a 100-question paper.
void fillBank(testing::TestBank& bank)
{
    for (int s = 1; s <= 10; ++s)
        bank.addCategory(s, QStringLiteral("类别%1").arg(s), {10, 20, 10, 5, 5});
    bank.exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
        "INSERT INTO subject (subid, subtitle, typeId, sortid, stid) "
        "SELECT i, '驾驶机动车在道路上行驶时应当怎样做？' || i, 1 + (i / 10) % 2, 1 + i % 10, i % "
        "11 "
        "FROM n"));
}

void BM_AssembleC1Paper(benchmark::State& state)
{
    testing::TestBank bank;
    fillBank(bank);
    data::Table subject{QStringLiteral("subject")};
    data::Table sort{QStringLiteral("sort")};
    data::Table note{QStringLiteral("note")};
    for (data::Table* t : {&subject, &sort, &note})
        t->setConnectionString(bank.connString());
    subject.setIndexField(QStringLiteral("subid"));
    subject.open();
    sort.open();
    sort.setSort(QStringLiteral("sortId"));
    note.open();

    core::PaperDrawer drawer(subject, sort, note);
    for (auto _ : state) {
        if (drawer.assemble(0).length != 100)
            throw std::runtime_error("the paper should hold 100 questions");
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_AssembleC1Paper)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

BENCHMARK_MAIN();
