#pragma once

#include "platform/form.h"

#include <QApplication>
#include <QStringList>

namespace testing {

// The program's windows still alive, by object name; after app::shutDown() there must be none.
inline QStringList windowsLeft()
{
    QStringList left;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<app::Form*>(w))
            left << w->objectName();
    }
    return left;
}

// Every top-level widget still alive, by class and object name: message boxes and pop-ups too.
inline QStringList topLevelsLeft()
{
    QStringList left;
    for (QWidget* w : QApplication::topLevelWidgets())
        left << QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
    return left;
}

} // namespace testing
