#include "infopage.h"

#include "menu/tjxjs.h"
#include "support/testmain.h"
#include "support/windows.h"

class TjxjsTest : public QObject
{
    Q_OBJECT

    const QString page = QStringLiteral("zhanshi.html");

private slots:
    void cleanup() { QCOMPARE(testing::windowsLeft(), QStringList()); }

    void loadsFromTheProgramFolder() { menutest::loadsFromTheProgramFolder<Tjxjs>(page); }
    void keepsItsStateWhenReopened() { menutest::keepsItsStateWhenReopened<Tjxjs>(page); }
    void showsAnErrorPageForAMissingPage()
    {
        menutest::showsAnErrorPageForAMissingPage<Tjxjs>(page);
    }
    void browserKeepsItsSize() { menutest::browserKeepsItsSize<Tjxjs>(QRect(0, 0, 825, 545)); }

    void sizeableOnTop()
    {
        testing::TestBank bank;
        Tjxjs window;
        QVERIFY(window.minimumSize() != window.maximumSize());
        QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
    }
};

VELMOOR_TEST_MAIN(TjxjsTest)
#include "tjxjs_test.moc"
