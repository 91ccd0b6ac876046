#include "app/shared.h"
#include "app/startup.h"
#include "core/cipher.h"
#include "core/ciphertexts.h"
#include "data/tado.h"
#include "exam/txtxx.h"
#include "menu/tdtjq.h"
#include "menu/tjtbz.h"
#include "menu/tjxjs.h"
#include "menu/tmain.h"
#include "menu/txccx.h"
#include "review/tlxxc.h"
#include "review/tycst.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"
#include "support/windowtest.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTimer>
#include <QUrl>

namespace {

QLabel* label(const char* name)
{
    return app::main->findChild<QLabel*>(QLatin1String(name));
}

void click(const char* name)
{
    QLabel* l = label(name);
    QVERIFY2(l, name);
    QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(10, 10));
}

} // namespace

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class TmainTest : public testing::WindowTest
{
    Q_OBJECT

    void addQuestions()
    {
        bank->addCategory(1, QStringLiteral("法规"), {10, 10, 10, 10, 10});
        for (int id = 1; id <= 4; ++id)
            bank->addQuestion(id, 1, 1, {QStringLiteral("正确"), QStringLiteral("错误")}, 0);
    }

private slots:
    void init()
    {
        WindowTest::init();
        addQuestions();
    }

    void storedTexts()
    {
        // The texts themselves are checked in tests/core/cipher_test.cpp.
        const QString status = core::DecipherText(QString::fromLatin1(core::kStatusText));
        app::startUp();
        QCOMPARE(label("Label1")->text(), status);
        // The white page behind the artwork comes from the .ui file.
        QVERIFY(app::main->autoFillBackground());
        QCOMPARE(app::main->palette().color(QPalette::Inactive, QPalette::Window),
                 QColor(Qt::white));
        // The pictures, decoded meanwhile, are in place when the menu is first shown.
        app::main->show();
        QCOMPARE(label("Image11")->pixmap().size(), QSize(580, 460));
        QCOMPARE(label("Image3")->pixmap().size(), QSize(220, 46));
    }

    void exitAnsweredNoLeavesEverything()
    {
        app::startUp();
        app::main->show();
        app::main->setTag(2);
        boxes->answerWith(QMessageBox::No);
        click("Image3");
        QVERIFY(boxes->count() == 1);
        QCOMPARE(boxes->at(0).text, QStringLiteral("你确定要退出本程序吗?"));
        QCOMPARE(boxes->at(0).title, QStringLiteral("提示"));
        QCOMPARE(boxes->at(0).icon, QMessageBox::Question);
        QVERIFY(app::main->isVisible());
        QCOMPARE(app::main->Tag(), 2);
        boxes->clear();
    }

    void exitAnsweredYesEndsTheProgram()
    {
        app::startUp();
        app::main->show();
        // An information page stays open, so only the main window's closing can end the loop.
        app::jtbz->show();
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        watchdog.start(10000);
        boxes->answerWith(QMessageBox::Yes);
        QTimer::singleShot(0, qApp, [] { click("Image3"); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(boxes->count() == 1);
        QVERIFY(!app::main->isVisible());
        boxes->clear();
    }

    void keypadStarOpensTheDialogWithoutSettingTheMode()
    {
        app::startUp();
        app::main->show();
        app::main->setTag(1);
        QTest::keyClick(app::main, Qt::Key_Asterisk, Qt::KeypadModifier);
        QVERIFY(app::xccx->isVisible());
        QCOMPARE(app::xccx->Tag(), 2);
        QCOMPARE(app::main->Tag(), 1);
        // The main keyboard's * is no shortcut.
        app::xccx->close();
        QTest::keyClick(app::main, Qt::Key_Asterisk);
        QVERIFY(!app::xccx->isVisible());
    }

    void pictureButtonsSetTheModeAndOpenTheirWindows()
    {
        app::startUp();
        app::main->show();
        click("Image8");
        QVERIFY(app::xccx->isVisible());
        QCOMPARE(app::xccx->Tag(), 2);
        QCOMPARE(app::main->Tag(), 2);

        click("Image9");
        QVERIFY(app::xtxx->isVisible());
        QCOMPARE(app::xtxx->Tag(), 1);
        QCOMPARE(app::main->Tag(), 1);

        click("Image4");
        click("Image5");
        click("Image10");
        QVERIFY(app::jtbz->isVisible() && app::jxjs->isVisible() && app::dtjq->isVisible());
        // A second click only brings the page forward.
        const QWidget* page = app::jtbz;
        click("Image4");
        QCOMPARE(app::jtbz.data(), page);
    }

    void browseButtonOpensANewChooserEachTime()
    {
        app::startUp();
        click("Image6");
        QPointer<Tlxxc> first = app::lxxc;
        click("Image6");
        QVERIFY(first && app::lxxc && first != app::lxxc);
        QVERIFY(app::lxxc->isVisible());
    }

    void errorProneEntrySeesACounterResetThroughAnotherHandle()
    {
        bank->exec(QStringLiteral("UPDATE subject SET errorTimes=3 WHERE subid=2"));
        app::startUp();
        QCOMPARE(app::ado->subject.recordCount(), 4);
        bank->exec(QStringLiteral("UPDATE subject SET errorTimes=0"));
        click("Image7");
        QVERIFY(boxes->count() == 1);
        QCOMPARE(boxes->at(0).text, QStringLiteral("没有易错试题！"));
        QVERIFY(!app::ycst);
        QVERIFY(app::ado->subject.filtered());
        QCOMPARE(app::ado->subject.recordCount(), 0);
        boxes->clear();
    }

    void errorProneEntryOpensTheViewerMostMissedFirst()
    {
        app::startUp();
        bank->exec(QStringLiteral("UPDATE subject SET errorTimes=2 WHERE subid=1"));
        bank->exec(QStringLiteral("UPDATE subject SET errorTimes=5 WHERE subid=3"));
        bank->exec(QStringLiteral("UPDATE subject SET errorTimes=-1 WHERE subid=4"));
        click("Image7");
        QVERIFY(app::ycst);
        QVERIFY(app::ycst->isVisible());
        data::Table& subject = app::ado->subject;
        QCOMPARE(subject.recordCount(), 2);
        subject.first();
        QCOMPARE(subject.asInteger(QStringLiteral("subid")), 3);
        subject.next();
        QCOMPARE(subject.asInteger(QStringLiteral("subid")), 1);
    }

    void statusLineOpensTheMakersAddress()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        app::startUp();
        click("Label1");
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(catcher.urls.first().scheme(), QStringLiteral("https"));
    }
};

VELMOOR_TEST_MAIN(TmainTest)
#include "tmain_test.moc"
