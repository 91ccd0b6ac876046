#include "core/random.h"

#include <QTest>
#include <set>

class RandomTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsFollowTheRecurrence();
    void drawKeepsTheSecondStep();
    void drawStaysBelowItsBoundAndReachesEveryValue();
};

void RandomTest::stepsFollowTheRecurrence()
{
    // seed * 134775813 + 1 modulo 2^32, worked out by hand for a few seeds.
    core::Lcg lcg(0);
    QCOMPARE(lcg.next(100), 0u); // seed 1: 100 / 2^32 rounds down to 0
    QCOMPARE(lcg.seed(), 1u);
    QCOMPARE(lcg.next(100), 3u); // seed 134775814: 13477581400 >> 32 = 3
    QCOMPARE(lcg.seed(), 134775814u);
    QCOMPARE(lcg.next(100), 86u);
    QCOMPARE(lcg.seed(), 3698175007u);

    lcg.setSeed(0xFFFFFFFFu); // wraps: (2^32 - 1) * 134775813 + 1 = 4160191484 mod 2^32
    lcg.next(1);
    QCOMPARE(lcg.seed(), 4160191484u);
}

void RandomTest::drawKeepsTheSecondStep()
{
    core::Lcg lcg(1);
    QCOMPARE(lcg.draw(10), 8u); // first step 134775814 -> 0 is discarded; 3698175007 -> 8
    QCOMPARE(lcg.seed(), 3698175007u);

    lcg.setSeed(12345);
    QCOMPARE(lcg.draw(7), 2u); // 1655067934, then 1242767767 * 7 >> 32 = 2
    QCOMPARE(lcg.draw(1), 0u);
}

void RandomTest::drawStaysBelowItsBoundAndReachesEveryValue()
{
    for (std::uint32_t m : {1u, 2u, 7u, 250u}) {
        std::set<std::uint32_t> seen;
        core::Lcg lcg;
        for (std::uint32_t seed = 0; seed < 5000; ++seed) {
            lcg.setSeed(seed * 2654435761u);
            const std::uint32_t k = lcg.draw(m);
            QVERIFY2(k < m, qPrintable(QStringLiteral("%1 not below %2").arg(k).arg(m)));
            seen.insert(k);
        }
        QCOMPARE(seen.size(), size_t(m));
    }
}

QTEST_GUILESS_MAIN(RandomTest)
#include "random_test.moc"
