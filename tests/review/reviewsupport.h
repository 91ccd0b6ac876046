#pragma once

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include "app/shared.h"
#include "app/startup.h"
#include "menu/txccx.h"

namespace testing {

inline QLabel* label(QWidget* w, const char* name)
{
    return w->findChild<QLabel*>(QLatin1String(name));
}

inline QString text(QWidget* w, const char* name)
{
    return label(w, name)->text();
}

inline void press(QWidget* w, const QString& button)
{
    w->findChild<QPushButton*>(button)->click();
}

inline bool isRed(QLabel* l)
{
    return l->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

// app::shutDown() deletes from a list of top-level widgets that includes the vehicle-class
// dialog's drop-down, a child of that dialog; deleting the dialog first keeps the list valid.
inline void shutDownApp()
{
    delete app::xccx.data();
    app::shutDown();
}

} // namespace testing
