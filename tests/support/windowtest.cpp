#include "windowtest.h"

#include "app/startup.h"
#include "support/windows.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

namespace testing {

void WindowTest::init()
{
    bank = std::make_unique<TestBank>();
    boxes = std::make_unique<BoxAnswerer>();
}

void WindowTest::cleanup()
{
    app::shutDown();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QStringList unexpected = boxes->texts();
    boxes.reset();
    bank.reset();
    QCOMPARE(topLevelsLeft(), QStringList());
    QCOMPARE(unexpected, QStringList());
}

} // namespace testing
