#pragma once

// Checks shared by the three information-page windows, each run in its own test executable.

#include "menu/pagebrowser.h"
#include "platform/form.h"
#include "support/testbank.h"

#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace menutest {

inline menu::PageBrowser* browserOf(QWidget* window)
{
    return window->findChild<menu::PageBrowser*>(QStringLiteral("WebBrowser1"));
}

// A page long enough to scroll, with a link to a second page.
inline QByteArray longPage(const QByteArray& marker)
{
    QByteArray html = "<html><head><meta charset=\"utf-8\"></head><body><p>" + marker +
                      "</p><p><a href=\"second.html\">下一页</a></p>";
    for (int i = 0; i < 200; ++i)
        html += "<p>line " + QByteArray::number(i) + "</p>";
    return html + "</body></html>";
}

// The page comes from html/ in the program folder, whatever the working directory.
template <typename Window> void loadsFromTheProgramFolder(const QString& page)
{
    testing::TestBank bank;
    bank.writeFile(QStringLiteral("html/") + page, longPage("本页内容"));
    QTemporaryDir elsewhere;
    QDir(elsewhere.path()).mkdir(QStringLiteral("html"));
    QFile decoy(elsewhere.path() + QStringLiteral("/html/") + page);
    QVERIFY(decoy.open(QIODevice::WriteOnly) && decoy.write("<p>wrong folder</p>") > 0);
    decoy.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    Window window;
    QDir::setCurrent(before);
    menu::PageBrowser* browser = browserOf(&window);
    QVERIFY(browser);
    QCOMPARE(browser->source(),
             QUrl::fromLocalFile(bank.folder() + QStringLiteral("html/") + page));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("本页内容")));
    QCOMPARE(window.windowTitle(), QStringLiteral("Velmoor"));
}

// Closing and reopening keeps the link followed and the scroll position; nothing reloads.
template <typename Window> void keepsItsStateWhenReopened(const QString& page)
{
    testing::TestBank bank;
    bank.writeFile(QStringLiteral("html/") + page, longPage("首页"));
    bank.writeFile(QStringLiteral("html/second.html"), longPage("第二页"));
    Window window;
    window.show();
    menu::PageBrowser* browser = browserOf(&window);
    browser->setFocus();
    // Tab onto the link, Enter follows it, as a learner without a mouse would.
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    QTRY_VERIFY(browser->toPlainText().contains(QStringLiteral("第二页")));
    QTRY_VERIFY(browser->verticalScrollBar()->maximum() > 100);
    browser->verticalScrollBar()->setValue(100);

    // Rewriting the file shows whether the window reloads on reopening.
    bank.writeFile(QStringLiteral("html/second.html"), "<p>changed</p>");
    window.close();
    QVERIFY(!window.isVisible());
    window.show();
    QCOMPARE(browser->source().fileName(), QStringLiteral("second.html"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("第二页")));
    QCOMPARE(browser->verticalScrollBar()->value(), 100);
}

// A missing page is an error page inside the browser, not a crash or an empty window.
template <typename Window> void showsAnErrorPageForAMissingPage(const QString& page)
{
    testing::TestBank bank;
    Window window;
    const QString text = browserOf(&window)->toPlainText();
    QVERIFY2(text.contains(QStringLiteral("无法打开")), qPrintable(text));
    QVERIFY(text.contains(page));
}

// The browser keeps its place and size however the window is sized.
template <typename Window> void browserKeepsItsSize(const QRect& place)
{
    testing::TestBank bank;
    Window window;
    window.show();
    QCOMPARE(browserOf(&window)->geometry(), place);
    window.resize(window.width() + 300, window.height() + 200);
    QCOMPARE(browserOf(&window)->geometry(), place);
}

} // namespace menutest
