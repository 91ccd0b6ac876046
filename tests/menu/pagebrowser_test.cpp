#include "menu/pagebrowser.h"
#include "support/testbank.h"
#include "support/testmain.h"

#include <QDesktopServices>
#include <QStringEncoder>
#include <sys/stat.h>

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class PageBrowserTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<testing::TestBank> bank;
    std::unique_ptr<menu::PageBrowser> browser;
    UrlCatcher catcher;

    QString path(const char* name) const { return bank->folder() + QLatin1String(name); }

private slots:
    void init()
    {
        bank = std::make_unique<testing::TestBank>();
        bank->writeFile(QStringLiteral("html/start.html"),
                        "<html><body><p>start</p><a href=\"gone.html\">gone</a></body></html>");
        browser = std::make_unique<menu::PageBrowser>();
        browser->navigate(path("html/start.html"));
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &catcher, "open");
    }

    void cleanup()
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        catcher.urls.clear();
        browser.reset();
        bank.reset();
    }

    void webLinksGoToTheSystemBrowser()
    {
        emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/rules")));
        emit browser->anchorClicked(QUrl(QStringLiteral("HTTP://example.org/signs")));
        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls.at(0), QUrl(QStringLiteral("https://example.org/rules")));
        QCOMPARE(browser->source(), QUrl::fromLocalFile(path("html/start.html")));
    }

    void linkedDocumentsOpenOutsideThePage()
    {
        emit browser->anchorClicked(QUrl(QStringLiteral("sign.pdf")));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(path("html/sign.pdf"))});
        QCOMPARE(browser->source().fileName(), QStringLiteral("start.html"));
    }

    void aLinkToAMissingPageShowsAnErrorPage()
    {
        emit browser->anchorClicked(QUrl(QStringLiteral("gone.html")));
        QVERIFY(catcher.urls.isEmpty());
        QCOMPARE(browser->source().fileName(), QStringLiteral("gone.html"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("无法打开")));
        // Back on the good page, it shows again.
        browser->backward();
        QVERIFY(browser->toPlainText().contains(QStringLiteral("start")));
    }

    void largePagesWaitAndAbsurdOnesAreRefused()
    {
        QByteArray big = "<html><body><p>大页面</p>";
        big += QByteArray(1024 * 1024, ' ') + "</body></html>";
        bank->writeFile(QStringLiteral("html/big.html"), big);
        bank->writeFile(QStringLiteral("html/huge.html"), QByteArray(6 * 1024 * 1024, 'x'));
        QCOMPARE(::mkfifo(QFile::encodeName(path("html/fifo.html")).constData(), 0600), 0);

        // Start-up goes on; the page follows once the event loop runs.
        browser->navigate(path("html/big.html"));
        QCOMPARE(browser->source().fileName(), QStringLiteral("start.html"));
        QTRY_VERIFY(browser->toPlainText().contains(QStringLiteral("大页面")));

        browser->navigate(path("html/huge.html"));
        QVERIFY2(browser->toPlainText().contains(QStringLiteral("太大（6.0 MB），无法显示")),
                 qPrintable(browser->toPlainText()));
        browser->navigate(path("html/fifo.html"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("无法打开")));
    }

    void decodesThePagesEncoding()
    {
        QStringEncoder gbk("GBK");
        const QString text = QStringLiteral("交通标志");
        const QByteArray gbkText = gbk.encode(text);
        QCOMPARE(menu::decodePage("<meta charset=\"gb2312\"><p>" + gbkText + "</p>"),
                 QStringLiteral("<meta charset=\"gb2312\"><p>交通标志</p>"));
        QCOMPARE(menu::decodePage("<META http-equiv=\"Content-Type\" content=\"text/html; "
                                  "charset=GBK\">" +
                                  gbkText)
                     .right(4),
                 text);
        // Without a charset: UTF-8 when it is valid UTF-8, else the program's GBK.
        QCOMPARE(menu::decodePage(text.toUtf8()), text);
        QCOMPARE(menu::decodePage(gbkText), text);
    }
};

VELMOOR_TEST_MAIN(PageBrowserTest)
#include "pagebrowser_test.moc"
