#include "exam/tmnks.h"

#include "app/shared.h"
#include "app/startup.h"
#include "data/connection.h"
#include "platform/application.h"
#include "support/testbank.h"

#include <QApplication>
#include <QImage>
#include <QImageWriter>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

constexpr int kQuestions = 20000;
constexpr int kPaper = 100;

// 20,000 questions with 4 options each; every third has a 225 x 137 JPEG. The paper takes 100
// questions spread over the bank, so that lookups do not find them at the front.
void generateBank(testing::TestBank& bank)
{
    QImage image(225, 137, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x, y * 2 % 256, (x ^ y) & 0xff));
    }
    QImageWriter writer(bank.folder() + QStringLiteral("upload/q.jpg"), "jpeg");
    if (!writer.write(image))
        throw std::runtime_error("cannot write the question picture");

    data::Connection db(bank.dbPath());
    db.exec(QStringLiteral("BEGIN"));
    for (int q = 1; q <= kQuestions; ++q) {
        db.run(QStringLiteral("INSERT INTO subject (subid, subtitle, subpic, info, typeId, sortid, "
                              "stid) VALUES (?, ?, ?, ?, ?, ?, ?)"),
               {q,
                QStringLiteral("驾驶机动车在道路上行驶，遇到前方施工标志时，应当怎样做？%1").arg(q),
                q % 3 == 0 ? QVariant(QStringLiteral("q.jpg")) : QVariant(),
                QStringLiteral("依据道路交通安全法，应当减速慢行，注意观察。"), q % 2 + 1,
                q % 10 + 1, q % 11});
        for (int o = 0; o < 4; ++o)
            db.run(QStringLiteral("INSERT INTO options VALUES (?, ?, ?, ?)"),
                   {(q - 1) * 4 + o + 1, q, QStringLiteral("选项内容，较长的一段说明文字%1").arg(o),
                    o == 1 ? 1 : 0});
    }
    for (int i = 0; i < kPaper; ++i)
        db.run(QStringLiteral("INSERT INTO note (subid) VALUES (?)"), {(i * 197 % 6600 + 1) * 3});
    db.exec(QStringLiteral("COMMIT"));
}

struct Fixture
{
    testing::TestBank bank;
    Tmnks* exam = nullptr;

    Fixture()
    {
        generateBank(bank);
        app::startUp();
        app::mnks = new Tmnks;
        exam = app::mnks;
        exam->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        exam->setTag(2);
        exam->show();
    }
    ~Fixture() { app::shutDown(); }
};

std::unique_ptr<Fixture> theFixture;

Fixture& fixture()
{
    if (!theFixture)
        theFixture = std::make_unique<Fixture>();
    return *theFixture;
}

// One display of the question already shown: ShowQuestion alone, the highlight does not move.
void BM_ShowQuestion(benchmark::State& state)
{
    Tmnks* exam = fixture().exam;
    exam->goToQuestion(50);
    for (auto _ : state)
        exam->goToQuestion(50);
}
BENCHMARK(BM_ShowQuestion)->Unit(benchmark::kMicrosecond);

// A move to another question, as bt_next and bt_Prior make it: the display, and the grid action
// that the moving highlight runs, which shows the question a second time.
void BM_MoveQuestion(benchmark::State& state)
{
    Tmnks* exam = fixture().exam;
    int q = 50;
    for (auto _ : state) {
        q = q == 50 ? 51 : 50;
        exam->goToQuestion(q);
    }
}
BENCHMARK(BM_MoveQuestion)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theFixture.reset();
    return 0;
}
