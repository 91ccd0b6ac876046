#include "exam/tmnks.h"
#include "exam/txxts.h"

#include "app/shared.h"
#include "app/startup.h"
#include "data/tado.h"
#include "examsupport.h"
#include "menu/txccx.h"
#include "review/tckct.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// Questions 101.. on the paper, the first `right` of them answered right, the next `wrong`
// answered wrong, the rest never answered; every errorTimes starts at `errors`.
void makePaper(testing::TestBank& bank, int count, int right, int wrong = 0, int errors = 0)
{
    QStringList sql{QStringLiteral("BEGIN")};
    for (int q = 1; q <= count; ++q) {
        const int id = 100 + q;
        sql << QStringLiteral("INSERT INTO subject (subid, subtitle, typeId, errorTimes) "
                              "VALUES (%1, 'q', 1, %2)")
                   .arg(id)
                   .arg(errors);
        if (q <= right)
            sql << QStringLiteral("INSERT INTO note (subid, optionid, isright) VALUES (%1, 1, 1)")
                       .arg(id);
        else if (q <= right + wrong)
            sql << QStringLiteral("INSERT INTO note (subid, optionid, isright) VALUES (%1, 2, 0)")
                       .arg(id);
        else
            sql << QStringLiteral("INSERT INTO note (subid) VALUES (%1)").arg(id);
    }
    sql << QStringLiteral("COMMIT");
    bank.exec(sql.join(u';'));
}

// Starts the program with vehicle class `vehicleClass` chosen and hands in the paper.
Tmnks* handIn(int mode, int vehicleClass = 0)
{
    app::startUp();
    app::xccx->findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(vehicleClass);
    Tmnks* exam = testing::openExam(mode);
    exam->handIn();
    return exam;
}

QString label(const char* name)
{
    return app::xxts->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

const QString kPass = QStringLiteral("恭喜您，考试合格！！");
const QString kFail = QStringLiteral("考试不合格，还需要努力！！");
const QString kMock = QStringLiteral("您的本次模拟考试成绩为：");
const QString kStudy = QStringLiteral("您的本次学习成绩为：");

} // namespace

class TxxtsTest : public testing::WindowTest
{
    Q_OBJECT

    int errorTimes(int subId)
    {
        return bank
            ->scalar(QStringLiteral("SELECT errorTimes FROM subject WHERE subid = %1").arg(subId))
            .toInt();
    }

    int count(const char* table)
    {
        return bank->scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)))
            .toInt();
    }

private slots:
    void layout()
    {
        makePaper(*bank, 1, 1);
        Tmnks* exam = handIn(2);
        Txxts* w = app::xxts;
        QVERIFY(w && w->isVisible());
        QVERIFY(exam->isHidden());
        QCOMPARE(w->objectName(), QStringLiteral("xxts"));
        QCOMPARE(w->size(), QSize(458, 431));
        QCOMPARE(w->windowTitle(), QStringLiteral("Velmoor-测试成绩"));
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(label("Label2"), QStringLiteral("信 息 提 示"));
        QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("Button1"))->geometry(),
                 QRect(114, 365, 100, 35));
        QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("Button2"))->focusPolicy(), Qt::NoFocus);
    }

    void score_data()
    {
        QTest::addColumn<int>("vehicleClass");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("score");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("modeText");
        QTest::newRow("C1 90 right") << 0 << 2 << 100 << 90 << "90" << kPass << kMock;
        QTest::newRow("C1 89 right") << 0 << 2 << 100 << 89 << "89" << kFail << kMock;
        QTest::newRow("A2 45 right") << 1 << 2 << 50 << 45 << "45" << kFail << kMock;
        QTest::newRow("A1 45 right") << 2 << 2 << 50 << 45 << "45" << kFail << kMock;
        QTest::newRow("E1 45 right") << 3 << 2 << 50 << 45 << "90" << kPass << kMock;
        QTest::newRow("F1 44 right") << 4 << 2 << 50 << 44 << "88" << kFail << kMock;
        QTest::newRow("E1 study") << 3 << 1 << 50 << 45 << "90" << kPass << kStudy;
        QTest::newRow("empty paper") << 0 << 2 << 0 << 0 << "0" << kFail << kMock;
    }
    void score()
    {
        QFETCH(int, vehicleClass);
        QFETCH(int, mode);
        QFETCH(int, count);
        QFETCH(int, right);
        makePaper(*bank, count, right);
        handIn(mode, vehicleClass);
        QTEST(label("lbksfs"), "score");
        QTEST(label("lb_ksjg"), "verdict");
        QTEST(label("lb_tsxx"), "modeText");
    }

    void passMarkFromSettings()
    {
        bank->writeFile(QStringLiteral("system.ini"), "alltime=60\nmark=3\n");
        makePaper(*bank, 5, 3);
        handIn(2);
        QCOMPARE(label("lb_ksjg"), kPass);
    }

    void mockCountsErrors()
    {
        // Right, wrong, never answered, and a row whose question has left the bank.
        makePaper(*bank, 3, 1, 1);
        bank->exec(QStringLiteral("UPDATE subject SET errorTimes = 2 WHERE subid = 103"));
        bank->exec(QStringLiteral("INSERT INTO note (subid, isright) VALUES (999, 1)"));
        handIn(2);
        QCOMPARE(errorTimes(101), -1);
        QCOMPARE(errorTimes(102), 1);
        QCOMPARE(errorTimes(103), 3);
        QCOMPARE(label("lbksfs"), QStringLiteral("2"));
    }

    void studyCountsNothing()
    {
        makePaper(*bank, 3, 1, 1);
        handIn(1);
        for (int id : {101, 102, 103})
            QCOMPARE(errorTimes(id), 0);
    }

    void refusedWriteChangesNoCounter()
    {
        makePaper(*bank, 3, 1, 1);
        bank->exec(QStringLiteral("CREATE TRIGGER t BEFORE UPDATE ON subject WHEN NEW.subid = 103 "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        handIn(2);
        QTRY_VERIFY(boxes->texts().join(QString()).contains(QStringLiteral("refused")));
        QCOMPARE(boxes->count(), 1);
        for (int id : {101, 102, 103})
            QCOMPARE(errorTimes(id), 0);
        QCOMPARE(count("history"), 0);
        // The score stands although the counters could not be kept.
        QCOMPARE(label("lbksfs"), QStringLiteral("1"));
        boxes->clear();
    }

    void writeThatEndsTheTransactionLeavesTheSharedTableAsTheFile()
    {
        // SQLite rolls the transaction back itself, as after a failed COMMIT on a full disk.
        makePaper(*bank, 3, 1, 1);
        bank->exec(QStringLiteral("CREATE TRIGGER t BEFORE UPDATE ON subject WHEN NEW.subid = 103 "
                                  "BEGIN SELECT RAISE(ROLLBACK, 'disk full'); END"));
        handIn(2);
        QTRY_COMPARE(boxes->count(), 1);
        QVERIFY(boxes->at(0).text.contains(QStringLiteral("disk full")));
        data::Table& subject = app::ado->subject;
        QVERIFY(subject.active());
        for (int id : {101, 102, 103}) {
            QVERIFY(subject.locate(QStringLiteral("subId"), id));
            QCOMPARE(subject.asInteger(QStringLiteral("errorTimes")), errorTimes(id));
            QCOMPARE(errorTimes(id), 0);
        }
        QCoreApplication::processEvents();
        QCOMPARE(boxes->count(), 1);
        boxes->clear();
    }

    void failedScoringShowsThatThereIsNoScore()
    {
        makePaper(*bank, 2, 1);
        bank->exec(QStringLiteral("UPDATE note SET isright = 'x' WHERE subid = 102"));
        handIn(2);
        QTRY_COMPARE(boxes->count(), 1);
        QCOMPARE(label("lbksfs"), QString());
        QCOMPARE(label("lb_ksjg"), QString());
        QCOMPARE(label("lb_tsxx"), QStringLiteral("成绩无法计算。"));
        QCoreApplication::processEvents();
        QCOMPARE(boxes->count(), 1);
        boxes->clear();
    }

    void recordsEachScoredPaperOnce()
    {
        bank->writeFile(QStringLiteral("system.ini"), "alltime=100\nmark=2\n");
        makePaper(*bank, 3, 2, 1);
        bank->addCategory(1, QStringLiteral("法规"), {3, 0, 0, 0, 0});
        bank->exec(QStringLiteral("UPDATE subject SET sortid = 1"));
        app::startUp();
        Tmnks* exam = testing::openExam(2);
        for (int tick = 0; tick < 60; ++tick)
            exam->Timer1Timer();
        QCOMPARE(count("history"), 0);
        exam->handIn();
        exam->handIn();
        exam->Timer1Timer();
        QCOMPARE(count("history"), 1);
        QCOMPARE(
            bank->scalar(QStringLiteral("SELECT mode || classCode || ' ' || setNumber || ' ' || "
                                        "questionCount || rightCount || score || passMark || "
                                        "passed || ' ' || secondsUsed || timedOut FROM history"))
                .toString(),
            QStringLiteral("2C1 0 32221 600"));
        QCOMPARE(bank->scalar(QStringLiteral("SELECT group_concat(subid || ':' || optionid || "
                                             "isright, ' ') FROM historyanswer"))
                     .toString(),
                 QStringLiteral("101:11 102:11 103:20"));
        QCOMPARE(label("lb_jlxx"),
                 QStringLiteral("用时 1分00秒　C1最近1次：2\n通过概率：数据不足（需 2 "
                                "次模拟考试、3 道题，现有 1 次）"));
    }

    void recordsATimeOut()
    {
        bank->writeFile(QStringLiteral("system.ini"), "alltime=2\nmark=90\n");
        makePaper(*bank, 3, 1);
        app::startUp();
        Tmnks* exam = testing::openExam(2);
        for (int tick = 0; tick < 4; ++tick)
            exam->Timer1Timer();
        QCOMPARE(boxes->texts(), QStringList{QStringLiteral("时间到！")});
        boxes->clear();
        QCOMPARE(bank->scalar(QStringLiteral("SELECT COUNT(*) || secondsUsed || timedOut FROM "
                                             "history"))
                     .toString(),
                 QStringLiteral("121"));
    }

    void recordsAStudySetWithItsNumber()
    {
        makePaper(*bank, 3, 1, 1);
        app::startUp();
        Tmnks* exam = testing::openExam(1);
        exam->setStudySet(4);
        exam->handIn();
        QCOMPARE(bank->scalar(QStringLiteral("SELECT mode || ' ' || setNumber || ' ' || rightCount "
                                             "FROM history"))
                     .toString(),
                 QStringLiteral("1 4 1"));
        QCOMPARE(label("lb_jlxx"), QStringLiteral("用时 0分00秒　答对 1 题，共 3 题"));
    }

    void anUnscoredPaperLeavesNoRecord()
    {
        makePaper(*bank, 3, 1, 1);
        app::startUp();
        testing::openExam(2)->close();
        app::shutDown();
        QCOMPARE(count("history"), 0);
        QCOMPARE(count("historyanswer"), 0);
    }

    void closeReturnsToTheMenu()
    {
        makePaper(*bank, 2, 1);
        QPointer<Tmnks> exam = handIn(2);
        QPointer<Txxts> w = app::xxts;
        QTest::keyClick(w, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!exam && !app::mnks && !w);
        QVERIFY(!app::ckct);
    }

    void reviewOpensTheWrongAnswers()
    {
        makePaper(*bank, 2, 1);
        QPointer<Tmnks> exam = handIn(2);
        QPointer<Txxts> w = app::xxts;
        QTest::keyClick(w, Qt::Key_Delete, Qt::KeypadModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!exam && !app::mnks && !w);
        QVERIFY(app::ckct && app::ckct->isVisible());
    }
};

VELMOOR_TEST_MAIN(TxxtsTest)
#include "txxts_test.moc"
