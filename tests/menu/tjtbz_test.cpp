#include "infopage.h"

#include "menu/tjtbz.h"
#include "support/testmain.h"
#include "support/windows.h"

class TjtbzTest : public QObject
{
    Q_OBJECT

    const QString page = QStringLiteral("jiaojingshoushi.html");

private slots:
    void cleanup() { QCOMPARE(testing::windowsLeft(), QStringList()); }

    void loadsFromTheProgramFolder() { menutest::loadsFromTheProgramFolder<Tjtbz>(page); }
    void keepsItsStateWhenReopened() { menutest::keepsItsStateWhenReopened<Tjtbz>(page); }
    void showsAnErrorPageForAMissingPage()
    {
        menutest::showsAnErrorPageForAMissingPage<Tjtbz>(page);
    }
    void browserKeepsItsSize() { menutest::browserKeepsItsSize<Tjtbz>(QRect(1, 2, 816, 559)); }

    void fixedFrameOnTop()
    {
        testing::TestBank bank;
        Tjtbz window;
        QCOMPARE(window.size(), QSize(821, 560));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
    }
};

VELMOOR_TEST_MAIN(TjtbzTest)
#include "tjtbz_test.moc"
