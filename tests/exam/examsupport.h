#pragma once

#include "app/shared.h"
#include "exam/tmnks.h"
#include "support/testbank.h"

#include <QTimer>

namespace testing {

// Opens the examination window on the paper in the bank with its clock stopped, so that a test
// ticks it itself.
inline Tmnks* openExam(int mode)
{
    app::mnks = new Tmnks;
    app::mnks->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
    app::mnks->setTag(mode);
    app::mnks->show();
    return app::mnks;
}

} // namespace testing
