#include "exam/tksqr.h"
#include "exam/tmnks.h"
#include "exam/txxts.h"

#include "app/shared.h"
#include "app/startup.h"
#include "examsupport.h"
#include "platform/picturebox.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>

namespace {

// Questions 101, 102 ... in paper order: first the true/false ones (√ right), then the
// multiple-choice ones (B right, `choiceOptions` options each).
void makePaper(testing::TestBank& bank, int trueFalse, int choice, int choiceOptions = 4)
{
    QStringList sql{QStringLiteral("BEGIN")};
    for (int q = 1; q <= trueFalse + choice; ++q) {
        const int id = 100 + q;
        const bool tf = q <= trueFalse;
        sql << QStringLiteral("INSERT INTO subject (subid, subtitle, info, typeId, sortid) "
                              "VALUES (%1, '题目%1', '解析%1', %2, 1)")
                   .arg(id)
                   .arg(tf ? 1 : 2);
        for (int i = 0; i < (tf ? 2 : choiceOptions); ++i)
            sql << QStringLiteral("INSERT INTO options VALUES (%1, %2, '选项%3', %4)")
                       .arg(id * 10 + i + 1)
                       .arg(id)
                       .arg(i)
                       .arg(i == (tf ? 0 : 1) ? 1 : 0);
        sql << QStringLiteral("INSERT INTO note (subid) VALUES (%1)").arg(id);
    }
    sql << QStringLiteral("COMMIT");
    bank.exec(sql.join(u';'));
}

Tmnks* openExam(int mode)
{
    Tmnks* exam = testing::openExam(mode);
    exam->lb_kscx()->setText(QStringLiteral("考试车型：C1"));
    return exam;
}

template <typename T> T* get(QWidget* w, const char* name)
{
    T* child = w->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

QString text(QWidget* w, const char* name)
{
    return get<QLabel>(w, name)->text();
}

QString cell(QWidget* w, int q)
{
    const QTableWidgetItem* item =
        get<QTableWidget>(w, "StringGrid1")->item((q - 1) / 20, (q - 1) % 20);
    return item ? item->text() : QString();
}

void keypad(QWidget* w, Qt::Key key)
{
    QTest::keyClick(w, key, Qt::KeypadModifier);
}

} // namespace

class TmnksTest : public testing::WindowTest
{
    Q_OBJECT

    qint64 noteValue(int row, const char* field)
    {
        return bank
            ->scalar(QStringLiteral("SELECT %1 FROM note ORDER BY noteId LIMIT 1 OFFSET %2")
                         .arg(QLatin1String(field))
                         .arg(row - 1))
            .toLongLong();
    }

private slots:
    void layout()
    {
        makePaper(*bank, 1, 1);
        app::startUp();
        app::mnks = new Tmnks;
        Tmnks* w = app::mnks;
        auto* timer = w->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        timer->stop();
        QCOMPARE(w->objectName(), QStringLiteral("mnks"));
        QCOMPARE(w->size(), QSize(796, 580));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(get<QWidget>(w, "GroupBox4")->geometry(), QRect(157, 8, 630, 297));
        QCOMPARE(get<QWidget>(w, "pic")->geometry(), QRect(400, 104, 225, 137));
        QCOMPARE(get<QWidget>(w, "opt3")->geometry(), QRect(334, 258, 40, 30));
        QCOMPARE(get<QWidget>(w, "bt_jj")->geometry(), QRect(668, 312, 107, 41));
        QCOMPARE(get<QWidget>(w, "P_info")->geometry(), QRect(5, 303, 226, 74));
        for (const char* hidden : {"LB_cx", "GroupBox7", "P_info", "autoshow", "bt_show"})
            QVERIFY2(get<QWidget>(w, hidden)->isHidden(), hidden);
        QCOMPARE(text(w, "Label3"), QStringLiteral("姓         别：女"));
        QCOMPARE(text(w, "LB_cx"), QStringLiteral("C1"));
        QCOMPARE(text(w, "atime"), QStringLiteral("90:00"));
        QCOMPARE(app::PassMark, 90);

        auto* grid = get<QTableWidget>(w, "StringGrid1");
        QCOMPARE(grid->geometry(), QRect(8, 16, 762, 192));
        QCOMPARE(grid->rowCount(), 5);
        QCOMPARE(grid->columnCount(), 20);
        QCOMPARE(grid->columnWidth(19), 37);
        QCOMPARE(grid->rowHeight(4), 37);
        QVERIFY(grid->horizontalHeader()->isHidden() && grid->verticalHeader()->isHidden());
        QCOMPARE(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(grid->selectionMode(), QAbstractItemView::SingleSelection);
    }

    void questionDisplay()
    {
        makePaper(*bank, 1, 1);
        app::startUp();
        Tmnks* w = openExam(2);
        QCOMPARE(text(w, "Note"), QStringLiteral("1、题目101"));
        QCOMPARE(text(w, "info"), QStringLiteral("判断题，请判断对错"));
        QVERIFY(get<QWidget>(w, "lb1")->isHidden() && get<QWidget>(w, "opt3")->isHidden());
        QCOMPARE(get<QPushButton>(w, "opt1")->text(), QStringLiteral("√"));
        QCOMPARE(text(w, "LB_da"), QStringLiteral("√"));
        QVERIFY(get<QWidget>(w, "pic")->isHidden());

        w->goToQuestion(2);
        QCOMPARE(text(w, "Note"), QStringLiteral("2、题目102"));
        QCOMPARE(text(w, "info"), QStringLiteral("选择题，请选择你认为正确的答案"));
        QCOMPARE(text(w, "lb2"), QStringLiteral("B 选项1"));
        QCOMPARE(get<QPushButton>(w, "opt2")->text(), QStringLiteral("B"));
        QVERIFY(!get<QWidget>(w, "opt4")->isHidden());
        QCOMPARE(text(w, "LB_da"), QStringLiteral("B"));
        QCOMPARE(text(w, "LB_info"), QStringLiteral("解析102"));
    }

    void gridNumbering_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one") << 1;
        QTest::newRow("fifty") << 50;
        QTest::newRow("hundred") << 100;
        QTest::newRow("over a hundred") << 105;
    }
    void gridNumbering()
    {
        QFETCH(int, count);
        makePaper(*bank, 0, count);
        app::startUp();
        Tmnks* w = openExam(2);
        for (int q = 1; q <= 100; ++q)
            QCOMPARE(cell(w, q), q <= count ? QString::number(q) : QString());
        for (int q : {1, 20, 21, 50, 100}) {
            if (q > count)
                continue;
            w->goToQuestion(q);
            auto* grid = get<QTableWidget>(w, "StringGrid1");
            QCOMPARE(grid->currentRow(), (q - 1) / 20);
            QCOMPARE(grid->currentColumn(), (q - 1) % 20);
            QVERIFY(text(w, "Note").startsWith(QString::number(q) + QStringLiteral("、")));
        }
    }

    void priorAndNext_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one question") << 1;
        QTest::newRow("three questions") << 3;
    }
    void priorAndNext()
    {
        QFETCH(int, count);
        makePaper(*bank, 0, count);
        app::startUp();
        Tmnks* w = openExam(2);
        auto* prior = get<QPushButton>(w, "bt_Prior");
        auto* next = get<QPushButton>(w, "bt_next");
        QVERIFY(!prior->isEnabled());
        QCOMPARE(next->isEnabled(), count > 1);
        for (int q = 2; q <= count; ++q) {
            next->click();
            QCOMPARE(w->currentQuestion(), q);
            QVERIFY(prior->isEnabled());
        }
        QVERIFY(!next->isEnabled());
        keypad(w, Qt::Key_Plus);
        QCOMPARE(w->currentQuestion(), count);
        if (count > 1) {
            keypad(w, Qt::Key_Minus);
            QCOMPARE(w->currentQuestion(), count - 1);
            QVERIFY(next->isEnabled());
        }
    }

    void mockAnswerMovesOn()
    {
        makePaper(*bank, 0, 100);
        app::startUp();
        Tmnks* w = openExam(2);
        w->goToQuestion(5);
        get<QPushButton>(w, "opt1")->click(); // A, a wrong answer
        QCOMPARE(cell(w, 5), QStringLiteral("5A"));
        QCOMPARE(noteValue(5, "optionid"), 1051);
        QCOMPARE(noteValue(5, "isright"), 0);
        QCOMPARE(noteValue(4, "optionid"), 0);
        QCOMPARE(w->currentQuestion(), 6);
        QCOMPARE(text(w, "da"), QString());
        QVERIFY(get<QWidget>(w, "GroupBox7")->isHidden());

        // Re-answering replaces the sign and the stored answer.
        w->goToQuestion(5);
        QCOMPARE(text(w, "da"), QStringLiteral("A"));
        get<QPushButton>(w, "opt2")->click();
        QCOMPARE(cell(w, 5), QStringLiteral("5B"));
        QCOMPARE(noteValue(5, "optionid"), 1052);
        QCOMPARE(noteValue(5, "isright"), 1);

        // The last question keeps its place, and da its old sign, until the learner moves.
        w->goToQuestion(100);
        get<QPushButton>(w, "opt4")->click();
        QCOMPARE(w->currentQuestion(), 100);
        QCOMPARE(cell(w, 100), QStringLiteral("100D"));
        QCOMPARE(text(w, "da"), QString());
        QCOMPARE(noteValue(100, "optionid"), 2004);
    }

    void studyWrongAnswerStops_data()
    {
        QTest::addColumn<bool>("withPicture");
        QTest::newRow("explanation picture") << true;
        QTest::newRow("no explanation picture") << false;
    }
    void studyWrongAnswerStops()
    {
        QFETCH(bool, withPicture);
        makePaper(*bank, 0, 3);
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QImageWriter writer(bank->folder() + QStringLiteral("upload/i.jpg"), "jpeg");
        QVERIFY(writer.write(image));
        if (withPicture)
            bank->exec(QStringLiteral("UPDATE subject SET infopic = 'i.jpg'"));
        app::startUp();
        Tmnks* w = openExam(1);
        get<QPushButton>(w, "opt3")->click(); // C, wrong
        QCOMPARE(w->currentQuestion(), 1);
        QVERIFY(!get<QWidget>(w, "GroupBox7")->isHidden());
        QCOMPARE(text(w, "LB_da"), QStringLiteral("B"));
        QCOMPARE(text(w, "LB_info"), QStringLiteral("解析101"));
        QCOMPARE(!get<QWidget>(w, "P_info")->isHidden(), withPicture);
        QCOMPARE(cell(w, 1), QStringLiteral("1C"));

        get<QPushButton>(w, "opt2")->click(); // B, right
        QCOMPARE(w->currentQuestion(), 2);
        QVERIFY(get<QWidget>(w, "GroupBox7")->isHidden());
        QVERIFY(get<QWidget>(w, "P_info")->isHidden());
        QCOMPARE(noteValue(1, "isright"), 1);
    }

    // Real banks have options of 44 characters and explanations of over 500: every character
    // stays reachable, wrapped, shrunk or scrolled, and the answer box hides the card under it.
    void longTextsStayReachable()
    {
        makePaper(*bank, 0, 2);
        const QString option = QString(43, QChar(u'路')) + QStringLiteral("止");
        const QString explanation = QString(559, QChar(u'解')) + QStringLiteral("终");
        bank->exec(QStringLiteral("UPDATE options SET optcontent = '%1'").arg(option));
        bank->exec(QStringLiteral("UPDATE subject SET info = '%1'").arg(explanation));
        app::startUp();
        Tmnks* w = openExam(1);
        for (const char* name : {"lb1", "lb2", "lb3", "lb4"}) {
            auto* label = get<QLabel>(w, name);
            const bool shown =
                label->wordWrap()
                    ? label->heightForWidth(label->width()) <= label->height()
                    : label->fontMetrics().horizontalAdvance(label->text()) <= label->width();
            QVERIFY2(shown, name);
            QVERIFY2(label->text().endsWith(QStringLiteral("止")) ||
                         label->toolTip().endsWith(QStringLiteral("止")),
                     name);
        }

        const QImage before = w->grab().toImage();
        get<QPushButton>(w, "opt3")->click(); // wrong: the answer box opens over the card
        QCOMPARE(text(w, "LB_info"), explanation);
        auto* area = get<QScrollArea>(w, "LB_infoArea");
        QTRY_VERIFY(area->verticalScrollBar()->maximum() > 0);
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        const QPoint photo = get<QWidget>(w, "Image3")->mapTo(w, QPoint(60, 60));
        QVERIFY(before.pixelColor(photo) != Qt::white);
        QCOMPARE(w->grab().toImage().pixelColor(photo), QColor(Qt::white));

        get<QPushButton>(w, "opt2")->click();
        get<QPushButton>(w, "opt3")->click(); // the next explanation starts at its top
        QCOMPARE(area->verticalScrollBar()->value(), 0);
    }

    void gridAction()
    {
        makePaper(*bank, 0, 25);
        app::startUp();
        Tmnks* w = openExam(2);
        auto* grid = get<QTableWidget>(w, "StringGrid1");
        auto* da = get<QLabel>(w, "da");
        get<QPushButton>(w, "opt1")->click(); // 1A, now on 2
        get<QPushButton>(w, "opt4")->click(); // 2D, now on 3
        auto clickCell = [&](int q) {
            const QRect r = grid->visualItemRect(grid->item((q - 1) / 20, (q - 1) % 20));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
        };
        QSignalSpy shown(w, &Tmnks::questionShown);

        clickCell(1);
        QCOMPARE(w->currentQuestion(), 1);
        QCOMPARE(da->text(), QStringLiteral("A"));
        QCOMPARE(shown.count(), 1); // the move and the click make one action

        clickCell(4);
        QCOMPARE(w->currentQuestion(), 4);
        QCOMPARE(da->text(), QString());

        shown.clear();
        clickCell(4); // the highlighted cell itself
        QCOMPARE(shown.count(), 1);

        // An empty cell after the paper leads nowhere.
        clickCell(30);
        QCOMPARE(w->currentQuestion(), 4);
        QCOMPARE(grid->currentColumn(), 3);

        grid->setFocus();
        shown.clear();
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(w->currentQuestion(), 3);
        QCOMPARE(shown.count(), 1);
        QTest::keyClick(grid, Qt::Key_Left);
        QCOMPARE(da->text(), QStringLiteral("D"));

        // A move by button refreshes da through the highlight.
        get<QPushButton>(w, "bt_Prior")->click();
        QCOMPARE(da->text(), QStringLiteral("A"));
        // Digits typed into the grid do not search its cells (a search would find 21).
        QTest::keyClick(grid, Qt::Key_2);
        QCOMPARE(w->currentQuestion(), 1);
    }

    void keypadOnTrueFalse()
    {
        makePaper(*bank, 40, 40);
        app::startUp();
        Tmnks* w = openExam(2);
        for (Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_5})
            keypad(w, key);
        QTest::keyClick(w, Qt::Key_4); // the main keyboard's digits do nothing
        QCOMPARE(w->currentQuestion(), 1);
        QCOMPARE(noteValue(1, "optionid"), 0);
        keypad(w, Qt::Key_4);
        QCOMPARE(cell(w, 1), QStringLiteral("1√"));
        QCOMPARE(noteValue(1, "isright"), 1);
        keypad(w, Qt::Key_6);
        QCOMPARE(cell(w, 2), QStringLiteral("2×"));
        QCOMPARE(noteValue(2, "optionid"), 1022);
        QCOMPARE(w->currentQuestion(), 3);
        keypad(w, Qt::Key_Minus);
        QCOMPARE(w->currentQuestion(), 2);
        keypad(w, Qt::Key_Plus);
        QCOMPARE(w->currentQuestion(), 3);
    }

    void keypadOnMultipleChoice()
    {
        makePaper(*bank, 40, 40);
        app::startUp();
        Tmnks* w = openExam(2);
        keypad(w, Qt::Key_8);
        QCOMPARE(w->currentQuestion(), 41);
        keypad(w, Qt::Key_4);
        keypad(w, Qt::Key_6);
        QCOMPARE(w->currentQuestion(), 41);
        QCOMPARE(cell(w, 41), QStringLiteral("41"));
        keypad(w, Qt::Key_1);
        QCOMPARE(cell(w, 41), QStringLiteral("41A"));
        keypad(w, Qt::Key_9);
        QCOMPARE(w->currentQuestion(), 71);
        keypad(w, Qt::Key_2);
        keypad(w, Qt::Key_3);
        keypad(w, Qt::Key_5);
        QCOMPARE(cell(w, 71), QStringLiteral("71B"));
        QCOMPARE(cell(w, 72), QStringLiteral("72C"));
        QCOMPARE(cell(w, 73), QStringLiteral("73D"));
        QCOMPARE(noteValue(73, "optionid"), 1734);
        keypad(w, Qt::Key_7);
        QCOMPARE(w->currentQuestion(), 1);
        keypad(w, Qt::Key_Slash);
        QVERIFY(app::ksqr && app::ksqr->isVisible());
        QVERIFY(w->isVisible());
    }

    void shortPaperAndMissingOptions()
    {
        makePaper(*bank, 0, 30, 2);
        app::startUp();
        Tmnks* w = openExam(2);
        w->goToQuestion(5);
        keypad(w, Qt::Key_8);
        keypad(w, Qt::Key_9);
        QCOMPARE(w->currentQuestion(), 5);
        // C and D have no option row here.
        keypad(w, Qt::Key_3);
        get<QPushButton>(w, "opt4")->click();
        QCOMPARE(w->currentQuestion(), 5);
        QCOMPARE(cell(w, 5), QStringLiteral("5"));
        QCOMPARE(noteValue(5, "optionid"), 0);
    }

    void onePictureFailureGivesOneReport()
    {
        makePaper(*bank, 0, 3);
        bank->writeFile(QStringLiteral("upload/broken.jpg"), "not a picture");
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(QImageWriter(bank->folder() + QStringLiteral("upload/i.jpg"), "jpeg").write(image));
        bank->exec(QStringLiteral("UPDATE subject SET subpic = 'broken.jpg', infopic = "
                                  "'broken.jpg' WHERE subid < 103"));
        bank->exec(QStringLiteral("UPDATE subject SET infopic = 'i.jpg' WHERE subid = 103"));
        app::startUp();
        Tmnks* w = openExam(2);
        QTRY_COMPARE(boxes->count(), 1);
        QVERIFY(boxes->at(0).text.contains(QStringLiteral("broken.jpg")));
        QCOMPARE(boxes->at(0).owner, w);
        get<QPushButton>(w, "bt_next")->click();
        QTRY_COMPARE(boxes->count(), 2);
        // A mock examination never shows an explanation picture, so it never decodes one.
        get<QPushButton>(w, "opt1")->click();
        get<QPushButton>(w, "opt1")->click();
        QCOMPARE(w->currentQuestion(), 3);
        QVERIFY(get<app::PictureBox>(w, "infopic")->picture().isNull());
        QCoreApplication::processEvents();
        QCOMPARE(boxes->count(), 2);
        boxes->clear();
    }

    void whatIsShownIsWhatIsStored()
    {
        makePaper(*bank, 0, 3);
        // Option ids beyond 32 bits; the first and last questions have only A and B.
        bank->exec(QStringLiteral("DELETE FROM options WHERE subid <> 102 AND optid % 10 > 2"));
        bank->exec(QStringLiteral("UPDATE options SET optid = optid + 5000000000"));
        bank->exec(QStringLiteral("CREATE TRIGGER t BEFORE UPDATE ON note WHEN NEW.subid = 103 "
                                  "BEGIN SELECT RAISE(ABORT, 'database is locked'); END"));
        app::startUp();
        Tmnks* w = openExam(1);
        QCOMPARE(text(w, "lb3"), QString());
        QCOMPARE(text(w, "lb4"), QString());
        get<QPushButton>(w, "opt2")->click();
        QCOMPARE(noteValue(1, "optionid"), 5000001012);
        QCOMPARE(text(w, "lb3"), QStringLiteral("C 选项2"));
        get<QPushButton>(w, "opt2")->click();
        QCOMPARE(w->currentQuestion(), 3);
        QCOMPARE(text(w, "lb3"), QString());
        QCOMPARE(text(w, "lb4"), QString());

        // A refused save leaves the cell as stored and is reported once.
        get<QPushButton>(w, "opt1")->click();
        QCOMPARE(boxes->texts().size(), 1);
        QVERIFY(boxes->at(0).text.contains(QStringLiteral("database is locked")));
        QCOMPARE(cell(w, 3), QStringLiteral("3"));
        QCOMPARE(noteValue(3, "optionid"), 0);
        QCoreApplication::processEvents();
        QCOMPARE(boxes->count(), 1);
        boxes->clear();
    }

    void emptyPaper()
    {
        app::startUp();
        Tmnks* w = openExam(2);
        QCOMPARE(w->questionCount(), 0);
        for (const char* name : {"opt1", "opt2", "opt3", "opt4", "bt_next", "StringGrid1"})
            QVERIFY2(!get<QWidget>(w, name)->isEnabled(), name);
        keypad(w, Qt::Key_4);
        keypad(w, Qt::Key_7);
        QCOMPARE(w->currentQuestion(), 0);
    }

    void countdown_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QStringList>("labels"); // at start, then after each tick
        QTest::newRow("default") << QByteArray()
                                 << QStringList{QStringLiteral("90:00"), QStringLiteral("89:59")};
        QTest::newRow("a minute") << QByteArray("alltime=60\nmark=90\n")
                                  << QStringList{QStringLiteral("1:00"), QStringLiteral("0:59"),
                                                 QStringLiteral("0:58")};
        QTest::newRow("zero never runs out")
            << QByteArray("alltime=0\nmark=90\n")
            << QStringList{QStringLiteral("0:00"), QStringLiteral("0:00"), QStringLiteral("0:00")};
        QTest::newRow("negative") << QByteArray("alltime=-5\nmark=90\n")
                                  << QStringList{QStringLiteral("0:00"), QStringLiteral("0:00")};
    }
    void countdown()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, labels);
        if (!ini.isEmpty())
            bank->writeFile(QStringLiteral("system.ini"), ini);
        makePaper(*bank, 0, 2);
        app::startUp();
        Tmnks* w = openExam(2);
        QCOMPARE(text(w, "atime"), labels.first());
        for (qsizetype i = 1; i < labels.size(); ++i) {
            w->Timer1Timer();
            QCOMPARE(text(w, "atime"), labels.at(i));
        }
        QVERIFY(w->isVisible());
        QVERIFY(!app::xxts);
    }

    void timeOut()
    {
        bank->writeFile(QStringLiteral("system.ini"), "alltime=2\nmark=90\n");
        makePaper(*bank, 0, 2);
        app::startUp();
        Tmnks* w = openExam(2);
        w->Timer1Timer();
        QCOMPARE(text(w, "atime"), QStringLiteral("0:01"));
        QVERIFY(!app::xxts);

        w->Timer1Timer();
        QCOMPARE(boxes->texts(), QStringList{QStringLiteral("时间到！")});
        QCOMPARE(boxes->at(0).owner, w);
        QVERIFY(boxes->at(0).onTop);
        QCOMPARE(text(w, "atime"), QStringLiteral("0:00"));
        QVERIFY(app::xxts && app::xxts->isVisible());
        QVERIFY(w->isHidden());
        QVERIFY(!w->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());

        // Later ticks open nothing more.
        const QPointer<Txxts> result = app::xxts;
        w->Timer1Timer();
        w->Timer1Timer();
        QCOMPARE(app::xxts, result);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(text(w, "atime"), QStringLiteral("0:00"));
        boxes->clear();
    }
};

VELMOOR_TEST_MAIN(TmnksTest)
#include "tmnks_test.moc"
