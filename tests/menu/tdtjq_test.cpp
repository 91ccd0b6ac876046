#include "infopage.h"

#include "menu/tdtjq.h"
#include "support/testmain.h"
#include "support/windows.h"

class TdtjqTest : public QObject
{
    Q_OBJECT

    const QString page = QStringLiteral("dtjq.html");

private slots:
    void cleanup() { QCOMPARE(testing::windowsLeft(), QStringList()); }

    void loadsFromTheProgramFolder() { menutest::loadsFromTheProgramFolder<Tdtjq>(page); }
    void keepsItsStateWhenReopened() { menutest::keepsItsStateWhenReopened<Tdtjq>(page); }
    void showsAnErrorPageForAMissingPage()
    {
        menutest::showsAnErrorPageForAMissingPage<Tdtjq>(page);
    }
    void browserKeepsItsSize() { menutest::browserKeepsItsSize<Tdtjq>(QRect(1, 1, 816, 559)); }

    void sizeableNotOnTop()
    {
        testing::TestBank bank;
        Tdtjq window;
        QVERIFY(window.minimumSize() != window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowStaysOnTopHint));
    }
};

VELMOOR_TEST_MAIN(TdtjqTest)
#include "tdtjq_test.moc"
