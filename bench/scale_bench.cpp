// What a learner waits for, at 2,000, 20,000 and 100,000 questions: opening and reading the
// shared tables (in a fresh process each time; start-up opens them, the first question shown
// reads them), showing a question and moving to the next one in the
// examination window, assembling a paper, and handing it in (the 100 error counters). Last, the
// heap after one mock examination and after twenty in the same run.
//
//   scale_bench [--benchmark_filter=...]      offscreen unless QT_QPA_PLATFORM says otherwise

#include "app/shared.h"
#include "app/startup.h"
#include "core/paper.h"
#include "core/scoring.h"
#include "data/dataset.h"
#include "data/programfolder.h"
#include "data/tado.h"
#include "exam/tmnks.h"
#include "exam/txxts.h"
#include "platform/application.h"
#include "platform/navigation.h"
#include "support/testbank.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kSizes[] = {2000, 20000, 100000};
constexpr int kPaper = 100;

// The bank of the size asked for, with a 100-question paper spread over it; one at a time, since
// a bank is the program folder while it lives.
struct Bank
{
    int size = 0;
    std::unique_ptr<testing::TestBank> bank;
};
Bank current;

void writePaper(testing::TestBank& bank, int size)
{
    bank.exec(QStringLiteral("DELETE FROM note"));
    bank.exec(QStringLiteral("BEGIN"));
    // 7919 is prime: 100 different questions, far from the front of the bank.
    for (int i = 0; i < kPaper; ++i)
        bank.exec(QStringLiteral("INSERT INTO note (subid) VALUES (%1)")
                      .arg(1 + (i * 7919 + 4999) % size));
    bank.exec(QStringLiteral("COMMIT"));
}

testing::TestBank& useBank(int size)
{
    if (current.size != size) {
        app::shutDown();
        current.bank.reset();
        current.bank = std::make_unique<testing::TestBank>();
        current.bank->addGeneratedQuestions(size);
        writePaper(*current.bank, size);
        current.size = size;
    }
    return *current.bank;
}

// The examination window on the paper, its clock stopped, as the learner sees it.
Tmnks& exam(int size)
{
    useBank(size);
    if (!app::ado)
        app::startUp();
    if (!app::mnks) {
        nav::openExam(2, QString());
        app::mnks->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    }
    return *app::mnks;
}

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The child's side of BM_OpenTables: opens the shared tables of the program folder, prints the
// seconds it took and the CPU seconds it used.
int openOnce(const char* folder)
{
    data::setProgramFolder(QString::fromLocal8Bit(folder));
    QString connString;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    {
        data::Tado ado(connString);
        ado.DataModuleCreate();
        // The rows are read when first needed: by the first question shown.
        benchmark::DoNotOptimize(ado.subject.recordCount());
        benchmark::DoNotOptimize(ado.options.recordCount());
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
        std::printf("%.9f %.9f\n", seconds.count(), cpuSeconds() - cpuStart);
    }
    return 0;
}

void BM_OpenTables(benchmark::State& state)
{
    const int size = int(state.range(0));
    const QString folder = useBank(size).folder();
    const QByteArray command = QCoreApplication::applicationFilePath().toLocal8Bit() +
                               " --open-tables-once " + folder.toLocal8Bit();
    double cpu = 0;
    for (auto _ : state) {
        FILE* child = popen(command.constData(), "r");
        double seconds = -1;
        double cpuSeconds = -1;
        if (!child || std::fscanf(child, "%lf %lf", &seconds, &cpuSeconds) != 2 ||
            pclose(child) != 0)
            throw std::runtime_error("the table-opening child failed");
        state.SetIterationTime(seconds);
        cpu += cpuSeconds;
    }
    state.counters["child_cpu_ms"] = cpu * 1e3 / double(state.iterations());
    // Of the largest child so far: the sizes run from small to large.
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    state.counters["child_max_rss_MiB"] = double(children.ru_maxrss) / 1024;
}

// One display of the question already shown; the highlight does not move.
void BM_ShowQuestion(benchmark::State& state)
{
    Tmnks& w = exam(int(state.range(0)));
    w.goToQuestion(50);
    for (auto _ : state)
        w.goToQuestion(50);
}

// A move to another question, as the buttons and keys make it.
void BM_MoveQuestion(benchmark::State& state)
{
    Tmnks& w = exam(int(state.range(0)));
    int q = 50;
    for (auto _ : state) {
        q = q == 50 ? 51 : 50;
        w.goToQuestion(q);
    }
}

void BM_AssemblePaper(benchmark::State& state)
{
    useBank(int(state.range(0)));
    if (!app::ado)
        app::startUp();
    data::Tado& ado = nav::dataModule();
    data::Table note{QStringLiteral("note")};
    note.setConnectionString(app::ConnString);
    note.open();
    core::PaperDrawer drawer(ado.subject, ado.sort, note);
    for (auto _ : state) {
        if (drawer.assemble(0).length != kPaper)
            throw std::runtime_error("the paper should hold 100 questions");
    }
    note.close();
    // The examination benchmarks expect their own paper.
    app::shutDown();
    writePaper(*current.bank, current.size);
}

// The hand-in's database work: adding up the paper and its 100 error counters in one transaction.
// Arg 1 = the questions sorted by errorTimes, as the error-prone list leaves them.
void BM_HandIn(benchmark::State& state)
{
    useBank(int(state.range(0)));
    if (!app::ado)
        app::startUp();
    data::Table& subject = nav::dataModule().subject;
    subject.setFiltered(false);
    subject.setSort(state.range(1) ? QStringLiteral("errorTimes DESC") : QString());
    data::Table paper{QStringLiteral("note")};
    paper.setConnectionString(app::ConnString);
    paper.open();
    paper.setSort(QStringLiteral("noteId"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(core::countRight(paper));
        core::countErrors(paper, subject);
    }
    subject.setSort(QString());
}

double heapMiB()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1024 * 1024);
}

// SQLite's share of the heap: mostly its page caches, which fill up to their size limit as the
// history tables grow.
double sqliteMiB()
{
    return double(sqlite3_memory_used()) / (1024 * 1024);
}

// One mock examination through the real windows: the paper (a new one, or the last one again),
// 100 answers by button, hand-in, and the result window closed again.
void mockExamination(bool newPaper)
{
    data::Tado& ado = nav::dataModule();
    if (newPaper) {
        data::Table note{QStringLiteral("note")};
        note.setConnectionString(app::ConnString);
        note.open();
        if (core::PaperDrawer(ado.subject, ado.sort, note).assemble(0).length != kPaper)
            throw std::runtime_error("the paper should hold 100 questions");
    }
    nav::openExam(2, QString());
    Tmnks* w = app::mnks;
    w->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    auto* answer = w->findChild<QPushButton*>(QStringLiteral("opt1"));
    for (int i = 0; i < kPaper; ++i)
        answer->click();
    w->handIn();
    QWidget* result = app::xxts.data();
    if (!result)
        throw std::runtime_error("no result window");
    result->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    // What the event loop would deliver meanwhile, the window system's events among them; left
    // queued, the events would pile up.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_HeapAfterMockExaminations(benchmark::State& state)
{
    useBank(int(state.range(0)));
    app::shutDown();
    app::startUp();
    std::vector<double> heap;
    std::vector<double> sqlite;
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i) {
            mockExamination(i == 0 || state.range(1) == 0);
            heap.push_back(heapMiB());
            sqlite.push_back(sqliteMiB());
        }
    }
    // With new papers Qt's glyph and text caches take in each paper's new characters until the
    // bank's are all there; with the same paper again, growth is what the examinations keep.
    state.counters["heap_after_1_MiB"] = heap.at(0);
    state.counters["heap_after_20_MiB"] = heap.at(19);
    state.counters["growth_1_to_20_KiB"] = (heap.at(19) - heap.at(0)) * 1024;
    state.counters["growth_10_to_20_KiB"] = (heap.at(19) - heap.at(9)) * 1024;
    state.counters["sqlite_growth_1_to_20_KiB"] = (sqlite.at(19) - sqlite.at(0)) * 1024;
    state.counters["other_growth_1_to_20_KiB"] =
        (heap.at(19) - sqlite.at(19) - heap.at(0) + sqlite.at(0)) * 1024;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--open-tables-once") == 0) {
        QCoreApplication application(argc, argv);
        return openOnce(argv[2]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    // Size by size, so that each bank is built once.
    for (const int size : kSizes) {
        benchmark::RegisterBenchmark("BM_OpenTables", BM_OpenTables)
            ->Arg(size)
            ->UseManualTime()
            ->Iterations(size >= 100000 ? 5 : 10)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_ShowQuestion", BM_ShowQuestion)
            ->Arg(size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("BM_MoveQuestion", BM_MoveQuestion)
            ->Arg(size)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("BM_HandIn", BM_HandIn)
            ->Args({size, 0})
            ->Args({size, 1})
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_AssemblePaper", BM_AssemblePaper)
            ->Arg(size)
            ->Unit(benchmark::kMillisecond);
    }
    // On the bank already built.
    benchmark::RegisterBenchmark("BM_HeapAfterMockExaminations", BM_HeapAfterMockExaminations)
        ->Args({kSizes[std::size(kSizes) - 1], 0})
        ->Args({kSizes[std::size(kSizes) - 1], 1})
        ->ArgNames({"questions", "samepaper"})
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    app::shutDown();
    current.bank.reset();
    return 0;
}
