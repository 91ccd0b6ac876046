#include "exam/tksqr.h"
#include "exam/tmnks.h"
#include "exam/txxts.h"

#include "app/shared.h"
#include "app/startup.h"
#include "examsupport.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

void makePaper(testing::TestBank& bank, int count)
{
    for (int q = 1; q <= count; ++q) {
        bank.addQuestion(100 + q, 2, 1, {QStringLiteral("甲"), QStringLiteral("乙")}, 1);
        bank.exec(QStringLiteral("INSERT INTO note (subid) VALUES (%1)").arg(100 + q));
    }
}

QPushButton* button(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

QString label(QWidget* w, const char* name)
{
    return w->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Opens a confirmation the way the learner does.
QPointer<Tksqr> confirmation(Tmnks* exam)
{
    button(exam, "bt_jj")->click();
    return app::ksqr;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TksqrTest : public testing::WindowTest
{
    Q_OBJECT

private slots:
    void init()
    {
        WindowTest::init();
        bank->writeFile(QStringLiteral("system.ini"), "alltime=600\nmark=90\n");
        makePaper(*bank, 3);
        app::startUp();
    }

    void layout()
    {
        Tmnks* exam = testing::openExam(2);
        QPointer<Tksqr> w = confirmation(exam);
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("ksqr"));
        QCOMPARE(w->size(), QSize(459, 402));
        QCOMPARE(w->windowTitle(), QStringLiteral("Velmoor-交卷确认"));
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(label(w, "Label2"), QStringLiteral("考试确认窗口"));
        QCOMPARE(label(w, "Label3"),
                 QStringLiteral("键盘操作：小键盘0键确认交卷 小键盘Del键继续考试"));
        QCOMPARE(button(w, "Button1")->geometry(), QRect(104, 324, 100, 38));
        QCOMPARE(button(w, "Button2")->text(), QStringLiteral("继续考试"));
        QVERIFY(exam->isVisible());
    }

    void continueKeepsTheExam()
    {
        Tmnks* exam = testing::openExam(2);
        button(exam, "opt1")->click();
        QCOMPARE(exam->currentQuestion(), 2);
        QPointer<Tksqr> w = confirmation(exam);
        exam->Timer1Timer();
        exam->Timer1Timer();
        // Keys other than 0 and Del do nothing here.
        QTest::keyClick(w, Qt::Key_5, Qt::KeypadModifier);
        QTest::keyClick(w, Qt::Key_Return);
        QVERIFY(w->isVisible());
        QTest::keyClick(w, Qt::Key_Period, Qt::KeypadModifier);
        settle();
        QVERIFY(!w);
        QVERIFY(exam->isVisible());
        QCOMPARE(exam->currentQuestion(), 2);
        QCOMPARE(label(exam, "atime"), QStringLiteral("9:58"));
        QCOMPARE(exam->findChild<QTableWidget*>(QStringLiteral("StringGrid1"))->item(0, 0)->text(),
                 QStringLiteral("1A"));
        QVERIFY(!app::xxts);
    }

    void keypadZeroHandsIn()
    {
        Tmnks* exam = testing::openExam(2);
        QPointer<Tksqr> w = confirmation(exam);
        QTest::keyClick(w, Qt::Key_0, Qt::KeypadModifier);
        settle();
        QVERIFY(!w);
        QVERIFY(app::xxts && app::xxts->isVisible());
        QVERIFY(exam->isHidden());
        QVERIFY(exam->handedIn());
        QVERIFY(!exam->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }

    void oneResultPerPaper()
    {
        Tmnks* exam = testing::openExam(2);
        QPointer<Tksqr> first = confirmation(exam);
        QPointer<Tksqr> second = confirmation(exam);
        QVERIFY(first != second);
        button(first, "Button1")->click();
        const QPointer<Txxts> result = app::xxts;
        QVERIFY(result);

        button(second, "Button1")->click();
        exam->handIn();
        QCOMPARE(app::xxts, result);
        // The clock reaching zero after hand-in shows nothing and scores nothing.
        for (int i = 0; i < 600; ++i)
            exam->Timer1Timer();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(app::xxts, result);
        QVERIFY(exam->isHidden());
    }

    void continueAfterTimeOutDoesNotReturn()
    {
        bank->writeFile(QStringLiteral("system.ini"), "alltime=1\nmark=90\n");
        Tmnks* exam = testing::openExam(2);
        QPointer<Tksqr> w = confirmation(exam);
        exam->Timer1Timer();
        QVERIFY(app::xxts);
        const QPointer<Txxts> result = app::xxts;
        button(w, "Button2")->click();
        QVERIFY(exam->isHidden());
        QCOMPARE(app::xxts, result);
        QCOMPARE(boxes->texts(), QStringList{QStringLiteral("时间到！")});
        boxes->clear();
    }
};

VELMOOR_TEST_MAIN(TksqrTest)
#include "tksqr_test.moc"
