#include "bankio.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// 20,000 questions in 10 categories with 4 options each, texts of realistic length with
// quoting and Chinese text, in UTF-8.
void generateBank(const QString& dir)
{
    QByteArray sorts = "sortID,sortname,scale0,scale1,scale2,scale3,scale4\n";
    for (int s = 1; s <= 10; ++s)
        sorts += QByteArray::number(s) + ",类别" + QByteArray::number(s) + ",10,10,10,5,5\n";
    QByteArray subjects = "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes\n";
    QByteArray options = "optid,subid,optcontent,iskey\n";
    int optid = 1;
    for (int q = 1; q <= 20000; ++q) {
        const QByteArray id = QByteArray::number(q);
        subjects += id + ",\"驾驶机动车在道路上行驶，遇到\"\"前方施工\"\"标志时，应当怎样做？" +
                    id + "\"," + (q % 3 == 0 ? id + ".jpg" : QByteArray()) +
                    ",\"依据道路交通安全法，\n应当减速慢行。\",," + (q % 2 ? "1" : "2") + "," +
                    QByteArray::number(q % 10 + 1) + "," + QByteArray::number(q % 11) + ",0\n";
        for (int o = 0; o < 4; ++o)
            options += QByteArray::number(optid++) + "," + id + ",选项内容，较长的一段说明文字" +
                       QByteArray::number(o) + "," + (o == 0 ? "1" : "0") + "\n";
    }
    writeFile(dir + "/sort.csv", sorts);
    writeFile(dir + "/subject.csv", subjects);
    writeFile(dir + "/options.csv", options);
}

void BM_ImportBank(benchmark::State& state)
{
    QTemporaryDir dir;
    generateBank(dir.path());
    const QString db = dir.filePath("data.db");
    for (auto _ : state)
        bank::importFolder(dir.path(), db);
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_ImportBank)->Unit(benchmark::kMillisecond)->MinTime(3)->UseRealTime();

// The two halves of an import, to see where the time goes.
void BM_ReadCsv(benchmark::State& state)
{
    QTemporaryDir dir;
    generateBank(dir.path());
    for (auto _ : state)
        benchmark::DoNotOptimize(bank::readFolder(dir.path()));
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteDatabase(benchmark::State& state)
{
    QTemporaryDir dir;
    generateBank(dir.path());
    const bank::Bank bank = bank::readFolder(dir.path());
    const QString db = dir.filePath("data.db");
    for (auto _ : state)
        bank::writeDatabase(bank, db);
}
BENCHMARK(BM_WriteDatabase)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
