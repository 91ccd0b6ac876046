#include "app/shared.h"
#include "app/startup.h"
#include "data/dataset.h"
#include "data/programfolder.h"
#include "data/tado.h"
#include "exam/txtxx.h"
#include "menu/tdtjq.h"
#include "menu/tjtbz.h"
#include "menu/tjxjs.h"
#include "menu/tmain.h"
#include "menu/txccx.h"
#include "support/boxes.h"
#include "support/testbank.h"
#include "support/testmain.h"
#include "support/windows.h"

#include <QDir>
#include <QFile>
#include <QTextBrowser>

namespace {

bool allStartUpWindowsExist()
{
    return app::main && app::jtbz && app::jxjs && app::xccx && app::dtjq && app::xtxx;
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        app::shutDown();
        QVERIFY(!app::main && !app::xtxx && !app::ado);
        QCOMPARE(testing::windowsLeft(), QStringList());
    }

    void opensTheBankNextToTheProgramFromAnyWorkingDirectory()
    {
        testing::TestBank bank;
        bank.addCategory(1, QStringLiteral("法规"), {10, 0, 0, 0, 0});
        bank.addQuestion(7, 1, 1, {QStringLiteral("正确"), QStringLiteral("错误")}, 0);
        bank.writeFile(QStringLiteral("html/jiaojingshoushi.html"), "<p>交警手势</p>");
        QTemporaryDir elsewhere;
        const QString before = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        app::startUp();
        QDir::setCurrent(before);
        QVERIFY(allStartUpWindowsExist());
        QCOMPARE(data::databasePath(app::ConnString), bank.dbPath());
        QVERIFY(app::ado->subject.active() && app::ado->sort.active() &&
                app::ado->options.active());
        // Start-up costs the same at any bank size: the questions are read when first shown, and
        // so is an information page.
        QVERIFY(!app::ado->subject.loaded() && !app::ado->options.loaded());
        auto* page = app::jtbz->findChild<QTextBrowser*>(QStringLiteral("WebBrowser1"));
        QVERIFY(page && page->toPlainText().isEmpty());
        app::jtbz->show();
        QCOMPARE(page->toPlainText(), QStringLiteral("交警手势"));
        QCOMPARE(app::ado->sort.sort(), QStringLiteral("sortid"));
        QCOMPARE(app::ado->subject.recordCount(), 1);
        QVERIFY(!app::main->isVisible());
    }

    void theProgramFolderIsTheExecutablesFolder()
    {
        data::setProgramFolder({});
        QTemporaryDir elsewhere;
        const QString before = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        const QString folder = data::programFolder();
        QDir::setCurrent(before);
        QCOMPARE(folder, QCoreApplication::applicationDirPath() + u'/');
    }

    void aMissingDatabaseIsReportedAndStartUpGoesOn()
    {
        testing::TestBank bank;
        QFile::remove(bank.dbPath());
        testing::BoxAnswerer boxes;
        app::startUp();
        QVERIFY(allStartUpWindowsExist());
        QVERIFY(!boxes.texts().isEmpty());
        QVERIFY2(boxes.texts().first().contains(bank.dbPath()),
                 qPrintable(boxes.texts().join('\n')));
        QVERIFY(!app::ado->subject.active());
        QVERIFY(!QFile::exists(bank.dbPath())); // nothing made up in its place
    }

    void aCorruptDatabaseIsReportedAndLeftAlone()
    {
        testing::TestBank bank;
        const QByteArray junk(8192, '\x5a');
        QFile::remove(bank.dbPath());
        bank.writeFile(QStringLiteral("data.db"), junk);
        testing::BoxAnswerer boxes;
        app::startUp();
        QVERIFY(allStartUpWindowsExist());
        QVERIFY(!boxes.texts().isEmpty());
        QVERIFY(!app::ado->subject.active());
        QFile file(bank.dbPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), junk);
    }
};

VELMOOR_TEST_MAIN(StartupTest)
#include "startup_test.moc"
